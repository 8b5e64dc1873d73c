// The window's editing repaint is drawn band after band, to stay in the processor's
// cache on large and zoomed surfaces. It must give exactly the pixels of the board
// drawn at once: sprites and text cross the band edges, and a text field is drawn in
// one band only.
#include "support/ShippedWorksheets.h"
#include "BoardViewFixture.h"

#include "boardview/SurfaceBands.h"
#include "platform/DrawContext.h"

namespace {

// The bands PaintInBands hands out, each marked on the surface with its number.
struct BandsCase {
    const char* name;
    QRect area;
    std::vector<RowSpan> whole;
};

TEST(SurfaceBandsTest, BandsCoverTheAreaOnceAndHoldEachSpanWhole)
{
    constexpr int kWidth = 2000;
    const BandsCase cases[] = {
        {"no spans", QRect(0, 0, kWidth, 300), {}},
        {"a part", QRect(7, 45, 500, 90), {}},
        {"span inside a band", QRect(0, 0, kWidth, 300), {{3, 9}}},
        {"span across bands", QRect(0, 0, kWidth, 300), {{20, 150}}},
        {"spans that chain", QRect(0, 0, kWidth, 300), {{100, 140}, {10, 40}, {135, 190}, {39, 60}}},
        {"span past the area", QRect(0, 50, kWidth, 100), {{-500, 60}, {140, 900}}},
        {"span outside the area", QRect(0, 50, kWidth, 100), {{400, 500}, {-30, -10}}},
        {"area past the surface", QRect(-40, 250, kWidth + 99, 500), {{260, 270}}},
    };
    for (const BandsCase& k : cases) {
        SCOPED_TRACE(k.name);
        QImage surface(kWidth, 300, QImage::Format_RGB32);
        surface.fill(Qt::black);
        std::vector<QRect> bands;
        PaintInBands(surface, k.area, k.whole, [&](QImage& band, const QRect& bandArea) {
            EXPECT_EQ(band.size(), bandArea.size());
            EXPECT_EQ(band.pixel(band.width() - 1, band.height() - 1) & 0xFFFFFF, 0xFFFFFFu) << "erased";
            band.setPixel(0, 0, qRgb(0, 0, int(bands.size())));
            bands.push_back(bandArea);
        });
        const QRect area = k.area & surface.rect();
        const int rows = BandRows(area.width());
        ASSERT_FALSE(bands.empty());
        int next = area.top();
        for (std::size_t i = 0; i < bands.size(); ++i) {
            const QRect& b = bands[i];
            EXPECT_EQ(b.left(), area.left());
            EXPECT_EQ(b.width(), area.width());
            EXPECT_EQ(b.top(), next) << "band " << i;
            next = b.bottom() + 1;
            EXPECT_EQ(surface.pixel(b.topLeft()) & 0xFF, i) << "drawn where it lies";
            if (b.height() > rows) { // only a span makes a band taller
                EXPECT_TRUE(std::any_of(k.whole.begin(), k.whole.end(),
                                        [&](const RowSpan& s) { return s.second > b.top() + rows - 1; }));
            }
        }
        EXPECT_EQ(next, area.bottom() + 1);
        for (const RowSpan& s : k.whole) {
            const int first = std::max(s.first, area.top()), last = std::min(s.second, area.bottom());
            if (first > last)
                continue;
            EXPECT_TRUE(std::any_of(bands.begin(), bands.end(),
                                    [&](const QRect& b) { return b.top() <= first && last <= b.bottom(); }))
                << "span " << s.first << ".." << s.second;
        }
        if (area.left() > 0) {
            EXPECT_EQ(surface.pixel(area.left() - 1, area.top()) & 0xFFFFFF, 0u) << "left of the area";
        }
    }
}

int DifferentPixels(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += (a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF);
    return n;
}

class BandedRepaintTest : public BoardViewFixture {
protected:
    // The board drawn at once on a white surface, as printing and the tool draw it.
    QImage AtOnce(int dpi, QPoint scroll)
    {
        QImage surface(kSize, QImage::Format_RGB32);
        surface.fill(Qt::white);
        CDC dc(surface, dpi);
        Prepare(dc, scroll);
        const CPoint a = dc.DPtoLP(CPoint(-2, -2));
        const CPoint b = dc.DPtoLP(CPoint(kSize.width() + 2, kSize.height() + 2));
        view->DrawBoard(dc, CRect(a.x, a.y, b.x, b.y), false, false);
        return surface;
    }
    // The same as the window repaints it, on a surface that held something else.
    QImage InBands(int dpi, QPoint scroll)
    {
        QImage surface(kSize, QImage::Format_RGB32);
        surface.fill(Qt::red);
        view->PaintEditingBoard(surface, surface.rect(), dpi, [&](CDC& dc) { Prepare(dc, scroll); });
        return surface;
    }
    static void Prepare(CDC& dc, QPoint scroll)
    {
        dc.SetLayoutDpi(96);
        dc.SetViewportOrg(-scroll.x(), -scroll.y());
    }
    static constexpr QSize kSize{1500, 1100};
};

TEST_F(BandedRepaintTest, TheWindowsRepaintEqualsTheBoardDrawnAtOnce)
{
    ShowBoard();
    const struct {
        int dpi;
        QPoint scroll;
    } views[] = {{24, {0, 0}}, {96, {0, 0}}, {96, {31, 407}}, {192, {0, 0}}, {384, {250, 133}}};
    const QStringList files = ShippedWorksheetFiles();
    ASSERT_FALSE(files.isEmpty());
    for (const QString& file : files) {
        ASSERT_TRUE(doc->OnOpenDocument(WindowsName(file))) << file.toStdString();
        for (const auto& v : views) {
            SCOPED_TRACE(QStringLiteral("%1 at %2 dpi, scrolled %3,%4")
                             .arg(QFileInfo(file).completeBaseName())
                             .arg(v.dpi)
                             .arg(v.scroll.x())
                             .arg(v.scroll.y())
                             .toStdString());
            const QImage atOnce = AtOnce(v.dpi, v.scroll);
            const QImage inBands = InBands(v.dpi, v.scroll);
            ASSERT_EQ(DifferentPixels(inBands, atOnce), 0);
        }
    }
}

} // namespace

