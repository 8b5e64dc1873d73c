// The drawing context, checked through the pixels it leaves in an offscreen image.

#include "platform/DrawContext.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

namespace {

constexpr QRgb kWhite = 0xFFFFFF;
constexpr QRgb kBlack = 0x000000;

// The pixel at a device position as 0xRRGGBB (alpha checked separately).
QRgb Px(CMemoryDC& dc, int x, int y) {
    return dc.Bitmap().pixel(x, y) & 0xFFFFFF;
}
QRgb Rgb(COLORREF c) {
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)) & 0xFFFFFF;
}

// Bounding box (device pixels, right/bottom exclusive) of the pixels that are not white.
QRect InkBox(CMemoryDC& dc) {
    int l = INT_MAX, t = INT_MAX, r = INT_MIN, b = INT_MIN;
    const QImage& img = dc.Bitmap();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) != kWhite) {
                l = std::min(l, x);
                t = std::min(t, y);
                r = std::max(r, x + 1);
                b = std::max(b, y + 1);
            }
    return l == INT_MAX ? QRect() : QRect(QPoint(l, t), QPoint(r - 1, b - 1));
}

int Count(CMemoryDC& dc, QRgb colour) {
    int n = 0;
    const QImage& img = dc.Bitmap();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += (img.pixel(x, y) & 0xFFFFFF) == colour;
    return n;
}

bool AllOpaque(CMemoryDC& dc) {
    const QImage& img = dc.Bitmap();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) != 0xFF) return false;
    return true;
}

// ---------------------------------------------------------------------------------
// Mapping

struct MappingCase {
    int dpi;
    CPoint windowOrg, viewportOrg;
    CPoint logical, device;
};

TEST(DrawContextMapping, MapsUnitsToPixelsWithYUp) {
    const MappingCase cases[] = {
        {96, {0, 0}, {0, 0}, {254, -254}, {96, 96}}, // 25.4 mm is one inch
        {96, {0, 0}, {0, 0}, {0, 0}, {0, 0}},
        {96, {0, 0}, {0, 0}, {1, -1}, {0, 0}},       // 0.38 px
        {96, {0, 0}, {0, 0}, {2, -2}, {1, 1}},       // 0.76 px
        {96, {0, 0}, {0, 0}, {100, -100}, {38, 38}}, // 37.8 px
        {96, {0, 0}, {0, 0}, {100, 100}, {38, -38}}, // above the board goes up the screen
        {254, {0, 0}, {0, 0}, {100, -100}, {100, 100}},
        {254, {0, 0}, {0, 0}, {-5, 5}, {-5, -5}},
        {254, {1000, -2000}, {10, 20}, {1000, -2000}, {10, 20}},
        {254, {1000, -2000}, {10, 20}, {1050, -2100}, {60, 120}},
        {96, {254, 0}, {0, 0}, {508, -254}, {96, 96}},
        {96, {0, -254}, {5, 0}, {0, -508}, {5, 96}},
    };
    for (const MappingCase& c : cases) {
        CMemoryDC dc(8, 8, c.dpi);
        dc.SetWindowOrg(c.windowOrg.x, c.windowOrg.y);
        dc.SetViewportOrg(c.viewportOrg.x, c.viewportOrg.y);
        const CPoint d = dc.LPtoDP(c.logical);
        EXPECT_EQ(d, c.device) << "dpi " << c.dpi << " logical " << c.logical.x << ","
                               << c.logical.y << " gave " << d.x << "," << d.y;
    }
    CMemoryDC dc(8, 8, 96);
    EXPECT_EQ(dc.LengthToDevice(254), 96);
    EXPECT_EQ(dc.LengthToDevice(-254), 96);
    EXPECT_EQ(dc.LengthToDevice(0), 0);
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(0, 0));
}

