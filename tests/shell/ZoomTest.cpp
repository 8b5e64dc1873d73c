// Zooming the board in the running program: the menu items, their keys and Ctrl with
// the wheel; editing with the mouse at other sizes; exclusive-or drawing that still
// removes itself exactly; and a board that does not change by being looked at closer.
// The same tests also run on a screen of device pixel ratio 2.
#include "AppFixture.h"

#include "boardview/ZoomSteps.h"
#include "shell/CommandIds.h"
#include "boardview/Printing.h"
#include "document/BoardArchive.h"
#include "support/ScreenshotFolder.h"

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

constexpr int kComparator = 1;
constexpr int kInverter = 6;
constexpr int kProbe = 24;

class ZoomTest : public AppFixture {
protected:
    // The board at this percentage, scrolled to its top-left corner and painted.
    void ZoomTo(int percent)
    {
        Run(ID_VIEW_ZOOM_TRUE_SIZE);
        while (Board().ZoomPercent() < percent)
            Run(ID_VIEW_ZOOM_IN);
        while (Board().ZoomPercent() > percent)
            Run(ID_VIEW_ZOOM_OUT);
        ASSERT_EQ(Board().ZoomPercent(), percent);
        QTest::keyClick(&Board(), Qt::Key_Home);
        Board().viewport()->repaint();
    }
    void Wheel(QPoint at, int delta)
    {
        QWheelEvent event(at, Board().viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Board().viewport(), &event);
    }
    // Two inverters, the first one's output wired to the second one's input.
    std::pair<CComponent*, CComponent*> WiredPair()
    {
        CComponent* a = PlaceOnBoard(kInverter, 300, -300);
        CComponent* b = PlaceOnBoard(kInverter, 900, -500);
        Doc().m_wires.push_back(std::make_unique<CDraad>());
        Doc().m_wires.back()->AddPoint(a->Bus(1).GetCenter(), a->Bus(1).GetId(), 30);
        Doc().m_wires.back()->AddPoint(b->Bus(0).GetCenter(), b->Bus(0).GetId(), 30);
        Doc().UpdateAllViews(0);
        return {a, b};
    }
    QImage Surface()
    {
        Board().viewport()->repaint();
        return Board().Surface().copy();
    }
    QWidget* View() { return Board().viewport(); }
};

TEST_F(ZoomTest, MenuItemsAndTheirKeysStepThroughTheZoomAndStopAtItsEnds)
{
    Start();
    EXPECT_EQ(Board().ZoomPercent(), 100);
    EXPECT_EQ(Frame()->ZoomPane().text(), "Zoom 100 %");

    struct KeyStep {
        Qt::Key key;
        int percent;
    };
    const KeyStep steps[] = {
        {Qt::Key_Plus, 125},  {Qt::Key_Equal, 150}, {Qt::Key_Plus, 200}, {Qt::Key_Plus, 300},
        {Qt::Key_Plus, 400},  {Qt::Key_Plus, 400},  {Qt::Key_0, 100},    {Qt::Key_Minus, 75},
        {Qt::Key_Minus, 67},  {Qt::Key_Minus, 50},  {Qt::Key_Minus, 33}, {Qt::Key_Minus, 25},
        {Qt::Key_Minus, 25},
    };
    for (const KeyStep& step : steps) {
        QTest::keyClick(&Board(), step.key, Qt::ControlModifier);
        EXPECT_EQ(Board().ZoomPercent(), step.percent) << step.key;
        EXPECT_EQ(Frame()->ZoomPane().text(), QStringLiteral("Zoom %1 %").arg(step.percent));
    }
    EXPECT_FALSE(Enabled(ID_VIEW_ZOOM_OUT));
    EXPECT_TRUE(Enabled(ID_VIEW_ZOOM_IN));
    Run(ID_VIEW_ZOOM_IN);
    EXPECT_EQ(Board().ZoomPercent(), 33);
    for (int i = 0; i < 12; ++i)
        Run(ID_VIEW_ZOOM_IN);
    EXPECT_EQ(Board().ZoomPercent(), 400);
    EXPECT_FALSE(Enabled(ID_VIEW_ZOOM_IN));
    Run(ID_VIEW_ZOOM_TRUE_SIZE);
    EXPECT_EQ(Board().ZoomPercent(), 100);
}

