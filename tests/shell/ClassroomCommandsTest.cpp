// The classroom commands as a user reaches them in the main window: the board chain,
// "Stel &beveiliging in" in teacher mode, the settings button and the restricted
// "Opslaan als...".
#include "FrameFixture.h"
#include "boardview/BoardView.h"
#include "shell/CommandIds.h"
#include "shell/VeldtrakApp.h"

#include "classroom/BoardChain.h"
#include "classroom/ProtectionDlg.h"
#include "document/CommandLine.h"
#include "platform/Strings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

QLineEdit* Edit(QDialog& d, int id)
{
    return d.findChild<QLineEdit*>(QStringLiteral("edit%1").arg(id));
}
int Press(QDialog& d, int id)
{
    QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("button%1").arg(id)),
                      Qt::LeftButton);
    return d.isVisible() ? -1 : d.result();
}
// The password prompt: types the entry and presses OK (or "&Annuleer").
std::function<int(QDialog&)> TypePassword(const QString& entry, bool ok = true)
{
    return [entry, ok](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Beveiliging");
        EXPECT_NE(Edit(d, 1021), nullptr);
        if (!Edit(d, 1021)) return 2;
        QTest::keyClicks(Edit(d, 1021), entry);
        return Press(d, ok ? 1 : 2);
    };
}

class ClassroomCommandsTest : public FrameFixture {
protected:
    // A board file below the program folder, set up by the lambda.
    void WriteBoardFile(const QString& relative, const std::function<void(CVeldtrakDoc&)>& setUp)
    {
        CVeldtrakDoc writer;
        setUp(writer);
        WriteFile(relative, WriteBoard(writer));
    }
    // Opens a board as File > Open would.
    void Open(const QString& relative) { ASSERT_TRUE(doc->OnOpenDocument(Stored(relative))); }

    void ClickToolbarButton(int id)
    {
        frame->UpdateCommandUI();
        QWidget* button = frame->ToolBar()->widgetForAction(frame->Action(id));
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }
};

// ---- the board chain ----

