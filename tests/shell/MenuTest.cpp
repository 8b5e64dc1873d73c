// The menus, toolbar and status bar of the main window, with their texts and prompts.
#include "FrameFixture.h"
#include "boardview/BoardView.h"
#include "shell/CommandIds.h"
#include "shell/PaletteView.h"

#include <QApplication>
#include <QTest>

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace {

struct MenuEntry {
    const char* menu;
    const char* item; // as shown: text, a tab, the key
    int id;
    const char* prompt; // "status text\ntool tip", empty for none
};

const MenuEntry kMenu[] = {
    {"&Bestand", "&Nieuw\tCtrl+N", 57600, "Maak een nieuw bord\nNieuw"},
    {"&Bestand", "&Openen...\tCtrl+O", 57601, "Open een bestaand bord\nOpen"},
    {"&Bestand", "Op&slaan\tCtrl+S", 57603, "Save het huidige bord\nSave"},
    {"&Bestand", "Opslaan &Als...", 57604, "Save het huidige bord met een nieuwe naam\nSave Als"},
    {"&Bestand", "Af&drukken...\tCtrl+P", 57607, "Print het huidige bord\nPrint"},
    {"&Bestand", "Afdruk &Voorbeeld", 57609,
     "Laat het bord zien zoals het geprint gaat worden\nPrint Preview"},
    {"&Bestand", "Afdruk &Instellingen...", 57606, ""},
    {"&Bestand", "Open vorig bord", 32795, "Vorig bord met oude opdracht\nVorig bord"},
    {"&Bestand", "Open volgend bord", 32794, "Volgend bord met nieuwe opdracht\nVolgend bord"},
    {"&Bestand", "&Afsluiten\tAlt+F4", 57665,
     "Beeindig het programma; geef eerst aan of het bord gesaved moet worden\nExit"},
    {"B&ord", "&Ongedaan maken\tCtrl+Z", 57643,
     "Maak de laatste wijziging van het bord ongedaan\nOngedaan maken"},
    {"B&ord", "Opnieuw\tCtrl+Y", 57644, "Voer de ongedaan gemaakte wijziging opnieuw uit\nOpnieuw"},
    {"B&ord", "Wis &hele bord", 57610, "Wis alle componenten, de bedrading en sondes\nWis alles"},
    {"B&ord", "Wis &draden", 57611, "Wis alleen de bedrading\nWis bedrading"},
    {"B&ord", "Wis &sondes", 57612, "Wis alleen de sondes\nWis sondes"},
    {"B&ord", "Wis &tekstvelden", 57613, "Wis alleen de tekstvelden\nWis teksten"},
    {"B&ord", "Wis t&abellen", 32802, "Wis alleen de tabellen\nWis tabellen"},
    {"B&ord", "Wis &foto's", 32803, "Wis alleen de foto's\nWis foto's"},
    {"B&ord", "Aanbrengen &tekstveld", 32786, "Schrijf tekstveld voor werkblad\nTekstveld"},
    {"B&ord", "Aanbrengen t&abel", 32789, "Voer de data van een tabel in\nTabel"},
    {"B&ord", "Aanbrengen &foto", 32800, "Plaats een bitmap op het scherm\nBitmap"},
    {"B&ord", "Identificeer &blackboxes", 32792, ""},
    {"B&ord", "Stel &beveiliging in", 32790, "Stel de beveiliging van dit bord in\nBeveiliging"},
    {"B&eeld", "&Toepassingsbalk", 59392, "Toon of verwijder de toolbalk\nToggle Toolbalk"},
    {"B&eeld", "&Statusbalk", 59393, "Toon of verwijder de statusbalk\nToggle Statusbalk"},
    {"B&eeld", "&Paginering", 32805, ""},
    {"B&eeld", "In&zoomen\tCtrl++", 32870, "Vergroot het bord\nInzoomen"},
    {"B&eeld", "Uit&zoomen\tCtrl+-", 32871, "Verklein het bord\nUitzoomen"},
    {"B&eeld", "&Ware grootte\tCtrl+0", 32872, "Toon het bord op ware grootte\nWare grootte"},
    {"B&eeld", "&Meetgrafiek", 32880, "Toon de meetgrafiek van de sondes: spanning en tijd af te lezen\nMeetgrafiek"},
    {"&Meting", "&Reset", 57634, "Reset de meting\nReset"},
    {"&Meting", "St&art", 57635, "Start de meting\nStart"},
    {"&Meting", "St&op", 57636, "Stop de meting\nStop"},
    {"&Meting", "&Meetwaarden opslaan...", 32840,
     "Sla de meetwaarden van de sondes op als CSV-bestand\nMeetwaarden opslaan"},
    {"&Meting", "&Grafiek opslaan...", 32841,
     "Sla de hele meting op als grafiek (PNG of SVG)\nGrafiek opslaan"},
    {"&Help", "Help", 57615, "Hulp\nHelp"},
    {"&Help", "&Over Veldtrak...", 57664, "Geef informatie over Veldtrak weer\nAbout"},
};

QString Shown(const QAction* action)
{
    const QString key = action->shortcut().toString(QKeySequence::PortableText);
    return key.isEmpty() ? action->text() : action->text() + u'\t' + key;
}

} // namespace

