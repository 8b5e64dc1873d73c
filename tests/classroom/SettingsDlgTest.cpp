// The settings dialog with its real widgets: fields chosen by focus, the lists' prefix
// rule, browsing, clearing, the output-folder check and what OK stores.
#include "DialogDriver.h"
#include "support/BoardFixture.h"

#include "classroom/SettingsDlg.h"
#include "platform/Clock.h"
#include "platform/Strings.h"

#include <QRadioButton>

namespace {

class SettingsDlgTest : public BoardFixture {
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        MakeFolder("leerling");
        m_previousPause = SetPauseHandler([this](int ms) { pauses << ms; });
    }
    void TearDown() override
    {
        SetPauseHandler(m_previousPause);
        BoardFixture::TearDown();
    }
    void MakeFolder(const QString& relative) const { QDir().mkpath(Path(relative)); }

    // Runs the dialog on the document (the scripted user is already in place).
    int RunDialog()
    {
        CSettingsDlg dialog(*doc);
        return RunModal(dialog);
    }

    QList<int> pauses;

private:
    std::function<void(int)> m_previousPause;
};

int Radio(QDialog& d)
{
    return static_cast<CSettingsDlg&>(d).SelectedField();
}

TEST_F(SettingsDlgTest, OpensOnTheDocumentsValuesWithNoFieldChosenAndTheFocusOnAdd)
{
    ScriptedModals user;
    user.Then([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Settings");
        EXPECT_EQ(Items(List(d, 1077)), QStringList({"blackbox\\", "invoer en uitvoer\\",
                                                     "leerling\\", "praktisch\\", "verwerking\\"}));
        EXPECT_EQ(Items(List(d, 1078)), QStringList({"wks"}));
        EXPECT_EQ(Edit(d, 1021)->text(), "leerling\\");
        EXPECT_EQ(Edit(d, 1022)->text(), "help\\Veldtrak400.htm");
        EXPECT_EQ(Edit(d, 1023)->text(), "bmp\\");
        EXPECT_EQ(Radio(d), 0);
        EXPECT_EQ(d.focusWidget()->objectName(), "button173");
        if (const QString folder = qEnvironmentVariable("VT_SCREENSHOTS"); !folder.isEmpty())
            d.grab().save(folder + QStringLiteral("/settings.png"));
        return Press(d, 2);
    });
    EXPECT_EQ(RunDialog(), QDialog::Rejected);
}

TEST_F(SettingsDlgTest, EnteringAFieldChoosesItsRadioButton)
{
    ScriptedModals user;
    user.Then([](QDialog& d) {
        const struct {
            QWidget* control;
            int radio;
        } fields[] = {{List(d, 1078)->lineEdit(), 1006},
                      {Edit(d, 1021), 1007},
                      {Edit(d, 1022), 1008},
                      {Edit(d, 1023), 1009},
                      {List(d, 1077)->lineEdit(), 1005}};
        for (const auto& f : fields) {
            Enter(d, f.control);
            EXPECT_EQ(Radio(d), f.radio);
        }
        return Press(d, 2);
    });
    RunDialog();
}

