#include "components/dialogs/BlackboxDlg.h"
#include "components/dialogs/NoPropertiesDlg.h"
#include "components/dialogs/ValidatedField.h"
#include "tests/support/ScriptedModals.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QColorDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <vector>

namespace {

constexpr int kAll = 255;
constexpr int kChangeProperties = 0x80;
constexpr int kDelete = 0x02;

template <class T>
T* Find(QWidget& parent, const char* name)
{
    T* widget = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// A step for ScriptedModals: the user acts on the dialog, which answers with the result it
// ended with (0 while it is still open).
std::function<int(QDialog&)> UserDoes(std::function<void(QDialog&)> action)
{
    return [action](QDialog& dialog) {
        action(dialog);
        return dialog.result();
    };
}

void Click(QDialog& dialog, const char* buttonName)
{
    QTest::mouseClick(Find<QPushButton>(dialog, buttonName), Qt::LeftButton);
}

void Press(QDialog& dialog, Qt::Key key)
{
    QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, key);
}

void Retype(QLineEdit* edit, const QString& text)
{
    edit->clear();
    QTest::keyClicks(edit, text);
}

// Built as the dialogs with a number field are: edit 1021 takes 0 to 100, and a
// "&Kies kleur" button edits a set of colours.
class CTestFieldDlg : public CPropertyDialog {
public:
    CTestFieldDlg() : CPropertyDialog(162, QStringLiteral("Lichtsensor"), kAll)
    {
        m_pField = AddEdit(1021, 55, 41, 17, 12);
        AddColourButton(129, 51, m_colours);
    }