TEST(DrawContextMapping, MousePixelRoundTripsThroughBoardUnits) {
    for (int dpi : {72, 96, 120, 144, 254})
        for (CPoint win : {CPoint(0, 0), CPoint(1234, -567), CPoint(-3, 7)})
            for (CPoint vp : {CPoint(0, 0), CPoint(-30, 17)}) {
                CMemoryDC dc(1, 1, dpi);
                dc.SetWindowOrg(win.x, win.y);
                dc.SetViewportOrg(vp.x, vp.y);
                for (int x = -400; x <= 400; ++x) {
                    const CPoint pixel(x, (x * 7) % 311 - 150);
                    const CPoint back = dc.LPtoDP(dc.DPtoLP(pixel));
                    ASSERT_EQ(back, pixel) << "dpi " << dpi << " pixel " << x;
                }
            }
}

// ---------------------------------------------------------------------------------
// Figures

TEST(DrawContextFigures, MemoryContextStartsWhiteAndOpaque) {
    CMemoryDC dc(20, 10);
    EXPECT_EQ(dc.Bitmap().size(), QSize(20, 10));
    EXPECT_EQ(dc.Bitmap().format(), QImage::Format_RGB32);
    EXPECT_EQ(Count(dc, kWhite), 200);
    EXPECT_TRUE(AllOpaque(dc));
    EXPECT_FALSE(dc.IsPrinting());
    EXPECT_EQ(dc.Image(), &dc.Bitmap());
}

// A socket disc: 40 units across at (100, -100), black outline, filled.
struct DiscCase {
    int dpi;
    QRect box; // device pixels it must fill, right/bottom exclusive as QRect(l, t, w, h)
};

TEST(DrawContextFigures, SocketDiscLandsWhereTheMappingSays) {
    const COLORREF green = RGB(0, 255, 0);
    for (const DiscCase& c :
         {DiscCase{254, QRect(100, 100, 40, 40)}, DiscCase{96, QRect(38, 38, 15, 15)}}) {
        SCOPED_TRACE(c.dpi);
        CMemoryDC dc(200, 200, c.dpi);
        dc.SelectObject(CPen::Black());
        dc.SelectObject(CBrush::Solid(green));
        dc.Ellipse(100, -100, 140, -140);

        EXPECT_EQ(InkBox(dc), c.box); // touches every edge of its box, never beyond
        const int cx = c.box.center().x(), cy = c.box.center().y();
        EXPECT_EQ(Px(dc, cx, cy), Rgb(green));
        EXPECT_EQ(Px(dc, c.box.left(), cy), kBlack);
        EXPECT_EQ(Px(dc, c.box.right(), cy), kBlack);
        EXPECT_EQ(Px(dc, cx, c.box.top()), kBlack);
        EXPECT_EQ(Px(dc, cx, c.box.bottom()), kBlack);
        EXPECT_EQ(Px(dc, c.box.left(), c.box.top()), kWhite); // a disc, not a square

        for (int y = c.box.top(); y <= c.box.bottom(); ++y)
            for (int x = c.box.left(); x <= c.box.right(); ++x) {
                const QRgb p = Px(dc, x, y);
                ASSERT_TRUE(p == kWhite || p == kBlack || p == Rgb(green));
                // symmetric about both axes
                ASSERT_EQ(p, Px(dc, c.box.left() + c.box.right() - x, y));
                ASSERT_EQ(p, Px(dc, x, c.box.top() + c.box.bottom() - y));
                // closed outline: the fill never touches the white outside
                if (p != Rgb(green)) continue;
                for (QPoint n :
                     {QPoint(x - 1, y), QPoint(x + 1, y), QPoint(x, y - 1), QPoint(x, y + 1)}) {
                    ASSERT_NE(Px(dc, n.x(), n.y()), kWhite) << x << "," << y;
                }
            }
    }
}

struct RectCase {
    const char* name;
    CPen pen;
    CBrush brush;
    int depth; // outline depth in pixels, 0 for none
    bool filled;
};