TEST_F(SettingsDlgTest, TypedTextIsAddedUnlessAnItemBeginsWithIt)
{
    const struct {
        const char* typed;
        bool added;
        int selected; // position of the selected item afterwards, -1 none
    } cases[] = {
        {"prak", false, -1},        // the beginning of "praktisch\": nothing added, none selected
        {"PRAKTISCH\\", false, -1}, // begins an item blind to case, equals none exactly
        {"praktisch\\", false, 3},  // already listed: selected
        {"natuurkunde\\", true, 3}, // sorted in, and selected
        {"", false, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ScriptedModals user;
        user.Then([&](QDialog& d) {
            QComboBox* list = List(d, 1077);
            Enter(d, list->lineEdit());
            list->setEditText(QString::fromUtf8(c.typed));
            Enter(d, d.findChild<QPushButton*>("button173")); // leaving the list
            EXPECT_EQ(list->count(), c.added ? 6 : 5);
            EXPECT_EQ(list->currentIndex(), c.selected);
            if (c.added) {
                EXPECT_EQ(list->itemText(3), QString::fromUtf8(c.typed));
            }
            return Press(d, 2);
        });
        RunDialog();
    }
}

TEST_F(SettingsDlgTest, BrowsingFillsTheChosenField)
{
    MakeFolder("werk/klas 3");
    WriteFile("help/les.html", "<html/>");
    const QString folder = Stored("werk/klas 3") + u'\\';
    const struct {
        int field; // the control entered first (0: none)
        const char* chosen;
        bool fileDialog;
        int control;
        const char* expected; // the text of the field afterwards
    } cases[] = {
        {1077, "werk/klas 3", true, 1077, nullptr},  // added to the list, selected
        {1078, "help/les.html", true, 1078, "html"}, // the extension
        {1021, "werk/klas 3", true, 1021, nullptr},  // the folder with its backslash
        {1022, "help/les.html", true, 1022, nullptr}, {1023, "werk/klas 3", true, 1023, nullptr},
        {0, "", false, 1021, "leerling\\"}, // no field chosen: nothing happens
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        ScriptedModals user;
        QString title;
        user.Then([&](QDialog& d) {
            if (c.field == 1077 || c.field == 1078)
                Enter(d, List(d, c.field)->lineEdit());
            else if (c.field)
                Enter(d, Edit(d, c.field));
            if (c.fileDialog)
                user.Then(ChooseInFileDialog(Path(QString::fromUtf8(c.chosen)), &title));
            EXPECT_EQ(Press(d, 4), -1);
            QString shown;
            if (c.control == 1077 || c.control == 1078)
                shown = List(d, c.control)->currentText();
            else
                shown = Edit(d, c.control)->text();
            QString expected = c.expected ? QString::fromUtf8(c.expected) : QString();
            if (!c.expected) expected = c.field == 1022 ? Stored("help/les.html") : folder;
            EXPECT_EQ(shown, expected);
            return Press(d, 2);
        });
        RunDialog();
        if (c.field == 1077 || c.field == 1021 || c.field == 1023) {
            EXPECT_EQ(title, "Selecteer hieronder een folder.");
        }
    }
}

TEST_F(SettingsDlgTest, ClearingEmptiesTheChosenFieldOnly)
{
    ScriptedModals user;
    user.Then([](QDialog& d) {
        EXPECT_EQ(Press(d, 172), -1); // no field chosen
        QComboBox* folders = List(d, 1077);
        Enter(d, folders->lineEdit());
        folders->setCurrentIndex(int(Items(folders).indexOf("leerling\\")));
        EXPECT_EQ(Press(d, 172), -1);
        EXPECT_FALSE(Items(folders).contains("leerling\\"));
        EXPECT_EQ(folders->currentText(), QString());
        Enter(d, Edit(d, 1023));
        Press(d, 172);
        EXPECT_EQ(Edit(d, 1023)->text(), QString());
        EXPECT_EQ(Edit(d, 1022)->text(), "help\\Veldtrak400.htm");
        return Press(d, 2);
    });
    RunDialog();
}

TEST_F(SettingsDlgTest, OkStoresTheListsInReverseDisplayOrderAndTheThreeFields)
{
    ScriptedModals user;
    user.Then([](QDialog& d) {
        Enter(d, List(d, 1078)->lineEdit());
        List(d, 1078)->setEditText("ant");
        Press(d, 173);
        Edit(d, 1022)->setText("help\\eigen.htm");
        Edit(d, 1023)->setText("plaatjes\\");
        return Press(d, 1);
    });
    EXPECT_EQ(RunDialog(), QDialog::Accepted);
    EXPECT_EQ(doc->m_worksheetFolders, QStringList({"verwerking\\", "praktisch\\", "leerling\\",
                                                    "invoer en uitvoer\\", "blackbox\\"}));
    EXPECT_EQ(doc->m_worksheetExtensions, QStringList({"wks", "ant"}));
    EXPECT_EQ(doc->m_strFolderOutput, "leerling\\");
    EXPECT_EQ(doc->m_strDefaultHelpFile, "help\\eigen.htm");
    EXPECT_EQ(doc->m_strFolderBitmap, "plaatjes\\");
}

TEST_F(SettingsDlgTest, AMissingOutputFolderIsCreatedOnlyWhenTheTeacherAgrees)
{
    const QString question = LoadString(61663);
    const struct {
        const char* folder;
        int answer;
        bool closes;
        bool blinks;
    } cases[] = {
        {"uitvoer\\klas 3\\", CConfirmBox::kNee, false, false},
        {"uitvoer\\klas 3\\", CConfirmBox::kJa, true, false},
        {"", CConfirmBox::kJa, false, true},          // nothing to create
        {"bmp.txt\\", CConfirmBox::kJa, false, true}, // a file stands in the way
    };
    WriteFile("bmp.txt", "x");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        pauses.clear();
        doc->m_strFolderOutput = QStringLiteral("leerling\\");
        ScriptedModals user;
        user.Then([&](QDialog& d) {
            Edit(d, 1021)->setText(QString::fromUtf8(c.folder));
            user.Then([&](QDialog& box) {
                EXPECT_EQ(ScriptedModals::LabelTexts(box).join(u' '), question);
                return c.answer;
            });
            const int result = Press(d, 1);
            EXPECT_EQ(result, c.closes ? int(QDialog::Accepted) : -1);
            if (c.blinks) {
                EXPECT_EQ(d.findChild<QLabel*>("static1087")->text(), LoadString(61664));
            }
            return c.closes ? result : Press(d, 2);
        });
        RunDialog();
        EXPECT_EQ(pauses, c.blinks ? QList<int>(8, 200) : QList<int>());
        if (c.closes) {
            EXPECT_TRUE(QFileInfo(Path("uitvoer/klas 3")).isDir());
            EXPECT_EQ(doc->m_strFolderOutput, QString::fromUtf8(c.folder));
        } else {
            EXPECT_EQ(doc->m_strFolderOutput, "leerling\\"); // nothing taken over
        }
    }
}