namespace {

TEST_F(BandedRepaintTest, MoreNamedGatesThanTheSpriteCacheHoldsRepaintAlike)
{
    ShowBoard();
    doc->DeleteContents();
    for (int i = 0; i < 300; ++i) { // every name its own sprite
        std::unique_ptr<CComponent> gate = doc->CreateComponent(AND_GATE);
        gate->m_strName = QStringLiteral("poort %1").arg(i);
        gate->MoveTo(40 + 262 * (i % 20), -40 - 158 * (i / 20));
        doc->AddComponent(std::move(gate));
    }
    doc->LayOutSockets();
    const QImage atOnce = AtOnce(48, {0, 0});
    EXPECT_EQ(DifferentPixels(InBands(48, {0, 0}), atOnce), 0);
    EXPECT_EQ(DifferentPixels(InBands(48, {0, 0}), atOnce), 0) << "from the kept sprites";
}

TEST_F(BandedRepaintTest, AHeapOfLampsTooLargeToHoldIsDrawnOneAfterTheOther)
{
    ShowBoard();
    doc->DeleteContents();
    constexpr int kLamp = 7;
    for (int i = 0; i < 1500; ++i) { // lamps have no kept picture: a sprite each
        std::unique_ptr<CComponent> lamp = doc->CreateComponent(kLamp);
        ASSERT_TRUE(lamp);
        lamp->MoveTo(100 + i % 7, -100 - i % 5);
        doc->AddComponent(std::move(lamp));
    }
    doc->LayOutSockets();
    EXPECT_EQ(DifferentPixels(InBands(384, {0, 0}), AtOnce(384, {0, 0})), 0);
}

} // namespace