TEST(DrawContextFigures, RectangleCoversLeftTopUpToButExcludingRightBottom) {
    const COLORREF grey = RGB(192, 192, 192);
    const RectCase cases[] = {
        {"black pen, grey brush", CPen::Black(), CBrush::Solid(grey), 1, true},
        {"no pen", CPen::Null(), CBrush::Solid(grey), 0, true},
        {"hollow", CPen::Black(), CBrush::Hollow(), 1, false},
        {"wide pen", CPen::Solid(3, RGB(0, 0, 0)), CBrush::Solid(grey), 3, true},
    };
    for (const RectCase& c : cases) {
        SCOPED_TRACE(c.name);
        CMemoryDC dc(60, 60, 254);
        dc.SelectObject(c.pen);
        dc.SelectObject(c.brush);
        dc.Rectangle(10, -10, 30, -25); // corners given top-left to bottom-right, y up
        EXPECT_EQ(InkBox(dc), QRect(QPoint(10, 10), QPoint(29, 24)));
        for (int y = 10; y < 25; ++y)
            for (int x = 10; x < 30; ++x) {
                const int edge = std::min({x - 10, 29 - x, y - 10, 24 - y});
                const QRgb want = edge < c.depth ? kBlack : c.filled ? Rgb(grey) : kWhite;
                ASSERT_EQ(Px(dc, x, y), want) << x << "," << y;
            }
    }
    // The corners may come in either order.
    CMemoryDC dc(60, 60, 254);
    dc.Rectangle(30, -25, 10, -10);
    EXPECT_EQ(InkBox(dc), QRect(QPoint(10, 10), QPoint(29, 24)));
}

TEST(DrawContextFigures, PolygonFillsLikeARectangleAndItsOutlineRunsThroughTheVertices) {
    const CPoint box[] = {{10, -10}, {30, -10}, {30, -25}, {10, -25}};
    CMemoryDC fill(60, 60, 254), framed(60, 60, 254);
    fill.SelectObject(CPen::Null());
    fill.SelectObject(CBrush::Black());
    fill.Polygon(box, 4);
    EXPECT_EQ(InkBox(fill), QRect(QPoint(10, 10), QPoint(29, 24)));
    EXPECT_EQ(Count(fill, kBlack), 20 * 15);
    framed.SelectObject(CBrush::Solid(RGB(255, 0, 0)));
    framed.Polygon(box, 4);
    EXPECT_EQ(InkBox(framed), QRect(QPoint(10, 10), QPoint(30, 25)));
    EXPECT_EQ(Count(framed, kBlack), 2 * (20 + 15));
    EXPECT_EQ(Count(framed, Rgb(RGB(255, 0, 0))), 19 * 14);
}

TEST(DrawContextFigures, FillSolidRectCopiesWhateverTheMix) {
    CMemoryDC dc(20, 20, 254);
    dc.SetROP2(R2_XORPEN);
    for (int i = 0; i < 2; ++i)
        dc.FillSolidRect(CRect(2, -2, 8, -6), RGB(200, 10, 20));
    EXPECT_EQ(InkBox(dc), QRect(QPoint(2, 2), QPoint(7, 5)));
    EXPECT_EQ(Px(dc, 2, 2), Rgb(RGB(200, 10, 20)));
}

// ---------------------------------------------------------------------------------
// Exclusive-or and inversion

