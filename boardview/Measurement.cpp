// The view's side of a measurement: the tick timer, the key state word, the cursor of
// the source the mouse stands for, and drawing the ticks straight onto the surface.
#include "BoardView.h"

#include "Cursors.h"
#include "platform/DrawContext.h"
#include "platform/Paths.h"
#include "platform/Sound.h"
#include "platform/Strings.h"

#include <QCursor>
#include <QGuiApplication>

namespace {
constexpr int kTickMilliseconds = 50;
constexpr int kBuzzerSoundId = 61645; // "zoemer.wav"
} // namespace

void CBoardView::OnMeasurementStarted()
{
    // Playing and stopping at once loads the sound, so the first buzz starts without delay.
    SoundService().PlayLooping(FileSystemPath(ProgramFolder() + LoadString(kBuzzerSoundId)));
    SoundService().StopAll();
    m_nMode = MODE_MEASURING;
    m_pressedSinceTick = {}; // clicks made while editing operate nothing
    InvalidateAll();
    SetTimer(kMeasureTimer, kTickMilliseconds);
}

void CBoardView::OnMeasurementStopped()
{
    SetCurrentCursor(CURSOR_PLAIN);
    m_nMode = MODE_IDLE;
    KillTimer(kMeasureTimer);
    // The levels stay: the board shows the state it stopped in, and a new Start goes
    // on from there.
    m_doc.UnlinkAll();
    InvalidateAll();
}

void CBoardView::OnMeasurementReset()
{
    FlushPendingPaint();
    {
        CDC dc(m_surface, Dpi());
        PrepareDC(dc);
        m_doc.ResetComponents(dc);
    }
    m_nMode = m_doc.m_bRunning ? MODE_MEASURING : MODE_IDLE;
    InvalidateAll();
}

std::uint32_t CBoardView::KeyStateWord() const
{
    std::uint32_t state = 0;
    const Qt::KeyboardModifiers modifiers = QGuiApplication::queryKeyboardModifiers();
    if (modifiers & Qt::ControlModifier)
        state |= STATE_CTRL;
    if (modifiers & Qt::ShiftModifier)
        state |= STATE_SHIFT;
    if (m_nHeldKeys & HELD_CAPSLOCK)
        state |= STATE_CAPSLOCK;
    if (m_nHeldKeys & (HELD_UP | HELD_RIGHT))
        state |= STATE_UP_RIGHT;
    if (m_nHeldKeys & (HELD_LEFT | HELD_DOWN))
        state |= STATE_LEFT_DOWN;
    return state;
}

void CBoardView::SetCurrentCursor(int cursor)
{
    if (cursor == m_nCursor)
        return;
    m_nCursor = cursor;
    viewport()->setCursor(GetBoardCursor(BoardCursor(cursor)));
}

void CBoardView::MeasurementTick()
{
    FlushPendingPaint();
    QRect changed;
    {
        CDC dc(m_surface, Dpi());
        PrepareDC(dc);
        // A left click that came and went since the last tick acts where it was made.
        const bool quickClick = (m_pressedSinceTick & Qt::LeftButton) && !(m_buttons & Qt::LeftButton);
        const QPoint client = quickClick ? m_ptLeftPress : viewport()->mapFromGlobal(QCursor::pos());
        const CPoint cursor = ClientToBoard(client);
        m_nInputState = KeyStateWord();
        SetCurrentCursor(CursorForState(m_nInputState));
        const Qt::MouseButtons buttons = m_buttons | m_pressedSinceTick;
        m_pressedSinceTick = {};
        if (buttons & Qt::LeftButton)
            m_nInputState |= STATE_LEFT_BUTTON;
        if (buttons & Qt::RightButton)
            m_nInputState |= STATE_RIGHT_BUTTON;
        // Components may draw beyond their rectangles (a buzzer's sound waves): what
        // the tick drew is what is shown.
        dc.TrackTouched(true);
        m_doc.Tick(dc, cursor, m_nInputState);
        changed = dc.Touched() & m_surface.rect();
    }
    if (!changed.isEmpty())
        ShowSurface(changed);
}
