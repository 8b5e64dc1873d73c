// What a pupil does faster than the board's own rhythm: a click shorter than one tick
// of a measurement, and guide lines while a held Shift or Ctrl sends no repeats.
#include "AppFixture.h"

#include "shell/CommandIds.h"

#include <cstdlib>

namespace {

constexpr int kPushButton = 2;
constexpr int kSwitch = 17;
constexpr int kToggle = 19;
constexpr int kInverter = 6;

using QuickClickTest = AppFixture;

// A press and release between two ticks counts as held for one tick, at the socket the
// pupil clicked, even when the pointer has gone elsewhere by the tick.
TEST_F(QuickClickTest, AClickBetweenTwoTicksOperatesEachManualInputOnce)
{
    Start();
    CComponent* button = PlaceOnBoard(kPushButton, 200, -200);
    CComponent* sw = PlaceOnBoard(kSwitch, 200, -600);
    CComponent* toggle = PlaceOnBoard(kToggle, 200, -1000);
    const QPoint away = Pixel(CPoint(3000, -3000));
    const auto quickClick = [&](CComponent& c) {
        const QPoint socket = Pixel(c.Bus(0).GetCenter());
        QTest::mousePress(Board().viewport(), Qt::LeftButton, {}, socket);
        QTest::mouseRelease(Board().viewport(), Qt::LeftButton, {}, socket);
        QCursor::setPos(Board().viewport()->mapToGlobal(away));
    };
    const auto tick = [&] { Board().OnTimer(CBoardView::kMeasureTimer); };
    Run(ID_MEASURE_START);
    tick();

    quickClick(*button);
    tick();
    EXPECT_EQ(std::abs(button->Bus(1).m_nValue), kLevelHigh) << "pressed for the tick after the click";
    tick();
    EXPECT_EQ(std::abs(button->Bus(1).m_nValue), 0) << "and for that tick only";

    for (CComponent* c : {sw, toggle}) {
        quickClick(*c);
        tick();
        tick();
        EXPECT_EQ(c->m_nParam2, 1) << c->m_strName.toStdString() << ": one click flips it";
        quickClick(*c);
        tick();
        EXPECT_EQ(c->m_nParam2, 0) << c->m_strName.toStdString() << ": the next flips it back";
    }
    Run(ID_MEASURE_STOP);
}

TEST_F(QuickClickTest, ClicksWhileEditingOperateNothingOnceTheMeasurementStarts)
{
    Start();
    CComponent* toggle = PlaceOnBoard(kToggle, 200, -200);
    const QPoint socket = Pixel(toggle->Bus(0).GetCenter());
    QTest::mouseClick(Board().viewport(), Qt::LeftButton, {}, socket);
    ScriptedModals user; // the click may start a wire: no dialog expected either way
    Run(ID_MEASURE_START);
    Board().OnTimer(CBoardView::kMeasureTimer);
    EXPECT_EQ(toggle->m_nParam2, 0);
    Run(ID_MEASURE_STOP);
}

using GuideLinesTest = AppFixture;

// The guide lines stand on the component's edges: a pixel on the left edge's line, far
// below the component.
TEST_F(GuideLinesTest, GuidesFollowTheDraggedComponentWhileShiftIsHeld)
{
    Start();
    CComponent* c = PlaceOnBoard(kInverter, 400, -400);
    const QImage clean = Board().Surface().copy();
    const auto onLeftGuide = [&](int x) {
        return Board().Surface().pixel(Pixel(CPoint(x, -1000))) & 0xFFFFFF;
    };
    const CPoint grip = c->m_rect.CenterPoint();
    QTest::mousePress(Board().viewport(), Qt::LeftButton, {}, Pixel(grip));
    QTest::keyPress(&Board(), Qt::Key_Shift);
    EXPECT_NE(onLeftGuide(400), 0xFFFFFFu) << "shown at the key press";

    // No more key events come while the key is held; the mouse keeps moving.
    const CPoint to(grip.x + 500, grip.y - 100);
    QTest::mouseMove(Board().viewport(), Pixel(to));
    const int left = c->GetTopLeft().x;
    ASSERT_NE(left, 400) << "the component moved";
    EXPECT_NE(onLeftGuide(left), 0xFFFFFFu) << "the guides followed it";
    EXPECT_EQ(onLeftGuide(400), 0xFFFFFFu) << "and left nothing at the old place";

    QTest::keyRelease(&Board(), Qt::Key_Shift);
    EXPECT_EQ(onLeftGuide(left), 0xFFFFFFu) << "gone with the key";
    QTest::mouseMove(Board().viewport(), Pixel(CPoint(to.x + 100, to.y)));
    EXPECT_EQ(onLeftGuide(c->GetTopLeft().x), 0xFFFFFFu) << "and not back on the next move";
    QTest::mouseRelease(Board().viewport(), Qt::LeftButton, {}, Pixel(CPoint(to.x + 100, to.y)));

    // Back where it came from, the board is as clean as before the drag.
    c->MoveTo(400, -400);
    Doc().LayOutSockets();
    Doc().UpdateAllViews(0);
    Board().viewport()->repaint();
    EXPECT_EQ(Board().Surface(), clean);
}

// A key held before the press (placing from the palette leaves the focus elsewhere, so
// only the mouse's modifiers tell) shows the guides from the first move.
TEST_F(GuideLinesTest, ControlHeldWithTheMouseShowsGuidesOnTheFirstMove)
{
    Start();
    CComponent* c = PlaceOnBoard(kInverter, 400, -400);
    const CPoint grip = c->m_rect.CenterPoint();
    QTest::mousePress(Board().viewport(), Qt::LeftButton, Qt::ControlModifier, Pixel(grip));
    QMouseEvent move(QEvent::MouseMove, QPointF(Pixel(CPoint(grip.x + 300, grip.y))),
                     QPointF(Board().viewport()->mapToGlobal(Pixel(CPoint(grip.x + 300, grip.y)))),
                     Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
    QApplication::sendEvent(Board().viewport(), &move);
    EXPECT_NE(Board().Surface().pixel(Pixel(CPoint(c->GetTopLeft().x, -1000))) & 0xFFFFFF, 0xFFFFFFu);
    QTest::mouseRelease(Board().viewport(), Qt::LeftButton, {}, Pixel(CPoint(grip.x + 300, grip.y)));
    EXPECT_EQ(Board().Surface().pixel(Pixel(CPoint(c->GetTopLeft().x, -1000))) & 0xFFFFFF, 0xFFFFFFu);
}

} // namespace