    QLineEdit* m_pField;
    int m_nValue = -1;
    std::array<COLORREF, 16> m_colours{};

protected:
    bool Validate() override { return CheckInteger(*m_pField, 0, 100); }
    void SaveControls() override { m_nValue = ParseInteger(m_pField->text()).value_or(-2); }
};

TEST(PropertyDialogTest, PermissionsGreyOkAndWisButAnnuleerAlwaysWorks)
{
    struct Case {
        int permissions;
        bool bOk;
        bool bWis;
    };
    const std::vector<Case> cases = {
        {kAll, true, true},
        {kAll & ~kChangeProperties, false, true},
        {kAll & ~kDelete, true, false},
        {0, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.permissions);
        CNoPropertiesDlg dlg(QStringLiteral("Drukschakelaar"), c.permissions);
        ScriptedModals user;
        user.Then(UserDoes([&c](QDialog& d) {
            EXPECT_EQ(Find<QPushButton>(d, "button1")->isEnabled(), c.bOk);
            EXPECT_EQ(Find<QPushButton>(d, "button172")->isEnabled(), c.bWis);
            if (!c.bOk)
                Click(d, "button1");
            if (!c.bWis)
                Click(d, "button172");
            EXPECT_TRUE(d.isVisible()) << "a greyed button ended the dialog";
            Click(d, "button2");
        }));
        EXPECT_EQ(dlg.Run(), 2);
    }
}

TEST(PropertyDialogTest, TitleIsTheComponentsName)
{
    CNoPropertiesDlg dlg(QStringLiteral("Drukschakelaar"), kAll);
    ScriptedModals user;
    user.Answer(2);
    dlg.Run();
    EXPECT_EQ(user.Titles(), QStringList{u"Drukschakelaar"_qs});
    EXPECT_EQ(user.Texts().at(0), QStringList{u"Deze component heeft geen eigenschappen."_qs});
}

TEST(PropertyDialogTest, EachWayOutEndsWithItsOwnResult)
{
    struct Case {
        const char* name;
        std::function<void(QDialog&)> action;
        int result;
    };
    const std::vector<Case> cases = {
        {"OK", [](QDialog& d) { Click(d, "button1"); }, 1},
        {"Enter in a field", [](QDialog& d) { Press(d, Qt::Key_Return); }, 1},
        {"Annuleer", [](QDialog& d) { Click(d, "button2"); }, 2},
        {"Escape", [](QDialog& d) { Press(d, Qt::Key_Escape); }, 2},
        {"window closed", [](QDialog& d) { d.close(); }, 2},
        {"Wis", [](QDialog& d) { Click(d, "button172"); }, 172},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CBlackboxDlg dlg(QStringLiteral("EN-poort"), kAll);
        ScriptedModals user;
        user.Then(UserDoes(c.action));
        EXPECT_EQ(dlg.Run(), c.result);
    }
}

TEST(PropertyDialogTest, WisEndsAtOnceWithoutValidation)
{
    CTestFieldDlg dlg;
    ScriptedModals user; // a validation message would be an unexpected dialog
    user.Then(UserDoes([&dlg](QDialog& d) {
        Retype(dlg.m_pField, u"abc"_qs);
        Click(d, "button172");
    }));
    EXPECT_EQ(dlg.Run(), 172);
    EXPECT_EQ(dlg.m_nValue, -1) << "values were taken back";
}

TEST(BlackboxDlgTest, ShowsTheValuesAndTakesThemBackOnlyOnOk)
{
    struct Case {
        const char* button;
        int result;
        bool bTakenBack;
    };
    const std::vector<Case> cases = {
        {"button1", 1, true}, {"button2", 2, false}, {"button172", 172, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        CBlackboxDlg dlg(QStringLiteral("EN-poort"), kAll);
        dlg.m_bBlackbox = true;
        dlg.m_strStandard = u"EN-poort"_qs;
        dlg.m_strBlackbox = u"X1"_qs;
        ScriptedModals user;
        user.Then(UserDoes([&c](QDialog& d) {
            auto* check = Find<QCheckBox>(d, "check1050");
            EXPECT_TRUE(check->isChecked());
            EXPECT_EQ(Find<QLineEdit>(d, "edit1021")->text(), u"EN-poort"_qs);
            EXPECT_EQ(Find<QLineEdit>(d, "edit1022")->text(), u"X1"_qs);
            QTest::mouseClick(check, Qt::LeftButton);
            Retype(Find<QLineEdit>(d, "edit1021"), u"Poort A"_qs);
            Retype(Find<QLineEdit>(d, "edit1022"), u"B2"_qs);
            Click(d, c.button);
        }));
        EXPECT_EQ(dlg.Run(), c.result);
        EXPECT_EQ(dlg.m_bBlackbox, !c.bTakenBack);
        EXPECT_EQ(dlg.m_strStandard, c.bTakenBack ? u"Poort A"_qs : u"EN-poort"_qs);
        EXPECT_EQ(dlg.m_strBlackbox, c.bTakenBack ? u"B2"_qs : u"X1"_qs);
    }
}

TEST(BlackboxDlgTest, OpensWithStandaardOpdrukSelected)
{
    CBlackboxDlg dlg(QStringLiteral("EN-poort"), kAll);
    dlg.m_strStandard = u"EN-poort"_qs;
    ScriptedModals user;
    user.Then(UserDoes([](QDialog& d) {
        auto* edit = Find<QLineEdit>(d, "edit1021");
        EXPECT_EQ(d.focusWidget(), edit);
        EXPECT_EQ(edit->selectedText(), u"EN-poort"_qs);
        Click(d, "button2");
    }));
    dlg.Run();
}

TEST(ValidationTest, RefusedFieldKeepsTheDialogOpenWithTheFocusOnIt)
{
    CTestFieldDlg dlg;
    ScriptedModals user;
    user.Then(UserDoes([&dlg](QDialog& d) {
            Retype(dlg.m_pField, u"101"_qs);
            Find<QPushButton>(d, "button1")->setFocus();
            Press(d, Qt::Key_Return);
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(d.result(), 0);
            EXPECT_EQ(d.focusWidget(), dlg.m_pField);
            EXPECT_EQ(dlg.m_pField->selectedText(), u"101"_qs);
            Retype(dlg.m_pField, u"100"_qs);
            Click(d, "button1");
        }))
        .Then(UserDoes([](QDialog& message) {
            EXPECT_EQ(message.objectName(), u"validationMessage"_qs);
            Click(message, "button1");
        }));
    EXPECT_EQ(dlg.Run(), 1);
    EXPECT_EQ(dlg.m_nValue, 100);
    ASSERT_EQ(user.Opened(), 2);
    EXPECT_EQ(user.Titles().at(1), u"Veldtrak Tanvo"_qs);
    EXPECT_EQ(user.Texts().at(1), QStringList{u"Please enter an integer between 0 and 100."_qs});
}

TEST(ValidationTest, ChecksShowTheFrameworkMessages)
{
    using Check = std::function<bool(QLineEdit&)>;
    const Check integer = [](QLineEdit& f) { return CheckInteger(f, 0, 100); };
    const Check positive = [](QLineEdit& f) { return CheckUnsigned(f, 0, 10); };
    const Check number = [](QLineEdit& f) { return CheckNumber(f, 0.0f, 5.0f); };
    const Check fourChars = [](QLineEdit& f) { return CheckMaxChars(f, 4); };
    struct Case {
        const char* name;
        Check check;
        QString text;
        QString message; // empty: accepted
    };
    const std::vector<Case> cases = {
        {"integer: letters", integer, u"abc"_qs, u"Please enter an integer."_qs},
        {"integer: empty", integer, u""_qs, u"Please enter an integer."_qs},
        {"integer: fraction", integer, u"12.5"_qs, u"Please enter an integer."_qs},
        {"integer: above", integer, u"101"_qs, u"Please enter an integer between 0 and 100."_qs},
        {"integer: below", integer, u"-1"_qs, u"Please enter an integer between 0 and 100."_qs},
        {"integer: blanks around", integer, u" 100 "_qs, {}},
        {"positive: negative", positive, u"-1"_qs, u"Please enter a positive integer."_qs},
        {"positive: letters", positive, u"x"_qs, u"Please enter a positive integer."_qs},
        {"positive: above", positive, u"11"_qs, u"Please enter an integer between 0 and 10."_qs},
        {"positive: top", positive, u"10"_qs, {}},
        {"number: letters", number, u"x"_qs, u"Please enter a number."_qs},
        {"number: above", number, u"5,01"_qs, u"Please enter a number between 0 and 5."_qs},
        {"number: below", number, u"-0.5"_qs, u"Please enter a number between 0 and 5."_qs},
        {"number: decimal comma", number, u"2,5"_qs, {}},
        {"number: decimal point", number, u"5.0"_qs, {}},
        {"chars: five", fourChars, u"12345"_qs, u"Please enter no more than 4 characters."_qs},
        {"chars: four", fourChars, u"2,50"_qs, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget window;
        QLineEdit field(&window);
        field.setText(c.text);
        ScriptedModals user;
        if (!c.message.isEmpty())
            user.Answer(1);
        EXPECT_EQ(c.check(field), c.message.isEmpty());
        if (!c.message.isEmpty()) {
            ASSERT_EQ(user.Opened(), 1);
            EXPECT_EQ(user.Texts().at(0), QStringList{c.message});
            EXPECT_EQ(field.selectedText(), c.text);
        }
    }
}

TEST(ValidationTest, NumbersUseADecimalComma)
{
    EXPECT_EQ(NumberText(2.5f), u"2,5"_qs);
    EXPECT_EQ(NumberText(0.7f), u"0,7"_qs);
    EXPECT_EQ(ParseNumber(NumberText(0.7f)), 0.7f);
}

// The user selects custom box 15, picks a colour and adds it to the custom colours.
void SetCustomBox15(QColorDialog& chooser, const QColor& colour)
{
    // Qt's chooser shows the custom boxes in the second well array, two rows of eight,
    // numbered down the columns.
    QList<QWidget*> wells;
    for (QWidget* child : chooser.findChildren<QWidget*>())
        if (QByteArray(child->metaObject()->className()).endsWith("QWellArray"))
            wells << child;
    ASSERT_EQ(wells.size(), 2);
    QWidget* custom = wells[1];
    const QPoint box15(custom->width() * 15 / 16, custom->height() * 3 / 4);
    QTest::mouseClick(custom, Qt::LeftButton, {}, box15);
    chooser.setCurrentColor(colour);
    for (QPushButton* button : chooser.findChildren<QPushButton*>())
        if (button->text().contains(u"Custom"))
            QTest::mouseClick(button, Qt::LeftButton);
}

TEST(ColourChooserTest, HandsBackTheCustomColoursHoweverItCloses)
{
    for (const int chooserResult : {QDialog::Accepted, QDialog::Rejected}) {
        SCOPED_TRACE(chooserResult);
        CTestFieldDlg dlg;
        dlg.m_colours.fill(RGB(0, 0, 0));
        dlg.m_colours[3] = RGB(1, 2, 3);
        ScriptedModals user;
        user.Then(UserDoes([](QDialog& d) {
                Click(d, "button1097");
                Click(d, "button2");
            }))
            .Then([chooserResult](QDialog& d) {
                auto& chooser = dynamic_cast<QColorDialog&>(d);
                EXPECT_EQ(chooser.currentColor(), QColor(Qt::white));
                EXPECT_EQ(QColorDialog::customColor(3), QColor(1, 2, 3));
                SetCustomBox15(chooser, QColor(0, 200, 0));
                return chooserResult;
            });
        dlg.Run();
        EXPECT_EQ(dlg.m_colours[15], RGB(0, 200, 0));
        EXPECT_EQ(dlg.m_colours[3], RGB(1, 2, 3));
        EXPECT_EQ(dlg.m_colours[14], RGB(0, 0, 0));
    }
}

} // namespace
