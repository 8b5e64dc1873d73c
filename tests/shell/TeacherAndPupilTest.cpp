// The program as a teacher starts it (/docent) and as a pupil starts it: the teacher
// protects a worksheet, links it to its answer sheet and saves both into the pupils'
// folder, the pupil meets the
// permissions and follows the link behind its password, and back.
#include "AppFixture.h"
#include "shell/CommandIds.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>

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
// The protection dialog: these texts in these edits, then OK.
std::function<int(QDialog&)> Protect(std::vector<std::pair<int, QString>> texts,
                                     std::vector<int> boxesToClick = {})
{
    return [texts, boxesToClick](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Beveiliging");
        for (int box : boxesToClick)
            d.findChild<QCheckBox*>(QStringLiteral("check%1").arg(box))->click();
        for (const auto& [id, text] : texts)
            Edit(d, id)->setText(text);
        return Press(d, 1);
    };
}
std::function<int(QDialog&)> TypeAndOk(int edit, const QString& text)
{
    return [edit, text](QDialog& d) {
        Edit(d, edit)->setText(text);
        return Press(d, 1);
    };
}

// The ordinary file dialog: this file chosen.
std::function<int(QDialog&)> ChooseFile(const QString& path)
{
    return [path](QDialog& d) {
        auto* files = qobject_cast<QFileDialog*>(&d);
        EXPECT_NE(files, nullptr) << d.windowTitle().toStdString();
        if (!files) return int(QDialog::Rejected);
        files->selectFile(path);
        return int(QDialog::Accepted);
    };
}

class TeacherAndPupilTest : public AppFixture {};

TEST_F(TeacherAndPupilTest, OnlyTheDocentOptionMakesTheTeachersProgram)
{
    WriteMenuWorksheets();
    for (const bool teacher : {false, true}) {
        SCOPED_TRACE(teacher);
        if (teacher)
            StartAsTeacher();
        else
            Start();
        EXPECT_FALSE(Enabled(ID_PROTECTION)); // not over the start menu
        ClickStartMenu(1);                    // "Leeg bord"
        EXPECT_EQ(Enabled(ID_PROTECTION), teacher);
        EXPECT_EQ(Frame()->windowTitle().endsWith(" (docent)"), teacher);
        EXPECT_FALSE(Enabled(ID_SETTINGS)); // until the teacher unlocked
        app.reset();
    }
}

TEST_F(TeacherAndPupilTest, TheTeachersWorksheetLeadsThePupilToTheAnswerSheetAndBack)
{
    QDir().mkpath(Path("leerling"));
    WriteMenuWorksheets();
    StartAsTeacher();
    ASSERT_TRUE(Doc().m_bStartImagesShown);
    ClickStartMenu(1);
    ASSERT_FALSE(Doc().m_bStartImagesShown);
    PlaceOnBoard(3, 500, -500);
    {
        ScriptedModals teacher; // no teacher password yet: no prompt
        teacher.Then(Protect(
            {{1023, "juf"}, {1024, "juf"}, {1028, "Les 1"}, {1022, "les1.ant"}, {1027, "antw"}},
            {1050})); // no adding or moving components
        Run(ID_PROTECTION);
        // Unlocked, the teacher saves where the teacher wants: here the pupils' folder.
        teacher.Then(ChooseFile(Path("leerling/les1.wks")));
        Run(ID_FILE_SAVE);
        teacher.Then(
            Protect({{1028, "Les 1 antwoord"}, {1021, "les1.wks"}, {1022, ""}, {1027, ""}}));
        Run(ID_PROTECTION); // still unlocked: no password asked
        teacher.Then(ChooseFile(Path("leerling/les1.ant")));
        Run(ID_FILE_SAVE_AS);
    }
    EXPECT_TRUE(QFileInfo::exists(Path("leerling/les1.wks")));
    EXPECT_TRUE(QFileInfo::exists(Path("leerling/les1.ant")));
    app.reset();

    Start({Path("leerling/les1.wks")}); // the pupil
    EXPECT_EQ(Doc().m_strBoardTitle, "Les 1");
    EXPECT_EQ(Doc().m_strPassword, "juf"); // the settings kept the teacher password
    EXPECT_FALSE(Enabled(ID_PROTECTION));
    {
        ScriptedModals pupil;
        pupil.Then([](QDialog& d) {
            EXPECT_EQ(ScriptedModals::LabelTexts(d).join(u' '),
                      "Geen toestemming om componenten toe te voegen of verplaatsen.");
            return 1;
        });
        EXPECT_FALSE(Doc().CheckPermission(PERMIT_ADD_MOVE, true));

        ASSERT_TRUE(Enabled(ID_NEXT_BOARD));
        pupil.Then(TypeAndOk(1021, "antw"));
        Run(ID_NEXT_BOARD);
        EXPECT_EQ(Doc().m_strBoardTitle, "Les 1 antwoord");
        EXPECT_EQ(Doc().GetTitle(), "les1.ant");
        Run(ID_PREV_BOARD); // no password on the way back
        EXPECT_EQ(Doc().m_strBoardTitle, "Les 1");
    }
}

} // namespace