TEST(DrawContextXor, WhiteOnWhiteGivesBlackAndTwiceWhite) {
    using Draw = void (*)(CDC&);
    const std::pair<const char*, Draw> figures[] = {
        {"rectangle", [](CDC& dc) { dc.Rectangle(5, -5, 45, -35); }},
        {"ellipse", [](CDC& dc) { dc.Ellipse(5, -5, 45, -35); }},
        {"chord", [](CDC& dc) { dc.Chord(5, -5, 45, -35, 45, -20, 5, -20); }},
        {"polygon",
         [](CDC& dc) {
             const CPoint pts[] = {{5, -5}, {45, -12}, {30, -35}, {8, -30}};
             dc.Polygon(pts, 4);
         }},
    };
    for (const auto& [name, draw] : figures) {
        SCOPED_TRACE(name);
        CMemoryDC dc(50, 40, 254);
        dc.SetROP2(R2_XORPEN);
        dc.SelectObject(CPen::White());
        dc.SelectObject(CBrush::White());
        draw(dc);
        // Outline and fill each touched every pixel once: no white holes inside.
        const QRect ink = InkBox(dc);
        ASSERT_FALSE(ink.isNull());
        for (int y = ink.top(); y <= ink.bottom(); ++y) {
            int first = -1, last = -1;
            for (int x = ink.left(); x <= ink.right(); ++x)
                if (Px(dc, x, y) == kBlack) {
                    if (first < 0) first = x;
                    last = x;
                }
            for (int x = first; first >= 0 && x <= last; ++x)
                ASSERT_EQ(Px(dc, x, y), kBlack) << x << "," << y;
        }
        EXPECT_TRUE(AllOpaque(dc));
        draw(dc);
        EXPECT_EQ(Count(dc, kWhite), 50 * 40);
        EXPECT_TRUE(AllOpaque(dc));
    }
}

TEST(DrawContextXor, NotInvertsWhateverThePenAndCopyDrawsPlainlyAfterwards) {
    CMemoryDC dc(20, 20, 254);
    dc.FillSolidRect(CRect(0, 0, 20, -10), RGB(10, 20, 30));
    dc.SetROP2(R2_NOT);
    dc.SelectObject(CPen::Black());
    dc.SelectObject(CBrush::Black());
    dc.Rectangle(0, 0, 20, -20);
    EXPECT_EQ(Px(dc, 3, 3), Rgb(RGB(245, 235, 225)));
    EXPECT_EQ(Px(dc, 3, 15), kBlack);
    EXPECT_TRUE(AllOpaque(dc));
    dc.SetROP2(R2_COPYPEN);
    dc.SelectObject(CBrush::Solid(RGB(1, 2, 3)));
    dc.Rectangle(0, 0, 20, -20);
    EXPECT_EQ(Px(dc, 3, 3), Rgb(RGB(1, 2, 3)));
    EXPECT_EQ(dc.GetPixel(3, -3), RGB(1, 2, 3));
}

TEST(DrawContextXor, LineStopsBeforeItsEndPoint) {
    struct LineCase {
        CPoint from, to;
        int pixels;
    };
    const LineCase cases[] = {
        {{10, -10}, {20, -10}, 10}, {{20, -10}, {10, -10}, 10}, {{10, -10}, {10, -25}, 15},
        {{10, -25}, {10, -10}, 15}, {{22, -22}, {10, -10}, 12}, {{10, -10}, {22, -22}, 12},
        {{10, -10}, {30, -17}, 20}, {{10, -10}, {10, -10}, 0},
    };
    for (const LineCase& c : cases) {
        CMemoryDC dc(40, 40, 254);
        dc.MoveTo(c.from.x, c.from.y);
        dc.LineTo(c.to.x, c.to.y);
        EXPECT_EQ(dc.GetCurrentPosition(), c.to);
        EXPECT_EQ(Count(dc, kBlack), c.pixels) << c.to.x << "," << c.to.y;
        EXPECT_EQ(dc.GetPixel(c.to.x, c.to.y), RGB(255, 255, 255));
        if (c.pixels) {
            EXPECT_EQ(dc.GetPixel(c.from.x, c.from.y), RGB(0, 0, 0));
        }
    }
}

