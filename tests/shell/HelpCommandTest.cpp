// Help opens the board's help file through the desktop; when that cannot be done the
// pupil is told so, with the file's path.
#include "AppFixture.h"

#include "platform/ShellOpen.h"
#include "shell/CommandIds.h"

namespace {

class HelpCommandTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        m_previous = SetShellOpenHandler([this](const QString& path) {
            opened << path;
            return desktopOpens;
        });
    }
    void TearDown() override
    {
        SetShellOpenHandler(std::move(m_previous));
        AppFixture::TearDown();
    }

    QStringList opened;
    bool desktopOpens = true;

private:
    std::function<bool(const QString&)> m_previous;
};

TEST_F(HelpCommandTest, OpensTheHelpFileOrSaysWhyNot)
{
    // The name is taken in lower case; an existing file is found whatever its case.
    const QString helpFile = QFileInfo(Path("help/Veldtrak400.htm")).absoluteFilePath();
    const auto message = [](const QString& path) {
        return "Het helpbestand '" + path + "' kon niet worden geopend.";
    };
    Start();
    {
        ScriptedModals user; // no help file in the program folder
        user.Answer(1);
        Run(ID_HELP);
        ASSERT_EQ(user.Opened(), 1);
        EXPECT_EQ(user.Titles().constFirst(), "Foutmelding");
        EXPECT_EQ(user.Texts().constFirst().join(u' '),
                  message(QFileInfo(Path("help/veldtrak400.htm")).absoluteFilePath()));
        EXPECT_TRUE(opened.isEmpty());
    }
    WriteFile("help/Veldtrak400.htm", "<html></html>");
    {
        ScriptedModals user; // the desktop opens it: nothing to say
        Run(ID_HELP);
        EXPECT_EQ(opened, QStringList({helpFile}));
    }
    desktopOpens = false; // no web browser
    {
        ScriptedModals user;
        user.Answer(1);
        Run(ID_HELP);
        ASSERT_EQ(user.Opened(), 1);
        EXPECT_EQ(user.Texts().constFirst().join(u' '), message(helpFile));
    }
}

} // namespace
