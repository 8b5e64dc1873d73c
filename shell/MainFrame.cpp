// Building the main window: actions, menus, toolbar, status bar and the two panes.
#include "MainFrame.h"

#include "ChartDock.h"
#include "CommandIds.h"
#include "MenuLayout.h"
#include "PaletteView.h"
#include "ProgramIcon.h"
#include "SocketLevelTip.h"
#include "ToolbarIcons.h"
#include "boardview/BoardView.h"
#include "classroom/Classroom.h"
#include "document/MeasurementLog.h"
#include "platform/Strings.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QWindow>

namespace {

constexpr int kIdleUpdateMilliseconds = 200;

// A command's string is "status-bar prompt\ntool tip".
QString PromptOf(int id)
{
    return LoadString(id).section(u'\n', 0, 0);
}
QString ToolTipOf(int id)
{
    return LoadString(id).section(u'\n', 1, 1);
}

} // namespace

CMainFrame::CMainFrame(CVeldtrakDoc& doc)
    : m_doc(doc), m_pMeasurementLog(std::make_unique<CMeasurementLog>(doc))
{
    setWindowIcon(ProgramIcon());
    setContextMenuPolicy(Qt::PreventContextMenu); // right clicks belong to the panes
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateClient();
    m_doc.AddView(this);
    InstallClassroomDialogs(m_doc);
    qApp->installEventFilter(this);

    // Menus update when they open; buttons and accelerators follow the document
    // through the hints and, for flags set without one, this short interval.
    connect(&m_idleUpdate, &QTimer::timeout, this, [this] {
        UpdateCommandUI();
        RefreshTitle();
    });
    m_idleUpdate.start(kIdleUpdateMilliseconds);
    UpdateCommandUI();
    RefreshTitle();
}

CMainFrame::~CMainFrame()
{
    // The dock hides while the window goes: its signal must not reach a frame half gone.
    m_pChartDock->disconnect(this);
    qApp->removeEventFilter(this);
    m_doc.RemoveView(this);
}

