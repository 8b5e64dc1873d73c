// The measurement as the board view runs it: sound, mode and timer at Start, ticks
// drawn onto the surface with the key state word, the cursor, Stop and Reset.
#include "BoardViewFixture.h"

#include "boardview/Cursors.h"
#include "platform/DrawContext.h"

#include <QPaintEvent>
#include <QRegion>

#include <algorithm>
#include <vector>

namespace {

// A component that shows every tick: its inside turns black and white in turn. It
// keeps what the tick handed it.
class CTickMark : public CComponent {
public:
    CTickMark() : CComponent(0, 200, 200, 0) {}
    const char* GetClassName() const override { return "CTickMark"; }
    unsigned GetTypeId() const override { return 0; }
    int EditProperties(int) override { return EDIT_CANCELLED; }
    void Draw(CDC& dc) override
    {
        const CBrush old = dc.SelectObject(CBrush::White());
        dc.Rectangle(m_rect);
        dc.SelectObject(old);
    }
    void Update(CDC& dc, CPoint cursor, std::uint32_t* pState) override
    {
        m_bDark = !m_bDark;
        CRect inside = m_rect;
        inside.left += 40;
        inside.right -= 40;
        inside.top -= 40;
        inside.bottom += 40;
        dc.FillSolidRect(inside, m_bDark ? RGB(0, 0, 0) : RGB(255, 255, 255));
        m_cursor = cursor;
        m_nState = *pState;
        ++m_nTicks;
    }
    bool m_bDark = false;
    CPoint m_cursor;
    std::uint32_t m_nState = 0;
    int m_nTicks = 0;
};

class MeasurementViewTest : public BoardViewFixture {
protected:
    CTickMark* AddMark(int x, int y)
    {
        auto mark = std::make_unique<CTickMark>();
        mark->MoveTo(x, y);
        CTickMark* raw = mark.get();
        doc->AddComponent(std::move(mark));
        return raw;
    }
};

TEST_F(MeasurementViewTest, StartTicksAndStop)
{
    CComponent* a = Place(INVERTER, 100, -400);
    CComponent* b = Place(INVERTER, 500, -400);
    Wire(a->Bus(a->GetBusCount() - 1).GetId(), b->Bus(0).GetId());
    CTickMark* mark = AddMark(200, -100);
    ShowBoard();

    doc->Start();
    EXPECT_EQ(sound.log, QStringList({"play zoemer.wav", "stop"}));
    EXPECT_EQ(view->Mode(), MODE_MEASURING);
    EXPECT_TRUE(view->IsTimerActive(CBoardView::kMeasureTimer));
    EXPECT_TRUE(b->Bus(0).HasSources());
    Paint();

    const CPoint centre = mark->m_rect.CenterPoint();
    const int ticksBefore = mark->m_nTicks;
    view->OnTimer(CBoardView::kMeasureTimer);
    const QRgb afterOne = PixelAt(centre);
    view->OnTimer(CBoardView::kMeasureTimer);
    const QRgb afterTwo = PixelAt(centre);
    EXPECT_EQ(mark->m_nTicks, ticksBefore + 2);
    EXPECT_NE(afterOne, afterTwo) << "each tick draws straight onto the surface";

    doc->Stop();
    EXPECT_EQ(view->Mode(), MODE_IDLE);
    EXPECT_FALSE(view->IsTimerActive(CBoardView::kMeasureTimer));
    EXPECT_FALSE(b->Bus(0).HasSources()) << "Stop unlinks the sockets";
    EXPECT_FALSE(doc->m_bRunning);
}

TEST_F(MeasurementViewTest, TheStateWordCarriesHeldKeysAndButtonsAndTheCursorPoint)
{
    CTickMark* mark = AddMark(100, -100);
    ShowBoard();
    doc->Start();

    const QPoint client(60, 50);
    QCursor::setPos(view->viewport()->mapToGlobal(client));
    QTest::keyPress(view.get(), Qt::Key_CapsLock);
    view->OnTimer(CBoardView::kMeasureTimer);
    EXPECT_EQ(mark->m_nState, STATE_CAPSLOCK);
    EXPECT_EQ(mark->m_cursor, view->ClientToBoard(client));
    EXPECT_EQ(view->viewport()->cursor().bitmap().toImage(),
              GetBoardCursor(CURSOR_HEAT).bitmap().toImage());

    QTest::keyPress(view.get(), Qt::Key_Right);
    QTest::keyPress(view.get(), Qt::Key_Down);
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, client);
    view->OnTimer(CBoardView::kMeasureTimer);
    EXPECT_EQ(mark->m_nState, STATE_CAPSLOCK | STATE_UP_RIGHT | STATE_LEFT_DOWN | STATE_LEFT_BUTTON);

