#include "boardview/BoardSettingsDlg.h"
#include "document/Document.h"
#include "platform/Paths.h"
#include "support/ScriptedModals.h"

#include <gtest/gtest.h>

#include <QColorDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

class BoardSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetProgramFolder(m_dir.path());
        doc = std::make_unique<CVeldtrakDoc>();
    }
    void TearDown() override
    {
        doc.reset();
        SetProgramFolder(QString());
    }
    static void Type(QDialog& dialog, int id, const QString& text)
    {
        dialog.findChild<QLineEdit*>(QStringLiteral("edit%1").arg(id))->setText(text);
    }
    static int Press(QDialog& dialog, int id)
    {
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("button%1").arg(id)),
                          Qt::LeftButton);
        return dialog.isVisible() ? -1 : dialog.result();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<CVeldtrakDoc> doc;
    CBoardSettingsDlg dlg;
};

TEST_F(BoardSettingsTest, OkCopiesTheValuesAndTheInvertedColour)
{
    ScriptedModals user;
    user.Then([](QDialog& d) {
        EXPECT_EQ(d.focusWidget(), d.findChild<QLineEdit*>(QStringLiteral("edit1024")));
        if (const QString folder = qEnvironmentVariable("VT_SCREENSHOTS"); !folder.isEmpty())
            d.grab().save(folder + QStringLiteral("/systeembord.png"));
        Type(d, 1024, QStringLiteral("100"));
        Type(d, 1021, QStringLiteral("0"));
        Type(d, 1022, QStringLiteral("50"));
        Type(d, 1023, QStringLiteral("300"));
        return Press(d, 1);
    });
    EXPECT_EQ(dlg.Edit(*doc), 1);
    EXPECT_EQ(doc->m_nTextSnap, 100);
    EXPECT_EQ(doc->m_nSnapMargin, 0);
    EXPECT_EQ(doc->m_nEraseMargin, 50);
    EXPECT_EQ(doc->m_nProbeWidth, 300);
    EXPECT_EQ(user.Titles()[0], QStringLiteral("Systeembord"));
}

TEST_F(BoardSettingsTest, OutOfRangeValuesAreRefusedInFieldOrder)
{
    const struct {
        int field;
        const char* text;
        const char* message;
    } cases[] = {
        {1023, "29", "Please enter an integer between 30 and 300."},
        {1023, "301", "Please enter an integer between 30 and 300."},
        {1021, "51", "Please enter an integer between 0 and 50."},
        {1024, "x", "Please enter an integer."},
    };
    for (const auto& c : cases) {
        ScriptedModals user;
        QString shown;
        user.Then([&](QDialog& d) {
            Type(d, c.field, QString::fromLatin1(c.text));
            const int result = Press(d, 1); // refused: the dialog stays open
            EXPECT_EQ(result, -1) << c.text;
            return Press(d, 2);
        });
        user.Then([&](QDialog& message) {
            shown = ScriptedModals::LabelTexts(message).join(u' ');
            return 1;
        });
        EXPECT_EQ(dlg.Edit(*doc), 2);
        EXPECT_EQ(shown, QString::fromLatin1(c.message));
        EXPECT_EQ(doc->m_nProbeWidth, 30) << "nothing reached the document";
    }
}

TEST_F(BoardSettingsTest, ColourIsTakenOnlyOnOk)
{
    const COLORREF red = RGB(255, 0, 0);
    auto chooseRed = [](QDialog& chooser) {
        static_cast<QColorDialog&>(chooser).setCurrentColor(Qt::red);
        return int(QDialog::Accepted);
    };
    {
        ScriptedModals user;
        user.Then([](QDialog& d) { return Press(d, 3) == -1 ? Press(d, 2) : 0; }).Then(chooseRed);
        dlg.Edit(*doc);
    }
    EXPECT_EQ(doc->m_colWire, RGB(255, 255, 255)) << "cancelled: unchanged";
    ScriptedModals user;
    user.Then([](QDialog& d) { return Press(d, 3) == -1 ? Press(d, 1) : 0; }).Then(chooseRed);
    dlg.Edit(*doc);
    EXPECT_EQ(doc->m_colWire, red ^ 0xFFFFFF);
}

} // namespace
