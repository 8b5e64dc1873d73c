#include "DocFixture.h"

#include <QSettings>
#include <QStandardPaths>

namespace {

class SettingsTest : public DocFixture {
protected:
    QString SettingsFile() const { return QStringLiteral("Veldtrak Tanvo"); }
};

TEST_F(SettingsTest, ScramblingMatchesTheStoredForm)
{
    EXPECT_EQ(CSettingsStore::Scramble("abc"), QByteArray::fromHex("9E9C9A"));
    QByteArray all;
    for (int i = 0; i < 600; ++i)
        all.append(char(i * 7));
    EXPECT_EQ(CSettingsStore::Unscramble(CSettingsStore::Scramble(all)), all);
}

TEST_F(SettingsTest, NoFileGivesTheDefaults)
{
    doc->LoadSettings();
    EXPECT_EQ(doc->m_worksheetFolders,
              QStringList({QStringLiteral("praktisch\\"), QStringLiteral("blackbox\\"),
                           QStringLiteral("invoer en uitvoer\\"), QStringLiteral("verwerking\\"),
                           QStringLiteral("leerling\\")}));
    EXPECT_EQ(doc->m_worksheetExtensions, QStringList{QStringLiteral("wks")});
    EXPECT_EQ(doc->m_strFolderOutput, QStringLiteral("leerling\\"));
    EXPECT_EQ(doc->m_strDefaultHelpFile, QStringLiteral("help\\Veldtrak400.htm"));
    EXPECT_EQ(doc->m_nEraseMargin, 30);
}

TEST_F(SettingsTest, OneListAloneKeepsTheOtherEmpty)
{
    WriteFile(SettingsFile(), CSettingsStore::Scramble("ExtensieWerkblad0: ant\r\n"));
    doc->LoadSettings();
    EXPECT_EQ(doc->m_worksheetExtensions, QStringList{QStringLiteral("ant")});
    EXPECT_TRUE(doc->m_worksheetFolders.isEmpty());
}

TEST_F(SettingsTest, ParsingStopsAtACutLineAndReadsNumbersLeniently)
{
    WriteFile(SettingsFile(), CSettingsStore::Scramble("SnapMargin: 12x\r\nEraseMargin: abc\r\n"
                                                       "FolderWerkblad0: a\\\r\nFolderWerkblad1: a\\\r\n"
                                                       "FolderWerkblad2: a\\\r\nFolderWerkblad3: b\\\r\n"
                                                       "ProbeWidth: 99"));
    doc->LoadSettings();
    EXPECT_EQ(doc->m_nSnapMargin, 12);
    EXPECT_EQ(doc->m_nEraseMargin, 0) << "not a number reads as 0";
    EXPECT_EQ(doc->m_nProbeWidth, 30) << "the cut line does not count";
    EXPECT_EQ(doc->m_worksheetFolders, QStringList({QStringLiteral("a\\"), QStringLiteral("b\\")}))
        << "a run of equal entries shrinks to one";
}

TEST_F(SettingsTest, DamagedNumbersAreKeptInTheDialogsRanges)
{
    WriteFile(SettingsFile(), CSettingsStore::Scramble("SnapMargin: 2147483647\r\nEraseMargin: -9\r\n"
                                                       "TextSnap: 99999999999\r\nProbeWidth: 1\r\n"));
    doc->LoadSettings();
    EXPECT_EQ(doc->m_nSnapMargin, 50);
    EXPECT_EQ(doc->m_nEraseMargin, 0);
    EXPECT_EQ(doc->m_nTextSnap, 0) << "a number too long for an integer reads as 0";
    EXPECT_EQ(doc->m_nProbeWidth, 30);
}

TEST_F(SettingsTest, EveryValueRoundTripsWithTheTeacherUnlock)
{
    doc->LoadSettings();
    doc->m_strPassword = QStringLiteral("café");
    doc->m_strFolderBitmap = QStringLiteral("plaatjes\\");
    doc->m_nSnapMargin = 17;
    doc->m_nTextSnap = 5;
    doc->m_worksheetFolders = {QStringLiteral("één\\"), QStringLiteral("twee\\")};
    doc->m_worksheetExtensions = {QStringLiteral("wks"), QStringLiteral("ant")};
    doc->m_strDefaultHelpFile = QString(11000, u'x'); // longer than any fixed buffer
    doc->m_bTeacherUnlock = true;
    doc->SaveSettings();

    CVeldtrakDoc other;
    other.LoadSettings();
    EXPECT_EQ(other.m_strPassword, QStringLiteral("café"));
    EXPECT_EQ(other.m_strFolderBitmap, QStringLiteral("plaatjes\\"));
    EXPECT_EQ(other.m_nSnapMargin, 17);
    EXPECT_EQ(other.m_nTextSnap, 5);
    EXPECT_EQ(other.m_worksheetFolders, doc->m_worksheetFolders);
    EXPECT_EQ(other.m_worksheetExtensions, doc->m_worksheetExtensions);
    EXPECT_EQ(other.m_strDefaultHelpFile.size(), 11000);

    QSettings registry(QStringLiteral("Morvane, Lindholt"), QStringLiteral("Veldtrak Tanvo"));
    EXPECT_EQ(registry.value(QStringLiteral("Version 4.0/FolderRoot")).toString(), doc->m_strFolderRoot);
}

TEST_F(SettingsTest, WithoutTheUnlockNothingIsWritten)
{
    WriteFile(SettingsFile(), CSettingsStore::Scramble("Password: geheim\r\n"));
    doc->LoadSettings();
    doc->m_strPassword = QStringLiteral("anders");
    doc->SaveSettings();
    EXPECT_EQ(ReadFile(SettingsFile()), CSettingsStore::Scramble("Password: geheim\r\n"));
}

TEST_F(SettingsTest, DirOptionOverridesTheOutputFolder)
{
    WriteFile(SettingsFile(), CSettingsStore::Scramble("FolderOutput: elders\\\r\n"));
    doc->m_commandLine = {QStringLiteral("/file:bord.wks"), QStringLiteral("\"/dir:D:\\uitvoer\" ")};
    doc->LoadSettings();
    EXPECT_EQ(doc->m_strFolderOutput, QStringLiteral("D:\\uitvoer\\")); // kept as a folder
    EXPECT_EQ(doc->GetCommandLineOption(QStringLiteral("file")), QStringLiteral("bord.wks"));
    EXPECT_EQ(doc->GetCommandLineOption(QStringLiteral("x")), QString());
    ScriptedModals none;
    EXPECT_TRUE(doc->OnOpenDocument(QStringLiteral("D:\\uitvoer"))) << "the output folder is no board";
}

} // namespace