TEST_F(SettingsDlgTest, BrowsedOutputFolderIsStoredAbsoluteWithItsBackslash)
{
    MakeFolder("elders");
    ScriptedModals user;
    user.Then([&](QDialog& d) {
        Enter(d, Edit(d, 1021));
        user.Then(ChooseInFileDialog(Path("elders")));
        Press(d, 4);
        return Press(d, 1);
    });
    EXPECT_EQ(RunDialog(), QDialog::Accepted);
    EXPECT_EQ(doc->m_strFolderOutput, Stored("elders") + u'\\');
    EXPECT_TRUE(IsAbsoluteName(doc->m_strFolderOutput));
}

TEST_F(SettingsDlgTest, TheCommandDropsTheBoardsHelpFileAndTheSettingsReadBackAfterARestart)
{
    doc->m_strHelpFile = QStringLiteral("help\\eigen bord.htm");
    doc->m_bTeacherUnlock = true;
    {
        ScriptedModals user;
        user.Then([](QDialog& d) {
            Edit(d, 1023)->setText("plaatjes\\");
            QComboBox* folders = List(d, 1077);
            Enter(d, folders->lineEdit());
            folders->setEditText("natuurkunde\\");
            Press(d, 173);
            return Press(d, 1);
        });
        EXPECT_TRUE(EditSettings(*doc));
    }
    EXPECT_EQ(doc->m_strHelpFile, QString());

    CVeldtrakDoc restarted;
    restarted.LoadSettings();
    EXPECT_EQ(restarted.m_worksheetFolders,
              QStringList({"verwerking\\", "praktisch\\", "natuurkunde\\", "leerling\\",
                           "invoer en uitvoer\\", "blackbox\\"}));
    EXPECT_EQ(restarted.m_worksheetExtensions, QStringList({"wks"}));
    EXPECT_EQ(restarted.m_strFolderBitmap, "plaatjes\\");
    EXPECT_EQ(restarted.m_strFolderOutput, "leerling\\");
    EXPECT_EQ(restarted.m_strDefaultHelpFile, "help\\Veldtrak400.htm");
}

} // namespace
