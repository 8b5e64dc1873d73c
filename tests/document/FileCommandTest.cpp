#include "DocFixture.h"

#include <QFileDialog>

namespace {

constexpr int kYes = 6;
constexpr int kNo = 7;
constexpr int kEscape = 2;

using FileCommandTest = DocFixture;

// Plays the user at a file dialog: types the name and accepts.
std::function<int(QDialog&)> ChooseFile(const QString& path)
{
    return [path](QDialog& dialog) {
        auto& files = static_cast<QFileDialog&>(dialog);
        files.selectFile(path);
        return int(QDialog::Accepted);
    };
}

TEST_F(FileCommandTest, SaveWithOutputFolderLandsThereWithALoneDot)
{
    doc->m_strFolderOutput = QStringLiteral("leerling\\");
    Place(AND_GATE, 0, 0);
    ScriptedModals none;
    ASSERT_TRUE(doc->OnSaveDocument(QStringLiteral("D:\\werk\\test")));
    EXPECT_FALSE(ReadFile(QStringLiteral("leerling/test.")).isEmpty()) << "folder made, lone dot kept";
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetTitle(), QStringLiteral("test."));
}

TEST_F(FileCommandTest, ExtensionIsLowerCasedAndRelativeNamesGoBelowTheProgramFolder)
{
    doc->m_strFolderOutput.clear();
    ScriptedModals none;
    ASSERT_TRUE(doc->OnSaveDocument(QStringLiteral("bord.WKS")));
    EXPECT_EQ(ReadFile(QStringLiteral("bord.wks")), WriteBoard(*doc));
    EXPECT_EQ(doc->GetPathName(), Stored(QStringLiteral("bord.wks")));
}

TEST_F(FileCommandTest, OverwriteQuestionNeeKeepsFileAndModifiedFlag)
{
    doc->m_strFolderOutput.clear();
    WriteFile(QStringLiteral("oud.wks"), "oude inhoud");
    Place(AND_GATE, 0, 0);
    ScriptedModals user;
    user.Answer(kNo).Answer(kYes);
    EXPECT_FALSE(doc->OnSaveDocument(Stored(QStringLiteral("oud.wks"))));
    EXPECT_EQ(ReadFile(QStringLiteral("oud.wks")), QByteArray("oude inhoud"));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(user.Texts()[0].join(u'|'), QStringLiteral("Bestand bestaat al.  Overschrijven?"));
    EXPECT_TRUE(doc->OnSaveDocument(Stored(QStringLiteral("oud.wks"))));
    EXPECT_EQ(ReadFile(QStringLiteral("oud.wks")), WriteBoard(*doc));
}

TEST_F(FileCommandTest, FailedSaveKeepsTheOldFileAndReportsIt)
{
    // The target's folder is a file: nothing can be written there.
    doc->m_strFolderOutput.clear();
    WriteFile(QStringLiteral("blok"), "geen map");
    Place(AND_GATE, 0, 0);
    ScriptedModals user;
    user.Answer(1).Answer(1);
    EXPECT_FALSE(doc->OnSaveDocument(Stored(QStringLiteral("blok\\bord.wks"))));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(ReadFile(QStringLiteral("blok")), QByteArray("geen map"));
    ASSERT_EQ(user.Titles().size(), 2);
    EXPECT_EQ(user.Texts()[0].join(u' '),
              QStringLiteral("Folder kon niet worden aangemaakt. Probeer een andere folder."));
    EXPECT_EQ(user.Titles()[1], QStringLiteral("Foutmelding (FS61696)"));
    EXPECT_TRUE(user.Texts()[1].join(u' ').startsWith(QStringLiteral("Pad '")));
}

TEST_F(FileCommandTest, OpeningAMissingFileSaysSo)
{
    Place(AND_GATE, 0, 0);
    ScriptedModals user;
    user.Answer(1);
    EXPECT_FALSE(doc->OnOpenDocument(QStringLiteral("weg.wks")));
    EXPECT_EQ(user.Titles()[0], QStringLiteral("Foutmelding (FL61697)"));
    EXPECT_EQ(user.Texts()[0].join(u' '), QStringLiteral("Bestand 'weg.wks' kon niet worden gevonden."));
    EXPECT_EQ(doc->m_components.size(), 1u) << "a board that could not be opened leaves the old one";
}

