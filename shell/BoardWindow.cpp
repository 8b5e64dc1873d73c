#include "BoardWindow.h"

#include "BoardCanvas.h"
#include "platform/Paths.h"
#include "platform/Sound.h"
#include "platform/Strings.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QTimerEvent>

namespace {
constexpr int kTickMilliseconds = 50;

// "Status text\nTooltip" of a command.
QString StatusText(int id)
{
    return LoadString(id).section(u'\n', 0, 0);
}
} // namespace

CBoardWindow::CBoardWindow(CVeldtrakDoc& doc) : m_doc(doc)
{
    m_canvas = new CBoardCanvas(doc);
    auto* scroll = new QScrollArea;
    scroll->setWidget(m_canvas);
    scroll->setBackgroundRole(QPalette::Dark);
    setCentralWidget(scroll);
    BuildMenus();
    statusBar()->showMessage(LoadString(57345));
    m_doc.AddView(this);
    RefreshTitle();
    resize(1100, 800);
}

CBoardWindow::~CBoardWindow()
{
    m_doc.RemoveView(this);
}

void CBoardWindow::BuildMenus()
{
    struct Item {
        const char* menuText;
        int id;
        QKeySequence shortcut;
    };
    auto addMenu = [this](const char* title, std::initializer_list<Item> items) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(title));
        for (const Item& item : items) {
            if (item.id == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromUtf8(item.menuText));
            action->setShortcut(item.shortcut);
            action->setStatusTip(StatusText(item.id));
            const int id = item.id;
            connect(action, &QAction::triggered, this, [this, id] {
                m_doc.OnCommand(id);
                m_canvas->Redraw();
                RefreshTitle();
            });
            m_commands.append({action, id});
        }
        connect(menu, &QMenu::aboutToShow, this, &CBoardWindow::UpdateCommandStates);
    };
    addMenu("&Bestand", {{"&Nieuw", ID_FILE_NEW, QKeySequence::New},
                         {"&Openen...", ID_FILE_OPEN, QKeySequence::Open},
                         {"Op&slaan", ID_FILE_SAVE, QKeySequence::Save},
                         {"Opslaan &Als...", ID_FILE_SAVE_AS, {}}});
    addMenu("B&ord", {{"Wis &hele bord", ID_EDIT_CLEAR_ALL, {}},
                      {"Wis &draden", ID_EDIT_CLEAR_WIRES, {}},
                      {"Wis &sondes", ID_EDIT_CLEAR_PROBES, {}},
                      {"Wis &tekstvelden", ID_EDIT_CLEAR_TEXTS, {}},
                      {"Wis t&abellen", ID_EDIT_CLEAR_TABLES, {}},
                      {"Wis &foto's", ID_EDIT_CLEAR_PICTURES, {}}});
    addMenu("&Meting", {{"St&art", ID_MEASURE_START, {}},
                        {"St&op", ID_MEASURE_STOP, {}},
                        {"&Reset", ID_MEASURE_RESET, {}}});
    addMenu("&Help", {{"Help", ID_HELP, QKeySequence::HelpContents}});
}

void CBoardWindow::UpdateCommandStates()
{
    for (const auto& [action, id] : m_commands)
        action->setEnabled(m_doc.IsCommandEnabled(id));
}

void CBoardWindow::RefreshTitle()
{
    setWindowTitle(m_doc.GetTitle() + QStringLiteral(" - ") + LoadString(57344));
}

void CBoardWindow::OnUpdate(int hint, int)
{
    switch (hint) {
    case HINT_STARTED: {
        // Wakes the sound device so the first buzzer sounds without delay.
        const QString buzzer = FileSystemPath(m_doc.m_strFolderRoot + LoadString(61645));
        SoundService().PlayLooping(buzzer);
        SoundService().StopAll();
        m_canvas->Redraw();
        m_tick.start(kTickMilliseconds, this);
        break;
    }
    case HINT_RESET:
        m_canvas->ResetComponents();
        break;
    case HINT_STOPPED:
        m_tick.stop();
        m_doc.UnlinkAll();
        m_canvas->Redraw();
        break;
    case HINT_TICK:
        break;
    default:
        m_canvas->Redraw();
        break;
    }
}

void CBoardWindow::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_tick.timerId())
        m_canvas->Tick();
}

void CBoardWindow::closeEvent(QCloseEvent* event)
{
    if (m_doc.m_bRunning)
        m_doc.Stop();
    if (m_doc.SaveModified())
        event->accept();
    else
        event->ignore();
}
