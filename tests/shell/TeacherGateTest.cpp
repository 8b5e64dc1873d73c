// A start with /docent asks for the teacher-mode password before the window opens:
// only the right one gives the teacher's program; no password set up, a wrong one, a
// cancelled prompt or a file anyone could have written start the pupils' program.
#include "AppFixture.h"
#include "shell/CommandIds.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kNotSetUp = QStringLiteral(
    "Het docentwachtwoord is nog niet ingesteld. De beheerder stelt het in met: veldtrak-tool "
    "docentwachtwoord (als root bij een installatie). Het programma start zonder docentmodus.");
const QString kUnusable = QStringLiteral(
    "Het bestand met het docentwachtwoord is onbruikbaar. De beheerder stelt het opnieuw in met: "
    "veldtrak-tool docentwachtwoord. Het programma start zonder docentmodus.");
const QString kWrong =
    QStringLiteral("Het docentwachtwoord is onjuist. Het programma start zonder docentmodus.");
const QString kPrompt = QStringLiteral("Docentwachtwoord");

class TeacherGateTest : public AppFixture {};

TEST_F(TeacherGateTest, OnlyTheRightPasswordBeforeTheWindowOpensMakesTheTeachersProgram)
{
    WriteMenuWorksheets();
    enum class File { None, Password, Plain };
    const struct {
        const char* name;
        QStringList arguments;
        File file;
        const char* typed; // nullptr: the prompt is cancelled
        QStringList dialogs; // the label texts of each dialog, in order
        bool teacher;
    } cases[] = {
        {"docent", {"/docent"}, File::Password, kTeacherPassword, {kPrompt}, true},
        {"docent met bord", {"/docent", "blackbox/blackbox1.wks"}, File::Password, kTeacherPassword,
         {kPrompt}, true},
        {"onjuist", {"/docent"}, File::Password, "Natuurkunde", {kPrompt, kWrong}, false},
        {"leeg", {"/docent"}, File::Password, "", {kPrompt, kWrong}, false},
        {"geannuleerd", {"/docent"}, File::Password, nullptr, {kPrompt}, false},
        {"niet ingesteld", {"/docent"}, File::None, kTeacherPassword, {kNotSetUp}, false},
        {"platte tekst", {"/docent"}, File::Plain, kTeacherPassword, {kUnusable}, false},
        {"leerling", {}, File::Password, kTeacherPassword, {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(TeacherPasswordFile());
        if (c.file == File::Password) {
            ASSERT_EQ(WriteTeacherPassword(TeacherPasswordFile(), QLatin1String(kTeacherPassword)),
                      QString());
        }
        if (c.file == File::Plain)
            WriteFile(QLatin1String(kTeacherPasswordFileName), kTeacherPassword);
        ScriptedModals modals;
        for (const QString& expected : c.dialogs)
            modals.Then([&, expected](QDialog& dialog) {
                EXPECT_EQ(app->MainFrame(), nullptr) << "asked before the window opens";
                EXPECT_EQ(dialog.windowTitle(), "Docentmodus");
                EXPECT_EQ(ScriptedModals::LabelTexts(dialog).join(u' '), expected);
                if (expected != kPrompt)
                    return 1;
                auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("edit1021"));
                EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
                if (!c.typed)
                    return int(QDialog::Rejected);
                edit->setText(QString::fromUtf8(c.typed));
                dialog.findChild<QPushButton*>(QStringLiteral("button1"))->click();
                return dialog.result();
            });
        QStringList arguments = c.arguments;
        if (arguments.size() > 1)
            arguments[1] = Path(arguments[1]);
        Start(arguments);
        if (arguments.size() < 2)
            ClickStartMenu(1); // "Leeg bord"
        EXPECT_EQ(Enabled(ID_PROTECTION), c.teacher);
        EXPECT_EQ(Frame()->windowTitle().endsWith(" (docent)"), c.teacher)
            << Frame()->windowTitle().toStdString();
        EXPECT_EQ(modals.Opened(), c.dialogs.size());
        app.reset();
    }
}

} // namespace
