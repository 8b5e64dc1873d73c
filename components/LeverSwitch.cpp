#include "LeverSwitch.h"

#include "core/Archive.h"
#include "dialogs/NoPropertiesDlg.h"
#include "platform/DrawContext.h"

CLeverSwitch::CLeverSwitch(unsigned typeId, int width, int height, int busCount, Action action)
    : CComponent(typeId, width, height, busCount), m_nTypeId(typeId), m_action(action)
{
}

int CLeverSwitch::EditProperties(int permissionMask)
{
    CNoPropertiesDlg dlg(m_strName, permissionMask);
    return dlg.Run();
}

void CLeverSwitch::Update(CDC& dc, CPoint cursor, std::uint32_t* pState)
{
    const std::uint32_t state = *pState;
    const bool onButton = (state & STATE_LEFT_BUTTON) && Bus(0).HitTest(cursor.x, cursor.y);
    if (m_action == Action::Momentary) {
        m_nParam2 = onButton ? 1 : 0;
    } else {
        // One change-over per press, however long the button is held.
        if (onButton && !m_bHeld)
            m_nParam2 = ContactState() ^ 1;
        m_bHeld = onButton;
    }
    if (state & STATE_RESET)
        m_nParam2 = 0;

    // The frame is xor-inverted, so it is only touched when its look must change; a
    // latching button looks pressed while it is held, a momentary one while it conducts.
    const bool looksPressed = m_action == Action::Momentary ? ContactState() == 1 : m_bHeld;
    if (looksPressed != m_bLooksPressed) {
        Bus(0).InvertFrame(dc);
        m_bLooksPressed = looksPressed;
    }
    if (ContactState() != m_nParam1) {
        m_nParam1 = ContactState();
        DrawLevers(dc, m_nParam1);
    }
    WriteOutputs();
}

void CLeverSwitch::WriteOutputs()
{
    Bus(1).m_nValue = ContactState() == 1 ? kLevelHigh : 0;
}

void CLeverSwitch::DrawLevers(CDC& dc, int state) const
{
    // The white pen takes the other lever off the white board.
    const CPen oldPen = dc.SelectObject(state == 0 ? CPen::Black() : CPen::White());
    dc.MoveTo(m_lever0End.x, m_lever0End.y);
    dc.LineTo(m_pivot.x, m_pivot.y);
    dc.SelectObject(state == 1 ? CPen::Black() : CPen::White());
    dc.MoveTo(m_lever1End.x, m_lever1End.y);
    dc.LineTo(m_pivot.x, m_pivot.y);
    dc.SelectObject(oldPen);
}

void CLeverSwitch::DrawCaption(CDC& dc, int x, unsigned horizontalAlign)
{
    const QString caption = m_strName.toLower();
    const unsigned oldAlign = dc.SetTextAlign(horizontalAlign | TA_TOP);
    CaptionOut(dc, x, m_rect.bottom + dc.GetTextExtent(caption).cy, caption);
    dc.SetTextAlign(oldAlign);
}

void CLeverSwitch::PlaceBus(CDC& dc, int index, int x, int y, int kind)
{
    Bus(index).SetPosition(x, y, kind);
    Bus(index).Draw(dc);
}

void CLeverSwitch::DrawLine(CDC& dc, CPoint from, CPoint to)
{
    const CPen oldPen = dc.SelectObject(CPen::Black());
    dc.MoveTo(from.x, from.y);
    dc.LineTo(to.x, to.y);
    dc.SelectObject(oldPen);
}

void CLeverSwitch::DrawSingleContact(CDC& dc, int leverDivisor)
{
    const int L = m_rect.left, R = m_rect.right, T = m_rect.top;
    const int r = Bus(0).GetRadius();
    DrawCaption(dc, (L + R) / 2, TA_CENTER);
    PlaceBus(dc, 0, L, T, BUS_BUTTON);
    PlaceBus(dc, 1, R - 2 * r, T, BUS_OUTPUT);
    DrawLine(dc, {L + 2 * r, T - r}, {R - 2 * r, T - r});
    const int d = (R - L - 4 * r) / leverDivisor;
    FinishDraw(dc, {R - 2 * r - d, T}, {L + 2 * r + d, T - r}, {R - 2 * r - d, T - r});
}

void CLeverSwitch::FinishDraw(CDC& dc, CPoint lever0End, CPoint pivot, CPoint lever1End)
{
    m_lever0End = lever0End;
    m_pivot = pivot;
    m_lever1End = lever1End;
    // The picture is now that of a closed contact with a freshly drawn button, which is
    // its pressed look; Update turns both to what they are.
    DrawLevers(dc, 1);
    m_nParam1 = 1;
    m_bLooksPressed = true;
    std::uint32_t state = STATE_REDRAW;
    Update(dc, CPoint(0, 0), &state);
}

void CLeverSwitch::SerializeExtra(CArchive& ar)
{
    // Nothing of its own is stored; a damaged file must not leave a state the levers
    // and outputs do not know.
    if (ar.IsLoading())
        m_nParam2 = ContactState();
}