TEST(DrawContextXor, PolylineDrawsEachBendOnceAndTwiceRestores) {
    // Bends of 90 degrees and more: the segments meet only at their shared vertices.
    const CPoint wire[] = {{5, -5}, {60, -5}, {60, -40}, {90, -52}, {95, -75}};
    const int n = 5;
    // Each segment alone, to know how many pixels the whole must show.
    int expected = 0;
    for (int i = 0; i + 1 < n; ++i) {
        CMemoryDC seg(100, 80, 254);
        seg.MoveTo(wire[i].x, wire[i].y);
        seg.LineTo(wire[i + 1].x, wire[i + 1].y);
        expected += Count(seg, kBlack);
    }
    CMemoryDC dc(100, 80, 254);
    dc.MoveTo(1, -1);
    dc.SetROP2(R2_XORPEN);
    dc.SelectObject(CPen::White());
    dc.Polyline(wire, n);
    EXPECT_EQ(Count(dc, kBlack), expected); // no pixel inverted twice
    for (int i = 0; i + 1 < n; ++i)
        EXPECT_EQ(dc.GetPixel(wire[i].x, wire[i].y), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(wire[n - 1].x, wire[n - 1].y), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(1, -1)); // Polyline leaves it alone
    dc.Polyline(wire, n);
    EXPECT_EQ(Count(dc, kWhite), 100 * 80);

    // The same with MoveTo and LineTo over a drawing: it comes back pixel for pixel.
    CMemoryDC board(100, 80, 254);
    board.SelectObject(CBrush::Solid(RGB(0, 0, 255)));
    board.Ellipse(40, -20, 80, -60);
    const QImage before = board.Bitmap().copy();
    board.SetROP2(R2_XORPEN);
    board.SelectObject(CPen::Solid(0, RGB(255, 0, 255)));
    for (int pass = 0; pass < 2; ++pass) {
        board.MoveTo(wire[0].x, wire[0].y);
        for (int i = 1; i < n; ++i)
            board.LineTo(wire[i].x, wire[i].y);
        EXPECT_EQ(board.Bitmap() == before, pass == 1);
    }
}

TEST(DrawContextXor, BuzzerArcRunsRoundTheRightAndTwiceRestores) {
    CMemoryDC dc(120, 120, 254);
    dc.SetROP2(R2_XORPEN);
    dc.SelectObject(CBrush::Hollow());
    dc.SelectObject(CPen::White());
    // From (left + r, bottom) round the right-hand side to (left + r, top).
    dc.Arc(10, -10, 110, -110, 30, -110, 30, -10);
    const QRect ink = InkBox(dc);
    EXPECT_EQ(ink.right(), 109);        // reaches the right edge
    EXPECT_GE(ink.left(), 25);          // but not the left side of the ellipse
    EXPECT_EQ(Px(dc, 109, 60), kBlack); // through the rightmost point
    EXPECT_EQ(Px(dc, 10, 60), kWhite);  // not the leftmost
    EXPECT_EQ(Px(dc, 60, 10), kBlack);  // top and bottom lie inside the sweep
    EXPECT_EQ(Px(dc, 60, 109), kBlack);
    dc.Arc(10, -10, 110, -110, 30, -110, 30, -10);
    EXPECT_EQ(Count(dc, kWhite), 120 * 120);
}

TEST(DrawContextFigures, ChordKeepsTheSideOfTheArc) {
    CMemoryDC dc(60, 60, 254);
    dc.SelectObject(CBrush::Solid(RGB(255, 255, 0)));
    // Counter-clockwise from the right to the left: the upper half.
    dc.Chord(10, -10, 50, -50, 50, -30, 10, -30);
    EXPECT_EQ(Px(dc, 30, 15), Rgb(RGB(255, 255, 0)));
    EXPECT_EQ(Px(dc, 30, 40), kWhite);
    EXPECT_EQ(Px(dc, 30, 29), kBlack); // the closing line
    EXPECT_EQ(Px(dc, 30, 10), kBlack); // the arc
    const QRect ink = InkBox(dc);
    EXPECT_EQ(ink.top(), 10);
    EXPECT_LE(ink.bottom(), 30);
}

