#include "Component.h"

#include "Archive.h"
#include "platform/DrawContext.h"
#include "platform/Strings.h"

#include <algorithm>
#include <cstdint>

CComponent::CComponent(unsigned typeId, int width, int height, int busCount)
    : m_nBusCount(busCount), m_rect(0, 0, width, height),
      m_pBuses(std::make_unique<CBus[]>(std::size_t(busCount))), m_strName(LoadString(int(typeId)))
{
}

CComponent::~CComponent() = default;

void CComponent::CaptionOut(CDC& dc, int x, int y, const QString& text) const
{
    const CRect r = m_rect.Normalized();
    int room = 0;
    switch (dc.GetTextAlign() & TA_CENTER) {
    case TA_CENTER:
        room = 2 * std::min(x - r.left, r.right - x);
        break;
    case TA_RIGHT:
        room = x - r.left;
        break;
    default:
        room = r.right - x;
        break;
    }
    const CFont font = dc.GetCurrentFont();
    const int extent = dc.GetTextExtent(text).cx;
    if (extent <= room || room <= 0 || extent <= 0) {
        dc.TextOut(x, y, text);
        return;
    }
    // A smaller average character width, until the text fits or can get no narrower.
    CFont narrow = font;
    const int natural = font.width > 0 ? font.width : std::max(1, extent / int(std::max<qsizetype>(1, text.size())));
    narrow.width = std::max(1, int(std::int64_t(natural) * room / extent));
    dc.SelectObject(narrow);
    while (narrow.width > 1 && dc.GetTextExtent(text).cx > room) {
        --narrow.width;
        dc.SelectObject(narrow);
    }
    dc.TextOut(x, y, text);
    dc.SelectObject(font);
}

void CComponent::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCoordinate(m_rect.left);
        ar.WriteCoordinate(m_rect.top);
        ar.WriteString(m_strName);
        for (int i = 0; i < m_nBusCount; ++i)
            ar.WriteInt(m_pBuses[i].GetId());
        ar.WriteInt(m_nParam1);
        ar.WriteInt(m_nParam2);
        ar.WriteInt(m_nCorner);
        ar.WriteInt(m_nParam4);
    } else {
        const int x = ar.ReadCoordinate();
        const int y = ar.ReadCoordinate();
        SetTopLeft(x, y);
        m_strName = ar.ReadString();
        for (int i = 0; i < m_nBusCount; ++i)
            m_pBuses[i].SetId(ar.ReadInt());
        m_nParam1 = ar.ReadInt();
        m_nParam2 = ar.ReadInt();
        m_nCorner = ar.ReadInt();
        m_nParam4 = ar.ReadInt();
    }
    SerializeExtra(ar);
}

void CComponent::SetTopLeft(int x, int y)
{
    const CRect n = m_rect.Normalized();
    m_rect = CRect(x, y, x + n.Width(), y - n.Height());
}

void CComponent::MoveTo(int x, int y)
{
    const int dx = x - m_rect.left;
    const int dy = y - m_rect.top;
    SetTopLeft(x, y);
    for (int i = 0; i < m_nBusCount; ++i)
        m_pBuses[i].Offset(dx, dy);
}

bool CComponent::HitTest(int x, int y) const
{
    CRect r = m_rect.Normalized();
    r.InflateRect(1);
    return r.PtInRect(CPoint(x, y));
}

CSize CComponent::GetSize() const
{
    CRect r = m_rect.Normalized();
    r.InflateRect(1);
    return CSize(r.Width(), r.Height());
}

CBus* CComponent::BusAt(int x, int y)
{
    for (int i = 0; i < m_nBusCount; ++i)
        if (m_pBuses[i].HitTest(x, y))
            return &m_pBuses[i];
    return nullptr;
}

int CComponent::NumberBuses(int last)
{
    for (int i = 0; i < m_nBusCount; ++i)
        m_pBuses[i].SetId(++last);
    return last;
}

std::pair<int, int> CComponent::GetBusRange() const
{
    if (m_nBusCount == 0)
        return {0, -1};
    return {m_pBuses[0].GetId(), m_pBuses[m_nBusCount - 1].GetId()};
}

void CComponent::Reset(CDC& dc)
{
    for (int i = m_nBusCount; i-- > 0;)
        m_pBuses[i].m_nValue = 0;
    std::uint32_t state = STATE_RESET | STATE_REDRAW;
    Update(dc, CPoint(0, 0), &state);
}

void CComponent::AgeBusValues()
{
    for (int i = 0; i < m_nBusCount; ++i) {
        int& v = m_pBuses[i].m_nValue;
        v = v >= 0 ? -v : 0;
    }
}

CPoint CComponent::GetCornerPoint() const
{
    switch (m_nCorner) {
    case 1:
        return {m_rect.right - 5, m_rect.top};
    case 2:
        return {m_rect.right - 5, m_rect.bottom - 5};
    case 3:
        return {m_rect.left, m_rect.bottom - 5};
    default:
        return {m_rect.left, m_rect.top};
    }
}

CPoint CComponent::CornerOffset(int x, int y, int size) const
{
    const int h = size / 2;
    switch (m_nCorner) {
    case 1:
        return {x - h, y - h};
    case 2:
        return {x - h, y + h};
    case 3:
        return {x + h, y + h};
    default:
        return {x + h, y - h};
    }
}
