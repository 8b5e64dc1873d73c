// Painting the board: the first paint, exclusive-or sprites against plain drawing,
// scrolling, and the hints that only change the mode or the scroll position.
#include "BoardViewFixture.h"

#include "boardview/Sprites.h"
#include "platform/DrawContext.h"

#include <QScrollBar>

namespace {

using BoardPaintTest = BoardViewFixture;

TEST_F(BoardPaintTest, FirstPaintDrawsNothingAndStartsTheStartupTimer)
{
    Place(AND_GATE, 100, -100);
    ShowView();
    EXPECT_TRUE(AllWhite(view->Surface()));
    EXPECT_TRUE(view->IsTimerActive(CBoardView::kStartupTimer));
    EXPECT_FALSE(view->IsTimerActive(CBoardView::kMeasureTimer));

    doc->UpdateAllViews(HINT_REFRESH);
    Paint();
    EXPECT_FALSE(AllWhite(view->Surface())) << "later paints draw the board";
}

class OverlapTest : public BoardViewFixture {
public:
    // The surface after a full repaint.
    QImage Surface()
    {
        doc->UpdateAllViews(HINT_REFRESH);
        Paint();
        return view->Surface().copy();
    }
};

TEST_F(OverlapTest, OverlappingComponentsCombineByXorWhileEditingAndPlainlyWhileMeasuring)
{
    ShowBoard();
    Place(AND_GATE, 100, -100);
    const QImage first = Surface();
    Place(OR_GATE, 180, -150);
    const QImage both = Surface();
    auto kept = std::move(doc->m_components.front());
    doc->m_components.erase(doc->m_components.begin());
    const QImage second = Surface();
    doc->m_components.insert(doc->m_components.begin(), std::move(kept));

    // Editing: each pixel is white exclusive-or both components' pixels.
    int overlapping = 0;
    QPoint grey(-1, -1);
    for (int y = 0; y < both.height(); ++y) {
        for (int x = 0; x < both.width(); ++x) {
            const QRgb a = first.pixel(x, y) & 0xFFFFFF, b = second.pixel(x, y) & 0xFFFFFF;
            ASSERT_EQ(both.pixel(x, y) & 0xFFFFFF, a ^ b ^ 0xFFFFFF) << x << "," << y;
            if (a != 0xFFFFFF && b != 0xFFFFFF)
                ++overlapping;
            if (a == b && a != 0xFFFFFF && a != 0 && grey.x() < 0)
                grey = QPoint(x, y);
        }
    }
    ASSERT_GT(overlapping, 100) << "the gates must overlap";
    ASSERT_GE(grey.x(), 0) << "a pixel inside both bodies";
    EXPECT_EQ(both.pixel(grey) & 0xFFFFFF, 0xFFFFFFu) << "equal colours cancel out";

    // Measuring: drawn plainly, one body over the other.
    doc->Start();
    Paint();
    EXPECT_EQ(view->Mode(), MODE_MEASURING);
    EXPECT_EQ(view->Surface().pixel(grey) & 0xFFFFFF, first.pixel(grey) & 0xFFFFFF);
    doc->Stop();
}

// The sprite as the board was first designed to build it: a 1024 x 1024 bitmap filled
// white over 1024 units, the component drawn at the origin, everything inverted. The
// origin lies 16 pixels in: the component's drawing reaches a unit past its corner,
// which is a whole pixel before it where a unit is more than half a pixel.
constexpr int kReferenceMargin = 16;
void DrawReferenceSprite(CMemoryDC& sprite, CComponent& c)
{
    const CPoint place = c.GetTopLeft();
    c.MoveTo(0, 0);
    sprite.SetViewportOrg(kReferenceMargin, kReferenceMargin);
    sprite.SelectObject(CPen::White());
    sprite.SelectObject(CBrush::White());
    sprite.Rectangle(0, 0, 1024, -1024);
    sprite.SelectObject(CFont::Label(44));
    sprite.SetBkMode(TRANSPARENT);
    c.m_rect.InflateRect(1);
    c.Draw(sprite);
    c.m_rect.InflateRect(-1);
    sprite.SetBkMode(OPAQUE);
    c.MoveTo(place.x, place.y);
    sprite.SetROP2(R2_XORPEN);
    sprite.SelectObject(CPen::White());
    sprite.SelectObject(CBrush::White());
    sprite.Rectangle(-1024, 1024, 1024, -1024);
    sprite.SetROP2(R2_COPYPEN);
}

struct SpriteCase {
    int dpi;
    CPoint at;       // board units
    CPoint viewport; // the context's viewport origin: a scrolled view
};

void PrintTo(const SpriteCase& k, std::ostream* os)
{
    *os << k.dpi << " dpi at (" << k.at.x << "," << k.at.y << "), viewport (" << k.viewport.x
        << "," << k.viewport.y << ")";
}

class SpriteTest : public BoardViewFixture, public ::testing::WithParamInterface<SpriteCase> {};

TEST_P(SpriteTest, GivesTheDesignedPixelsAndRemovesItselfWhenDrawnTwice)
{
    const SpriteCase& k = GetParam();
    std::unique_ptr<CComponent> gate = doc->CreateComponent(AND_GATE);
    gate->MoveTo(k.at.x, k.at.y);

    QImage board(500, 400, QImage::Format_RGB32);
    board.fill(Qt::white);
    QImage expected = board.copy();
    {
        // A wire under the sprite: the sprite must give it back untouched.
        CDC dc(board, k.dpi);
        dc.SetViewportOrg(k.viewport.x, k.viewport.y);
        const CPoint line[] = {{k.at.x - 50, k.at.y - 40}, {k.at.x + 400, k.at.y - 60}};
        dc.Polyline(line, 2);
    }
    const QImage withWire = board.copy();
    {
        CMemoryDC reference(1024, 1024, k.dpi);
        DrawReferenceSprite(reference, *gate);
        CDC dc(expected, k.dpi);
        dc.SetViewportOrg(k.viewport.x, k.viewport.y);
        const CSize size = gate->GetSize();
        const CPoint corner = dc.LPtoDP(gate->GetTopLeft());
        // The designed copy: the component's corner on the pixel it was drawn at, and
        // enough around it for the reach past the corner (around it is black: no change).
        reference.SetViewportOrg(k.viewport.x - corner.x + kReferenceMargin, k.viewport.y - corner.y + kReferenceMargin);
        const int x = gate->GetTopLeft().x - 10, y = gate->GetTopLeft().y + 10;
        dc.BitBlt(x, y, size.cx + 20, -(size.cy + 20), reference, x, y, SRCINVERT);
    }

    CSprite sprite(*gate, k.dpi);
    QImage onWhite(500, 400, QImage::Format_RGB32);
    onWhite.fill(Qt::white);
    {
        CDC dc(onWhite, k.dpi);
        dc.SetViewportOrg(k.viewport.x, k.viewport.y);
        sprite.XorOnto(dc, gate->GetTopLeft());
    }
    EXPECT_EQ(onWhite, expected);
    EXPECT_FALSE(AllWhite(onWhite));

    {
        CDC dc(board, k.dpi);
        dc.SetViewportOrg(k.viewport.x, k.viewport.y);
        sprite.XorOnto(dc, gate->GetTopLeft());
        EXPECT_NE(board, withWire);
        sprite.XorOnto(dc, gate->GetTopLeft());
    }
    EXPECT_EQ(board, withWire);
}

INSTANTIATE_TEST_SUITE_P(Placements, SpriteTest,
                         ::testing::Values(SpriteCase{96, {100, -100}, {0, 0}},
                                           SpriteCase{96, {333, -217}, {-37, -11}},
                                           SpriteCase{120, {251, -101}, {-5, 0}},
                                           SpriteCase{144, {17, -3}, {0, -29}}));

TEST_F(BoardPaintTest, ScrollingRedrawsTheSurfaceAtTheNewPosition)
{
    Place(AND_GATE, 100, -100);
    Place(INVERTER, 700, -300);
    ShowBoard();
    const QImage before = view->Surface().copy();
    const QPoint gateBefore = view->BoardToClient(CPoint(100, -100));
    const QPoint shift(10, 20);
    view->horizontalScrollBar()->setValue(shift.x());
    view->verticalScrollBar()->setValue(shift.y());
    Paint();
    EXPECT_EQ(view->BoardToClient(CPoint(100, -100)), gateBefore - shift);
    EXPECT_EQ(view->BoardToClient(view->ClientToBoard(QPoint(33, 44))), QPoint(33, 44));
    const QRect common = QRect(QPoint(0, 0), before.size() - QSize(shift.x(), shift.y()));
    EXPECT_EQ(view->Surface().copy(common), before.copy(common.translated(shift)));
}

struct HintCase {
    int hint;
    int argument;
    int mode;
};

void PrintTo(const HintCase& k, std::ostream* os)
{
    *os << "hint " << k.hint << " " << k.argument;
}

class HintModeTest : public BoardViewFixture, public ::testing::WithParamInterface<HintCase> {};

TEST_P(HintModeTest, LeavesTheModeTheHintAsks)
{
    ShowBoard();
    doc->UpdateAllViews(MODE_MARKING); // an unknown hint is stored as the mode
    ASSERT_EQ(view->Mode(), MODE_MARKING);
    doc->UpdateAllViews(GetParam().hint, GetParam().argument);
    EXPECT_EQ(view->Mode(), GetParam().mode);
}

INSTANTIATE_TEST_SUITE_P(Hints, HintModeTest,
                         ::testing::Values(HintCase{-16, 0, -16}, HintCase{HINT_REFRESH, 0, MODE_IDLE},
                                           HintCase{HINT_TICK, 0, MODE_MARKING},
                                           HintCase{HINT_OPENED, 0, MODE_IDLE}, // a new board ends the marking
                                           HintCase{HINT_STARTUP_IMAGE, 0, MODE_IDLE},
                                           // the frames end what the mouse was doing
                                           HintCase{HINT_PAGE_FRAMES, 0, MODE_IDLE},
                                           HintCase{42, 7, 42}));

TEST_F(BoardPaintTest, BoardOpenedScrollsToTheOriginOnlyWithArgumentZero)
{
    ShowBoard();
    view->verticalScrollBar()->setValue(300);
    doc->UpdateAllViews(HINT_OPENED, -1);
    EXPECT_EQ(view->verticalScrollBar()->value(), 300);
    doc->UpdateAllViews(HINT_OPENED, 0);
    EXPECT_EQ(view->verticalScrollBar()->value(), 0);
}

TEST_F(BoardPaintTest, ScrollKeysMoveTheBoardOnlyWhenIdle)
{
    ShowBoard();
    QScrollBar* v = view->verticalScrollBar();
    QTest::keyClick(view.get(), Qt::Key_PageDown);
    const int page = v->value();
    EXPECT_GT(page, 0);
    QTest::keyClick(view.get(), Qt::Key_Up);
    EXPECT_EQ(v->value(), page - v->singleStep());
    QTest::keyClick(view.get(), Qt::Key_End);
    EXPECT_EQ(v->value(), v->maximum());
    EXPECT_EQ(view->horizontalScrollBar()->value(), view->horizontalScrollBar()->maximum());
    QTest::keyClick(view.get(), Qt::Key_Home);
    EXPECT_EQ(v->value(), 0);

    doc->UpdateAllViews(-16);
    QTest::keyClick(view.get(), Qt::Key_PageDown);
    EXPECT_EQ(v->value(), 0);
}

TEST_F(BoardPaintTest, ScrollRangesCoverTheBoardInPixels)
{
    ShowBoard(QSize(640, 480));
    const int dpi = view->viewport()->logicalDpiX();
    const int boardHeight = (11300 * dpi + 127) / 254;
    EXPECT_EQ(view->verticalScrollBar()->maximum() + view->viewport()->height(), boardHeight);
    EXPECT_EQ(view->verticalScrollBar()->pageStep(), view->viewport()->height() - (100 * dpi + 127) / 254);
}

} // namespace
