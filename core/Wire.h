#pragma once
// A wire: a polyline from one socket to another, referring to both by socket number.
// On screen it is drawn with exclusive-or, so drawing it twice removes it; its colour
// is therefore kept inverted and drawn as is only when printing.

#include "BoardObject.h"
#include "platform/Geometry.h"

#include <vector>

// Results of AddPoint.
enum : int {
    WIRE_CONTINUE = 0,
    WIRE_ALREADY_COMPLETE = 1,
    WIRE_SAME_SOCKET = 2,
    WIRE_NOT_ON_SOCKET = 3,
    WIRE_COMPLETE = 4,
};

struct WireDistance {
    double distance = 0;
    CPoint nearest;
    int segment = 0;
};

class CDraad : public CBoardObject {
public:
    const char* GetClassName() const override { return "CDraad"; }
    void Serialize(CArchive& ar) override;
    void Draw(CDC& dc) override;
    void OnDraw(CDC& dc) { Draw(dc); }

    int AddPoint(CPoint point, int busId, int snapMargin);
    void StraightenLastBend(int snapMargin);
    void DragEnds(CDC& dc, int firstBus, int lastBus, int dx, int dy);
    void SetFirstPoint(int x, int y);
    void SetLastPoint(int x, int y);
    CPoint GetPoint(int i) const;
    CPoint GetPointFromEnd(int i) const;
    int GetPointCount() const { return int(m_points.size()); }
    // Outputs (nearest point, segment) are left as given when nothing lies closer
    // than the initial bound.
    double DistanceTo(int x, int y, CPoint& nearest, int& segment) const;
    bool IsAttachedTo(int busId) const { return busId == m_nBus1 || busId == m_nBus2; }
    std::pair<int, int> GetEnds() const { return {m_nBus1, m_nBus2}; }
    void SetColour(COLORREF colour) { m_colour = colour; }
    COLORREF GetColour() const { return m_colour; }
    bool IsEmpty() const { return m_points.empty(); }

    std::vector<CPoint> m_points;
    COLORREF m_colour = RGB(255, 255, 255);
    int m_nBus1 = 0;
    int m_nBus2 = 0;

private:
    static CPoint Snap(CPoint point, CPoint last, int margin);
    void DrawSegment(CDC& dc, std::size_t from) const;
};