TEST_F(ZoomTest, TheStartMenuIsNotZoomed)
{
    WriteMenuWorksheets();
    Start();
    ASSERT_EQ(Board().Mode(), MODE_STARTUP);
    EXPECT_FALSE(Enabled(ID_VIEW_ZOOM_IN));
    QTest::keyClick(&Board(), Qt::Key_Plus, Qt::ControlModifier);
    Wheel(QPoint(100, 100), 120);
    EXPECT_EQ(Board().ZoomPercent(), 100);
    ClickStartMenu(1); // the start menu's buttons still answer where they are drawn
    EXPECT_EQ(Board().Mode(), MODE_IDLE);
    EXPECT_TRUE(Enabled(ID_VIEW_ZOOM_IN));
}

TEST_F(ZoomTest, CtrlWheelKeepsTheBoardPointUnderTheMouse)
{
    Start();
    Board().horizontalScrollBar()->setValue(300);
    Board().verticalScrollBar()->setValue(400);
    const QPoint mouse(View()->width() / 2 + 37, View()->height() / 2 - 23);
    const CPoint held = Board().ClientToBoard(mouse);

    struct WheelStep {
        int delta;
        int percent;
    };
    // Half notches add up; two notches at once go two steps.
    for (const WheelStep& step : {WheelStep{120, 125}, WheelStep{60, 125}, WheelStep{60, 150},
                                  WheelStep{240, 300}, WheelStep{-120, 200}, WheelStep{-240, 125}}) {
        Wheel(mouse, step.delta);
        ASSERT_EQ(Board().ZoomPercent(), step.percent) << step.delta;
        const CPoint now = Board().ClientToBoard(mouse);
        // Within the board units of one screen pixel at the smaller of the two sizes.
        EXPECT_LE(std::abs(now.x - held.x), 3) << step.percent;
        EXPECT_LE(std::abs(now.y - held.y), 3) << step.percent;
    }
    // The scroll range follows the zoom: at 125 % the board's far corner is reachable.
    QTest::keyClick(&Board(), Qt::Key_End);
    const CPoint corner = Board().ClientToBoard(QPoint(View()->width(), View()->height()));
    EXPECT_NEAR(corner.x, CBoardView::kBoardWidth, 3);
    EXPECT_NEAR(corner.y, -CBoardView::kBoardHeight, 3);

    // A wheel without Ctrl scrolls as before.
    const int before = Board().verticalScrollBar()->value();
    QTest::keyClick(&Board(), Qt::Key_Home);
    QWheelEvent plain(mouse, View()->mapToGlobal(mouse), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(View(), &plain);
    EXPECT_GT(Board().verticalScrollBar()->value(), 0);
    EXPECT_NE(Board().verticalScrollBar()->value(), before);
    EXPECT_EQ(Board().ZoomPercent(), 125);
}

TEST_F(ZoomTest, AtTwiceTheSizeTheMouseWiresDragsAndAttachesProbes)
{
    Start();
    const auto [a, b] = WiredPair();
    Doc().m_wires.clear();
    Doc().UpdateAllViews(0);
    ZoomTo(200);

    // A click on the output socket starts a wire, one on the other input finishes it.
    const QPoint output = Pixel(a->Bus(1).GetCenter());
    QTest::mouseClick(View(), Qt::LeftButton, {}, output);
    ASSERT_NE(Board().WireInProgress(), nullptr);
    QTest::mouseMove(View(), Pixel(b->Bus(0).GetCenter()));
    QTest::mouseClick(View(), Qt::LeftButton, {}, Pixel(b->Bus(0).GetCenter()));
    ASSERT_EQ(Doc().m_wires.size(), 1u);
    EXPECT_EQ(Doc().m_wires[0]->GetPoint(0), a->Bus(1).GetCenter());
    EXPECT_EQ(Doc().m_wires[0]->GetPointFromEnd(0), b->Bus(0).GetCenter());

    // 192 pixels at 200 % are 254 board units (one inch at 96 dpi), to the unit.
    const CPoint before = b->GetTopLeft();
    const QPoint grip = Pixel(b->m_rect.CenterPoint());
    QTest::mousePress(View(), Qt::LeftButton, {}, grip);
    QTest::mouseMove(View(), grip + QPoint(96, 0));
    QTest::mouseMove(View(), grip + QPoint(192, 192));
    QTest::mouseRelease(View(), Qt::LeftButton, {}, grip + QPoint(192, 192));
    EXPECT_EQ(b->GetTopLeft(), CPoint(before.x + 254, before.y - 254));
    EXPECT_EQ(Doc().m_wires[0]->GetPointFromEnd(0), b->Bus(0).GetCenter()) << "the wire follows";

    // A probe from the palette, dropped with its tip on the input socket, attaches.
    Doc().UpdateAllViews(HINT_PLACE_COMPONENT, kProbe | (40 << 16));
    auto* probe = static_cast<CSonde*>(Doc().m_components.back().get());
    ASSERT_EQ(probe->GetTypeId(), unsigned(TYPE_SONDE));
    const CPoint input = a->Bus(0).GetCenter();
    const CPoint to(input.x + probe->GetTopLeft().x - probe->TipPoint().x,
                    input.y + probe->GetTopLeft().y - probe->TipPoint().y);
    QTest::mouseMove(View(), Pixel(to));
    QTest::mouseRelease(View(), Qt::LeftButton, {}, Pixel(to));
    EXPECT_EQ(probe->AttachedBus(), a->Bus(0).GetId());
}

TEST_F(ZoomTest, ExclusiveOrDrawingRemovesItselfExactlyAtEveryZoom)
{
    Start();
    const auto [a, b] = WiredPair();
    for (const CZoomStep& zoom : kZoomSteps) {
        SCOPED_TRACE(zoom.percent);
        ZoomTo(zoom.percent);
        const QImage board = Surface();

        // Dragging a wired component away and back leaves every pixel as it was.
        const QPoint grip = Pixel(a->m_rect.CenterPoint());
        QTest::mousePress(View(), Qt::LeftButton, {}, grip);
        QTest::mouseMove(View(), grip + QPoint(57, 31));
        QTest::mouseMove(View(), grip + QPoint(13, 90));
        QTest::mouseMove(View(), grip);
        EXPECT_EQ(Board().Surface(), board) << "drag";
        QTest::mouseRelease(View(), Qt::LeftButton, {}, grip);
        EXPECT_EQ(a->GetTopLeft(), CPoint(300, -300));

        // The rubber band of a wire being drawn, moved and moved back.
        QTest::mouseClick(View(), Qt::LeftButton, {}, Pixel(b->Bus(1).GetCenter()));
        ASSERT_NE(Board().WireInProgress(), nullptr);
        const QPoint end = Pixel(CPoint(1500, -900));
        QTest::mouseMove(View(), end);
        const QImage banded = Board().Surface().copy();
        QTest::mouseMove(View(), end + QPoint(41, -17));
        QTest::mouseMove(View(), end + QPoint(-23, 29));
        QTest::mouseMove(View(), end);
        EXPECT_EQ(Board().Surface(), banded) << "rubber band";
        QTest::keyClick(&Board(), Qt::Key_Escape);
        EXPECT_EQ(Surface(), board) << "abandoned wire";
    }
}

TEST_F(ZoomTest, EveryZoomStepDrawsTheComparatorsWholeReferencePath)
{
    Start();
    CComponent* comparator = PlaceOnBoard(kComparator, 100, -100);
    // The path runs down the component's left edge from (L, T - 5r) to (L, T - 8r). The
    // component is drawn in its rectangle inflated by a unit, which with y upwards puts L
    // a unit left of the rectangle and T a unit below its top.
    const int r = comparator->Bus(0).GetRadius();
    const int left = comparator->m_rect.left - 1;
    const int top = comparator->m_rect.top - 1;
    for (const CZoomStep& zoom : kZoomSteps) {
        SCOPED_TRACE(zoom.percent);
        ZoomTo(zoom.percent);
        const QImage surface = Surface();
        surface.save(ScreenshotFolder() + QStringLiteral("/zoom-comparator-%1.png").arg(zoom.percent));
        const double ratio = View()->devicePixelRatioF();
        const auto surfacePixel = [&](CPoint board) {
            const QPoint client = Pixel(board);
            return QPoint(int(std::lround(client.x() * ratio)), int(std::lround(client.y() * ratio)));
        };
        const QPoint upper = surfacePixel(CPoint(left, top - 5 * r));
        const QPoint lower = surfacePixel(CPoint(left, top - 8 * r));
        ASSERT_GT(lower.y() - upper.y(), 3);
        ASSERT_TRUE(surface.rect().contains(QRect(upper - QPoint(1, 0), lower + QPoint(1, 0))));
        for (int y = upper.y() + 2; y <= lower.y() - 2; ++y) {
            bool dark = false;
            for (int x = upper.x() - 1; x <= upper.x() + 1; ++x)
                dark = dark || qGray(surface.pixel(x, y)) < 100;
            EXPECT_TRUE(dark) << "row " << y - upper.y() << " of the vertical segment";
        }
    }
}

TEST_F(ZoomTest, TheScreenGetsTheSurfacesPixelForPixel)
{
    Start();
    WiredPair();
    ZoomTo(150);
    const QImage surface = Surface();
    const double ratio = View()->devicePixelRatioF();
    if (qEnvironmentVariableIsSet("VT_EXPECT_DEVICE_PIXEL_RATIO")) { // the run on a sharper screen
        ASSERT_EQ(ratio, qEnvironmentVariableIntValue("VT_EXPECT_DEVICE_PIXEL_RATIO"));
    }
    EXPECT_EQ(surface.size(), View()->size() * ratio);
    QImage shown = View()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    shown.setDevicePixelRatio(1);
    EXPECT_EQ(shown, surface);

    // The palette beside it is as sharp, its hover band included.
    QWidget* pane = Palette().viewport();
    QTest::mouseMove(pane, QPoint(40, 30));
    ASSERT_GE(Palette().HoveredRow(), 0);
    pane->repaint();
    const QImage palette = Palette().Surface().copy();
    EXPECT_EQ(palette.size(), pane->size() * ratio);
    QImage paletteShown = pane->grab().toImage().convertToFormat(QImage::Format_RGB32);
    paletteShown.setDevicePixelRatio(1);
    EXPECT_EQ(paletteShown, palette);
}

// Where everything on the board is: the annotations' rectangles and the sockets' centres.
QStringList Layout(CVeldtrakDoc& doc)
{
    QStringList places;
    for (const ObjectList* list : {&doc.m_textFields, &doc.m_tables, &doc.m_pictures})
        for (const auto& object : *list)
            if (const CRect* r = AnnotationRect(*object))
                places << QStringLiteral("%1 %2 %3 %4").arg(r->left).arg(r->top).arg(r->right).arg(r->bottom);
    for (const auto& c : doc.m_components)
        for (int i = 0; i < c->GetBusCount(); ++i)
            places << QStringLiteral("%1 %2").arg(c->Bus(i).GetCenter().x).arg(c->Bus(i).GetCenter().y);
    return places;
}

TEST_F(ZoomTest, ZoomingMovesNothingAndChangesNoStoredByte)
{
    // A shipped worksheet with text fields, a picture and wires, as the build makes it.
    Start({QStringLiteral("/file:" VT_SHIPPED_FOLDER "/praktisch/auto_licht.wks")});
    ASSERT_FALSE(Doc().m_components.empty());
    ASSERT_FALSE(Doc().m_textFields.empty());
    Board().viewport()->repaint();
    const QByteArray before = WriteBoard(Doc());
    const QStringList places = Layout(Doc());
    for (int percent : {200, 33, 400, 67, 100}) {
        SCOPED_TRACE(percent);
        ZoomTo(percent);
        EXPECT_EQ(Layout(Doc()), places);
        QTest::keyClick(&Board(), Qt::Key_End);
        Board().viewport()->repaint();
        EXPECT_EQ(Layout(Doc()), places);
    }
    EXPECT_EQ(WriteBoard(Doc()), before);
    EXPECT_FALSE(Doc().IsModified());
}

} // namespace
