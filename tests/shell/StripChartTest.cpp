// The probes' strip charts: their size, samples and drawing, and their life in the left
// pane from the start of a measurement to its stop.
#include "support/ScreenshotFolder.h"
#include "shell/StripChart.h"
#include "document/DocFixture.h"
#include "platform/DrawContext.h"
#include "shell/PaletteView.h"

#include <QDir>
#include <QScrollBar>
#include <QTest>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

TEST(StripChart, FrameGrowsWithTheSampleCount)
{
    struct Case {
        int samples;
        int width;
    } const cases[] = {{30, 280}, {100, 840}, {300, 2440}};
    for (const Case& c : cases) {
        CStripChart chart(c.samples);
        chart.Place(60, -30);
        EXPECT_EQ(chart.Frame(), CRect(60, -30, 60 + c.width, -190)) << c.samples;
        EXPECT_EQ(chart.PlotArea(), CRect(70, -30, 55 + c.width, -190)) << c.samples;
        EXPECT_EQ(chart.Size(), CSize(c.width, 165)) << c.samples;
        EXPECT_EQ(chart.Samples().size(), std::size_t(c.samples));
    }
}

TEST(StripChart, SamplesShiftScaleAndKeepTheirMaximum)
{
    CBus bus;
    CStripChart chart(30);
    bus.m_nValue = 500;
    chart.Attach(&bus, 2);
    chart.Sample();
    bus.m_nValue = -250; // last tick's level counts by its magnitude
    chart.Sample();
    bus.m_nValue = 0;
    chart.Sample();
    EXPECT_DOUBLE_EQ(chart.Scale(), 0.28);
    EXPECT_EQ(chart.Samples()[0], 0);
    EXPECT_EQ(chart.Samples()[1], 70);
    EXPECT_EQ(chart.Samples()[2], 140);
    EXPECT_EQ(chart.Samples()[3], 0);
    EXPECT_EQ(chart.Maximum(), 140);

    chart.Clear();
    EXPECT_EQ(chart.Maximum(), 0);
    EXPECT_EQ(std::count(chart.Samples().begin(), chart.Samples().end(), 0), 30);

    chart.Sample();
    bus.m_nValue = 100;
    chart.Attach(&bus, 4); // attaching starts a fresh history
    EXPECT_EQ(chart.Number(), 4);
    EXPECT_EQ(chart.Maximum(), 0);
}

// At 254 dpi one board unit is one pixel, so the picture can be checked unit by unit.
TEST(StripChart, DrawsFrameTicksTraceAndMaximum)
{
    QImage image(400, 260, QImage::Format_RGB32);
    image.fill(Qt::white);
    CDC dc(image, 254);
    CBus bus;
    bus.m_nValue = 500;
    CStripChart chart(30);
    chart.Place(60, -30);
    chart.Attach(&bus, 1);
    chart.Draw(dc, true); // takes the 500 as its newest sample
    bus.m_nValue = 0;
    chart.Draw(dc, false);

    const int left = 60, top = -30, right = 340, bottom = -190, base = bottom + 10;
    EXPECT_EQ(dc.GetPixel(200, top - 2), RGB(192, 192, 192));    // upper bevel
    EXPECT_EQ(dc.GetPixel(right - 2, -100), RGB(192, 192, 192)); // right bevel
    EXPECT_EQ(dc.GetPixel(200, bottom + 2), RGB(128, 128, 128)); // lower bevel
    EXPECT_EQ(dc.GetPixel(left + 2, -100), RGB(128, 128, 128));  // left bevel
    for (int tick = 0; tick < 6; ++tick)
        EXPECT_EQ(dc.GetPixel(left + 8, base + 28 * tick), kRed) << tick;
    EXPECT_EQ(dc.GetPixel(left + 8, base + 28 * 6 - 14), kWhite);
    // The newest sample, 0, starts the trace at the left; the 140 of one tick ago is the
    // step over the next 8 units, the older zeros follow.
    EXPECT_EQ(dc.GetPixel(left + 25, base + 70), kRed);
    EXPECT_EQ(dc.GetPixel(left + 29, base + 140), kRed);
    EXPECT_EQ(dc.GetPixel(left + 29, base), kWhite);
    EXPECT_EQ(dc.GetPixel(left + 33, base + 70), kRed);
    EXPECT_EQ(dc.GetPixel(left + 37, base), kRed);
    EXPECT_EQ(dc.GetPixel(left + 22, base + 140), kBlue);
    EXPECT_EQ(dc.GetPixel(left + 100, base + 100), kWhite);
}

// A pane of its own over a board with an AND gate and probes on two of its sockets.
class StripChartPaneTest : public DocFixture {
protected:
    void SetUp() override
    {
        DocFixture::SetUp();
        pane = std::make_unique<CVeldtrakView>(*doc);
        pane->resize(420, 700);
        pane->show();
        pane->OnInitialUpdate();
        pane->OnUpdate(HINT_STARTUP_IMAGE, 0);
        gate = Place(AND_GATE, 300, -300);
    }
    void TearDown() override
    {
        pane.reset();
        DocFixture::TearDown();
    }
    void ProbeInputAndOutput()
    {
        AddProbe(*doc, gate->Bus(2).GetId(), 3);
        AddProbe(*doc, gate->Bus(0).GetId(), 1);
        AddProbe(*doc, 9999, 2); // its socket is gone: no chart
    }
    void Tick(int input, int output)
    {
        gate->Bus(0).m_nValue = input;
        gate->Bus(2).m_nValue = output;
        doc->UpdateAllViews(HINT_TICK);
    }
    int PixelsOf(int units) const { return units * pane->viewport()->logicalDpiY() / 254; }
    const std::vector<CStripChart>& Charts() const { return pane->StripCharts(); }

