#include "Wire.h"

#include "Archive.h"
#include "platform/DrawContext.h"

#include <cmath>

CPoint CDraad::Snap(CPoint point, CPoint last, int margin)
{
    if (last.x - margin < point.x && point.x < last.x + margin)
        point.x = last.x;
    if (last.y - margin < point.y && point.y < last.y + margin)
        point.y = last.y;
    return point;
}

int CDraad::AddPoint(CPoint point, int busId, int snapMargin)
{
    if (busId != 0) {
        m_points.push_back(point);
        if (m_nBus1 == 0) {
            m_nBus1 = busId;
            return WIRE_CONTINUE;
        }
        if (m_nBus2 != 0)
            return WIRE_ALREADY_COMPLETE;
        m_nBus2 = busId;
        return m_nBus2 == m_nBus1 ? WIRE_SAME_SOCKET : WIRE_COMPLETE;
    }
    if (m_nBus1 == 0)
        return WIRE_NOT_ON_SOCKET;
    m_points.push_back(Snap(point, m_points.back(), snapMargin));
    return WIRE_CONTINUE;
}

void CDraad::StraightenLastBend(int snapMargin)
{
    const std::size_t n = m_points.size();
    if (n >= 3)
        m_points[n - 2] = Snap(m_points[n - 2], m_points[n - 1], snapMargin);
}

void CDraad::Draw(CDC& dc)
{
    if (m_points.empty())
        return;
    const bool printing = dc.IsPrinting();
    const CPen oldPen = dc.SelectObject(CPen::Solid(1, printing ? m_colour ^ 0xFFFFFF : m_colour));
    const int oldMix = dc.SetROP2(printing ? R2_COPYPEN : R2_XORPEN);
    dc.Polyline(m_points.data(), int(m_points.size()));
    dc.SetROP2(oldMix);
    dc.SelectObject(oldPen);
}

void CDraad::DrawSegment(CDC& dc, std::size_t from) const
{
    dc.MoveTo(m_points[from].x, m_points[from].y);
    dc.LineTo(m_points[from + 1].x, m_points[from + 1].y);
}

void CDraad::DragEnds(CDC& dc, int firstBus, int lastBus, int dx, int dy)
{
    if (m_points.size() < 2)
        return;
    const CPen oldPen = dc.SelectObject(CPen::Solid(1, m_colour));
    const int oldMix = dc.SetROP2(R2_XORPEN);
    const std::size_t last = m_points.size() - 1;
    for (int n = firstBus; n <= lastBus; ++n) {
        if (n == m_nBus1) {
            DrawSegment(dc, 0);
            m_points[0].x += dx;
            m_points[0].y += dy;
            DrawSegment(dc, 0);
        }
        if (n == m_nBus2) {
            DrawSegment(dc, last - 1);
            m_points[last].x += dx;
            m_points[last].y += dy;
            DrawSegment(dc, last - 1);
        }
    }
    dc.SetROP2(oldMix);
    dc.SelectObject(oldPen);
}

void CDraad::SetFirstPoint(int x, int y)
{
    if (!m_points.empty())
        m_points.front() = CPoint(x, y);
}

void CDraad::SetLastPoint(int x, int y)
{
    if (!m_points.empty())
        m_points.back() = CPoint(x, y);
}

CPoint CDraad::GetPoint(int i) const
{
    return i >= 0 && i < GetPointCount() ? m_points[std::size_t(i)] : CPoint(0, 0);
}

CPoint CDraad::GetPointFromEnd(int i) const
{
    const int index = GetPointCount() - 1 - i;
    return index >= 0 && index < GetPointCount() ? m_points[std::size_t(index)] : CPoint(0, 0);
}

double CDraad::DistanceTo(int x, int y, CPoint& nearest, int& segment) const
{
    double best = 2000.0; // squared; nothing farther is ever reported
    auto consider = [&](CPoint p, int index) {
        const double dx = double(x) - p.x;
        const double dy = double(y) - p.y;
        const double d2 = dx * dx + dy * dy;
        if (d2 < best) {
            best = d2;
            nearest = p;
            segment = index;
        }
    };
    for (int i = 0; i + 1 < GetPointCount(); ++i) {
        const CPoint a = m_points[std::size_t(i)];
        const CPoint b = m_points[std::size_t(i) + 1];
        const double ddx = double(b.x) - a.x;
        const double ddy = double(b.y) - a.y;
        const double t = ((double(x) - a.x) * ddx + (double(y) - a.y) * ddy) / (ddx * ddx + ddy * ddy);
        if (!(t > 0.0 && t < 1.0)) { // also a zero-length segment (NaN)
            consider(a, i);
            consider(b, i + 1);
        } else {
            consider(CPoint(int(std::trunc(a.x + t * ddx)), int(std::trunc(a.y + t * ddy))), i);
        }
    }
    return std::sqrt(best);
}

void CDraad::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteInt(m_nBus1);
        ar.WriteInt(m_nBus2);
        ar.WriteColour(m_colour);
        ar.WriteCount(std::uint32_t(m_points.size()));
        for (const CPoint& p : m_points) {
            ar.WriteCoordinate(p.x);
            ar.WriteCoordinate(p.y);
        }
        return;
    }
    m_nBus1 = ar.ReadInt();
    m_nBus2 = ar.ReadInt();
    m_colour = ar.ReadColour();
    const std::uint32_t count = ar.ReadCount();
    if (!ar.CanHold(count, 8))
        return;
    m_points.resize(count);
    for (CPoint& p : m_points) {
        p.x = ar.ReadCoordinate();
        p.y = ar.ReadCoordinate();
    }
}