using MainMenuTest = FrameFixture;

TEST_F(MainMenuTest, EveryItemStandsInItsMenuInOrderWithItsKeyAndPrompt)
{
    QStringList titles;
    for (QAction* top : frame->menuBar()->actions())
        titles << top->text();
    EXPECT_EQ(titles, QStringList({"&Bestand", "B&ord", "B&eeld", "&Meting", "&Help"}));

    for (QAction* top : frame->menuBar()->actions()) {
        QStringList expected;
        for (const MenuEntry& e : kMenu)
            if (top->text() == QString::fromUtf8(e.menu)) expected << QString::fromUtf8(e.item);
        QStringList shown;
        for (QAction* item : top->menu()->actions())
            if (!item->isSeparator()) shown << Shown(item);
        EXPECT_EQ(shown, expected) << top->text().toStdString();
    }

    for (const MenuEntry& e : kMenu) {
        SCOPED_TRACE(e.id);
        QAction* action = frame->Action(e.id);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(Shown(action), QString::fromUtf8(e.item));
        const QString prompt = QString::fromUtf8(e.prompt);
        EXPECT_EQ(action->statusTip(), prompt.section(u'\n', 0, 0));
        if (!prompt.isEmpty()) {
            EXPECT_EQ(action->toolTip(), prompt.section(u'\n', 1, 1));
        }
    }
}

TEST_F(MainMenuTest, ToolbarHoldsItsButtonsAndSeparatorsInOrderWithPictures)
{
    // 0 marks a separator.
    const std::vector<int> expected = {57600, 57601, 57603, 57607, 0,     57643, 57644,
                                       0,     32786, 32789, 32800, 32790, 0,     32795,
                                       32794, 0,     57634, 57635, 57636, 32880, 0,     32806,
                                       57615};
    std::vector<int> buttons;
    for (QAction* action : frame->ToolBar()->actions()) {
        if (action->isSeparator()) {
            buttons.push_back(0);
            continue;
        }
        int id = -1;
        for (int candidate : expected)
            if (candidate && frame->Action(candidate) == action) id = candidate;
        buttons.push_back(id);
        const QImage picture = action->icon().pixmap(QSize(16, 15)).toImage();
        EXPECT_EQ(picture.size(), QSize(16, 15)) << id;
        int painted = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                painted += qAlpha(picture.pixel(x, y)) > 0;
        EXPECT_GT(painted, 20) << id;
    }
    EXPECT_EQ(buttons, expected);
    EXPECT_EQ(frame->Action(ID_SETTINGS)->toolTip(), "Settings");
    EXPECT_EQ(frame->Action(ID_SETTINGS)->statusTip(), "Wijzig de in- en uitvoer-folders e.d.");
}

TEST_F(MainMenuTest, StatusBarHasTheMessagePaneAndTheThreeIndicators)
{
    EXPECT_EQ(frame->MessagePane().text(), "Ready");
    QStringList indicators;
    for (QLabel* label : frame->Indicators())
        indicators << label->text();
    EXPECT_EQ(indicators, QStringList({"CAP", "NUM", "SCRL"}));
}

TEST_F(MainMenuTest, PaneKeysSwitchBetweenPaletteAndBoard)
{
    EXPECT_EQ(frame->Action(ID_NEXT_PANE)->shortcut(), QKeySequence(Qt::Key_F6));
    EXPECT_EQ(frame->Action(ID_PREV_PANE)->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F6));

    frame->resize(800, 600);
    frame->show();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    frame->ActivatePane(0, 1);
    EXPECT_EQ(QApplication::focusWidget(), &frame->BoardPane());
    frame->Action(ID_NEXT_PANE)->trigger();
    EXPECT_EQ(QApplication::focusWidget(), &frame->PalettePane());
    frame->Action(ID_PREV_PANE)->trigger();
    EXPECT_EQ(QApplication::focusWidget(), &frame->BoardPane());
}

TEST_F(MainMenuTest, SplitterGivesThePalette145PixelsAndTheBoardTheRest)
{
    frame->resize(1000, 700);
    frame->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(frame->PalettePane().width(), CMainFrame::kPaletteWidth);
    EXPECT_GT(frame->BoardPane().width(), 700);
}