    std::unique_ptr<CVeldtrakView> pane;
    CComponent* gate = nullptr;
};

TEST_F(StripChartPaneTest, StartBuildsOneChartPerProbeLowestNumberOnTop)
{
    doc->m_nProbeWidth = 40;
    ProbeInputAndOutput();
    doc->Start();
    EXPECT_EQ(pane->Mode(), PANE_CHARTS);
    ASSERT_EQ(Charts().size(), 2u);
    EXPECT_EQ(Charts()[0].Number(), 1);
    EXPECT_EQ(Charts()[0].Socket(), &gate->Bus(0));
    EXPECT_EQ(Charts()[0].Frame(), CRect(60, -30, 420, -190));
    EXPECT_EQ(Charts()[1].Number(), 3);
    EXPECT_EQ(Charts()[1].Socket(), &gate->Bus(2));
    EXPECT_EQ(Charts()[1].Frame(), CRect(60, -295, 420, -455));
    doc->Stop();
}

TEST_F(StripChartPaneTest, WideChartsCanBeScrolledIntoView)
{
    doc->m_nProbeWidth = 300; // 2440 units: far wider than the pane
    ProbeInputAndOutput();
    doc->Start();
    QScrollBar* across = pane->horizontalScrollBar();
    EXPECT_EQ(across->maximum(), PixelsOf(2440 + 60) - pane->viewport()->width());
    // Scrolled to the right end, a release still finds the chart under it.
    across->setValue(across->maximum());
    Tick(500, 500);
    QTest::mouseRelease(pane->viewport(), Qt::RightButton, {}, QPoint(10, PixelsOf(100)));
    EXPECT_EQ(Charts()[0].Maximum(), 0);
    EXPECT_EQ(Charts()[1].Maximum(), 140);
    doc->Stop();
    EXPECT_EQ(across->maximum(), 0);
}

TEST_F(StripChartPaneTest, StartWithoutProbesShowsNoCharts)
{
    doc->Start();
    EXPECT_EQ(pane->Mode(), PANE_CHARTS);
    EXPECT_TRUE(Charts().empty());
    doc->Stop();
}

TEST_F(StripChartPaneTest, TicksAppendAndDrawIntoThePane)
{
    ProbeInputAndOutput();
    doc->Start();
    const QImage before = pane->Surface().copy();
    Tick(500, 0);
    Tick(0, 250);
    EXPECT_EQ(Charts()[0].Samples()[0], 0);
    EXPECT_EQ(Charts()[0].Samples()[1], 140);
    EXPECT_EQ(Charts()[1].Samples()[0], 70);
    EXPECT_EQ(Charts()[1].Maximum(), 70);
    EXPECT_NE(pane->Surface(), before);
    doc->Stop();
}

TEST_F(StripChartPaneTest, ResetAndRightReleaseClearCharts)
{
    ProbeInputAndOutput();
    doc->Start();
    Tick(500, 500);
    // A release over the second chart clears that one only.
    QTest::mouseRelease(pane->viewport(), Qt::RightButton, {}, QPoint(100, PixelsOf(350)));
    EXPECT_EQ(Charts()[0].Maximum(), 140);
    EXPECT_EQ(Charts()[1].Maximum(), 0);
    // Below the last chart nothing is cleared.
    QTest::mouseRelease(pane->viewport(), Qt::RightButton, {}, QPoint(100, PixelsOf(600)));
    EXPECT_EQ(Charts()[0].Maximum(), 140);

    Tick(500, 500);
    doc->Reset();
    for (const CStripChart& chart : Charts()) {
        EXPECT_EQ(chart.Maximum(), 0);
        EXPECT_EQ(chart.Samples()[1], 0);
    }
    EXPECT_EQ(pane->Mode(), PANE_CHARTS);
    doc->Stop();
}

TEST_F(StripChartPaneTest, StopRemovesChartsAndThePaletteReturns)
{
    ProbeInputAndOutput();
    doc->Start();
    doc->Stop();
    EXPECT_TRUE(Charts().empty());
    EXPECT_EQ(pane->Mode(), PANE_PALETTE);
    EXPECT_EQ(pane->EntryCount(), 25);
    // The first name is written again where the first chart stood.
    const QImage& surface = pane->Surface();
    bool text = false;
    for (int y = 0; y < PixelsOf(40) && !text; ++y)
        for (int x = 0; x < PixelsOf(300) && !text; ++x)
            text = surface.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_TRUE(text);
}

TEST_F(StripChartPaneTest, Screenshot)
{
    const QString folder = ScreenshotFolder();
    ProbeInputAndOutput();
    doc->Start();
    const int input[] = {0, 500, 500, 500, 0, 0, 120, 300, 300, 500, 500, 0};
    for (int i = 0; i < 12; ++i)
        Tick(input[i], input[(i + 4) % 12] >= 70 ? 500 : 0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(pane->grab().save(folder + QStringLiteral("/strip-charts.png")));
    doc->Stop();
}

} // namespace