    QTest::keyRelease(view.get(), Qt::Key_CapsLock);
    QTest::keyRelease(view.get(), Qt::Key_Right);
    QTest::keyRelease(view.get(), Qt::Key_Down);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, client);
    view->OnTimer(CBoardView::kMeasureTimer);
    EXPECT_EQ(mark->m_nState, 0u);
    EXPECT_EQ(view->viewport()->cursor().bitmap().toImage(),
              GetBoardCursor(CURSOR_PLAIN).bitmap().toImage());
    doc->Stop();
}

TEST(CursorChoice, OnlyAnExactSourceKeyGivesItsCursor)
{
    const struct {
        std::uint32_t keys;
        BoardCursor cursor;
    } cases[] = {
        {0, CURSOR_PLAIN},
        {STATE_SHIFT, CURSOR_LIGHT},
        {STATE_CTRL, CURSOR_SOUND},
        {STATE_CAPSLOCK, CURSOR_HEAT},
        {STATE_SHIFT | STATE_CTRL, CURSOR_PLAIN},
        {STATE_SHIFT | STATE_UP_RIGHT, CURSOR_PLAIN},
        {STATE_CAPSLOCK | STATE_LEFT_DOWN, CURSOR_PLAIN},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CursorForState(c.keys), c.cursor) << c.keys;
}

TEST(Cursors, AreOneBitWithTheHotSpotAtTheArrowTip)
{
    for (BoardCursor kind : {CURSOR_PLAIN, CURSOR_LIGHT, CURSOR_SOUND, CURSOR_HEAT}) {
        const QCursor& cursor = GetBoardCursor(kind);
        EXPECT_EQ(cursor.bitmap().size(), QSize(32, 32));
        EXPECT_EQ(cursor.bitmap().depth(), 1);
        EXPECT_EQ(cursor.hotSpot(), QPoint(1, 1));
        EXPECT_EQ(QColor(BoardCursorImage(kind).pixel(1, 1)), QColor(Qt::black)) << kind;
    }
    // Each source cursor differs from the plain arrow.
    const QImage plain = BoardCursorImage(CURSOR_PLAIN);
    for (BoardCursor kind : {CURSOR_LIGHT, CURSOR_SOUND, CURSOR_HEAT})
        EXPECT_NE(BoardCursorImage(kind), plain) << kind;
}

TEST_F(MeasurementViewTest, ResetRedrawsEveryComponentAndKeepsTheMeasurementRunning)
{
    CTickMark* mark = AddMark(100, -100);
    ShowBoard();
    doc->Reset();
    EXPECT_EQ(view->Mode(), MODE_IDLE);
    EXPECT_EQ(mark->m_nState, STATE_RESET | STATE_REDRAW);

    doc->Start();
    doc->Reset();
    EXPECT_EQ(view->Mode(), MODE_MEASURING);
    EXPECT_TRUE(view->IsTimerActive(CBoardView::kMeasureTimer));
    doc->Stop();
}

