// Saving honours the file system: a read-only board is refused, a board in a folder
// that takes no new files is written where it stands, and elsewhere the board is
// replaced at once by a complete new file.
#include "DocFixture.h"
#include "support/Unprivileged.h"

#include <QDir>

#include <sys/stat.h>

namespace {

constexpr int kYes = 6;

class SavePermissionTest : public DocFixture {
protected:
    void SetUp() override
    {
        DocFixture::SetUp();
        doc->m_strFolderOutput.clear();
        Place(AND_GATE, 100, -100);
    }

    void SetMode(const QString& relative, mode_t mode) const
    {
        ASSERT_EQ(::chmod(QFile::encodeName(Path(relative)).constData(), mode), 0);
    }
    static struct stat Status(const QString& path)
    {
        struct stat st {};
        ::stat(QFile::encodeName(path).constData(), &st);
        return st;
    }
    QStringList Entries(const QString& relative) const
    {
        return QDir(Path(relative)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    QString Denied(const QString& relative) const
    {
        return QStringLiteral("Toegang tot het bestand '") + Path(relative) +
               QStringLiteral("' is geweigerd.");
    }
};

TEST_F(SavePermissionTest, AReadOnlyBoardIsRefusedWhoeverSaves)
{
    // The write bits are off: refused even for the administrator, whom the file
    // system itself would let write.
    WriteFile(QStringLiteral("klas/juf.wks"), "van de juf");
    SetMode(QStringLiteral("klas/juf.wks"), 0444);
    ScriptedModals user;
    user.Answer(kYes).Answer(1);
    EXPECT_FALSE(doc->OnSaveDocument(Stored(QStringLiteral("klas/juf.wks"))));
    ASSERT_EQ(user.Titles().size(), 2);
    EXPECT_EQ(user.Titles()[1], QStringLiteral("Foutmelding (FS61696)"));
    EXPECT_EQ(user.Texts()[1].join(u' '), Denied(QStringLiteral("klas/juf.wks")));
    EXPECT_EQ(ReadFile(QStringLiteral("klas/juf.wks")), QByteArray("van de juf"));
    EXPECT_EQ(Entries(QStringLiteral("klas")), QStringList{QStringLiteral("juf.wks")});
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(SavePermissionTest, FolderAndFilePermissionsOfAnOrdinaryUser)
{
    if (IsAdministrator()) {
        RunThisTestUnprivileged();
        return;
    }
    enum Outcome { REFUSED, IN_PLACE, REPLACED };
    const struct {
        const char* name;
        mode_t folderMode;
        int fileMode; // -1: no file yet
        Outcome outcome;
    } cases[] = {
        {"read-only board in an open folder", 0755, 0444, REFUSED},
        {"open board in a closed folder", 0555, 0644, IN_PLACE},
        {"open board in an open folder", 0755, 0640, REPLACED},
        {"new board in a closed folder", 0555, -1, REFUSED},
        {"read-only board in a closed folder", 0555, 0444, REFUSED},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString folder = QStringLiteral("klas%1").arg(++n);
        const QString board = folder + QStringLiteral("/bord.wks");
        QDir().mkpath(Path(folder));
        if (c.fileMode >= 0) {
            WriteFile(board, "oud bord");
            SetMode(board, mode_t(c.fileMode));
        }
        SetMode(folder, c.folderMode);
        const ino_t oldInode = Status(Path(board)).st_ino;
        doc->SetModifiedFlag();

        ScriptedModals user;
        if (c.fileMode >= 0)
            user.Answer(kYes); // "Bestand bestaat al.  Overschrijven?"
        if (c.outcome == REFUSED)
            user.Answer(1);
        const bool saved = doc->OnSaveDocument(Stored(board));
        const QStringList left = Entries(folder);
        SetMode(folder, 0755);

        if (c.outcome == REFUSED) {
            EXPECT_FALSE(saved);
            EXPECT_TRUE(doc->IsModified());
            ASSERT_FALSE(user.Titles().isEmpty());
            EXPECT_EQ(user.Titles().last(), QStringLiteral("Foutmelding (FS61696)"));
            EXPECT_EQ(user.Texts().last().join(u' '), Denied(board));
            EXPECT_EQ(ReadFile(board), c.fileMode >= 0 ? QByteArray("oud bord") : QByteArray());
        } else {
            EXPECT_TRUE(saved);
            EXPECT_FALSE(doc->IsModified());
            EXPECT_EQ(ReadFile(board), WriteBoard(*doc));
            const struct stat now = Status(Path(board));
            EXPECT_EQ(now.st_mode & 07777, mode_t(c.fileMode)) << "the board keeps its permissions";
            if (c.outcome == IN_PLACE)
                EXPECT_EQ(now.st_ino, oldInode) << "written where it stands";
            else
                EXPECT_NE(now.st_ino, oldInode) << "replaced by the new file";
        }
        EXPECT_EQ(left, c.fileMode >= 0 ? QStringList{QStringLiteral("bord.wks")} : QStringList())
            << "no temporary file is left behind";
    }
}

TEST_F(SavePermissionTest, AFailedReplaceIsAFailedSave)
{
    // A folder of the board's name: the complete new file cannot take its place.
    QDir().mkpath(Path(QStringLiteral("klas/bord.wks")));
    ScriptedModals user;
    user.Answer(kYes).Answer(1);
    EXPECT_FALSE(doc->OnSaveDocument(Stored(QStringLiteral("klas/bord.wks"))));
    ASSERT_EQ(user.Titles().size(), 2);
    EXPECT_EQ(user.Titles()[1], QStringLiteral("Foutmelding (FS61696)"));
    EXPECT_EQ(user.Texts()[1].join(u' '), Denied(QStringLiteral("klas/bord.wks")));
    EXPECT_EQ(Entries(QStringLiteral("klas")), QStringList{QStringLiteral("bord.wks")});
    EXPECT_TRUE(doc->IsModified());
}

} // namespace
