// Editing components with the mouse: pressing, dragging with sprites, guide lines,
// the marking rectangle and its alignments, right-click properties and placing a
// component that comes from the palette.
#include "BoardView.h"

#include "BoardSettingsDlg.h"
#include "MarkedComponentsDlg.h"
#include "Printing.h"
#include "Sprites.h"
#include "components/Sonde.h"
#include "platform/DrawContext.h"
#include "platform/Strings.h"

#include <QCursor>
#include <QGuiApplication>

#include <algorithm>
#include <climits>

namespace {

bool IsProbe(const CComponent& c)
{
    return c.GetTypeId() == TYPE_SONDE;
}

bool Intersects(const CRect& a, const CRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

CComponent* CBoardView::Dragged() const
{
    return m_nTarget >= 0 && m_nTarget < int(m_doc.m_components.size())
               ? m_doc.m_components[std::size_t(m_nTarget)].get()
               : nullptr;
}

void CBoardView::OnLeftButtonDown(CPoint point)
{
    if (m_nMode == MODE_WIRE)
        return; // a wire in progress takes its clicks on button-up
    const int index = m_doc.ComponentAt(point.x, point.y, false);
    if (index >= 0) {
        PressComponent(index, point);
        return;
    }
    if (PressAnnotation(point))
        return;
    if (m_nMode == MODE_IDLE) {
        m_rects[9] = CRect(point.x, point.y, point.x, point.y);
        m_nMode = MODE_MARKING;
    }
}

void CBoardView::PressComponent(int index, CPoint point)
{
    m_nTarget = index;
    m_bMoved = false;
    CComponent& c = *m_doc.m_components[std::size_t(index)];
    if (m_doc.CheckPermission(PERMIT_ADD_WIRES, false) && !m_doc.CheckPermission(PERMIT_ADD_MOVE, false) &&
        !IsProbe(c) && c.BusAt(point.x, point.y)) {
        // Not allowed to move it, but this socket can still be wired: on button-up.
        m_nMode = MODE_WIRE_ONLY_CLICK;
        m_nTarget = -1;
        return;
    }
    if (m_doc.CheckPermission(PERMIT_ADD_MOVE, true) &&
        (!IsProbe(c) || m_doc.CheckPermission(PERMIT_PROBES, true))) {
        StartDrag(c, point);
        return;
    }
    m_nTarget = -1;
}

void CBoardView::StartDrag(CComponent& component, CPoint point)
{
    m_nMode = MODE_DRAG_COMPONENT;
    const CPoint position = component.GetTopLeft();
    m_ptOffset = CPoint(point.x - position.x, point.y - position.y);
    m_pSprite = MakeSprite(component);
    viewport()->grabMouse();
}

void CBoardView::OnEditingMove(CPoint point)
{
    switch (m_nMode) {
    case MODE_DRAG_COMPONENT:
        if (CComponent* c = Dragged())
            MoveComponent(*c, CPoint(point.x - m_ptOffset.x, point.y - m_ptOffset.y));
        break;
    case MODE_WIRE:
        OnRubberBand(point);
        break;
    case MODE_MARKING:
        DrawDirect([&](CDC& dc) {
            DrawMarkingRect(dc);
            m_rects[9].right = point.x;
            m_rects[9].bottom = point.y;
            DrawMarkingRect(dc);
        });
        break;
    case MODE_DRAG_TEXTFIELD:
    case MODE_DRAG_TABLE:
    case MODE_DRAG_PICTURE:
        DragAnnotation(point);
        break;
    default:
        break;
    }
}

void CBoardView::MoveComponent(CComponent& component, CPoint position)
{
    position.x = std::max(position.x, 0);
    position.y = std::min(position.y, 0);
    const CPoint old = component.GetTopLeft();
    if (position == old)
        return;
    DrawDirect([&](CDC& dc) {
        if (m_pSprite) {
            m_pSprite->XorOnto(dc, old);
            m_pSprite->XorOnto(dc, position);
        }
        component.MoveTo(position.x, position.y);
        const auto [first, last] = component.GetBusRange();
        m_doc.DragWireEnds(dc, first, last, position.x - old.x, position.y - old.y);
    });
    m_bMoved = true;
}

void CBoardView::OnLeftButtonUp(CPoint point)
{
    switch (m_nMode) {
    case MODE_DRAG_COMPONENT:
        EndDrag();
        if (m_bMoved) {
            m_bMoved = false;
            // A moved component is a change of the board: without the flag, closing
            // would not ask to save and the pupil's layout would be lost.
            m_doc.SetModifiedFlag();
            return;
        }
        OnWiringClick(point); // a press that moved nothing is a click on a socket
        return;
    case MODE_DRAG_TEXTFIELD:
    case MODE_DRAG_TABLE:
    case MODE_DRAG_PICTURE:
        ReleaseAnnotation();
        return;
    case MODE_MARKING:
        OnMarkingRelease();
        return;
    default:
        OnWiringClick(point);
        return;
    }
}

void CBoardView::EndDrag()
{
    if (m_bGuidesShown)
        OnGuideKey(false);
    if (auto* probe = dynamic_cast<CSonde*>(Dragged()))
        AttachProbe(*probe);
    // What Draw keeps of the component's geometry (a slider line's y, stored with the
    // board) follows it to where it was dropped before the move becomes an undo step.
    if (CComponent* dropped = Dragged())
        CSprite::PlaceSockets(*dropped, TrueDpi());
    if (m_doc.SnapProbes())
        InvalidateAll();
    m_pSprite.reset();
    m_nMode = MODE_IDLE;
    viewport()->releaseMouse();
}

void CBoardView::OnRightButtonDown(CPoint point)
{
    if (m_nMode == MODE_WIRE) {
        AbandonWire(point);
        return;
    }
    const int index = m_doc.ComponentAt(point.x, point.y, true);
    if (index < 0) {
        if (!DeleteWireAt(point) && !RightClickAnnotation(point))
            OpenBoardSettings();
        return;
    }
    if (m_nMode == MODE_DRAG_COMPONENT && Dragged() && IsProbe(*Dragged()))
        TurnProbe(point);
    else if (m_nMode == MODE_IDLE)
        EditComponentProperties(index);
}

void CBoardView::EditComponentProperties(int index)
{
    CComponent& c = *m_doc.m_components[std::size_t(index)];
    switch (c.EditProperties(m_doc.PermissionMask())) {
    case EDIT_ACCEPTED:
        m_doc.NoteStepPermission(PERMIT_CHANGE_PROPERTIES); // the dialog's OK asked for it
        m_doc.SetModifiedFlag();
        InvalidateAll();
        break;
    case EDIT_BLACKBOX_REFUSED:
        m_doc.m_messageBox.Show(LoadString(61658), LoadString(61493));
        break;
    case EDIT_DELETE:
        m_doc.DeleteComponent(index);
        break;
    default:
        break;
    }
}

void CBoardView::OpenBoardSettings()
{
    if (!m_pSettingsDlg)
        m_pSettingsDlg = std::make_unique<CBoardSettingsDlg>(this);
    m_pSettingsDlg->Edit(m_doc);
}

bool CBoardView::AbandonEditing()
{
    const bool going = (m_pWire && !m_pWire->IsEmpty()) || IsDragging() || m_nMode == MODE_MARKING ||
                       m_nMode == MODE_WIRE_ONLY_CLICK;
    if (m_nMode == MODE_DRAG_COMPONENT)
        viewport()->releaseMouse();
    // The release of a held press whose drag or marking went is no click of its own.
    m_bPressAbandoned = (QGuiApplication::mouseButtons() & Qt::LeftButton) &&
                        (IsDragging() || m_nMode == MODE_MARKING);
    m_pSprite.reset();
    m_pWire.reset();
    m_nTarget = -1;
    m_nAnnotation = -1;
    m_bMoved = false;
    m_bGuidesShown = false;
    m_ptGuide.x = -1;
    m_rects[9] = CRect();
    if (m_nMode == MODE_DRAG_COMPONENT || m_nMode == MODE_WIRE || m_nMode == MODE_WIRE_ONLY_CLICK ||
        m_nMode == MODE_MARKING || m_nMode == MODE_DRAG_TEXTFIELD || m_nMode == MODE_DRAG_TABLE ||
        m_nMode == MODE_DRAG_PICTURE)
        m_nMode = MODE_IDLE;
    return going;
}

void CBoardView::DrawEditingOverlays(CDC& dc)
{
    if (m_nMode == MODE_WIRE && m_pWire && !m_pWire->IsEmpty()) {
        m_pWire->Draw(dc); // still in its construction colour, the white exclusive-or
        XorLine(dc, m_pWire->GetPointFromEnd(0), m_ptLast);
    }
    if (m_nMode == MODE_MARKING)
        DrawMarkingRect(dc);
    if (m_bGuidesShown && Dragged())
        DrawGuides(dc, *Dragged(), m_ptGuide);
}

// ---------------------------------------------------------------------------------
// Guide lines

void CBoardView::OnGuideKey(bool down)
{
    const CComponent* dragged = Dragged();
    if (!dragged)
        return;
    const CComponent& c = *dragged;
    if (down) {
        if (c.GetTopLeft() == m_ptGuide && m_bGuidesShown)
            return;
        DrawDirect([&](CDC& dc) {
            if (m_bGuidesShown)
                DrawGuides(dc, c, m_ptGuide);
            DrawGuides(dc, c, c.GetTopLeft());
        });
        m_ptGuide = c.GetTopLeft();
        m_bGuidesShown = true;
    } else if (m_bGuidesShown) {
        DrawDirect([&](CDC& dc) { DrawGuides(dc, c, m_ptGuide); });
        m_ptGuide.x = -1;
        m_bGuidesShown = false;
    }
}

void CBoardView::DrawGuides(CDC& dc, const CComponent& component, CPoint position)
{
    const CRect r = component.m_rect.Normalized();
    const CSize size(r.Width(), r.Height());
    const CPoint corner = ClientToBoard(QPoint(viewport()->width(), viewport()->height()));
    for (int x : {position.x, position.x + size.cx})
        XorLine(dc, CPoint(x, 0), CPoint(x, corner.y));
    for (int y : {position.y, position.y - size.cy})
        XorLine(dc, CPoint(0, y), CPoint(corner.x, y));
}

// ---------------------------------------------------------------------------------
// Marking and aligning

void CBoardView::DrawMarkingRect(CDC& dc)
{
    const CPen oldPen = dc.SelectObject(CPen::White());
    const CBrush oldBrush = dc.SelectObject(CBrush::Hollow());
    const int oldMix = dc.SetROP2(R2_XORPEN);
    dc.Rectangle(m_rects[9]);
    dc.SetROP2(oldMix);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

void CBoardView::OnMarkingRelease()
{
    bool repainted = false;
    if (m_rects[9] != CRect()) {
        const CRect area = m_rects[9].Normalized();
        std::vector<CComponent*> marked;
        CRect edges(INT_MAX, INT_MIN, INT_MIN, INT_MAX); // left, top, right, bottom
        for (auto& c : m_doc.m_components) {
            const CRect r = c->m_rect.Normalized();
            if (IsProbe(*c) || !Intersects(r, area))
                continue;
            marked.push_back(c.get());
            edges.left = std::min(edges.left, r.left);
            edges.right = std::max(edges.right, r.right);
            edges.top = std::max(edges.top, r.bottom);   // the highest edge
            edges.bottom = std::min(edges.bottom, r.top); // the lowest edge
        }
        if (!marked.empty() && m_doc.CheckPermission(PERMIT_CHANGE_PROPERTIES, true)) {
            CMarkedComponentsDlg dialog(this);
            const int action = dialog.Run();
            if (action != CMarkedComponentsDlg::ID_CANCEL) {
                AlignMarked(action, marked, edges);
                InvalidateAll();
                repainted = true;
            }
        }
    }
    if (!repainted)
        DrawDirect([&](CDC& dc) { DrawMarkingRect(dc); });
    m_rects[9] = CRect();
    m_nMode = MODE_IDLE;
}

void CBoardView::AlignMarked(int action, const std::vector<CComponent*>& marked, const CRect& edges)
{
    if (action == CMarkedComponentsDlg::ID_DELETE) {
        m_doc.DeleteComponents(marked);
        m_bMoved = false;
        return;
    }
    for (auto it = marked.rbegin(); it != marked.rend(); ++it) {
        CComponent& c = **it;
        const CRect r = c.m_rect.Normalized();
        const CPoint at = c.GetTopLeft();
        switch (action) {
        case CMarkedComponentsDlg::ID_ALIGN_LEFT:
            MoveComponent(c, CPoint(edges.left, at.y));
            break;
        case CMarkedComponentsDlg::ID_ALIGN_RIGHT:
            MoveComponent(c, CPoint(at.x + edges.right - r.right, at.y));
            break;
        case CMarkedComponentsDlg::ID_ALIGN_TOP:
            MoveComponent(c, CPoint(at.x, edges.top));
            break;
        case CMarkedComponentsDlg::ID_ALIGN_BOTTOM:
            MoveComponent(c, CPoint(at.x, at.y + edges.bottom - r.top));
            break;
        default:
            break;
        }
    }
    m_bMoved = false;
}
