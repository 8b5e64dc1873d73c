#pragma once
// A component's terminal: its place on the board, the level it carries (hundredths of
// a volt, negated when it is the previous tick's) and, during a measurement, the
// sockets it reads from.

#include "platform/Geometry.h"

#include <cstdint>
#include <unordered_set>
#include <vector>

class CDC;

enum BusKind : int {
    BUS_OUTPUT = 0,
    BUS_INPUT = 1,
    BUS_BUTTON = 2,
    BUS_SENSING = 4,
    BUS_LAMP = 5,
    BUS_TERMINAL = 6,
};

// Logic inputs count this level (0.70 V) and above as high.
constexpr int kHighThreshold = 70;
constexpr int kLevelHigh = 500;
inline bool IsHigh(int level) { return level >= kHighThreshold; }

class CBus {
public:
    void SetPosition(int x, int y, int kind);
    bool HitTest(int x, int y) const;
    void Draw(CDC& dc) const;
    void OnDraw(CDC& dc) const { Draw(dc); }
    void DrawDisc(CDC& dc, COLORREF colour) const;
    void InvertFrame(CDC& dc) const;

    int GetRadius() const { return m_nRadius; }
    CPoint GetCenter() const { return m_rect.CenterPoint(); }
    int GetKind() const { return m_nKind; }
    int GetId() const { return m_nId; }
    void SetId(int id) { m_nId = id; }
    int GetConnectionCount() const { return m_nConnections; }
    const CRect& GetRect() const { return m_rect; }
    void Offset(int dx, int dy) { m_rect.OffsetRect(dx, dy); }

    void AddConnection() { ++m_nConnections; }
    void AddSource(CBus* source, unsigned divisor);
    void ClearSources();
    // Forgets every source in the set (their component is being deleted).
    void DropSources(const std::unordered_set<const CBus*>& gone);
    bool HasSources() const { return !m_sources.empty(); }
    std::size_t SourceCount() const { return m_sources.size(); }
    CBus* Source(std::size_t i) const { return m_sources[i]; }
    std::uint32_t Divisor(std::size_t i) const { return m_divisors[i]; }
    int ReadInput();

    CRect m_rect;
    int m_nValue = 0;

private:
    std::vector<CBus*> m_sources;
    std::vector<std::uint32_t> m_divisors;
    int m_nId = 0;
    int m_nConnections = 0;
    int m_nKind = BUS_OUTPUT;
    int m_nRadius = 20;
};
