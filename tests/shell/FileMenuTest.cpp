// The file menu of the main window on files that are damaged or that the pupil may
// not write: what the pupil is told, and that nothing of the teacher's is lost.
#include "FrameFixture.h"
#include "support/DamagedBoards.h"
#include "support/ScriptedModals.h"

#include <QFileDialog>

#include <sys/stat.h>

namespace {

constexpr int kYes = 6;

using FileMenuTest = FrameFixture;

std::function<int(QDialog&)> ChooseFile(const QString& path)
{
    return [path](QDialog& dialog) {
        static_cast<QFileDialog&>(dialog).selectFile(path);
        return int(QDialog::Accepted);
    };
}

TEST_F(FileMenuTest, OpeningADamagedBoardSaysSoAndLeavesAnEmptyBoard)
{
    for (const damaged::Case& c : damaged::Cases()) {
        if (!c.refused)
            continue;
        SCOPED_TRACE(c.name);
        Place(AND_GATE, 100, -100);
        doc->SetModifiedFlag(false);
        WriteFile(QStringLiteral("kapot.wks"), damaged::Bytes(c));
        ScriptedModals user;
        user.Then(ChooseFile(Path(QStringLiteral("kapot.wks")))).Answer(1);
        Run(ID_FILE_OPEN);
        ASSERT_EQ(user.Titles().size(), 2);
        EXPECT_EQ(user.Titles()[1], QStringLiteral("Foutmelding (AL61697)"));
        EXPECT_EQ(user.Texts()[1].join(u' '), QStringLiteral("Ongeldig bestandsformaat."));
        EXPECT_TRUE(doc->m_components.empty() && doc->m_wires.empty());
    }
}

TEST_F(FileMenuTest, SavingOverTheTeachersReadOnlyBoardIsRefused)
{
    // Pupils' boards go to the output folder; the teacher left a board there that no
    // one may change.
    ASSERT_EQ(doc->m_strFolderOutput, QStringLiteral("leerling\\"));
    damaged::BuildSampleBoard(*doc);
    const QByteArray teachers = WriteBoard(*doc);
    WriteFile(QStringLiteral("leerling/opdracht.wks"), teachers);
    ASSERT_EQ(::chmod(QFile::encodeName(Path(QStringLiteral("leerling/opdracht.wks"))).constData(),
                      0444),
              0);
    ASSERT_TRUE(doc->OnOpenDocument(Stored(QStringLiteral("leerling/opdracht.wks"))));
    Place(AND_GATE, 2000, -2000);

    ScriptedModals user;
    user.Answer(kYes).Answer(1); // "Bestand bestaat al.  Overschrijven?" Ja
    Run(ID_FILE_SAVE);
    ASSERT_EQ(user.Titles().size(), 2);
    EXPECT_EQ(user.Texts()[0].join(u' '), QStringLiteral("Bestand bestaat al.  Overschrijven?"));
    EXPECT_EQ(user.Titles()[1], QStringLiteral("Foutmelding (FS61696)"));
    EXPECT_EQ(user.Texts()[1].join(u' '),
              QStringLiteral("Toegang tot het bestand '") + Path(QStringLiteral("leerling/opdracht.wks")) +
                  QStringLiteral("' is geweigerd."));
    EXPECT_EQ(ReadFile(QStringLiteral("leerling/opdracht.wks")), teachers);
    EXPECT_TRUE(doc->IsModified()) << "the pupil's board is still there to be saved elsewhere";
}

} // namespace