TEST(DrawContextXor, InvertedSpriteBlittedTwiceRestoresTheBoard) {
    // The sprite: drawn plainly, then inverted as a whole.
    CMemoryDC sprite(64, 64, 96);
    sprite.SelectObject(CBrush::Solid(RGB(0, 0, 255)));
    sprite.Ellipse(10, -10, 50, -50);
    sprite.SelectObject(CBrush::LightGray());
    sprite.Rectangle(60, -10, 150, -60);
    const QImage plain = sprite.Bitmap().copy();
    sprite.SetROP2(R2_XORPEN);
    sprite.SelectObject(CPen::White());
    sprite.SelectObject(CBrush::White());
    sprite.Rectangle(-1024, 1024, 1024, -1024);
    sprite.SetROP2(R2_COPYPEN);
    EXPECT_TRUE(AllOpaque(sprite));

    CMemoryDC board(200, 200, 96);
    board.SetWindowOrg(-100, 100); // the board scrolled: logical (0,0) at pixel (38,38)
    board.BitBlt(100, -100, 170, -170, sprite, 0, 0, SRCINVERT);
    const CPoint at = board.LPtoDP({100, -100});
    EXPECT_EQ(at, CPoint(76, 76));
    const int side = board.LengthToDevice(170);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            ASSERT_EQ(board.Bitmap().pixel(at.x + x, at.y + y), plain.pixel(x, y)) << x << "," << y;
    EXPECT_TRUE(AllOpaque(board));
    board.BitBlt(100, -100, 170, -170, sprite, 0, 0, SRCINVERT);
    EXPECT_EQ(Count(board, kWhite), 200 * 200);

    // Over a drawing it restores too; plain copy puts the pixels as they are.
    board.SelectObject(CBrush::Solid(RGB(40, 90, 10)));
    board.Rectangle(0, 0, 300, -300);
    const QImage drawn = board.Bitmap().copy();
    board.BitBlt(150, -150, 170, -170, sprite, 0, 0, SRCINVERT);
    EXPECT_NE(board.Bitmap(), drawn);
    board.BitBlt(150, -150, 170, -170, sprite, 0, 0, SRCINVERT);
    EXPECT_EQ(board.Bitmap(), drawn);
    board.BitBlt(0, 0, 170, -170, sprite, 0, 0, SRCCOPY);
    EXPECT_EQ(board.Bitmap().pixel(38 + 5, 38 + 5), sprite.Bitmap().pixel(5, 5));
}

// ---------------------------------------------------------------------------------
// Pixels and printers

TEST(DrawContextPixels, SetAndGetInColourReferenceOrder) {
    CMemoryDC dc(10, 10, 254);
    EXPECT_EQ(dc.SetPixel(3, -4, RGB(10, 20, 30)), RGB(10, 20, 30));
    EXPECT_EQ(dc.Bitmap().pixel(3, 4), qRgb(10, 20, 30));
    EXPECT_EQ(dc.GetPixel(3, -4), RGB(10, 20, 30));
    EXPECT_EQ(dc.GetPixel(10, 0), CLR_INVALID);
    EXPECT_EQ(dc.GetPixel(0, 1), CLR_INVALID);
    EXPECT_EQ(dc.SetPixel(-1, 0, RGB(1, 1, 1)), CLR_INVALID);
}

