// The start menu's four buttons: hovering presses one in with a low beep, releasing the
// mouse on it answers with a higher beep and opens what the button stands for.
#include "BoardView.h"

#include "StartupImages.h"
#include "platform/DrawContext.h"
#include "platform/Sound.h"

namespace {

// What buttons 1 to 4 open; the first is the empty board.
const char* const kStartMenuFiles[kStartMenuButtonCount] = {
    nullptr,
    "invoer en uitvoer\\invoer.wks",
    "praktisch\\auto_licht.wks",
    "blackbox\\blackbox1.wks",
};

} // namespace

int CBoardView::StartMenuButtonAt(QPoint client) const
{
    if (m_nStartImage != kStartMenuImage)
        return 0;
    const CPoint point = ClientToBoard(client);
    for (int b = 1; b <= kStartMenuButtonCount; ++b)
        if (m_rects[std::size_t(b)].PtInRect(point))
            return b;
    return 0;
}

void CBoardView::OnStartMenuMove(QPoint client)
{
    const int button = StartMenuButtonAt(client);
    if (button == 0 || button == m_nHoveredButton)
        return;
    m_nHoveredButton = button;
    FlushPendingPaint();
    {
        CDC dc(m_surface, Dpi());
        PrepareDC(dc);
        DrawStartImage(dc, button);
    }
    viewport()->update();
    SoundService().Beep(500, 50);
}

void CBoardView::OnStartMenuRelease(QPoint client)
{
    const int button = StartMenuButtonAt(client);
    if (button == 0)
        return;
    SoundService().Beep(750, 50);
    m_doc.UpdateAllViews(HINT_STARTUP_IMAGE, 0);
    // A missing worksheet is reported as any board that cannot be found.
    if (const char* file = kStartMenuFiles[button - 1])
        m_doc.OnOpenDocument(QString::fromLatin1(file));
}
