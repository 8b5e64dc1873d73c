#include "SocketLevelTip.h"

#include "boardview/BoardView.h"
#include "chart/ChartText.h"
#include "core/Bus.h"

#include <QHelpEvent>
#include <QToolTip>

#include <algorithm>
#include <cstdlib>

namespace {

// Watches the board's viewport for the tool tip event Qt sends after a rest, and the
// document for whether its sockets hold measured levels.
class CSocketLevelTip : public QObject, public CDocView {
public:
    explicit CSocketLevelTip(CBoardView& board) : QObject(&board), m_board(board), m_doc(board.Document())
    {
        m_doc.AddView(this);
    }
    ~CSocketLevelTip() override { m_doc.RemoveView(this); }

    void OnUpdate(int hint, int) override
    {
        if (hint == HINT_STARTED || hint == HINT_OPENED)
            m_bMeasured = false; // at Start a probed socket holds its probe's number
        else if (hint == HINT_TICK)
            m_bMeasured = true;
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ToolTip || watched != m_board.viewport())
            return false;
        auto* help = static_cast<QHelpEvent*>(event);
        // An empty text takes a tip that is still shown away at once.
        QToolTip::showText(help->globalPos(), LevelAt(help->pos()), m_board.viewport());
        return true;
    }

private:
    // The level under a viewport pixel; empty where there is no socket, before the
    // first tick, or where the pupil may not measure.
    QString LevelAt(QPoint client) const
    {
        if (!m_bMeasured || !(m_doc.PermissionMask() & PERMIT_PROBES))
            return {};
        const CBus* bus = m_board.SocketAt(m_board.ClientToBoard(client));
        if (!bus)
            return {};
        // A negative level is the previous tick's, as everywhere on the board.
        return LevelText(std::min(std::abs(bus->m_nValue), 999));
    }

    CBoardView& m_board;
    CVeldtrakDoc& m_doc; // the board view is gone when its children are deleted
    bool m_bMeasured = false;
};

} // namespace

void InstallSocketLevelTip(CBoardView& board)
{
    board.viewport()->installEventFilter(new CSocketLevelTip(board));
}