TEST(DrawContextPixels, PrinterContextDrawsThroughThePainter) {
    QImage page(100, 100, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        CDC dc(painter, 254, true);
        EXPECT_TRUE(dc.IsPrinting());
        EXPECT_EQ(dc.Image(), nullptr);
        EXPECT_EQ(dc.GetPixel(1, -1), CLR_INVALID);
        dc.SelectObject(CBrush::Solid(RGB(0, 255, 0)));
        dc.Ellipse(10, -10, 50, -50);
        dc.SelectObject(CPen::Solid(0, RGB(255, 0, 0)));
        dc.MoveTo(60, -80);
        dc.LineTo(90, -80);
        dc.SelectObject(CFont::Label(44));
        dc.TextOut(60, -10, "EN");
        EXPECT_GT(dc.GetTextExtent("EN").cx, 0);
    }
    EXPECT_EQ(page.pixel(30, 30) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(page.pixel(75, 80) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(page.pixel(5, 95) & 0xFFFFFF, kWhite);
}

// ---------------------------------------------------------------------------------
// Text

// The board's labels and texts are drawn with faces the set-up installs; a machine
// that gives another face draws every recorded picture differently, so say which.
TEST(DrawContextText, TheBoardFacesAreTheInstalledDejaVuFaces) {
    const struct {
        CFont font;
        const char* face;
    } cases[] = {
        {CFont::Label(44), "DejaVu Sans Condensed"},
        {CFont::Label(36), "DejaVu Sans Condensed"},
        {CFont{}, "DejaVu Sans Book"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CDC::ResolvedFace(c.font).toStdString(), c.face)
            << "height " << c.font.height << " width " << c.font.width
            << ": the board is drawn with "
            << c.face << " (packages fonts-dejavu-core and fonts-dejavu-extra, installed by "
            << "scripts/setup.sh)";
    }
}

TEST(DrawContextText, ExtentScalesWithHeightAndWidth) {
    CMemoryDC dc(10, 10, 96);
    CSize previous;
    for (int h : {36, 44, 88, 176}) {
        SCOPED_TRACE(h);
        dc.SelectObject(CFont::Label(h));
        const CSize s = dc.GetTextExtent("EN-poort");
        EXPECT_LE(std::abs(s.cy - h), 3); // the cell height, within a pixel
        EXPECT_GT(s.cx, previous.cx);
        previous = s;
    }
    dc.SelectObject(CFont::Label(88));
    const int at88 = dc.GetTextExtent("EN-poort").cx;
    dc.SelectObject(CFont::Label(176));
    EXPECT_NEAR(dc.GetTextExtent("EN-poort").cx, 2 * at88, at88 / 8);

    // The width asks for the average character width.
    CFont wide = CFont::Label(88);
    wide.width = 70;
    dc.SelectObject(wide);
    EXPECT_GT(dc.GetTextExtent("EN-poort").cx, at88 * 3 / 2);
    const CSize empty = dc.GetTextExtent("");
    EXPECT_EQ(empty.cx, 0);
    EXPECT_GT(empty.cy, 0);
}

TEST(DrawContextText, EveryContextMeasuresTextAsTheScreenDoesAtTrueSize) {
    // Extents differ a little from one resolution to the next (fonts come in whole
    // pixels, a printer has metrics of its own); text is laid out at one resolution, so
    // a zoomed view, another screen and paper all place sockets alike.
    CMemoryDC trueSize(10, 10, 96);
    QTemporaryDir dir;
    QPdfWriter pdf(dir.filePath(QStringLiteral("maat.pdf")));
    pdf.setResolution(1200);
    QPainter painter(&pdf);
    std::vector<std::unique_ptr<CMemoryDC>> screens;
    for (int dpi : {24, 32, 64, 120, 144, 192, 288, 384})
        screens.push_back(std::make_unique<CMemoryDC>(10, 10, dpi));
    CDC paper(painter, pdf.resolution(), true);
    std::vector<CDC*> contexts{&paper};
    for (const auto& screen : screens)
        contexts.push_back(screen.get());
    for (CDC* dc : contexts) {
        SCOPED_TRACE(dc->Dpi());
        for (int h : {36, 44}) {
            trueSize.SelectObject(CFont::Label(h));
            dc->SelectObject(CFont::Label(h));
            for (const char* text : {"EN-poort", "Pulsgenerator", "invertor", "X"}) {
                const CSize expected = trueSize.GetTextExtent(text);
                EXPECT_EQ(dc->GetTextExtent(text).cx, expected.cx) << text;
                EXPECT_EQ(dc->GetTextExtent(text).cy, expected.cy) << text;
            }
        }
    }
}

struct AlignCase {
    unsigned align;
    const char* name;
};

TEST(DrawContextText, AlignmentPlacesTheInk) {
    const AlignCase cases[] = {
        {TA_LEFT | TA_TOP, "left top"},           {TA_CENTER | TA_TOP, "centre top"},
        {TA_RIGHT | TA_TOP, "right top"},         {TA_CENTER | TA_BASELINE, "centre baseline"},
        {TA_CENTER | TA_BOTTOM, "centre bottom"},
    };
    for (const AlignCase& c : cases) {
        SCOPED_TRACE(c.name);
        CMemoryDC dc(200, 120, 96);
        dc.SelectObject(CFont::Label(44));
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextAlign(c.align);
        const CSize extent = dc.GetTextExtent("EN-poort");
        const CPoint at(200, -150);
        dc.TextOut(at.x, at.y, "EN-poort");
        const CPoint p = dc.LPtoDP(at);
        const int w = dc.LengthToDevice(extent.cx), h = dc.LengthToDevice(extent.cy);
        const QRect ink = InkBox(dc);
        ASSERT_FALSE(ink.isNull());
        const unsigned horizontal = c.align & TA_CENTER, vertical = c.align & TA_BASELINE;
        const int left = horizontal == TA_CENTER  ? p.x - w / 2
                         : horizontal == TA_RIGHT ? p.x - w
                                                  : p.x;
        EXPECT_GE(ink.left(), left - 1);
        EXPECT_LE(ink.right(), left + w);
        EXPECT_LE(ink.width(), w + 1);
        if (horizontal == TA_CENTER) {
            EXPECT_LE(std::abs(ink.center().x() - p.x), 2);
        }
        if (vertical == TA_TOP) {
            EXPECT_GE(ink.top(), p.y);
            EXPECT_LT(ink.bottom(), p.y + h);
        } else if (vertical == TA_BASELINE) {
            EXPECT_GE(ink.bottom(), p.y); // only the p reaches below the baseline
            EXPECT_LT(ink.bottom(), p.y + h / 3);
            EXPECT_LT(ink.top(), p.y - h / 2);
        } else {
            EXPECT_LT(ink.bottom(), p.y);
            EXPECT_GE(ink.top(), p.y - h);
        }
    }
}

TEST(DrawContextText, OpaqueFillsTheCellTransparentLeavesIt) {
    const COLORREF grey = RGB(128, 128, 128), red = RGB(255, 0, 0);
    for (int mode : {OPAQUE, TRANSPARENT}) {
        SCOPED_TRACE(mode);
        CMemoryDC dc(200, 60, 96);
        dc.FillSolidRect(CRect(0, 0, 600, -200), grey);
        dc.SelectObject(CFont::Label(44));
        dc.SetBkMode(mode);
        dc.SetBkColor(RGB(255, 255, 255));
        dc.SetTextColor(red);
        dc.TextOut(20, -20, "Hallo");
        const CSize s = dc.GetTextExtent("Hallo");
        const CPoint p = dc.LPtoDP({20, -20});
        const QRect cell(p.x, p.y, dc.LengthToDevice(s.cx), dc.LengthToDevice(s.cy));
        int greyInCell = 0, redInCell = 0, other = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x) {
                const QRgb px = Px(dc, x, y);
                greyInCell += px == Rgb(grey);
                redInCell += px == Rgb(red);
                other += px != Rgb(grey) && px != Rgb(red) && px != kWhite;
            }
        EXPECT_GT(redInCell, 20);
        EXPECT_EQ(other, 0); // no antialiasing
        if (mode == OPAQUE) {
            EXPECT_EQ(greyInCell, 0);
        } else {
            EXPECT_GT(greyInCell, cell.width() * cell.height() / 2);
        }
        EXPECT_EQ(Px(dc, cell.left() - 1, cell.top()), Rgb(grey)); // nothing outside the cell
        EXPECT_EQ(Px(dc, cell.left(), cell.bottom() + 1), Rgb(grey));
    }
}

TEST(DrawContextText, TextIgnoresTheExclusiveOrMix) {
    CMemoryDC a(120, 40, 96), b(120, 40, 96);
    for (CMemoryDC* dc : {&a, &b}) {
        dc->SelectObject(CFont::Label(36));
        dc->SetBkMode(TRANSPARENT);
    }
    b.SetROP2(R2_XORPEN);
    a.TextOut(10, -10, "1");
    b.TextOut(10, -10, "1");
    b.TextOut(10, -10, "1");
    EXPECT_EQ(a.Bitmap(), b.Bitmap());
    EXPECT_GT(Count(a, kBlack), 5);
}

} // namespace
