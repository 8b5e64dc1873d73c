// The protection dialog, the password prompt and the restricted save dialog with their
// real widgets: limits, the permission boxes, browsing below the program folder.
#include "DialogDriver.h"
#include "support/BoardFixture.h"

#include "classroom/PasswordDlg.h"
#include "classroom/ProtectionDlg.h"
#include "classroom/RestrictedSaveDlg.h"

#include <QKeyEvent>

namespace {

using ProtectionDlgTest = BoardFixture;

TEST_F(ProtectionDlgTest, EditsAcceptTheirLimitsAndNoMore)
{
    CProtectionDlg dialog(doc->m_strFolderRoot);
    const QString longText(100, u'x');
    const struct {
        int id;
        int limit; // 0: none
        bool masked;
    } cases[] = {{1023, 8, true},   {1024, 8, true},   {1026, 8, true},   {1027, 8, true},
                 {1021, 64, false}, {1022, 64, false}, {1028, 60, false}, {1025, 0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        QLineEdit* edit = Edit(dialog, c.id);
        ASSERT_NE(edit, nullptr);
        edit->clear();
        QTest::keyClicks(edit, longText);
        EXPECT_EQ(edit->text().size(), c.limit ? c.limit : longText.size());
        EXPECT_EQ(edit->echoMode() == QLineEdit::Password, c.masked);
    }
    CPasswordDlg prompt;
    QTest::keyClicks(Edit(prompt, 1021), longText);
    EXPECT_EQ(Edit(prompt, 1021)->text().size(), 8);
    CRestrictedSaveDlg save(QString{});
    QTest::keyClicks(Edit(save, 1098), longText);
    EXPECT_EQ(Edit(save, 1098)->text().size(), 20);
}

// Types text as the keyboard does, characters beyond ASCII included.
void TypeText(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(widget, &press);
    }
}

TEST_F(ProtectionDlgTest, EditsTakeOnlyCharactersTheFilesCanStore)
{
    CProtectionDlg dialog(doc->m_strFolderRoot);
    QLineEdit* password = Edit(dialog, 1023);
    TypeText(password, QStringLiteral("ł€é")); // "ł" could never be typed back
    EXPECT_EQ(password->text(), QStringLiteral("€é"));
    QLineEdit* title = Edit(dialog, 1028);
    title->setText(QString());
    TypeText(title, QStringLiteral("Proef ø ∑"));
    EXPECT_EQ(title->text(), QStringLiteral("Proef ø "));
}

TEST_F(ProtectionDlgTest, EachBoxIsItsPermissionBit)
{
    const struct {
        int box;
        int permission;
    } cases[] = {{1050, 1},  {1051, 2},  {1052, 4},  {1053, 8},
                 {1056, 16}, {1054, 32}, {1055, 64}, {1062, 128}};
    CProtectionDlg dialog(doc->m_strFolderRoot);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        CProtectionEntries entries;
        entries.permissions = c.permission;
        dialog.SetEntries(entries);
        for (const auto& other : cases)
            EXPECT_EQ(Box(dialog, other.box)->isChecked(), other.box == c.box) << other.box;
        Box(dialog, c.box)->click();
        EXPECT_EQ(dialog.Entries().permissions, 0);
        Box(dialog, c.box)->click();
        EXPECT_EQ(dialog.Entries().permissions, c.permission);
    }
}

TEST_F(ProtectionDlgTest, EveryEntryComesBackAsItWasSet)
{
    CProtectionEntries entries{0x5A,          "juf", "juf",   "vorig.wks",  "volgend.wks",
                               "help\\x.htm", "oud", "nieuw", "Titel met é"};
    CProtectionDlg dialog(doc->m_strFolderRoot);
    dialog.SetEntries(entries);
    EXPECT_EQ(dialog.Entries(), entries);
}

TEST_F(ProtectionDlgTest, BrowsedFilesBelowTheProgramFolderAreEnteredRelativeToIt)
{
    WriteFile("praktisch/les 2.wks", "");
    WriteFile("help/les.htm", "");
    QTemporaryDir elsewhere;
    QFile(elsewhere.path() + "/ander.wks").open(QIODevice::WriteOnly);
    const struct {
        int button;
        int edit;
        QString chosen;
        QString entered;
        QString filter;
    } cases[] = {
        {1072, 1021, Path("praktisch/les 2.wks"), "praktisch\\les 2.wks", "Werkbladen (*.wks)"},
        {1073, 1022, elsewhere.path() + "/ander.wks", WindowsName(elsewhere.path() + "/ander.wks"),
         "Werkbladen (*.wks)"},
        {1074, 1025, Path("help/les.htm"), "help\\les.htm", "HTML-bestanden (*.htm*)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        CProtectionDlg dialog(doc->m_strFolderRoot);
        ScriptedModals user;
        QString filter;
        user.Then([&](QDialog& d) {
            filter = static_cast<QFileDialog&>(d).selectedNameFilter();
            return ChooseInFileDialog(c.chosen)(d);
        });
        dialog.show();
        Press(dialog, c.button);
        EXPECT_EQ(Edit(dialog, c.edit)->text(), c.entered);
        EXPECT_EQ(filter, c.filter);
    }
    // A cancelled browse changes nothing.
    CProtectionDlg dialog(doc->m_strFolderRoot);
    Edit(dialog, 1021)->setText("blijft.wks");
    ScriptedModals user;
    user.Answer(QDialog::Rejected);
    Press(dialog, 1072);
    EXPECT_EQ(Edit(dialog, 1021)->text(), "blijft.wks");
}

TEST_F(ProtectionDlgTest, PromptAndSaveDialogShowTheirTexts)
{
    ScriptedModals user;
    user.Then([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Beveiliging");
        EXPECT_EQ(ScriptedModals::LabelTexts(d), QStringList({"Password"}));
        EXPECT_EQ(Edit(d, 1021)->text(), QString());
        QTest::keyClicks(Edit(d, 1021), "Geheim");
        return Press(d, 1);
    });
    QString entry;
    EXPECT_TRUE(CPasswordDlg::Ask(entry));
    EXPECT_EQ(entry, "Geheim");

    user.Then([](QDialog& d) { return Press(d, 2); });
    EXPECT_FALSE(CPasswordDlg::Ask(entry));

    CRestrictedSaveDlg save(QStringLiteral("invoer.wks"));
    save.show();
    EXPECT_EQ(save.windowTitle(), "Opslaan als...");
    EXPECT_EQ(ScriptedModals::LabelTexts(save),
              QStringList({"De beveiliging is zo ingesteld dat alleen de naam van",
                           "het bestand gewijzigd mag worden. De map mag dus",
                           "niet veranderen. Tik hier de nieuwe bestandsnaam in:"}));
    EXPECT_EQ(Edit(save, 1098)->selectedText(), "invoer.wks");
    if (const QString folder = qEnvironmentVariable("VT_SCREENSHOTS"); !folder.isEmpty())
        save.grab().save(folder + QStringLiteral("/restricted-save.png"));
}

} // namespace
