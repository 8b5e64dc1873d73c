#include "Bus.h"

#include "platform/DrawContext.h"

#include <cstdlib>

void CBus::SetPosition(int x, int y, int kind)
{
    m_nKind = kind;
    m_rect = CRect(x, y, x + 2 * m_nRadius, y - 2 * m_nRadius);
}

bool CBus::HitTest(int x, int y) const
{
    if (m_nKind == BUS_BUTTON) {
        CRect r = m_rect.Normalized();
        r.InflateRect(1);
        return r.PtInRect(CPoint(x, y));
    }
    const CPoint c = GetCenter();
    const long long dx = x - c.x;
    const long long dy = y - c.y;
    return dx * dx + dy * dy < (long long)m_nRadius * m_nRadius;
}

void CBus::DrawDisc(CDC& dc, COLORREF colour) const
{
    const CPen oldPen = dc.SelectObject(CPen::Black());
    const CBrush oldBrush = dc.SelectObject(CBrush::Solid(colour));
    dc.Ellipse(m_rect);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

void CBus::Draw(CDC& dc) const
{
    switch (m_nKind) {
    case BUS_OUTPUT:
        DrawDisc(dc, RGB(0, 255, 0));
        break;
    case BUS_INPUT:
        DrawDisc(dc, RGB(0, 0, 255));
        break;
    case BUS_SENSING:
        DrawDisc(dc, RGB(0, 255, 255));
        break;
    case BUS_LAMP:
        DrawDisc(dc, RGB(255, 255, 255));
        break;
    case BUS_TERMINAL:
        DrawDisc(dc, RGB(128, 128, 128));
        break;
    case BUS_BUTTON: {
        const CBrush oldBrush = dc.SelectObject(CBrush::LightGray());
        if (dc.IsPrinting()) {
            const CPen oldPen = dc.SelectObject(CPen::White());
            dc.Rectangle(m_rect);
            dc.SelectObject(oldPen);
        } else {
            const CPen oldPen = dc.SelectObject(CPen::Solid(1, RGB(192, 192, 192)));
            dc.Rectangle(m_rect);
            // Darker top and left edges give the raised-button look.
            dc.SelectObject(CPen::Solid(1, RGB(92, 92, 92)));
            dc.MoveTo(m_rect.left, m_rect.top);
            dc.LineTo(m_rect.left + 2 * m_nRadius, m_rect.top);
            dc.MoveTo(m_rect.left, m_rect.top);
            dc.LineTo(m_rect.left, m_rect.top - 2 * m_nRadius);
            dc.SelectObject(oldPen);
        }
        dc.SelectObject(oldBrush);
        break;
    }
    default:
        break;
    }
}

void CBus::InvertFrame(CDC& dc) const
{
    dc.SetROP2(R2_XORPEN);
    const CPen oldPen = dc.SelectObject(CPen::White());
    const CBrush oldBrush = dc.SelectObject(CBrush::Hollow());
    dc.Rectangle(m_rect);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
    dc.SetROP2(R2_COPYPEN);
}

void CBus::AddSource(CBus* source, unsigned divisor)
{
    ++m_nConnections;
    m_sources.push_back(source);
    m_divisors.push_back(divisor == 0 ? 1u : divisor);
}

void CBus::DropSources(const std::unordered_set<const CBus*>& gone)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_sources.size(); ++i)
        if (!gone.count(m_sources[i])) {
            m_sources[kept] = m_sources[i];
            m_divisors[kept] = m_divisors[i];
            ++kept;
        }
    m_sources.resize(kept);
    m_divisors.resize(kept);
}

void CBus::ClearSources()
{
    m_nConnections = 0;
    m_sources.clear();
    m_divisors.clear();
}

int CBus::ReadInput()
{
    // The running maximum starts from the stored value: the previous level with its
    // sign flipped, so any fresh source level wins and an unread input fades out.
    for (std::size_t i = m_sources.size(); i-- > 0;) {
        const unsigned level = unsigned(std::abs(m_sources[i]->m_nValue));
        const unsigned divisor = m_divisors[i];
        // Most coupled sources are dark or far away: spare the division then.
        const int q = int(level < divisor ? 0u : divisor == 1 ? level : level / divisor);
        if (q > m_nValue)
            m_nValue = q;
    }
    return std::abs(m_nValue);
}
