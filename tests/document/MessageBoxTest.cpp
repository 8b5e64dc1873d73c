#include "document/MessageBox.h"
#include "document/ConfirmBox.h"
#include "tests/support/ScriptedModals.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <functional>
#include <ostream>
#include <vector>

namespace {

constexpr int kSaveQuestionId = 61665; // "Moet dit bord worden gesaved?"
constexpr int kCreateFolderId = 61663; // a question longer than one line

// A step for ScriptedModals: the user acts on the box, which answers what it ended with.
std::function<int(QDialog&)> UserDoes(std::function<void(QDialog&)> action) {
    return [action](QDialog& box) {
        action(box);
        return box.result();
    };
}

void Click(QDialog& box, const char* buttonName) {
    QPushButton* button = box.findChild<QPushButton*>(QString::fromLatin1(buttonName));
    ASSERT_NE(button, nullptr) << buttonName;
    QTest::mouseClick(button, Qt::LeftButton);
}

void PressEnter(QDialog& box) {
    QTest::keyClick(box.focusWidget() ? box.focusWidget() : &box, Qt::Key_Return);
}

TEST(CutLinesTest, CutsTextIntoAtMostFourLines) {
    struct Case {
        const char* name;
        QString text;
        int width;
        QStringList lines;
    };
    const std::vector<Case> cases = {
        {"short refusal gets a full stop",
         u"Geen toestemming om bedrading te wissen"_qs,
         50,
         {u"Geen toestemming om bedrading te wissen."_qs}},
        {"question mark kept",
         u"Moet dit bord worden gesaved?"_qs,
         42,
         {u"Moet dit bord worden gesaved?"_qs}},
        {"exclamation mark kept", u"Let op!"_qs, 50, {u"Let op!"_qs}},
        {"empty text", QString(), 50, {u"."_qs}},
        {"full stop counts before cutting",
         u"De ingevoerde folder voor uitvoerbestanden bestaat"_qs,
         50,
         {u"De ingevoerde folder voor uitvoerbestanden"_qs, u"bestaat."_qs}},
        {"long word cut after the width",
         QString(119, u'x') + u'.',
         50,
         {QString(50, u'x'), QString(50, u'x'), QString(19, u'x') + u'.'}},
        {"only blank at position 0",
         u' ' + QString(60, u'x'),
         50,
         {u' ' + QString(49, u'x'), QString(11, u'x') + u'.'}},
        {"blank just past the width",
         QString(50, u'a') + u" bbb"_qs,
         50,
         {QString(50, u'a'), u"bbb."_qs}},
        {"cut at the last of several blanks, rest stripped",
         u"een twee   drie vier"_qs,
         10,
         {u"een twee "_qs, u"drie vier."_qs}},
        {"lines of the confirm box",
         u"De ingevoerde folder voor uitvoerbestanden bestaat niet. Moet deze worden aangemaakt?"_qs,
         42,
         {u"De ingevoerde folder voor"_qs, u"uitvoerbestanden bestaat niet. Moet deze"_qs,
          u"worden aangemaakt?"_qs}},
        {"what does not fit is dropped",
         u"aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii jjjj"_qs,
         10,
         {u"aaaa bbbb"_qs, u"cccc dddd"_qs, u"eeee ffff"_qs, u"gggg hhhh"_qs}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CMessageBox::CutLines(c.text, c.width), c.lines);
    }
}

TEST(MessageBoxTest, ShowsCutTextUnderItsCaptionUntilOk) {
    const QString text = u"Het bestand kon niet worden gelezen omdat het geen werkblad is of "
                         u"omdat het beschadigd is"_qs;
    const QStringList lines = CMessageBox::CutLines(text, CMessageBox::kCharsPerLine);
    ASSERT_EQ(lines.size(), 2);

    CMessageBox box;
    QString firstLine;
    ScriptedModals user;
    user.Then(UserDoes([&](QDialog& shown) {
        firstLine = shown.findChild<QLabel*>(u"line1088"_qs)->text();
        Click(shown, "button1");
    }));
    box.Show(text, u"Foutmelding"_qs);

    EXPECT_EQ(user.Titles(), QStringList{u"Foutmelding"_qs});
    EXPECT_EQ(user.Texts(), QList<QStringList>{lines}); // top to bottom
    EXPECT_EQ(firstLine, lines[0]);
    EXPECT_EQ(box.Lines(), (QStringList{lines[0], lines[1], QString(), QString()}));
    EXPECT_EQ(box.result(), 1);
    EXPECT_FALSE(box.isVisible());
}

TEST(MessageBoxTest, KeepsItsSizeAndFitsFullLines) {
    CMessageBox box;
    ScriptedModals user;
    user.Answer(1).Answer(1);

    box.Show(u"Kort"_qs, u"Waarschuwing"_qs);
    const QSize shortSize = box.size();
    const QString wide = u"Waarschuwing: deze HANDELING WORDT GEWEIGERD, MAAK EERST"_qs;
    box.Show(wide + u' ' + wide + u' ' + wide + u' ' + wide, u"Waarschuwing"_qs);

    EXPECT_EQ(box.size(), shortSize);
    EXPECT_EQ(box.minimumSize(), box.maximumSize());
    for (QLabel* line : box.findChildren<QLabel*>(QRegularExpression(u"^line"_qs))) {
        SCOPED_TRACE(line->text().toStdString());
        EXPECT_LE(line->fontMetrics().horizontalAdvance(line->text()),
                  line->contentsRect().width());
    }
}

TEST(ConfirmBoxTest, AsksTheQuestionUnderBevestig) {
    CConfirmBox box;
    ScriptedModals user;
    user.Answer(CConfirmBox::kNee).Answer(CConfirmBox::kNee);

    box.Ask(kSaveQuestionId);
    EXPECT_EQ(user.Titles(), QStringList{u"Bevestig"_qs});
    EXPECT_EQ(box.Lines(), (QStringList{u"Moet dit bord worden gesaved?"_qs, {}, {}, {}}));

    // A longer question fills the lines of the confirm box, not those of the message box.
    box.Ask(kCreateFolderId);
    EXPECT_EQ(box.Lines(), (QStringList{u"De ingevoerde folder voor"_qs,
                                        u"uitvoerbestanden bestaat niet. Moet deze"_qs,
                                        u"worden aangemaakt?"_qs,
                                        {}}));
}

TEST(ConfirmBoxTest, AnswersWhatTheUserDid) {
    struct Case {
        const char* name;
        std::function<void(QDialog&)> action;
        int result;
    };
    const std::vector<Case> cases = {
        {"Ja clicked", [](QDialog& box) { Click(box, "button6"); }, CConfirmBox::kJa},
        {"Nee clicked", [](QDialog& box) { Click(box, "button7"); }, CConfirmBox::kNee},
        {"Enter takes the default", PressEnter, CConfirmBox::kNee},
        {"Escape", [](QDialog& box) { QTest::keyClick(&box, Qt::Key_Escape); },
         CConfirmBox::kClosed},
        {"window closed", [](QDialog& box) { box.close(); }, CConfirmBox::kClosed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CConfirmBox box;
        ScriptedModals user;
        user.Then(UserDoes(c.action));
        EXPECT_EQ(box.AskText(u"Bord echt wissen?"_qs), c.result);
        EXPECT_FALSE(box.isVisible());
    }
}

TEST(ConfirmBoxTest, NeeIsTheDefaultEachTimeTheBoxOpens) {
    // The box is kept and reopened: moving to Ja once must not make Ja the default later.
    CConfirmBox box;
    QPushButton* ja = box.findChild<QPushButton*>(u"button6"_qs);
    QPushButton* nee = box.findChild<QPushButton*>(u"button7"_qs);
    ScriptedModals user;
    user.Then(UserDoes([&](QDialog& shown) {
            EXPECT_EQ(shown.focusWidget(), nee);
            ja->setFocus();
            PressEnter(shown);
        }))
        .Then(UserDoes([&](QDialog& shown) {
            EXPECT_EQ(shown.focusWidget(), nee);
            PressEnter(shown);
        }));

    EXPECT_EQ(box.Ask(kSaveQuestionId), CConfirmBox::kJa);
    EXPECT_EQ(box.Ask(kSaveQuestionId), CConfirmBox::kNee);
}

} // namespace
