// Starting the program: names, sound, Dutch standard dialogs, the document and the
// maximised main window; and how the command line reaches the document.
#include "document/CommandLine.h"
#include "document/Document.h"
#include "platform/Paths.h"
#include "platform/Sound.h"
#include "shell/MainFrame.h"
#include "shell/VeldtrakApp.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTemporaryDir>

TEST(VeldtrakAppTest, StartsWithItsNamesSoundTranslationsAndAMaximisedWindow)
{
    QTemporaryDir folder;
    const QString previousFolder = QDir::currentPath();
    SetProgramFolder(folder.path());
    ISoundService* const silent = &SoundService();
    {
        CVeldtrakApp app;
        ASSERT_TRUE(app.InitInstance());
        EXPECT_EQ(QCoreApplication::applicationName(), "Veldtrak Tanvo");
        EXPECT_EQ(QCoreApplication::organizationName(), "Morvane, Lindholt");
        EXPECT_NE(&SoundService(), silent);
        ASSERT_NE(app.MainFrame(), nullptr);
        EXPECT_TRUE(app.MainFrame()->isVisible());
        EXPECT_TRUE(app.MainFrame()->windowState() & Qt::WindowMaximized);
        EXPECT_EQ(app.MainFrame()->windowTitle(), "Untitled - Veldtrak Tanvo");
        EXPECT_TRUE(app.Document()->m_components.empty());
        if (QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                              "/qtbase_nl.qm")) {
            EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Annuleren");
        }
    }
    EXPECT_EQ(&SoundService(), silent);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
    SetProgramFolder(QString());
    QDir::setCurrent(previousFolder);
}

TEST(VeldtrakAppTest, ArgumentsBecomeOneOptionEachAndABareBoardTheFileSwitch)
{
    const QString here = QDir::currentPath();
    const struct {
        QStringList arguments;
        QStringList options;
    } cases[] = {
        {{"bord.wks", "/dir:uit", "\"/file:a b.wks\""}, {"/file:" + here + "/bord.wks", "/dir:uit", "/file:a b.wks"}},
        {{"/home/juf/bord.wks"}, {"/file:/home/juf/bord.wks"}},
        {{"mijn", "bord.wks"}, {"/file:" + here + "/mijn bord.wks"}},
        {{"/file:invoer", "en", "uitvoer\\invoer.wks", "/dir:D:\\uit", "map"},
         {"/file:invoer en uitvoer\\invoer.wks", "/dir:D:\\uit map"}},
        {{"/docent", "bord.wks"}, {"/docent", "/file:" + here + "/bord.wks"}},
        {{"", "/DIR:", "x"}, {"/DIR:x"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CVeldtrakApp::CommandLineOptions(c.arguments), c.options) << c.arguments.join(u' ').toStdString();

    const QStringList options = CVeldtrakApp::CommandLineOptions({"/Docent", "/file:a", "b"});
    EXPECT_TRUE(HasCommandLineOption(options, "docent"));
    EXPECT_FALSE(HasCommandLineOption(options, "dir"));
    EXPECT_EQ(GetCommandLineOption(options, "file"), "a b");
    EXPECT_EQ(GetCommandLineOption(options, "docent"), QString());
}
