#include "LibraryFixture.h"

#include "classroom/WorksheetLibrary.h"
#include "platform/Clock.h"
#include "support/ScriptedModals.h"

#include <QCursor>
#include <QGuiApplication>

namespace {

class WorksheetLibraryTest : public LibraryFixture {
protected:
    // Builds the library, logging hints and pauses (skipped) in order.
    void Build()
    {
        CHintLog view(log);
        doc->AddView(&view);
        auto previous = SetPauseHandler([this](int ms) {
            log << QStringLiteral("pause %1").arg(ms);
            const QCursor* cursor = QGuiApplication::overrideCursor();
            waitCursorWhilePausing &= cursor && cursor->shape() == Qt::WaitCursor;
        });
        BuildWorksheetLibrary(*doc);
        SetPauseHandler(std::move(previous));
        doc->RemoveView(&view);
    }

    QStringList log;
    bool waitCursorWhilePausing = true;
};

TEST_F(WorksheetLibraryTest, CollectsTheTitlesOfEveryWorksheetOfTheCategoryFolders)
{
    doc->m_worksheetFolders = {"praktisch\\", "blackbox\\", "invoer en uitvoer\\",
                               "verwerking\\", "leerling\\"};
    doc->m_worksheetExtensions = {"wks", "ant"};
    WriteWorksheet("Praktisch/lamp.wks", "Lamp");
    WriteWorksheet("Praktisch/lamp.ant", "Lamp antwoord");
    WriteWorksheet("Praktisch/sub/diep.wks", "Niet in een subfolder");
    MakeFolder("Praktisch/map.wks");
    WriteWorksheet("Praktisch/lamp.txt", "Andere extensie");
    WriteWorksheet("blackbox/Doos.WKS", "Doos");
    WriteFile("blackbox/kapot.wks", Board("Kapot").left(5));
    WriteWorksheet("Invoer En Uitvoer/schakelaar.wks", "Schakelaar");
    WriteWorksheet("verwerking/leeg.wks", "");
    doc->m_bTeacherUnlock = true;

    ScriptedModals user;
    user.Then([this](QDialog& box) {
        log << box.windowTitle();
        return 1;
    });
    Build();

    // Found folder by folder from the last, extension by extension from the last; the
    // damaged file is reported while it is read and then leaves the list, so the
    // next file is read under the same index.
    EXPECT_EQ(log, QStringList({"hint 15 1", "pause 750", "hint 15 2", "pause 750", "hint 15 3",
                                "pause 1500", "hint 18 0", "hint 18 1", "hint 18 2", "hint 18 3",
                                "Foutmelding (AL61697)", "hint 18 3", "hint 18 4"}));
    EXPECT_EQ(user.Texts()[0].join(u' '), "Het einde van het bestand is bereikt.");
    EXPECT_EQ(doc->m_libraryEntries,
              QStringList({"Verwerking#", "Blackbox#Doos", "Praktisch#Lamp",
                           "Praktisch#Lamp antwoord", "Invoer en uitvoer#Schakelaar"}));
    EXPECT_EQ(doc->m_libraryPaths,
              QStringList({"verwerking\\leeg.wks", "blackbox\\Doos.WKS", "praktisch\\lamp.wks",
                           "praktisch\\lamp.ant", "invoer en uitvoer\\schakelaar.wks"}));

    EXPECT_TRUE(waitCursorWhilePausing);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    // Reading titles leaves the document as it was: no board, path or lost unlock.
    EXPECT_FALSE(doc->m_bScanning);
    EXPECT_TRUE(doc->m_bTeacherUnlock);
    EXPECT_TRUE(doc->m_strBoardTitle.isEmpty());
    EXPECT_FALSE(doc->GetPathName().endsWith(".wks"));
}

TEST_F(WorksheetLibraryTest, NoWorksheetsGiveAnEmptyLibrary)
{
    MakeFolder("praktisch");
    WriteWorksheet("praktisch/los.txt", "Geen werkblad");
    ScriptedModals user; // no dialog may open
    Build();
    EXPECT_TRUE(doc->m_libraryPaths.isEmpty());
    EXPECT_TRUE(doc->m_libraryEntries.isEmpty());
    EXPECT_EQ(log, QStringList({"hint 15 1", "pause 750", "hint 15 2", "pause 750", "hint 15 3",
                                "pause 1500"}));
}

TEST_F(WorksheetLibraryTest, SortsByTheStoredBytesOfTheTitlesKeepingEqualTitlesInOrder)
{
    doc->m_worksheetFolders = {"a\\", "b\\"};
    const struct {
        const char* file;
        const char* title;
    } worksheets[] = {
        {"b/1.wks", "b"}, {"b/2.wks", "B"}, {"b/3.wks", "a"}, {"b/4.wks", "é"},  {"b/5.wks", "€"},
        {"b/6.wks", "z"}, {"b/7.wks", "B"}, {"a/1.wks", "B"}, {"a/2.wks", "Ba"}, {"a/3.wks", "B "},
    };
    for (const auto& w : worksheets)
        WriteWorksheet(w.file, QString::fromUtf8(w.title));
    ScriptedModals user;
    Build();

    // "€" is 0x80 in the stored code page, below "é" (0xE9); folder b is found first.
    EXPECT_EQ(doc->m_libraryPaths,
              QStringList({"b\\2.wks", "b\\7.wks", "a\\1.wks", "a\\3.wks", "a\\2.wks", "b\\3.wks",
                           "b\\1.wks", "b\\6.wks", "b\\5.wks", "b\\4.wks"}));
    EXPECT_EQ(doc->m_libraryEntries.first(), "B#B");
    EXPECT_EQ(doc->m_libraryEntries.last(), QString::fromUtf8("B#é"));
}

TEST(WorksheetCategoryTest, IsTheHoldingFolderCapitalised)
{
    const struct {
        const char* path;
        const char* category;
    } cases[] = {
        {"praktisch\\auto_licht.wks", "Praktisch"},
        {"invoer en uitvoer\\invoer.wks", "Invoer en uitvoer"},
        {"BLACKBOX\\doos.wks", "Blackbox"},
        {"\\home\\juf\\werk\\leerling\\bord.wks", "Leerling"},
        {"\\bord.wks", ""},
        {"bord.wks", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WorksheetCategory(c.path), c.category) << c.path;
}

TEST(LibraryEntryTest, SplitsAtTheFirstHash)
{
    EXPECT_EQ(EntryCategory("Praktisch#Stap #2"), "Praktisch");
    EXPECT_EQ(EntryTitle("Praktisch#Stap #2"), "Stap #2");
    EXPECT_EQ(EntryTitle("Verwerking#"), "");
}

} // namespace
