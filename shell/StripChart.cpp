#include "StripChart.h"

#include "core/Bus.h"
#include "platform/DrawContext.h"

#include <QString>

#include <algorithm>
#include <cstdlib>

namespace {
constexpr int kBevel = 5;
constexpr int kLabelGap = 10;
constexpr int kLabelHeight = 36; // the pane's font
constexpr int kBaseline = 10;    // height of level 0 above the frame's lower edge
constexpr int kTraceStart = 25;  // x of the newest sample, from the frame's left edge
constexpr int kMaximumMark = 5;  // length of the maximum line
const CPen kRedPen = CPen::Solid(0, RGB(255, 0, 0));
const CPen kBluePen = CPen::Solid(0, RGB(0, 0, 255));
} // namespace

CStripChart::CStripChart(int sampleCount)
    : m_samples(std::max(1, sampleCount), 0),
      // A full draw sets the same value; having it from the start keeps samples taken
      // before the first draw (a pane without room) true to scale.
      m_dScale(TickStep() * 0.01)
{
    Place(0, 0);
}

void CStripChart::Place(int x, int y)
{
    const int width = kSampleSpacing * int(m_samples.size()) + 40;
    m_frame = CRect(x, y, x + width, y - kFrameHeight);
    m_plot = CRect(m_frame.left + 10, m_frame.top, m_frame.right - 5, m_frame.bottom);
}

void CStripChart::Attach(CBus* bus, int number)
{
    m_pBus = bus;
    m_nNumber = number;
    Clear();
}

void CStripChart::Clear()
{
    std::fill(m_samples.begin(), m_samples.end(), 0);
    m_nMaximum = 0;
}

void CStripChart::Sample()
{
    SampleLevel(m_pBus ? std::abs(m_pBus->m_nValue) : 0); // a negative level is last tick's
}

void CStripChart::SampleLevel(int level)
{
    std::rotate(m_samples.rbegin(), m_samples.rbegin() + 1, m_samples.rend());
    m_samples.front() = int(level * m_dScale);
    m_nMaximum = std::max(m_nMaximum, m_samples.front());
}

void CStripChart::Draw(CDC& dc, bool full)
{
    DrawParts(dc, full, true);
}

void CStripChart::Paint(CDC& dc)
{
    DrawParts(dc, true, false);
}

void CStripChart::DrawParts(CDC& dc, bool frame, bool sample)
{
    const CPen oldPen = dc.GetCurrentPen();
    const CBrush oldBrush = dc.GetCurrentBrush();
    if (frame) DrawFrame(dc);
    if (sample) Sample();
    DrawPlot(dc);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

void CStripChart::DrawPlot(CDC& dc) const
{
    // The plot area spans the frame's full height; clearing only inside the bevel keeps
    // the frame intact, and the tick marks reaching into it are drawn again.
    dc.SelectObject(CPen::Null());
    dc.SelectObject(CBrush::White());
    dc.Rectangle(m_plot.left, m_plot.top - kBevel, m_plot.right, m_plot.bottom + kBevel);
    DrawTicks(dc);
    DrawTrace(dc);
}

void CStripChart::DrawFrame(CDC& dc)
{
    const CRect& f = m_frame;
    dc.SelectObject(CPen::Null());
    dc.SelectObject(CBrush::White());
    dc.Rectangle(f);

    const CPoint upperRight[] = {{f.left, f.top},
                                 {f.right, f.top},
                                 {f.right, f.bottom},
                                 {f.right - kBevel, f.bottom + kBevel},
                                 {f.right - kBevel, f.top - kBevel},
                                 {f.left + kBevel, f.top - kBevel}};
    const CPoint lowerLeft[] = {{f.left, f.top},
                                {f.left + kBevel, f.top - kBevel},
                                {f.left + kBevel, f.bottom + kBevel},
                                {f.right - kBevel, f.bottom + kBevel},
                                {f.right, f.bottom},
                                {f.left, f.bottom}};
    dc.SelectObject(CBrush::LightGray());
    dc.Polygon(upperRight, 6);
    dc.SelectObject(CBrush::Gray());
    dc.Polygon(lowerLeft, 6);

    const CFont oldFont = dc.SelectObject(CFont::Label(kLabelHeight));
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    const unsigned oldAlign = dc.SetTextAlign(TA_RIGHT | TA_TOP);
    dc.TextOut(f.left - kLabelGap, f.top, QStringLiteral("V"));
    dc.TextOut(f.right - kLabelGap, f.bottom - 5, QStringLiteral("t"));
    dc.TextOut(f.left - kLabelGap, f.bottom - 5, QString::number(m_nNumber));
    dc.SetTextAlign(oldAlign);
    dc.SetBkMode(oldMode);
    dc.SelectObject(oldFont);

    DrawTicks(dc);
    m_dScale = TickStep() * 0.01;
}

void CStripChart::DrawTicks(CDC& dc) const
{
    dc.SelectObject(kRedPen);
    for (int y = m_frame.bottom + kBaseline; y <= m_frame.top - kBaseline; y += TickStep()) {
        dc.MoveTo(m_frame.left + 15, y);
        dc.LineTo(m_frame.left + 5, y);
    }
}

void CStripChart::DrawTrace(CDC& dc) const
{
    const int base = m_frame.bottom + kBaseline;
    int x = m_frame.left + kTraceStart;
    dc.SelectObject(kRedPen);
    dc.MoveTo(x, base + m_samples.front());
    for (std::size_t i = 1; i < m_samples.size(); ++i) {
        dc.LineTo(x, base + m_samples[i]);
        x += kSampleSpacing;
        dc.LineTo(x, base + m_samples[i]);
    }
    const int top = base + m_nMaximum;
    dc.SelectObject(kBluePen);
    dc.MoveTo(m_frame.left + kTraceStart, top);
    dc.LineTo(m_frame.left + kTraceStart - kMaximumMark, top);
}
