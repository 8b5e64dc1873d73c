// Starting the program: names, sound, Dutch standard dialogs, the document and the
// maximised main window; and how the command line reaches the document.
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

TEST(VeldtrakAppTest, ABoardNamedWithoutASwitchBecomesTheFileSwitch)
{
    const QString here = QDir::currentPath();
    EXPECT_EQ(CVeldtrakApp::CommandLineOptions({"bord.wks", "/dir:uit", "\"/file:a b.wks\""}),
              QStringList({"/file:" + here + "/bord.wks", "/dir:uit", "\"/file:a b.wks\""}));
    EXPECT_EQ(CVeldtrakApp::CommandLineOptions({"/home/juf/bord.wks"}),
              QStringList({"/file:/home/juf/bord.wks"}));
}
