#include "Unprivileged.h"

#include "RequireTool.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>

#include <unistd.h>

namespace {

constexpr QFile::Permissions kReadAndRun = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                           QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;

// A copy of this test program in a folder of its own that everyone may enter, so the
// child can run it wherever the build tree lies. Made once per run.
QString ProgramCopy()
{
    static std::unique_ptr<QTemporaryDir> folder;
    if (!folder) {
        folder = std::make_unique<QTemporaryDir>();
        if (!folder->isValid())
            return {};
        QFile::setPermissions(folder->path(), kReadAndRun | QFile::WriteOwner);
        const QString copy = folder->filePath(QStringLiteral("tests"));
        if (!QFile::copy(QCoreApplication::applicationFilePath(), copy))
            return {};
        QFile::setPermissions(copy, kReadAndRun);
    }
    return folder->filePath(QStringLiteral("tests"));
}

} // namespace

bool IsAdministrator()
{
    return ::geteuid() == 0;
}

void RunThisTestUnprivileged()
{
    REQUIRE_TOOL("setpriv");
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString name = QString::fromLatin1(test->test_suite_name()) + u'.' +
                         QString::fromLatin1(test->name());
    const QString program = ProgramCopy();
    ASSERT_FALSE(program.isEmpty()) << "could not copy the test program";

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), QStringLiteral("/tmp"));
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR")); // root's, closed to the child
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.setWorkingDirectory(QStringLiteral("/tmp"));
    child.start(QStringLiteral("setpriv"),
                {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                 QStringLiteral("--clear-groups"), program, QStringLiteral("--gtest_filter=") + name});
    ASSERT_TRUE(child.waitForFinished(120000)) << "the unprivileged run did not end";
    const std::string output = QString::fromLocal8Bit(child.readAll()).toStdString();
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << output;
    EXPECT_EQ(child.exitCode(), 0) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test."), std::string::npos) << output;
}