TEST_F(FileCommandTest, BoardNamesAreFoundInTheWorksheetFolders)
{
    WriteFile(QStringLiteral("Praktisch/Auto_Licht.wks"), QByteArray());
    WriteFile(QStringLiteral("verwerking/auto_licht.wks"), QByteArray());
    // Worksheet folders are searched from the last to the first.
    doc->m_worksheetFolders = {QStringLiteral("praktisch\\"), QStringLiteral("verwerking\\")};
    EXPECT_EQ(doc->ResolveBoardFileName(QStringLiteral("  auto_licht.wks ")),
              doc->m_strFolderRoot + QStringLiteral("verwerking\\auto_licht.wks"));
    EXPECT_EQ(doc->ResolveBoardFileName(QStringLiteral("praktisch\\auto_licht.wks")),
              doc->m_strFolderRoot + QStringLiteral("praktisch\\auto_licht.wks"));
    EXPECT_EQ(doc->ResolveBoardFileName(QStringLiteral("nergens.wks")), QString());
    EXPECT_EQ(doc->ResolveBoardFileName(QStringLiteral("   ")), QString());

    ScriptedModals none;
    ASSERT_TRUE(doc->OnOpenDocument(QStringLiteral("PRAKTISCH\\auto_licht.wks")));
    EXPECT_EQ(doc->GetTitle(), QStringLiteral("auto_licht.wks"));
}

TEST_F(FileCommandTest, OpeningClearsTheTeacherUnlock)
{
    WriteFile(QStringLiteral("a.wks"), QByteArray());
    doc->m_bTeacherUnlock = true;
    ScriptedModals none;
    ASSERT_TRUE(doc->OnOpenDocument(QStringLiteral("a.wks")));
    EXPECT_FALSE(doc->m_bTeacherUnlock);
}

TEST_F(FileCommandTest, SaveQuestion)
{
    // Only components, text fields and tables make a board worth asking about.
    Wire(1, 2);
    {
        ScriptedModals none;
        EXPECT_TRUE(doc->SaveModified());
        EXPECT_FALSE(doc->IsModified());
    }
    Place(AND_GATE, 0, 0);
    {
        ScriptedModals user;
        user.Answer(kEscape);
        EXPECT_FALSE(doc->SaveModified()) << "Escape cancels instead of losing the board";
        EXPECT_TRUE(doc->IsModified());
        EXPECT_EQ(user.Texts()[0].join(u'|'), QStringLiteral("Moet dit bord worden gesaved?"));
    }
    {
        ScriptedModals user;
        user.Answer(kYes).Answer(int(QDialog::Rejected));
        EXPECT_FALSE(doc->SaveModified()) << "Ja, then cancelling the file dialog";
    }
    {
        ScriptedModals user;
        doc->m_strFolderOutput.clear();
        user.Answer(kYes).Then(ChooseFile(Path(QStringLiteral("gered.wks"))));
        EXPECT_TRUE(doc->SaveModified());
        EXPECT_EQ(ReadFile(QStringLiteral("gered.wks")), WriteBoard(*doc));
    }
    Place(AND_GATE, 0, 0);
    ScriptedModals user;
    user.Answer(kNo);
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(FileCommandTest, NewBoardAfterTheFirstOffersTheStartDialog)
{
    int offered = 0;
    WriteFile(QStringLiteral("keuze.wks"), QByteArray());
    doc->m_pickWorksheet = [&] {
        ++offered;
        return QStringLiteral("keuze.wks");
    };
    ScriptedModals none;
    doc->OnFileNew();
    EXPECT_EQ(offered, 0) << "the first time the start menu shows instead";
    doc->OnFileNew();
    EXPECT_EQ(offered, 1);
    EXPECT_EQ(doc->GetTitle(), QStringLiteral("keuze.wks"));
}

TEST_F(FileCommandTest, NewIsCancelledWhenTheSaveQuestionIsEscaped)
{
    Place(AND_GATE, 0, 0);
    ScriptedModals user;
    user.Answer(kEscape);
    doc->OnFileNew();
    EXPECT_EQ(doc->m_components.size(), 1u);
}

TEST_F(FileCommandTest, SaveOfAnUntitledBoardAsksForAName)
{
    doc->m_strFolderOutput.clear();
    Place(AND_GATE, 0, 0);
    ScriptedModals user;
    user.Then(ChooseFile(Path(QStringLiteral("nieuw.wks"))));
    EXPECT_TRUE(doc->OnFileSave());
    EXPECT_EQ(doc->GetTitle(), QStringLiteral("nieuw.wks"));
    Place(INVERTER, 400, 0);
    user.Answer(kYes); // overwrite
    EXPECT_TRUE(doc->OnFileSave()) << "a titled board saves under its own name";
}

} // namespace