QAction* CMainFrame::CreateAction(int id, const char* text, const char* shortcut, bool checkable)
{
    auto* action = new QAction(QString::fromUtf8(text), this);
    if (shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
    action->setCheckable(checkable);
    action->setStatusTip(PromptOf(id));
    if (const QString tip = ToolTipOf(id); !tip.isEmpty()) action->setToolTip(tip);
    action->setIconVisibleInMenu(false);
    // The frame keeps check marks itself; a click must not flip them on its own.
    connect(action, &QAction::triggered, this, [this, id, action, checkable] {
        if (checkable) action->setChecked(IsCommandChecked(id));
        OnCommand(id);
    });
    m_actions[id] = action;
    return action;
}

QAction* CMainFrame::Action(int id) const
{
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::CreateMenus()
{
    for (const MenuDef& def : MainMenuLayout()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(def.title));
        for (const MenuItemDef& item : def.items) {
            if (item.id == 0)
                menu->addSeparator();
            else
                menu->addAction(CreateAction(item.id, item.text, item.shortcut, item.checkable));
        }
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
    }
    // Zooming in also answers to Ctrl with the = key: the + shares it on many keyboards.
    if (QAction* zoomIn = Action(ID_VIEW_ZOOM_IN))
        zoomIn->setShortcuts({zoomIn->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    // The pane keys have no menu item.
    addAction(CreateAction(ID_NEXT_PANE, "", "F6", false));
    addAction(CreateAction(ID_PREV_PANE, "", "Shift+F6", false));
}

void CMainFrame::CreateToolBar()
{
    m_pToolBar = addToolBar(ToolTipOf(ID_VIEW_TOOLBAR).section(u' ', 1));
    m_pToolBar->setObjectName(QStringLiteral("toolbar"));
    m_pToolBar->setIconSize(QSize(16, 15));
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (int id : ToolbarLayout()) {
        if (id == 0) {
            m_pToolBar->addSeparator();
            continue;
        }
        QAction* action = Action(id);
        if (!action) // the settings button has no menu item
            action = CreateAction(id, ToolTipOf(id).toUtf8().constData(), nullptr, false);
        action->setIcon(ToolbarIcon(id));
        m_pToolBar->addAction(action);
    }
}

void CMainFrame::CreateStatusBar()
{
    m_pMessage = new QLabel(LoadString(IDS_IDLE_MESSAGE));
    statusBar()->addWidget(m_pMessage, 1);
    m_pZoom = new QLabel;
    m_pZoom->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_pZoom->setAlignment(Qt::AlignCenter);
    m_pZoom->setMinimumWidth(m_pZoom->fontMetrics().horizontalAdvance(QStringLiteral("Zoom 400 %")) + 12);
    statusBar()->addPermanentWidget(m_pZoom);
    const std::array<int, 3> texts = {IDS_INDICATOR_CAPS, IDS_INDICATOR_NUM, IDS_INDICATOR_SCRL};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        auto* indicator = new QLabel(LoadString(texts[i]));
        indicator->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        indicator->setAlignment(Qt::AlignCenter);
        indicator->setMinimumWidth(
            indicator->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        indicator->setEnabled(false);
        statusBar()->addPermanentWidget(indicator);
        m_indicators[i] = indicator;
    }
}

void CMainFrame::CreateClient()
{
    m_pSplitter = new QSplitter(Qt::Horizontal, this);
    m_pSplitter->setChildrenCollapsible(false);
    m_pPalette = new CVeldtrakView(m_doc, m_pSplitter);
    m_pBoard = new CBoardView(m_doc, m_pSplitter);
    m_pSplitter->addWidget(m_pPalette);
    m_pSplitter->addWidget(m_pBoard);
    m_pSplitter->setStretchFactor(0, 0);
    m_pSplitter->setStretchFactor(1, 1);
    m_pSplitter->setSizes({kPaletteWidth, std::max(kPaletteWidth, width() - kPaletteWidth)});
    setCentralWidget(m_pSplitter);

    m_pPalette->m_activateBoardPane = [this] { ActivatePane(0, 1); };
    m_pBoard->m_activatePane = [this] { ActivatePane(0, 1); };
    m_pBoard->m_zoomChanged = [this] {
        ShowZoom();
        UpdateCommandUI();
    };
    ShowZoom();
    InstallSocketLevelTip(*m_pBoard);

    m_pChartDock = new CChartDock(m_doc, *m_pMeasurementLog, [this]() -> QPrinter& { return Printer(); }, this);
    addDockWidget(Qt::RightDockWidgetArea, m_pChartDock);
    m_pChartDock->hide();
    connect(m_pChartDock, &QDockWidget::visibilityChanged, this, [this] { UpdateCommandUI(); });
    m_pPalette->OnInitialUpdate();
    ActivatePane(0, 1);
}

void CMainFrame::ActivatePane(int row, int column)
{
    if (row != 0) return;
    QWidget* pane = column == 1 ? static_cast<QWidget*>(m_pBoard) : m_pPalette;
    pane->setFocus(Qt::OtherFocusReason);
}

void CMainFrame::SwitchPane()
{
    ActivatePane(0, m_pBoard->hasFocus() ? 0 : 1);
}

void CMainFrame::ShowZoom()
{
    m_pZoom->setText(QStringLiteral("Zoom %1 %").arg(m_pBoard->ZoomPercent()));
}

void CMainFrame::RefreshTitle()
{
    QString title = m_doc.GetTitle() + QStringLiteral(" - ") + LoadString(IDS_APP_TITLE);
    if (m_doc.IsTeacherMode()) title += QStringLiteral(" (docent)");
    setWindowTitle(title);
}

QPrinter& CMainFrame::Printer()
{
    if (!m_pPrinter) m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_pPrinter;
}

void CMainFrame::OnUpdate(int hint, int)
{
    if (hint == HINT_TICK) return; // nothing a tick changes shows in the menus
    UpdateCommandUI();
    RefreshTitle();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // Lock keys are followed from their presses: Qt does not tell their state.
    if (event->type() == QEvent::KeyPress && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const std::array<int, 3> keys = {Qt::Key_CapsLock, Qt::Key_NumLock, Qt::Key_ScrollLock};
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (key == keys[i] && watched == QApplication::focusWindow()) {
                m_lockKeysOn[i] = !m_lockKeysOn[i];
                m_indicators[i]->setEnabled(m_lockKeysOn[i]);
            }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!m_doc.SaveModified()) {
        event->ignore();
        return;
    }
    if (m_doc.m_bRunning) m_doc.Stop();
    event->accept();
}
