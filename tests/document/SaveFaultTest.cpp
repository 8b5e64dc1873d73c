// A save that goes wrong never costs the pupil the old board: whatever fails (a
// missing folder, a full disk, a broken disk, the program ended halfway), the old
// file stays as it was byte for byte, the board stays modified, the report names the
// cause, and no temporary file stays behind. Read-only files and folders are in
// SavePermissionTest.
#include "DocFixture.h"
#include "platform/FileWriteSeam.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#include <cerrno>
#include <csignal>

namespace {

constexpr int kYes = 6;
const QByteArray kOldBoard("het oude bord, dat heel moet blijven");

class SaveFaultTest : public DocFixture {
protected:
    void SetUp() override
    {
        DocFixture::SetUp();
        doc->m_strFolderOutput.clear();
        Place(AND_GATE, 100, -100);
    }
    void TearDown() override
    {
        SetFileWriteFunction({});
        DocFixture::TearDown();
    }
    QStringList Entries(const QString& relative) const
    {
        return QDir(Path(relative)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
};

// A disk that takes this many bytes and then fails with the error.
FileWriteFunction FailingDisk(std::size_t room, int error)
{
    return [room, error](int fd, const void* data, std::size_t size) mutable -> ssize_t {
        if (room == 0) {
            errno = error;
            return -1;
        }
        const std::size_t n = std::min(size, room);
        room -= n;
        return ::write(fd, data, n);
    };
}

TEST_F(SaveFaultTest, AFailedSaveKeepsTheOldFileAndSaysWhy)
{
    const struct {
        const char* name;
        const char* board; // below the program folder
        bool oldFile;
        FileWriteFunction disk;
        QStringList titles;
        const char* message; // %1: the board's path
    } cases[] = {
        {"target folder missing", "weg/diep/bord.wks", false, {},
         {QStringLiteral("Waarschuwing"), QStringLiteral("Foutmelding (FS61696)")},
         "Pad '%1' is ongeldig."},
        {"disk full at once", "klas/bord.wks", true, FailingDisk(0, ENOSPC),
         {QStringLiteral("Bevestig"), QStringLiteral("Foutmelding (FS61698)")}, "De disk is vol."},
        {"disk full halfway", "klas/bord.wks", true, FailingDisk(7, ENOSPC),
         {QStringLiteral("Bevestig"), QStringLiteral("Foutmelding (FS61698)")}, "De disk is vol."},
        {"quota exceeded", "klas/bord.wks", true, FailingDisk(20, EDQUOT),
         {QStringLiteral("Bevestig"), QStringLiteral("Foutmelding (FS61698)")}, "De disk is vol."},
        {"disk fault", "klas/bord.wks", true, FailingDisk(3, EIO),
         {QStringLiteral("Bevestig"), QStringLiteral("Foutmelding (FS61698)")},
         "Er is een storing in de computer."},
        {"new board, disk full", "klas/nieuw.wks", false, FailingDisk(10, ENOSPC),
         {QStringLiteral("Foutmelding (FS61698)")}, "De disk is vol."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString board = QString::fromLatin1(c.board);
        QDir(Path(QStringLiteral("klas"))).removeRecursively();
        QDir().mkpath(Path(QStringLiteral("klas")));
        if (c.oldFile)
            WriteFile(board, kOldBoard);
        doc->SetModifiedFlag();
        SetFileWriteFunction(c.disk);

        ScriptedModals user;
        for (int i = 0; i < c.titles.size(); ++i)
            user.Answer(c.titles[i] == u"Bevestig" ? kYes : 1);
        EXPECT_FALSE(doc->OnSaveDocument(Stored(board)));
        SetFileWriteFunction({});

        EXPECT_EQ(user.Titles(), c.titles);
        EXPECT_EQ(user.Texts().last().join(u' '), QString::fromLatin1(c.message).replace(QStringLiteral("%1"), Path(board)));
        EXPECT_TRUE(doc->IsModified());
        EXPECT_EQ(ReadFile(board), c.oldFile ? kOldBoard : QByteArray());
        const QString folder = QFileInfo(board).path();
        EXPECT_EQ(Entries(folder), c.oldFile ? QStringList{QFileInfo(board).fileName()} : QStringList())
            << "no temporary file is left behind";
    }
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("weg")))) << "one folder level is made, not two";
}

const struct {
    WriteStage stage;
    const char* name;
} kStages[] = {
    {WriteStage::Opened, "opened"},       {WriteStage::HalfWritten, "half written"},
    {WriteStage::Written, "written"},     {WriteStage::Synced, "on the disk"},
    {WriteStage::Named, "named"},         {WriteStage::Replaced, "replaced"},
};

// Run in a child process only: saves the board over the file named in the
// environment and ends itself the hard way at the stage named there.
TEST_F(SaveFaultTest, DISABLED_SavesUntilKilled)
{
    const QString target = qEnvironmentVariable("VT_SAVE_TARGET");
    const int stage = qEnvironmentVariableIntValue("VT_SAVE_STAGE");
    ASSERT_FALSE(target.isEmpty());
    SetWriteStageHook([stage](WriteStage reached) {
        if (int(reached) == stage)
            ::raise(SIGKILL);
    });
    ScriptedModals user;
    user.Answer(kYes);
    doc->OnSaveDocument(WindowsName(target));
    ADD_FAILURE() << "the save was not ended at stage " << stage;
}

TEST_F(SaveFaultTest, AProgramEndedInTheMiddleOfSavingLeavesTheOldOrTheNewFile)
{
    const QByteArray newBoard = WriteBoard(*doc);
    for (const auto& s : kStages) {
        SCOPED_TRACE(s.name);
        WriteFile(QStringLiteral("klas/bord.wks"), kOldBoard);

        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("VT_SAVE_TARGET"), Path(QStringLiteral("klas/bord.wks")));
        environment.insert(QStringLiteral("VT_SAVE_STAGE"), QString::number(int(s.stage)));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_also_run_disabled_tests"),
                     QStringLiteral("--gtest_filter=SaveFaultTest.DISABLED_SavesUntilKilled")});
        ASSERT_TRUE(child.waitForStarted());
        const qint64 pid = child.processId();
        ASSERT_TRUE(child.waitForFinished(60000));
        EXPECT_EQ(child.exitStatus(), QProcess::CrashExit) << child.readAll().toStdString();

        EXPECT_EQ(ReadFile(QStringLiteral("klas/bord.wks")),
                  s.stage == WriteStage::Replaced ? newBoard : kOldBoard);
        QStringList allowed{QStringLiteral("bord.wks")};
        if (s.stage == WriteStage::Named) // the moment between naming and renaming
            allowed << QStringLiteral("bord.wks.~vt%1").arg(pid);
        for (const QString& entry : Entries(QStringLiteral("klas")))
            EXPECT_TRUE(allowed.contains(entry)) << entry.toStdString();

        // The next save puts the board there and clears what the ended one left.
        ScriptedModals user;
        user.Answer(kYes);
        doc->SetModifiedFlag();
        EXPECT_TRUE(doc->OnSaveDocument(Stored(QStringLiteral("klas/bord.wks"))));
        EXPECT_EQ(ReadFile(QStringLiteral("klas/bord.wks")), newBoard);
        EXPECT_EQ(Entries(QStringLiteral("klas")), QStringList{QStringLiteral("bord.wks")});
    }
}

} // namespace
