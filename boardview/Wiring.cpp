// Wiring with the mouse: clicks from socket to socket with bends in between, the
// rubber band from the last point, abandoning a wire and deleting one by a right click.
// The wire under construction exists only on the screen, drawn with the white
// exclusive-or pen, until it is finished and handed to the document.
#include "BoardView.h"

#include "platform/DrawContext.h"
#include "platform/Strings.h"

namespace {

bool IsWirable(const CBus& bus)
{
    return bus.GetKind() == BUS_OUTPUT || bus.GetKind() == BUS_INPUT;
}

} // namespace

CBus* CBoardView::SocketAt(CPoint point) const
{
    // The smallest component hit, then the smallest among those after it, and so on.
    for (int i = m_doc.ComponentAt(point.x, point.y, false); i >= 0;
         i = m_doc.ComponentAt(point.x, point.y, false, i))
        if (CBus* bus = m_doc.m_components[std::size_t(i)]->BusAt(point.x, point.y))
            return bus;
    return nullptr;
}

void CBoardView::OnWiringClick(CPoint point)
{
    if (m_bMoved) {
        m_bMoved = false;
        return;
    }
    if (!m_pWire)
        m_pWire = std::make_unique<CDraad>();
    const bool wasEmpty = m_pWire->IsEmpty();

    const CBus* socket = SocketAt(point);
    bool refused = false;
    int inputBus = 0;
    if (socket) {
        point = socket->GetCenter();
        if (socket->GetKind() == BUS_INPUT)
            inputBus = socket->GetId();
        if (!IsWirable(*socket) || !m_doc.CheckPermission(PERMIT_ADD_WIRES, true)) {
            refused = true;
        } else if (!wasEmpty) {
            const CPoint start = m_pWire->GetPoint(0);
            const int first = m_doc.ComponentAt(start.x, start.y, true);
            const CBus* startSocket =
                first >= 0 ? m_doc.m_components[std::size_t(first)]->BusAt(start.x, start.y) : nullptr;
            if (startSocket) {
                if (startSocket->GetKind() == BUS_INPUT)
                    inputBus = startSocket->GetId();
                refused = startSocket->GetKind() == socket->GetKind() || !IsWirable(*startSocket);
            }
        }
    } else if (wasEmpty) {
        m_nMode = MODE_IDLE;
        return; // a click on empty board or a component body starts nothing
    }

    // The strokes below take the band and the construction lines off the surface, so
    // they must be on it: a repaint still pending (after a zoom step, or from a message
    // box's event loop) is painted now, while the wire is in progress and draws them.
    FlushPendingPaint();
    int result = m_pWire->AddPoint(point, socket ? socket->GetId() : 0, m_doc.m_nSnapMargin);
    if (refused)
        result = WIRE_SAME_SOCKET;
    if (!m_pWire->IsEmpty())
        point = m_pWire->GetPointFromEnd(0);

    m_nMode = MODE_IDLE;
    DrawDirect([&](CDC& dc) {
        if (!wasEmpty) {
            const CPoint before = m_pWire->GetPointFromEnd(1);
            XorLine(dc, before, m_ptLast);
            XorLine(dc, before, point);
        }
        switch (result) {
        case WIRE_CONTINUE:
            m_nMode = MODE_WIRE;
            break;
        case WIRE_SAME_SOCKET:
            m_pWire->Draw(dc);
            m_pWire.reset();
            ErrorBeep();
            break;
        case WIRE_NOT_ON_SOCKET:
            break;
        case WIRE_COMPLETE:
            FinishWire(dc, inputBus);
            break;
        default:
            ReportAfterDrawing(
                [this] { m_doc.m_messageBox.Show(QStringLiteral("LBU:wire -- can't happen."), LoadString(61612)); });
            break;
        }
    });
    m_ptLast = point;
    m_bMoved = false;
}

void CBoardView::FinishWire(CDC& dc, int inputBus)
{
    m_pWire->Draw(dc); // removes the white construction lines
    m_pWire->StraightenLastBend(m_doc.m_nSnapMargin);
    m_pWire->SetColour(m_doc.m_colWire);
    m_pWire->Draw(dc);
    CDraad shown = *m_pWire; // what is on the screen, for removing it again
    const int duplicate = m_doc.AddWire(std::move(m_pWire));
    if (duplicate >= 0) {
        // Drawing an existing connection again undoes it. Deleting asks the permission,
        // perhaps with a message, so it comes after the drawing; the existing wire stays
        // on the screen until it is gone from the board.
        shown.Draw(dc);
        ReportAfterDrawing([this, duplicate, existing = *m_doc.m_wires[std::size_t(duplicate)]]() mutable {
            const std::size_t before = m_doc.m_wires.size();
            m_doc.DeleteWire(duplicate);
            if (m_doc.m_wires.size() != before)
                DrawDirect([&](CDC& screen) { existing.Draw(screen); });
        });
        return;
    }
    int ends = 0;
    for (const auto& wire : m_doc.m_wires) {
        const auto [a, b] = wire->GetEnds();
        ends += (a == inputBus) + (b == inputBus);
    }
    if (inputBus != 0 && ends >= 2) {
        shown.Draw(dc);
        ErrorBeep();
        m_doc.m_wires.pop_back();
        ReportAfterDrawing([this] {
            m_doc.m_messageBox.Show(QStringLiteral("Er mag maar één draad in een invoerbus. Gebruik een "
                                                   "OF-poort om beide signalen tot één signaal te combineren."),
                                    LoadString(61612));
        });
    }
}

void CBoardView::OnRubberBand(CPoint point)
{
    if (!m_pWire || m_pWire->IsEmpty())
        return;
    DrawDirect([&](CDC& dc) {
        const CPoint last = m_pWire->GetPointFromEnd(0);
        XorLine(dc, last, m_ptLast);
        m_ptLast = point;
        XorLine(dc, last, point);
    });
}

void CBoardView::AbandonWire(CPoint point)
{
    if (m_pWire) {
        m_pWire->AddPoint(point, 0, m_doc.m_nSnapMargin);
        DrawDirect([&](CDC& dc) { m_pWire->Draw(dc); });
        m_pWire.reset();
        // The rubber band may have ended elsewhere than the snapped corner.
        InvalidateAll();
    }
    m_nMode = MODE_IDLE;
}

bool CBoardView::DeleteWireAt(CPoint point)
{
    const CVeldtrakDoc::WireHit hit = m_doc.WireAt(point.x, point.y);
    if (hit.index < 0)
        return false;
    if (m_doc.CheckPermission(PERMIT_DELETE_WIRES, true)) {
        DrawDirect([&](CDC& dc) { m_doc.m_wires[std::size_t(hit.index)]->Draw(dc); });
        m_doc.DeleteWire(hit.index);
    }
    return true;
}
