// A right click deletes only a wire it lands near, whatever erase margin the board
// settings dialog was given; anywhere else on empty board it opens that dialog.
#include "AppFixture.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kInverter = 6;

class WireEraseMarginTest : public AppFixture {
protected:
    void RightClick(CPoint p)
    {
        QTest::mouseClick(Board().viewport(), Qt::RightButton, {}, Pixel(p));
    }
    void LeftClick(CPoint p)
    {
        QTest::mouseClick(Board().viewport(), Qt::LeftButton, {}, Pixel(p));
    }

    // The pupil opens "Systeembord" with a right click on empty board and sets
    // "Wis marge draad".
    void SetEraseMarginInTheDialog(int margin)
    {
        ScriptedModals user;
        user.Then([margin](QDialog& dialog) {
            dialog.findChild<QLineEdit*>(QStringLiteral("edit1022"))
                ->setText(QString::number(margin));
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("button1")),
                              Qt::LeftButton);
            return dialog.result();
        });
        RightClick(kFarAway);
        ASSERT_EQ(user.Opened(), 1);
    }

    static constexpr CPoint kFarAway{900, -900};
};

TEST_F(WireEraseMarginTest, AFarRightClickOpensTheSettingsAndANearOneDeletesTheWire)
{
    Start();
    CComponent* a = PlaceOnBoard(kInverter, 200, -200);
    CComponent* b = PlaceOnBoard(kInverter, 1200, -200);
    // A straight wire from a's output to b's input.
    const CPoint from = a->Bus(1).GetCenter();
    const CPoint to = b->Bus(0).GetCenter();
    ASSERT_EQ(from.y, to.y);
    const CPoint middle((from.x + to.x) / 2, from.y);

    for (const int margin : {44, 45, 50}) {
        SCOPED_TRACE(margin);
        LeftClick(from);
        LeftClick(to);
        ASSERT_EQ(Doc().m_wires.size(), 1u);
        SetEraseMarginInTheDialog(margin);
        ASSERT_EQ(Doc().m_nEraseMargin, margin);
        EXPECT_EQ(Doc().m_wires.size(), 1u) << "the click that opened the dialog kept the wire";
        {
            ScriptedModals user;
            user.Answer(2); // "&Annuleer"
            RightClick(kFarAway);
            EXPECT_EQ(user.Opened(), 1) << "far from the wire: the board settings";
        }
        EXPECT_EQ(Doc().m_wires.size(), 1u);

        // 40 units beside the wire is within every one of these margins.
        {
            ScriptedModals none; // a miss would open the settings
            RightClick(CPoint(middle.x, middle.y - 40));
        }
        EXPECT_TRUE(Doc().m_wires.empty());
    }
}

} // namespace
