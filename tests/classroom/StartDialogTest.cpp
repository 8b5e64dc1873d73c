#include "LibraryFixture.h"

#include "classroom/StartDialog.h"
#include "classroom/WorksheetLibrary.h"
#include "platform/Clock.h"
#include "support/ScriptedModals.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

namespace {

const QString kAll = QStringLiteral("Alle categorieën");
const QString kEmpty = QStringLiteral("  === Leeg bord ===");

// A library in its own (byte) order, which differs from the case-blind order of the
// title list: "Banaan" < "Druif" < "appel" < "citroen".
const QStringList kEntries{"Verwerking#", "Blackbox#Banaan", "Blackbox#Druif", "Praktisch#appel",
                           "Praktisch#citroen"};
const QStringList kPaths{"verwerking\\leeg.wks", "blackbox\\banaan.wks", "blackbox\\druif.wks",
                         "praktisch\\appel.wks", "praktisch\\citroen.wks"};

QComboBox* Categories(QDialog& dialog)
{
    return dialog.findChild<QComboBox*>("combo1078");
}
QComboBox* Titles(QDialog& dialog)
{
    return dialog.findChild<QComboBox*>("combo1077");
}

QStringList Items(const QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

// Selects the item with exactly this text, as the user does.
void Pick(QComboBox* list, const QString& text)
{
    const int index = int(Items(list).indexOf(text));
    ASSERT_GE(index, 0) << text.toStdString();
    list->setCurrentIndex(index);
}

// The user picks a category and a title and presses OK.
std::function<int(QDialog&)> Choose(const QString& category, const QString& title)
{
    return [category, title](QDialog& dialog) {
        Pick(Categories(dialog), category);
        Pick(Titles(dialog), title);
        QTest::mouseClick(dialog.findChild<QPushButton*>("button1"), Qt::LeftButton);
        return dialog.result();
    };
}

TEST(StartDialogTest, ShowsItsTextsAndTheTitlesOfTheChosenCategory)
{
    ScriptedModals user;
    QStringList categories, allTitles, blackbox, praktisch;
    user.Then([&](QDialog& dialog) {
        categories = Items(Categories(dialog));
        EXPECT_EQ(Categories(dialog)->currentIndex(), 0);
        EXPECT_EQ(Titles(dialog)->currentText(), kEmpty);
        allTitles = Items(Titles(dialog));
        Pick(Categories(dialog), "Blackbox");
        blackbox = Items(Titles(dialog));
        EXPECT_EQ(Titles(dialog)->currentIndex(), 0);
        Pick(Categories(dialog), "Praktisch");
        praktisch = Items(Titles(dialog));
        return 2;
    });
    CStartDialog::ChooseWorksheet(kEntries + QStringList{"Blackbox#Appel"},
                                  kPaths + QStringList{"blackbox\\appel.wks"});

    EXPECT_EQ(user.Texts()[0],
              QStringList({"Selecteer hieronder een categorie werkbladen, en vervolgens een "
                           "werkblad-titel.",
                           "Eventueel kan je ook direct een werkblad selecteren uit de onderste "
                           "lijst van titels.",
                           "Selecteer een categorie:",
                           "In de geselecteerde categorie zijn de volgende werkblad-titels "
                           "gedefinieerd:",
                           "Selecteer de titel waarmee je wilt gaan werken, en druk op OK."}));
    EXPECT_EQ(categories, QStringList({kAll, "Verwerking", "Blackbox", "Praktisch"}));
    // Case-blind order; equal titles keep the library's order; the empty-board entry
    // stays first even before an empty title.
    EXPECT_EQ(allTitles, QStringList({kEmpty, "", "appel", "Appel", "Banaan", "citroen", "Druif"}));
    EXPECT_EQ(blackbox, QStringList({kEmpty, "Appel", "Banaan", "Druif"}));
    EXPECT_EQ(praktisch, QStringList({kEmpty, "appel", "citroen"}));
}

TEST(StartDialogTest, OpensTheEntryWhoseTitleWasShown)
{
    const struct {
        QString category;
        QString title;
        QString path;
    } cases[] = {
        {kAll, "appel", "praktisch\\appel.wks"},
        {kAll, "Banaan", "blackbox\\banaan.wks"},
        {kAll, "Druif", "blackbox\\druif.wks"},
        {kAll, "", "verwerking\\leeg.wks"},
        {"Praktisch", "citroen", "praktisch\\citroen.wks"},
        {"Blackbox", "Banaan", "blackbox\\banaan.wks"},
        {kAll, kEmpty, ""},
        {"Blackbox", kEmpty, ""},
        {"Verwerking", kEmpty, ""},
    };
    for (const auto& c : cases) {
        ScriptedModals user;
        user.Then(Choose(c.category, c.title));
        EXPECT_EQ(CStartDialog::ChooseWorksheet(kEntries, kPaths), c.path)
            << c.category.toStdString() << " / " << c.title.toStdString();
    }
}

TEST(StartDialogTest, EscapeGivesNoFile)
{
    ScriptedModals user;
    user.Then([](QDialog& dialog) {
        Pick(Titles(dialog), "Banaan");
        QTest::keyClick(&dialog, Qt::Key_Escape);
        return dialog.result();
    });
    EXPECT_EQ(CStartDialog::ChooseWorksheet(kEntries, kPaths), "");
}

TEST(StartDialogTest, AnEmptyLibraryOffersTheEmptyBoardOnly)
{
    ScriptedModals user;
    user.Then([](QDialog& dialog) {
        EXPECT_EQ(Items(Categories(dialog)), QStringList{kAll});
        EXPECT_EQ(Items(Titles(dialog)), QStringList{kEmpty});
        return 1;
    });
    EXPECT_EQ(CStartDialog::ChooseWorksheet({}, {}), "");
}

class StartDialogDocTest : public LibraryFixture {};

TEST_F(StartDialogDocTest, EveryNewBoardAfterTheFirstOpensTheChosenWorksheet)
{
    doc->m_worksheetFolders = {"praktisch\\", "blackbox\\"};
    WriteWorksheet("Praktisch/Auto_Licht.wks", "Autolicht");
    WriteWorksheet("blackbox/blackbox1.wks", "Blackbox 1");
    auto previous = SetPauseHandler([](int) {});
    BuildWorksheetLibrary(*doc);
    SetPauseHandler(std::move(previous));
    InstallStartDialog(*doc);

    ScriptedModals user;
    doc->OnFileNew(); // the start-up's own new board: no dialog
    EXPECT_EQ(user.Opened(), 0);

    QStringList hints;
    CHintLog view(hints);
    doc->AddView(&view);
    user.Then(Choose("Praktisch", "Autolicht"));
    doc->OnFileNew();
    doc->RemoveView(&view);
    EXPECT_EQ(user.Opened(), 1);
    EXPECT_EQ(doc->m_strBoardTitle, "Autolicht");
    EXPECT_TRUE(doc->GetPathName().endsWith("Auto_Licht.wks", Qt::CaseInsensitive))
        << doc->GetPathName().toStdString();
    EXPECT_EQ(hints.first(), "hint 14 0");
    EXPECT_EQ(hints.last(), "hint 14 0");

    user.Then(Choose("Blackbox", kEmpty));
    doc->OnFileNew();
    EXPECT_TRUE(doc->m_strBoardTitle.isEmpty());
}

} // namespace