// The centre of the source symbol in a measuring cursor's picture, from its hot spot:
// where the picture differs from the plain arrow.
QPoint SymbolOffset(BoardCursor kind)
{
    const QImage plain = BoardCursorImage(CURSOR_PLAIN);
    const QImage source = BoardCursorImage(kind);
    QRect symbol;
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            if (source.pixel(x, y) != plain.pixel(x, y))
                symbol |= QRect(x, y, 1, 1);
    return symbol.center() - GetBoardCursor(kind).hotSpot();
}

TEST_F(MeasurementViewTest, TheMouseIsASourceWhereItsCursorShowsTheSymbol)
{
    const struct {
        int creationIndex;
        Qt::Key key;
        Qt::KeyboardModifier modifier; // the keyboard state that comes with the key
        BoardCursor cursor;
    } cases[] = {{18, Qt::Key_CapsLock, Qt::NoModifier, CURSOR_HEAT},
                 {9, Qt::Key_Shift, Qt::ShiftModifier, CURSOR_LIGHT},
                 {5, Qt::Key_Control, Qt::ControlModifier, CURSOR_SOUND}};
    ShowBoard();
    for (const auto& c : cases) {
        CComponent* sensor = Place(c.creationIndex, 300, -300);
        Refresh();
        Paint();
        doc->Start();
        const QPoint onSymbol = view->BoardToClient(sensor->Bus(0).GetCenter());
        QCursor::setPos(view->viewport()->mapToGlobal(onSymbol - SymbolOffset(c.cursor)));
        // Through the window system, so that the keyboard state holds the key (Caps Lock
        // comes first: the offscreen keyboard state can keep a released Ctrl).
        view->setFocus();
        QTest::keyPress(view->windowHandle(), c.key, c.modifier);
        view->OnTimer(CBoardView::kMeasureTimer);
        QTest::keyRelease(view->windowHandle(), c.key, c.modifier);
        EXPECT_TRUE(view->viewport()->cursor().bitmap().toImage() == GetBoardCursor(c.cursor).bitmap().toImage())
            << c.creationIndex;
        // A pixel or two from the socket's centre; the picture's old offset gave 245.
        EXPECT_GE(std::abs(sensor->Bus(1).m_nValue), 400) << c.creationIndex << ": the symbol lies on the socket";
        doc->Stop();
        doc->m_components.clear();
    }
}

// Collects the areas of the viewport that are painted.
class CPaintRecorder : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
    QRegion painted;
};

TEST_F(MeasurementViewTest, WhatATickDrawsOutsideTheComponentsIsShownToo)
{
    CComponent* source = Place(21, 100, -100); // a voltage source at 5 V
    source->m_nParam1 = 50;
    CComponent* buzzer = Place(23, 700, -100); // its sound waves lie to its right
    ShowBoard();
    doc->LayOutSockets();
    Wire(source->Bus(0).GetId(), buzzer->Bus(0).GetId());
    Refresh();
    doc->Start();
    Paint();
    QTest::qWait(20);

    CPaintRecorder recorder;
    view->viewport()->installEventFilter(&recorder);
    for (int tick = 0; tick < 3; ++tick) {
        const QImage before = view->Surface().copy();
        recorder.painted = QRegion();
        view->OnTimer(CBoardView::kMeasureTimer); // draws straight onto the surface
        std::vector<QPoint> changed;
        for (int y = 0; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x)
                if (before.pixel(x, y) != view->Surface().pixel(x, y))
                    changed.emplace_back(x, y);
        EXPECT_FALSE(changed.empty()) << "a wave is drawn at every tick";
        // The window shows it once its paint event has come, later on a busy machine.
        int unshown = 0;
        (void)QTest::qWaitFor(
            [&] {
                unshown = int(std::count_if(changed.begin(), changed.end(),
                                            [&](QPoint p) { return !recorder.painted.contains(p); }));
                return unshown == 0;
            },
            5000);
        EXPECT_EQ(unshown, 0) << "tick " << tick;
    }
    view->viewport()->removeEventFilter(&recorder);
    doc->Stop();
}

} // namespace