TEST_F(ClassroomCommandsTest, ChainCommandsFollowTheirUpdateRule)
{
    WriteFile("praktisch/antwoord.ant", "");
    const struct {
        const char* name;
        const char* next; // the entered next board
        bool library;     // the library holds a worksheet
        bool busy, startMenu, running;
        bool enabled;
    } cases[] = {
        {"found", "praktisch\\antwoord.ant", false, false, false, false, true},
        {"not found", "praktisch\\weg.ant", true, false, false, false, false},
        {"none, library", "", true, false, false, false, true},
        {"none, no library", "", false, false, false, false, false},
        {"busy", "praktisch\\antwoord.ant", true, true, false, false, false},
        {"start menu", "praktisch\\antwoord.ant", true, false, true, false, false},
        {"measuring", "praktisch\\antwoord.ant", true, false, false, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        doc->DeleteContents();
        doc->m_strNextBoard = QString::fromUtf8(c.next);
        doc->m_strPrevBoard = QString::fromUtf8(c.next);
        doc->ResolveLinks();
        doc->m_libraryPaths = c.library ? QStringList{"praktisch\\a.wks"} : QStringList{};
        doc->m_bBusy = c.busy;
        doc->m_bStartImagesShown = c.startMenu;
        doc->m_bRunning = c.running;
        EXPECT_EQ(Enabled(ID_NEXT_BOARD), c.enabled);
        EXPECT_EQ(Enabled(ID_PREV_BOARD), c.enabled);
    }
}

TEST_F(ClassroomCommandsTest, FollowingALinkKeepsTheScrollPositionOnlyForTheSameFileName)
{
    const struct {
        const char* from;
        const char* to;
        int scroll; // argument of hint 14
    } cases[] = {
        {"praktisch/les.wks", "praktisch/les.ant", -1}, // worksheet to its answer sheet
        {"praktisch/les.wks", "praktisch/les2.wks", 0},
        {"praktisch/les", "verwerking/les", -1}, // without a dot the name is compared whole
        {"praktisch/les", "verwerking/les2.ant", 0},
        {"praktisch/les.x.wks", "praktisch/les.y.ant", -1}, // cut at the first dot
    };
    EXPECT_EQ(ChainFileName("/home/juf/les 1.wks"), "les 1"); // a name in its file-system form
    for (const auto& c : cases) {
        SCOPED_TRACE(c.to);
        const QString to = QString::fromUtf8(c.to);
        WriteBoardFile(to, [](CVeldtrakDoc& d) { d.m_strBoardTitle = "doel"; });
        WriteBoardFile(QString::fromUtf8(c.from), [&](CVeldtrakDoc& d) {
            d.m_strNextBoard = QString(to).replace(u'/', u'\\');
        });
        Open(QString::fromUtf8(c.from));
        ASSERT_TRUE(Enabled(ID_NEXT_BOARD));
        RecordingView views(*doc);
        Run(ID_NEXT_BOARD);
        EXPECT_EQ(doc->m_strBoardTitle, "doel");
        EXPECT_EQ(doc->GetPathName(), Stored(to));
        ASSERT_FALSE(views.hints.empty());
        EXPECT_EQ(views.hints.front(), std::make_pair(int(HINT_OPENED), c.scroll));
        EXPECT_TRUE(doc->m_bNameDiffers); // only during the step
        EXPECT_FALSE(doc->m_bBusy);
    }
    // Any other open scrolls to the top-left corner.
    RecordingView views(*doc);
    Open("praktisch/les.wks");
    EXPECT_EQ(views.hints.back(), std::make_pair(int(HINT_OPENED), 0));
}

TEST_F(ClassroomCommandsTest, TheBoardStaysScrolledGoingToTheAnswerSheetAndBack)
{
    WriteBoardFile("praktisch/les.ant", [](CVeldtrakDoc& d) { d.m_strPrevBoard = "les.wks"; });
    WriteBoardFile("praktisch/les.wks", [](CVeldtrakDoc& d) {
        d.m_strNextBoard = "les.ant";
        d.m_strNextPassword = "antw";
    });
    frame->resize(900, 700);
    frame->show();
    Open("praktisch/les.wks");
    CBoardView& board = frame->BoardPane();
    board.horizontalScrollBar()->setValue(300);
    board.verticalScrollBar()->setValue(400);
    {
        ScriptedModals user;
        user.Then(TypePassword("antw"));
        ClickToolbarButton(ID_NEXT_BOARD);
    }
    EXPECT_EQ(doc->GetTitle(), "les.ant");
    EXPECT_EQ(board.horizontalScrollBar()->value(), 300);
    EXPECT_EQ(board.verticalScrollBar()->value(), 400);
    ClickToolbarButton(ID_PREV_BOARD);
    EXPECT_EQ(doc->GetTitle(), "les.wks");
    EXPECT_EQ(board.verticalScrollBar()->value(), 400);
}

TEST_F(ClassroomCommandsTest, ThePasswordGuardsTheLinkAndAModifiedBoardIsSavedFirst)
{
    doc->m_strFolderOutput.clear();
    WriteBoardFile("praktisch/les.ant", [](CVeldtrakDoc& d) { d.m_strBoardTitle = "antwoord"; });
    WriteBoardFile("praktisch/les.wks", [](CVeldtrakDoc& d) {
        d.m_strNextBoard = "les.ant"; // found in the board's own folder
        d.m_strNextPassword = "Geheim12";
    });
    Open("praktisch/les.wks");
    Place(AND_GATE, 500, -500); // the pupil's work

    const struct {
        const char* entry;
        bool ok;
        bool follows;
    } cases[] = {{"geheim12", true, false},  // case counts
                 {"Geheim12", false, false}, // cancelled
                 {"Geheim1", true, false},
                 {"Geheim12", true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        ScriptedModals user;
        if (doc->IsModified())
            user.Answer(CConfirmBox::kJa); // "Bestand bestaat al.  Overschrijven?"
        user.Then(TypePassword(QString::fromUtf8(c.entry), c.ok));
        Run(ID_NEXT_BOARD);
        EXPECT_EQ(doc->m_strBoardTitle, c.follows ? "antwoord" : "");
        if (!c.follows) {
            // Saved before the password was asked, and still on the pupil's board.
            EXPECT_FALSE(doc->IsModified());
            EXPECT_EQ(doc->m_components.size(), 1u);
            CVeldtrakDoc reread;
            ASSERT_TRUE(reread.OnOpenDocument(Stored("praktisch/les.wks")));
            EXPECT_EQ(reread.m_components.size(), 1u);
        }
    }
    EXPECT_TRUE(doc->m_components.empty());
}

TEST_F(ClassroomCommandsTest, TheLinkBackReturnsToTheWorksheet)
{
    WriteBoardFile("praktisch/les.ant", [](CVeldtrakDoc& d) {
        d.m_strBoardTitle = "antwoord";
        d.m_strPrevBoard = "praktisch\\les.wks";
    });
    WriteBoardFile("praktisch/les.wks", [](CVeldtrakDoc& d) {
        d.m_strBoardTitle = "opdracht";
        d.m_strNextBoard = "praktisch\\les.ant";
    });
    Open("praktisch/les.wks");
    ClickToolbarButton(ID_NEXT_BOARD);
    EXPECT_EQ(doc->m_strBoardTitle, "antwoord");
    ClickToolbarButton(ID_PREV_BOARD);
    EXPECT_EQ(doc->m_strBoardTitle, "opdracht");
    EXPECT_EQ(doc->GetTitle(), "les.wks");
}

TEST_F(ClassroomCommandsTest, ALinkWithoutAFolderIsFoundInTheWorksheetFoldersLastFirst)
{
    WriteFile("praktisch/doel.wks", "");
    WriteFile("verwerking/doel.wks", "");
    doc->m_worksheetFolders = {"praktisch\\", "verwerking\\"};
    doc->m_strNextBoard = "doel.wks";
    doc->ResolveLinks();
    EXPECT_EQ(doc->m_strNextResolved, Stored("verwerking/doel.wks"));
    doc->m_worksheetFolders = {"verwerking\\", "praktisch\\"};
    doc->ResolveLinks();
    EXPECT_EQ(doc->m_strNextResolved, Stored("praktisch/doel.wks"));
}

TEST_F(ClassroomCommandsTest, WithoutANextBoardTheStepReturnsToTheStartMenu)
{
    WriteBoardFile("praktisch/les.wks", [](CVeldtrakDoc& d) {
        d.m_strBoardTitle = "opdracht";
        d.m_nPermissions = 3;
    });
    Open("praktisch/les.wks");
    Place(AND_GATE, 500, -500);
    doc->SetModifiedFlag(false);
    doc->m_libraryPaths = {"praktisch\\les.wks"};
    doc->m_libraryEntries = {"Praktisch#opdracht"};
    RecordingView views(*doc);
    Run(ID_NEXT_BOARD);
    EXPECT_TRUE(doc->m_components.empty());
    EXPECT_EQ(doc->m_nPermissions, PERMIT_ALL);
    EXPECT_EQ(doc->m_strBoardTitle, QString());
    EXPECT_EQ(views.hints, (std::vector<std::pair<int, int>>{{HINT_STARTUP_IMAGE, 4}}));
    EXPECT_TRUE(doc->m_bStartImagesShown); // the board view shows the start menu
}

TEST_F(ClassroomCommandsTest, AnUnreadableTargetLeavesAnEmptyBoardAndSaysWhy)
{
    WriteFile("praktisch/kapot.ant", "geen bord");
    WriteBoardFile("praktisch/les.wks", [](CVeldtrakDoc& d) { d.m_strNextBoard = "kapot.ant"; });
    Open("praktisch/les.wks");
    RecordingView views(*doc);
    ScriptedModals user;
    user.Then([](QDialog& d) {
        EXPECT_TRUE(d.windowTitle().startsWith("Foutmelding (AL61697)"));
        return 1;
    });
    Run(ID_NEXT_BOARD);
    EXPECT_TRUE(doc->m_components.empty());
    EXPECT_EQ(views.hints.back(), std::make_pair(int(HINT_OPENED), 0));
    EXPECT_FALSE(doc->m_bBusy);
}

TEST_F(ClassroomCommandsTest, AChainStepEndsTheTeachersUnlock)
{
    WriteBoardFile("praktisch/b.wks", [](CVeldtrakDoc& d) { d.m_nPermissions = 0; });
    doc->m_strNextBoard = "praktisch\\b.wks";
    doc->ResolveLinks();
    doc->m_bTeacherUnlock = true;
    Run(ID_NEXT_BOARD);
    EXPECT_FALSE(doc->m_bTeacherUnlock);
    EXPECT_EQ(doc->m_nPermissions, 0);
}

// ---- teacher mode and "Stel &beveiliging in" ----

TEST_F(ClassroomCommandsTest, ProtectionIsOfferedOnlyInTeacherModeWhenIdle)
{
    const struct {
        bool teacher, busy, running;
        bool enabled;
    } cases[] = {{false, false, false, false},
                 {true, false, false, true},
                 {true, true, false, false},
                 {true, false, true, false}};
    for (const auto& c : cases) {
        doc->SetTeacherMode(c.teacher);
        doc->m_bBusy = c.busy;
        doc->m_bRunning = c.running;
        EXPECT_EQ(Enabled(ID_PROTECTION), c.enabled) << c.teacher << c.busy << c.running;
    }
    doc->m_bBusy = doc->m_bRunning = false;
    doc->SetTeacherMode(false);
    frame->OnUpdate(HINT_REFRESH, 0);
    EXPECT_EQ(frame->windowTitle(), "Untitled - Veldtrak Tanvo");
    doc->SetTeacherMode(true);
    frame->OnUpdate(HINT_REFRESH, 0);
    EXPECT_EQ(frame->windowTitle(), "Untitled - Veldtrak Tanvo (docent)");
}

TEST_F(ClassroomCommandsTest, TheDocentOptionIsReadWithOrWithoutAValue)
{
    const struct {
        QStringList arguments;
        bool teacher;
    } cases[] = {{{"/docent"}, true},
                 {{"/docent:"}, true},
                 {{"/DOCENT:ja"}, true},
                 {{"bord.wks", "\"/docent\""}, true},
                 {{"/file:bord.wks", "/docent"}, true}, // the board's name ends before it
                 {{"/docenten"}, false},
                 {{"/dir:docent"}, false},
                 {{}, false}};
    for (const auto& c : cases) {
        const QStringList options = CVeldtrakApp::CommandLineOptions(c.arguments);
        EXPECT_EQ(HasCommandLineOption(options, "docent"), c.teacher)
            << c.arguments.join(u' ').toStdString();
        const QString file = GetCommandLineOption(options, "file");
        EXPECT_TRUE(file.isEmpty() || file.endsWith("bord.wks")) << file.toStdString();
    }
}

TEST_F(ClassroomCommandsTest, TeacherSetsThePasswordPermissionsTitleAndNextBoard)
{
    WriteFile("praktisch/les.ant", "");
    doc->SetTeacherMode(true);
    doc->m_strBoardTitle = "Oud";
    doc->m_strHelpFile = "help\\les.htm";
    doc->SetModifiedFlag(false);
    ScriptedModals user; // no password yet: straight to the dialog
    user.Then([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Beveiliging");
        EXPECT_EQ(d.focusWidget(), Edit(d, 1023));
        EXPECT_EQ(Edit(d, 1028)->text(), "Oud");
        EXPECT_EQ(Edit(d, 1025)->text(), "help\\les.htm");
        for (int id : {1050, 1051, 1052, 1053, 1054, 1055, 1056, 1062})
            EXPECT_TRUE(d.findChild<QCheckBox*>(QStringLiteral("check%1").arg(id))->isChecked());
        d.findChild<QCheckBox*>("check1051")->click(); // no deleting components
        d.findChild<QCheckBox*>("check1053")->click(); // nor wires
        Edit(d, 1023)->setText("juf");
        Edit(d, 1024)->setText("juf");
        Edit(d, 1028)->setText("Les 1");
        Edit(d, 1022)->setText("praktisch\\les.ant");
        Edit(d, 1027)->setText("antw");
        if (const QString folder = qEnvironmentVariable("VT_SCREENSHOTS"); !folder.isEmpty())
            d.grab().save(folder + QStringLiteral("/protection.png"));
        return Press(d, 1);
    });
    Run(ID_PROTECTION);
    EXPECT_TRUE(doc->m_bTeacherUnlock);
    EXPECT_EQ(doc->m_nPermissions, PERMIT_ALL & ~(PERMIT_DELETE_COMPONENTS | PERMIT_DELETE_WIRES));
    EXPECT_EQ(doc->m_strPassword, "juf");
    EXPECT_EQ(doc->m_strBoardTitle, "Les 1");
    EXPECT_EQ(doc->m_strNextPassword, "antw");
    EXPECT_TRUE(doc->m_bNextResolved);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(Enabled(ID_SETTINGS));
    EXPECT_TRUE(Enabled(ID_NEXT_BOARD));

    CVeldtrakDoc restarted; // the teacher password was saved with the settings
    restarted.LoadSettings();
    EXPECT_EQ(restarted.m_strPassword, "juf");
}

TEST_F(ClassroomCommandsTest, TheTeacherPasswordIsAskedOnlyWhileTheBoardIsLocked)
{
    doc->SetTeacherMode(true);
    doc->m_strPassword = "juf";
    const struct {
        const char* entry;
        bool ok;
        bool opens;
    } cases[] = {
        {"Juf", true, false}, {"juf", false, false}, {"", true, false}, {"juf", true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        ScriptedModals user;
        user.Then(TypePassword(QString::fromUtf8(c.entry), c.ok));
        if (c.opens) user.Then([](QDialog& d) { return Press(d, 2); });
        Run(ID_PROTECTION);
        EXPECT_EQ(doc->m_bTeacherUnlock, c.opens); // cancelling the dialog keeps the unlock
        EXPECT_FALSE(doc->IsModified());
    }
    ScriptedModals user; // unlocked: no password asked
    user.Then([](QDialog& d) {
        EXPECT_NE(qobject_cast<CProtectionDlg*>(&d), nullptr);
        return Press(d, 2);
    });
    Run(ID_PROTECTION);
}

TEST_F(ClassroomCommandsTest, DifferentRetypedPasswordsShowTheDialogAgainAsTyped)
{
    doc->SetTeacherMode(true);
    ScriptedModals user;
    user.Then([](QDialog& d) {
        Edit(d, 1023)->setText("juf");
        Edit(d, 1024)->setText("jof");
        Edit(d, 1028)->setText("Nieuwe titel");
        return Press(d, 1);
    });
    user.Then([](QDialog& d) {
        EXPECT_EQ(Edit(d, 1024)->text(), "jof");
        EXPECT_EQ(Edit(d, 1028)->text(), "Nieuwe titel");
        EXPECT_EQ(d.focusWidget(), Edit(d, 1023));
        EXPECT_EQ(Edit(d, 1023)->selectedText(), "juf");
        return Press(d, 2);
    });
    Run(ID_PROTECTION);
    EXPECT_EQ(doc->m_strPassword, QString());
    EXPECT_EQ(doc->m_strBoardTitle, QString());
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(ClassroomCommandsTest, ValuesTooLongForTheirEditsAreShownWholeAndRefusedWithAWarning)
{
    // A board made elsewhere: its title and link are longer than the edits take.
    const QString title(70, u'T');
    const QString link = QStringLiteral("praktisch\\") + QString(60, u'n') + QStringLiteral(".ant");
    doc->SetTeacherMode(true);
    doc->m_strBoardTitle = title;
    doc->m_strNextBoard = link;
    doc->SetModifiedFlag(false);
    ScriptedModals user;
    user.Then([&](QDialog& d) {
        EXPECT_EQ(Edit(d, 1028)->text(), title) << "shown whole, not cut";
        EXPECT_EQ(Edit(d, 1022)->text(), link);
        return Press(d, 1);
    });
    user.Then([](QDialog& box) {
        EXPECT_EQ(box.windowTitle(), "Waarschuwing");
        return Press(box, 1);
    });
    user.Then([&](QDialog& d) { // again, as it was
        EXPECT_EQ(Edit(d, 1028)->text(), title);
        Edit(d, 1028)->setText("Les 1");
        return Press(d, 1);
    });
    user.Then([](QDialog& box) { return Press(box, 1); }); // the link still is too long
    user.Then([](QDialog& d) { return Press(d, 2); });
    Run(ID_PROTECTION);
    ASSERT_EQ(user.Texts().size(), 5);
    EXPECT_EQ(user.Texts()[1].join(u' '),
              "\"Titel bord\" mag hoogstens 60 tekens hebben, maar heeft er 70. Maak het korter.");
    EXPECT_EQ(user.Texts()[3].join(u' '), "\"Bestand volgend bord\" mag hoogstens 64 tekens "
                                          "hebben, maar heeft er 74. Maak het korter.");
    EXPECT_EQ(doc->m_strBoardTitle, title) << "nothing stored cut short";
    EXPECT_EQ(doc->m_strNextBoard, link);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(ClassroomCommandsTest, ABrowsedBoardWhosePathDoesNotFitIsRefusedWithAWarning)
{
    const QString deep = QStringLiteral("werkbladen/") + QString(60, u'm');
    WriteFile(deep + "/les.ant", "");
    WriteFile("praktisch/kort.ant", "");
    doc->SetTeacherMode(true);
    const auto browse = [](const QString& file) {
        return [file](QDialog& d) {
            static_cast<QFileDialog&>(d).selectFile(file);
            return int(QDialog::Accepted);
        };
    };
    ScriptedModals user;
    user.Then([&](QDialog& d) {
        Press(d, 1073); // the file dialog, then the warning
        EXPECT_EQ(Edit(d, 1022)->text(), QString()) << "no dead link";
        Press(d, 1073);
        EXPECT_EQ(Edit(d, 1022)->text(), "praktisch\\kort.ant");
        return Press(d, 2);
    });
    user.Then(browse(Path(deep + "/les.ant")));
    user.Then([](QDialog& box) {
        EXPECT_EQ(box.windowTitle(), "Waarschuwing");
        return Press(box, 1);
    });
    user.Then(browse(Path("praktisch/kort.ant")));
    Run(ID_PROTECTION);
    ASSERT_GE(user.Texts().size(), 3);
    EXPECT_EQ(user.Texts()[2].join(u' '),
              "Het pad van dit bestand heeft 79 tekens; hier passen er hoogstens 64. Kies een "
              "bestand in of onder de programmamap, of een kortere naam.");
}

TEST_F(ClassroomCommandsTest, ExtraShowsTheSettingsAndBringsBackEveryEntry)
{
    doc->SetTeacherMode(true);
    CProtectionEntries typed;
    ScriptedModals user;
    user.Then([&](QDialog& d) {
        auto& dialog = static_cast<CProtectionDlg&>(d);
        d.findChild<QCheckBox*>("check1054")->click();
        for (int id : {1021, 1022, 1023, 1024, 1025, 1026, 1027, 1028})
            Edit(d, id)->setText(QStringLiteral("e%1").arg(id));
        typed = dialog.Entries();
        return Press(d, 1071);
    });
    user.Then([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Settings");
        return Press(d, 2);
    });
    user.Then([&](QDialog& d) {
        EXPECT_EQ(static_cast<CProtectionDlg&>(d).Entries(), typed);
        return Press(d, 2);
    });
    Run(ID_PROTECTION);
}

TEST_F(ClassroomCommandsTest, SettingsButtonNeedsTheUnlockAndOpensTheSettings)
{
    EXPECT_FALSE(Enabled(ID_SETTINGS));
    QDir().mkpath(Path("leerling"));
    doc->m_bTeacherUnlock = true;
    doc->m_strHelpFile = "help\\eigen.htm";
    ScriptedModals user;
    user.Then([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Settings");
        Edit(d, 1023)->setText("plaatjes"); // typed without its backslash
        d.findChild<QComboBox*>("combo1077")->setEditText(" eigen ");
        return Press(d, 1);
    });
    ClickToolbarButton(ID_SETTINGS);
    EXPECT_EQ(doc->m_strHelpFile, QString());
    EXPECT_EQ(doc->m_strFolderBitmap, "plaatjes\\");
    EXPECT_TRUE(doc->m_worksheetFolders.contains("eigen\\"));
}

// ---- the restricted "Opslaan als..." ----

TEST_F(ClassroomCommandsTest, WithAnOutputFolderThePupilChoosesOnlyAName)
{
    doc->m_strFolderOutput = "leerling\\";
    Place(AND_GATE, 500, -500);
    ScriptedModals user;
    QStringList offered;
    for (const char* name : {"a:b", "werk\\proef", "../proef", "proef"}) {
        user.Then([&offered, name](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Opslaan als...");
            offered << Edit(d, 1098)->text();
            Edit(d, 1098)->setText(QString::fromUtf8(name));
            return Press(d, 1);
        });
    }
    Run(ID_FILE_SAVE_AS);
    EXPECT_EQ(offered, QStringList(4, "Untitled")); // each time from the board's title
    EXPECT_TRUE(QFileInfo::exists(Path("leerling/proef.wks")));
    EXPECT_EQ(doc->GetPathName(), Stored("leerling/proef.wks"));
    EXPECT_FALSE(doc->IsModified());

    // Saving again keeps the name; an answer sheet keeps its own extension.
    Place(AND_GATE, 1500, -500);
    user.Then([](QDialog& d) {
        EXPECT_EQ(Edit(d, 1098)->text(), "proef.wks");
        Edit(d, 1098)->setText("proef.ANT");
        return Press(d, 1);
    });
    Run(ID_FILE_SAVE_AS);
    EXPECT_TRUE(QFileInfo::exists(Path("leerling/proef.ant")));
}

TEST_F(ClassroomCommandsTest, CancellingTheRestrictedSaveSavesNothing)
{
    doc->m_strFolderOutput = "leerling\\";
    Place(AND_GATE, 500, -500);
    frame->show();
    frame->activateWindow();
    QApplication::setActiveWindow(frame.get());
    ScriptedModals user;
    user.Then([](QDialog& d) { return Press(d, 2); });
    QTest::keyClick(frame.get(), Qt::Key_S, Qt::ControlModifier); // saving an unnamed board
    EXPECT_EQ(user.Opened(), 1);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_FALSE(QDir(Path("leerling")).exists() && !QDir(Path("leerling")).isEmpty());
}

TEST_F(ClassroomCommandsTest, WithoutAnOutputFolderTheSystemsSaveDialogIsUsed)
{
    doc->m_strFolderOutput.clear();
    Place(AND_GATE, 500, -500);
    ScriptedModals user;
    user.Then([this](QDialog& d) {
        auto* files = qobject_cast<QFileDialog*>(&d);
        EXPECT_NE(files, nullptr);
        if (!files) return 2;
        EXPECT_EQ(files->defaultSuffix(), "wks");
        files->selectFile(Path("eigen.wks"));
        return 1;
    });
    Run(ID_FILE_SAVE_AS);
    EXPECT_TRUE(QFileInfo::exists(Path("eigen.wks")));
}

} // namespace
