// The drawing context. On an image, shapes, lines, pixels and blits are rasterised
// straight into the image's pixels with GDI's coverage rules, so that every pixel is
// touched exactly once per figure and an exclusive-or figure drawn twice restores the
// picture exactly. Text (and anything a caller draws through Painter()) goes through
// the QPainter that is active on the same image. On a printer everything goes through
// the caller's painter as vector drawing.

#include "DrawContext.h"

#include "DialogGuard.h"

#include <QCoreApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHash>
#include <QPaintEngine>
#include <QPainter>
#include <QStaticText>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <utility>

namespace {

// The one resolution text is measured at, whatever the device draws at.
constexpr int kTextDpi = 96;

// round(n * num / den), halves towards +infinity, for den > 0; exact in 64 bits.
int MulDivRound(std::int64_t n, std::int64_t num, std::int64_t den) {
    const std::int64_t a = 2 * n * num + den;
    const std::int64_t d = 2 * den;
    std::int64_t q = a / d;
    if (a % d != 0 && a < 0) --q;
    return int(std::clamp<std::int64_t>(q, INT_MIN, INT_MAX));
}

// COLORREF 0x00BBGGRR to the pixel's 0x00RRGGBB, and back.
constexpr quint32 ToRgb(COLORREF c) {
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr COLORREF FromRgb(quint32 p) {
    return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}
QColor ToQColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

constexpr quint32 kOpaque = 0xFF000000u;

enum class Mix { Copy, Xor, Not };

struct Span {
    int l = 0; // first pixel
    int r = 0; // one past the last pixel
    bool Empty() const { return r <= l; }
};

constexpr double kEps = 1e-9;

// d = d xor s over a row of n pixels, eight at a time (sprites are xor'ed onto the board
// at every editing repaint). The rows do not overlap. A processor with AVX2 does the
// eight in one step, which a zoomed repaint of a large board needs.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
__attribute__((target_clones("avx2", "default")))
#endif
void XorRow(quint32* d, const quint32* s, int n) {
    using Pixels8 = quint32 __attribute__((vector_size(32)));
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        Pixels8 a, b;
        std::memcpy(&a, d + i, sizeof a);
        std::memcpy(&b, s + i, sizeof b);
        a = (a ^ b) | kOpaque;
        std::memcpy(d + i, &a, sizeof a);
    }
    for (; i < n; ++i)
        d[i] = (d[i] ^ s[i]) | kOpaque;
}

// GDI's cosmetic dash patterns, in pixels: on, off.
bool DashOn(int style, int step) {
    switch (style) {
    case PS_DASH:
        return step % 24 < 18;
    case PS_DOT:
        return step % 6 < 3;
    default:
        return true;
    }
}

} // namespace

// ---------------------------------------------------------------------------------
// Fonts

struct CDC::FontEntry {
    FontEntry(const CFont& k, int d, const QFont& f, QPaintDevice* device)
        : key(k), dpi(d), font(f), metrics(device ? QFontMetrics(f, device) : QFontMetrics(f)),
          ascent(metrics.ascent()), height(metrics.height()) {}
    CFont key;
    int dpi;
    QFont font;
    QFontMetrics metrics;
    int ascent; // device pixels
    int height; // device pixels: the cell height
    // Printers narrow the text by a transform instead: the PDF engine draws a stretched
    // font at its natural width.
    double xScale = 1.0;
    bool raster = true; // resolved for an image, not for the painter's device

    // Captions are measured and drawn on every paint: keep their widths and laid-out
    // glyphs per font.
    struct Text {
        int width = 0;
        QStaticText glyphs;
        bool prepared = false;
    };
    QHash<QString, Text> texts;
    static constexpr qsizetype kMaxTexts = 1024;

    Text& Lookup(const QString& text) {
        auto it = texts.find(text);
        if (it != texts.end()) return *it;
        if (texts.size() >= kMaxTexts) texts.clear();
        const int natural = metrics.horizontalAdvance(text);
        Text t;
        t.width = xScale == 1.0 ? natural : int(std::lround(natural * xScale));
        return *texts.insert(text, t);
    }
    int Advance(const QString& text) { return Lookup(text).width; }
};

struct CDC::Impl {
    // ---- fonts ----
    // The board's stored face names are those of the platform it was first made on; here
    // they are drawn with the DejaVu faces the set-up installs (the narrow label font
    // takes DejaVu Sans Condensed from fonts-dejavu-extra), asked for by name so that no
    // machine's font configuration picks another face and moves the text.
    static QString BoardFontFamily(const QString& face) {
        if (face.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0)
            return QStringLiteral("DejaVu Sans");
        return face;
    }

    static std::vector<std::unique_ptr<FontEntry>>& SharedFonts() {
        // Fonts resolved for image targets, shared by every context of the program (a
        // drawing pass creates its context anew; the fonts stay). Cleared before the
        // application object goes, so no QFont outlives it.
        static std::vector<std::unique_ptr<FontEntry>> fonts;
        return fonts;
    }
    static constexpr std::size_t kMaxSharedFonts = 256;

    static std::unique_ptr<FontEntry> Resolve(const CFont& f, int dpi, QPaintDevice* device,
                                              bool raster) {
        QFont q(BoardFontFamily(f.face));
        q.setStyleHint(QFont::SansSerif, raster ? QFont::NoAntialias : QFont::PreferDefault);
        if (raster) q.setStyleStrategy(QFont::NoAntialias);
        q.setWeight(QFont::Weight(std::clamp(f.weight <= 0 ? 400 : f.weight, 1, 1000)));
        q.setItalic(f.italic);
        q.setUnderline(f.underline);
        auto metrics = [&](const QFont& x) {
            return device ? QFontMetrics(x, device) : QFontMetrics(x);
        };

        // A positive height is the cell height (ascent + descent), a negative one the
        // character height, as in the interface the board code was written for.
        const int units = f.height == 0 ? 44 : f.height;
        const int px = std::max(1, MulDivRound(std::abs(units), dpi, 254));
        if (units < 0) {
            q.setPixelSize(px);
        } else {
            QFont probe = q;
            probe.setPixelSize(100);
            const int h100 = std::max(1, metrics(probe).height());
            int size = std::max(1, int(std::lround(px * 100.0 / h100)));
            q.setPixelSize(size);
            while (size > 1 && metrics(q).height() > px)
                q.setPixelSize(--size);
            for (;;) {
                QFont up = q;
                up.setPixelSize(size + 1);
                if (metrics(up).height() > px) break;
                q = up;
                ++size;
            }
        }
        double xScale = 1.0;
        if (f.width > 0) {
            const double target = f.width * double(dpi) / 254.0;
            const double natural = QFontMetricsF(q, device).averageCharWidth();
            if (natural > 0 && raster)
                q.setStretch(std::clamp(int(std::lround(100.0 * target / natural)), 1, 4000));
            else if (natural > 0)
                xScale = std::clamp(target / natural, 0.01, 40.0);
        }
        auto entry = std::make_unique<FontEntry>(f, dpi, q, device);
        entry->xScale = xScale;
        entry->raster = raster;
        return entry;
    }

    // The current font at a resolution, resolved for an image (shared by every
    // context) or for the painter's device.
    static FontEntry& FontAt(CDC& dc, int dpi, bool raster) {
        if (raster) {
            auto& shared = SharedFonts();
            for (const auto& e : shared)
                if (e->dpi == dpi && e->key == dc.m_font) return *e;
            if (shared.size() < kMaxSharedFonts) {
                if (shared.empty()) qAddPostRoutine([] { SharedFonts().clear(); });
                shared.push_back(Resolve(dc.m_font, dpi, nullptr, true));
                return *shared.back();
            }
        }
        QPaintDevice* device = raster ? nullptr : dc.m_pPainter->device();
        for (const auto& e : dc.m_ownFonts)
            if (e->dpi == dpi && e->key == dc.m_font && e->raster == raster) return *e;
        dc.m_ownFonts.push_back(Resolve(dc.m_font, dpi, device, raster));
        return *dc.m_ownFonts.back();
    }

    // ---- pixels of an image target ----
    static quint32* Row(CDC& dc, int y) {
        return reinterpret_cast<quint32*>(dc.m_pBits + qsizetype(y) * dc.m_nStride);
    }

    static void FillSpan(CDC& dc, int y, int l, int r, quint32 rgb, Mix mix) {
        if (y < 0 || y >= dc.m_nImageHeight) return;
        l = std::max(l, 0);
        r = std::min(r, dc.m_nImageWidth);
        if (l >= r) return;
        quint32* p = Row(dc, y);
        switch (mix) {
        case Mix::Copy:
            std::fill(p + l, p + r, rgb | kOpaque);
            break;
        case Mix::Xor:
            for (int i = l; i < r; ++i)
                p[i] = (p[i] ^ rgb) | kOpaque;
            break;
        case Mix::Not:
            for (int i = l; i < r; ++i)
                p[i] = ~p[i] | kOpaque;
            break;
        }
    }

    static void Plot(CDC& dc, int x, int y, quint32 rgb, Mix mix) {
        if (unsigned(x) >= unsigned(dc.m_nImageWidth) || unsigned(y) >= unsigned(dc.m_nImageHeight))
            return;
        quint32& p = Row(dc, y)[x];
        switch (mix) {
        case Mix::Copy:
            p = rgb | kOpaque;
            break;
        case Mix::Xor:
            p = (p ^ rgb) | kOpaque;
            break;
        case Mix::Not:
            p = ~p | kOpaque;
            break;
        }
    }

    static Mix PenMix(const CDC& dc) {
        switch (dc.m_nRop2) {
        case R2_XORPEN:
            return Mix::Xor;
        case R2_NOT:
            return Mix::Not;
        default:
            return Mix::Copy;
        }
    }

    static int PenPixels(const CDC& dc) {
        return dc.m_pen.width <= 1 ? 1 : std::max(1, dc.LengthToDevice(dc.m_pen.width));
    }

    // A convex figure given as one span per row, rows y0 .. y0 + size - 1. The outline is
    // the figure's own border `w` pixels deep (a pixel is inside when the pixels w away
    // left, right, up and down all belong to the figure); the rest is filled. Outline
    // and fill never overlap.
    static void FillConvex(CDC& dc, int y0, const std::vector<Span>& rows, bool outline, int w,
                           quint32 penRgb, bool fill, quint32 brushRgb, Mix mix) {
        const int n = int(rows.size());
        const int first = std::max(0, -y0);
        const int last = std::min(n, dc.m_nImageHeight - y0);
        for (int j = first; j < last; ++j) {
            const Span s = rows[j];
            if (s.Empty()) continue;
            const int y = y0 + j;
            if (!outline) {
                if (fill) FillSpan(dc, y, s.l, s.r, brushRgb, mix);
                continue;
            }
            int il = s.l + w;
            int ir = s.r - w;
            for (int k = 1; k <= w && il < ir; ++k) {
                for (int jj : {j - k, j + k}) {
                    if (jj < 0 || jj >= n) {
                        ir = il;
                        break;
                    }
                    il = std::max(il, rows[jj].l);
                    ir = std::min(ir, rows[jj].r);
                }
            }
            if (il >= ir) {
                FillSpan(dc, y, s.l, s.r, penRgb, mix);
            } else {
                FillSpan(dc, y, s.l, il, penRgb, mix);
                if (fill) FillSpan(dc, y, il, ir, brushRgb, mix);
                FillSpan(dc, y, ir, s.r, penRgb, mix);
            }
        }
    }

    // Rows of the ellipse inscribed in x0..x0+w-1, y0..y0+h-1: a pixel belongs to it when
    // its centre lies inside. Built from the top half and mirrored, so it is exactly
    // symmetric.
    static void EllipseRows(int x0, int w, int h, std::vector<Span>& rows) {
        rows.assign(std::size_t(std::max(h, 0)), Span{});
        const double a = w / 2.0;
        const double b = h / 2.0;
        for (int j = 0; j < (h + 1) / 2; ++j) {
            const double dy = (j + 0.5 - b) / b;
            const double t = 1.0 - dy * dy;
            if (t < 0) continue;
            const double hw = a * std::sqrt(t);
            const int lo = std::max(0, int(std::ceil(a - hw - 0.5 - kEps)));
            if (lo >= w - lo) continue;
            rows[std::size_t(j)] = rows[std::size_t(h - 1 - j)] = Span{x0 + lo, x0 + w - lo};
        }
    }

    // ---- arcs and chords ----
    struct ArcGeometry {
        double cx, cy; // centre in device coordinates
        double a, b;   // half axes in pixels
        double start;  // angle of the start radial, board orientation (y up)
        double sweep;  // counter-clockwise, in (0, 2 pi]
    };

    static bool ArcSetup(CDC& dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye,
                         CRect& box, ArcGeometry& g) {
        const CPoint p0 = dc.LPtoDP({l, t});
        const CPoint p1 = dc.LPtoDP({r, b});
        box = CRect(p0.x, p0.y, p1.x, p1.y).Normalized();
        if (box.IsRectEmpty()) return false;
        g.a = box.Width() / 2.0;
        g.b = box.Height() / 2.0;
        g.cx = box.left + g.a;
        g.cy = box.top + g.b;
        const CPoint s = dc.LPtoDP({xs, ys});
        const CPoint e = dc.LPtoDP({xe, ye});
        g.start = std::atan2(g.cy - s.y, s.x - g.cx);
        const double end = std::atan2(g.cy - e.y, e.x - g.cx);
        constexpr double kTwoPi = 2 * std::numbers::pi;
        g.sweep = std::fmod(end - g.start + 2 * kTwoPi, kTwoPi);
        if (g.sweep < kEps) g.sweep = kTwoPi; // one radial: the whole ellipse
        return true;
    }

    // Where a radial at this angle meets the ellipse, y up, relative to the centre.
    static QPointF RadialPoint(const ArcGeometry& g, double angle) {
        const double c = std::cos(angle), s = std::sin(angle);
        const double k = 1.0 / std::sqrt((c / g.a) * (c / g.a) + (s / g.b) * (s / g.b));
        return {k * c, k * s};
    }

    static bool InSweep(const ArcGeometry& g, double u, double v) {
        constexpr double kTwoPi = 2 * std::numbers::pi;
        if (g.sweep >= kTwoPi) return true;
        const double rel = std::fmod(std::atan2(v, u) - g.start + 2 * kTwoPi, kTwoPi);
        return rel <= g.sweep + kEps;
    }

    // ---- lines ----
    // Bresenham from (x0,y0) up to, not including, (x1,y1).
    template <typename F> static void Bresenham(int x0, int y0, int x1, int y1, F&& plot) {
        const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
        const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
        int err = dx + dy;
        while (x0 != x1 || y0 != y1) {
            plot(x0, y0);
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x0 += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y0 += sy;
            }
        }
    }

    // Rows of a wide pen's stroke from a to b with round ends (pen w pixels).
    static int CapsuleRows(CPoint a, CPoint b, int w, std::vector<Span>& rows) {
        const double off = (w % 2) ? 0.5 : 0.0; // odd pens are centred on the pixel
        const double ax = a.x + off, ay = a.y + off, bx = b.x + off, by = b.y + off;
        const double rad = w / 2.0 - kEps;
        const int top = int(std::floor(std::min(ay, by) - rad));
        const int bottom = int(std::ceil(std::max(ay, by) + rad));
        rows.assign(std::size_t(std::max(0, bottom - top + 1)), Span{});
        const double dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
        const double len = std::sqrt(len2);
        for (int j = 0; j < int(rows.size()); ++j) {
            const double yc = top + j + 0.5;
            double lo = INFINITY, hi = -INFINITY;
            for (const auto& [px, py] : {std::pair{ax, ay}, std::pair{bx, by}}) {
                const double t = rad * rad - (yc - py) * (yc - py);
                if (t > 0) {
                    lo = std::min(lo, px - std::sqrt(t));
                    hi = std::max(hi, px + std::sqrt(t));
                }
            }
            if (len2 > 0) {
                // 0 <= (P - A).d <= |d|^2 and |cross(d, P - A)| <= rad |d|, linear in x.
                double l = -INFINITY, h = INFINITY;
                auto clip = [&](double coef, double c0, double c1) {
                    // c0 <= coef * x + k <= c1 with k folded into c0, c1 by the caller
                    if (std::abs(coef) < 1e-12) {
                        if (c0 > 0 || c1 < 0) h = -INFINITY;
                        return;
                    }
                    double x0 = c0 / coef, x1 = c1 / coef;
                    if (x0 > x1) std::swap(x0, x1);
                    l = std::max(l, x0);
                    h = std::min(h, x1);
                };
                const double kDot = (yc - ay) * dy - ax * dx; // (P-A).d = x dx + kDot
                clip(dx, -kDot, len2 - kDot);
                const double kCross = dx * (yc - ay) + dy * ax; // cross = kCross - x dy
                clip(-dy, -rad * len - kCross, rad * len - kCross);
                if (l <= h) {
                    lo = std::min(lo, l);
                    hi = std::max(hi, h);
                }
            }
            if (lo <= hi)
                rows[std::size_t(j)] =
                    Span{int(std::ceil(lo - 0.5 - kEps)), int(std::floor(hi - 0.5 + kEps)) + 1};
        }
        return top;
    }

    static void ImageLine(CDC& dc, CPoint a, CPoint b) {
        const CPen& pen = dc.m_pen;
        if (pen.style == PS_NULL) return;
        const quint32 rgb = ToRgb(pen.colour);
        const Mix mix = PenMix(dc);
        const int w = PenPixels(dc);
        if (w > 1) {
            std::vector<Span>& rows = Scratch();
            const int top = CapsuleRows(a, b, w, rows);
            for (int j = 0; j < int(rows.size()); ++j)
                FillSpan(dc, top + j, rows[std::size_t(j)].l, rows[std::size_t(j)].r, rgb, mix);
            return;
        }
        if (pen.style == PS_SOLID && a.y == b.y) { // the common wire and lead case
            if (a.x < b.x)
                FillSpan(dc, a.y, a.x, b.x, rgb, mix);
            else if (a.x > b.x)
                FillSpan(dc, a.y, b.x + 1, a.x + 1, rgb, mix);
            return;
        }
        if (pen.style == PS_SOLID && a.x == b.x) {
            if (unsigned(a.x) >= unsigned(dc.m_nImageWidth)) return;
            const int y0 = std::max(a.y < b.y ? a.y : b.y + 1, 0);
            const int y1 = std::min(a.y < b.y ? b.y : a.y + 1, dc.m_nImageHeight);
            for (int y = y0; y < y1; ++y) {
                quint32& p = Row(dc, y)[a.x];
                p = mix == Mix::Copy  ? rgb | kOpaque
                    : mix == Mix::Xor ? (p ^ rgb) | kOpaque
                                      : ~p | kOpaque;
            }
            return;
        }
        // Nothing to walk when the line's box misses the image entirely.
        if (std::max(a.x, b.x) < 0 || std::min(a.x, b.x) >= dc.m_nImageWidth ||
            std::max(a.y, b.y) < 0 || std::min(a.y, b.y) >= dc.m_nImageHeight)
            return;
        int& step = dc.m_nDashStep;
        Bresenham(a.x, a.y, b.x, b.y, [&](int x, int y) {
            if (DashOn(pen.style, step++)) Plot(dc, x, y, rgb, mix);
        });
    }

    static std::vector<Span>& Scratch() {
        static std::vector<Span> rows; // drawing happens on the user-interface thread
        return rows;
    }

    // ---- painter (printer targets and text) ----
    static void SetPainterMix(CDC& dc, Mix mix) {
        int want = int(mix);
        QPainter& p = *dc.m_pPainter;
        QPaintEngine* engine = p.paintEngine();
        if (mix != Mix::Copy && !(engine && engine->hasFeature(QPaintEngine::RasterOpModes)))
            want = int(Mix::Copy);
        if (dc.m_nPainterMix == want) return;
        dc.m_nPainterMix = want;
        switch (Mix(want)) {
        case Mix::Copy:
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
            break;
        case Mix::Xor:
            p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            break;
        case Mix::Not:
            p.setCompositionMode(QPainter::RasterOp_NotDestination);
            break;
        }
    }

    // The pen and brush of a figure drawn through the painter, the outline inside the
    // figure's box like on an image.
    static double PainterFigure(CDC& dc) {
        dc.ApplyMix();
        dc.ApplyPen();
        dc.ApplyBrush();
        const double pw = dc.m_pen.style == PS_NULL ? 0.0 : double(PenPixels(dc));
        return pw;
    }

    static QRectF Inset(const CRect& box, double pw) {
        return QRectF(box.left + pw / 2, box.top + pw / 2, std::max(0.0, box.Width() - pw),
                      std::max(0.0, box.Height() - pw));
    }

    // Qt measures arc angles on the ellipse's parameter, GDI along the radial.
    static int QtAngle16(const ArcGeometry& g, double radial) {
        const double t = std::atan2(g.a * std::sin(radial), g.b * std::cos(radial));
        return int(std::lround(t * 180.0 / std::numbers::pi * 16));
    }
};

// ---------------------------------------------------------------------------------
// Construction

namespace {
// Contexts painting on a surface they do not own, while they are open.
std::vector<const CDC*>& OpenContexts() {
    static std::vector<const CDC*> open; // drawing happens on the user-interface thread
    return open;
}
void Forget(const CDC* dc) {
    auto& open = OpenContexts();
    open.erase(std::remove(open.begin(), open.end(), dc), open.end());
}
} // namespace

int OpenDrawingContexts() {
    return int(OpenContexts().size());
}

CDC::CDC(QImage& target, int dpi) : m_pImage(&target), m_nDpi(std::max(1, dpi)) {
    switch (target.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        break;
    default:
        if (!target.isNull()) target.convertTo(QImage::Format_RGB32);
        break;
    }
    if (!target.isNull()) {
        m_pBits = target.bits(); // detaches now, before the painter shares the buffer
        m_nStride = target.bytesPerLine();
        m_nImageWidth = target.width();
        m_nImageHeight = target.height();
    }
    m_ownPainter = std::make_unique<QPainter>();
    m_pPainter = m_ownPainter.get();
    if (!target.isNull() && m_ownPainter->begin(&target)) {
        m_ownPainter->setRenderHint(QPainter::Antialiasing, false);
        m_ownPainter->setRenderHint(QPainter::TextAntialiasing, false);
        m_ownPainter->setRenderHint(QPainter::SmoothPixmapTransform, false);
        OpenContexts().push_back(this);
    }
}

CDC::CDC(QPainter& painter, int dpi, bool printing)
    : m_pPainter(&painter), m_nDpi(std::max(1, dpi)), m_bPrinting(printing) {
    if (m_pPainter->isActive()) {
        m_pPainter->save(); // the caller's state comes back at the end
        OpenContexts().push_back(this);
    }
}

CDC::~CDC() {
    Forget(this);
    if (m_ownPainter) {
        if (m_ownPainter->isActive()) m_ownPainter->end();
    } else if (m_pPainter && m_pPainter->isActive()) {
        m_pPainter->restore();
    }
}

vt_detail::MemoryBitmap::MemoryBitmap(int widthPixels, int heightPixels)
    : m_image(std::max(widthPixels, 0), std::max(heightPixels, 0), QImage::Format_RGB32) {
    m_image.fill(Qt::white);
}

CMemoryDC::CMemoryDC(int widthPixels, int heightPixels, int dpi)
    : vt_detail::MemoryBitmap(widthPixels, heightPixels), CDC(m_image, dpi) {
    Forget(this); // its image is its own: nothing else can take it away meanwhile
}

QPainter& CDC::Painter() {
    // The caller may change anything on it: apply our state afresh afterwards.
    m_bPenApplied = m_bBrushApplied = m_bPainterTextColour = false;
    m_pPainterFont = nullptr;
    m_nPainterMix = -1;
    return *m_pPainter;
}

// ---------------------------------------------------------------------------------
// Mapping

void CDC::SetWindowOrg(int x, int y) {
    m_windowOrg = {x, y};
}
void CDC::SetViewportOrg(int xPixels, int yPixels) {
    m_viewportOrg = {xPixels, yPixels};
}

CPoint CDC::LPtoDP(CPoint p) const {
    return {MulDivRound(std::int64_t(p.x) - m_windowOrg.x, m_nDpi, 254) + m_viewportOrg.x,
            MulDivRound(std::int64_t(m_windowOrg.y) - p.y, m_nDpi, 254) + m_viewportOrg.y};
}

CPoint CDC::DPtoLP(CPoint d) const {
    return {m_windowOrg.x + MulDivRound(std::int64_t(d.x) - m_viewportOrg.x, 254, m_nDpi),
            m_windowOrg.y - MulDivRound(std::int64_t(d.y) - m_viewportOrg.y, 254, m_nDpi)};
}

int CDC::LengthToDevice(int units) const {
    return MulDivRound(std::abs(std::int64_t(units)), m_nDpi, 254);
}

void CDC::SetLayoutDpi(int dpi) {
    m_nLayoutDpi = std::max(0, dpi);
    m_pLayoutFontEntry = nullptr;
}

// ---------------------------------------------------------------------------------
// State

CPen CDC::SelectObject(const CPen& pen) {
    CPen old = m_pen;
    if (!(pen == m_pen)) {
        m_pen = pen;
        m_bPenApplied = false;
    }
    return old;
}

CBrush CDC::SelectObject(const CBrush& brush) {
    CBrush old = m_brush;
    if (!(brush == m_brush)) {
        m_brush = brush;
        m_bBrushApplied = false;
    }
    return old;
}

CFont CDC::SelectObject(const CFont& font) {
    CFont old = m_font;
    if (!(font == m_font)) {
        m_font = font;
        m_pFontEntry = nullptr;
        m_pLayoutFontEntry = nullptr;
    }
    return old;
}

int CDC::SetROP2(int mode) {
    return std::exchange(m_nRop2, mode);
}
unsigned CDC::SetTextAlign(unsigned align) {
    return std::exchange(m_nTextAlign, align);
}
int CDC::SetBkMode(int mode) {
    return std::exchange(m_nBkMode, mode);
}
COLORREF CDC::SetTextColor(COLORREF colour) {
    return std::exchange(m_textColour, colour);
}
COLORREF CDC::SetBkColor(COLORREF colour) {
    return std::exchange(m_bkColour, colour);
}

void CDC::ApplyPen() {
    if (m_bPenApplied) return;
    m_bPenApplied = true;
    if (m_pen.style == PS_NULL) {
        m_pPainter->setPen(Qt::NoPen);
        return;
    }
    const int w = Impl::PenPixels(*this);
    QPen pen(ToQColor(m_pen.colour), w <= 1 ? 0 : w);
    pen.setStyle(m_pen.style == PS_DASH  ? Qt::DashLine
                 : m_pen.style == PS_DOT ? Qt::DotLine
                                         : Qt::SolidLine);
    pen.setCapStyle(w <= 1 ? Qt::FlatCap : Qt::RoundCap);
    pen.setJoinStyle(w <= 1 ? Qt::MiterJoin : Qt::RoundJoin);
    m_pPainter->setPen(pen);
    m_bPainterTextColour = false; // text sets the pen colour itself
}

void CDC::ApplyBrush() {
    if (m_bBrushApplied) return;
    m_bBrushApplied = true;
    if (m_brush.hollow)
        m_pPainter->setBrush(Qt::NoBrush);
    else
        m_pPainter->setBrush(ToQColor(m_brush.colour));
}

void CDC::ApplyMix() {
    Impl::SetPainterMix(*this, Impl::PenMix(*this));
}

QString CDC::ResolvedFace(const CFont& font, int dpi) {
    const QFontInfo info(Impl::Resolve(font, dpi, nullptr, true)->font);
    return info.family() + QLatin1Char(' ') + info.styleName();
}

CDC::FontEntry& CDC::CurrentFont() {
    if (!m_pFontEntry) m_pFontEntry = &FontAt(m_nDpi);
    return *m_pFontEntry;
}

CDC::FontEntry& CDC::FontAt(int dpi) {
    return Impl::FontAt(*this, dpi, m_pImage != nullptr);
}

// ---------------------------------------------------------------------------------
// Text

void CDC::TextOut(int x, int y, const QString& text) {
    FontEntry& fe = CurrentFont();
    const CPoint p = LPtoDP({x, y});
    const unsigned h = m_nTextAlign & TA_CENTER;
    const bool opaque = m_nBkMode == OPAQUE;
    const int width = (h != TA_LEFT || opaque || m_bTrackTouched) ? fe.Advance(text) : 0;
    const int left = h == TA_CENTER ? p.x - width / 2 : h == TA_RIGHT ? p.x - width : p.x;
    const unsigned v = m_nTextAlign & TA_BASELINE;
    const int top = v == TA_BASELINE ? p.y - fe.ascent : v == TA_BOTTOM ? p.y - fe.height : p.y;
    if (m_bTrackTouched) Touch(CRect(left, top, left + width, top + fe.height));

    if (opaque && width > 0) {
        if (m_pBits) {
            for (int row = top; row < top + fe.height; ++row)
                Impl::FillSpan(*this, row, left, left + width, ToRgb(m_bkColour), Mix::Copy);
        } else if (m_pPainter->isActive()) {
            Impl::SetPainterMix(*this, Mix::Copy);
            m_pPainter->fillRect(QRect(left, top, width, fe.height), ToQColor(m_bkColour));
        }
    }
    if (text.isEmpty() || !m_pPainter->isActive()) return;
    QPainter& painter = *m_pPainter;
    Impl::SetPainterMix(*this, Mix::Copy); // the mix applies to pens and brushes, not text
    if (m_pPainterFont != &fe) {
        painter.setFont(fe.font);
        m_pPainterFont = &fe;
    }
    if (!m_bPainterTextColour || m_painterTextColour != m_textColour) {
        painter.setPen(ToQColor(m_textColour));
        m_painterTextColour = m_textColour;
        m_bPainterTextColour = true;
        m_bPenApplied = false;
    }
    if (m_pBits) {
        // On an image the prepared glyphs draw the same pixels as drawText, faster.
        FontEntry::Text& t = fe.Lookup(text);
        if (!t.prepared) {
            t.glyphs = QStaticText(text);
            t.glyphs.setTextFormat(Qt::PlainText);
            t.glyphs.setPerformanceHint(QStaticText::AggressiveCaching);
            t.glyphs.prepare(QTransform(), fe.font);
            t.prepared = true;
        }
        painter.drawStaticText(QPoint(left, top), t.glyphs);
        return;
    }
    if (fe.xScale == 1.0) {
        painter.drawText(QPoint(left, top + fe.ascent), text);
        return;
    }
    painter.save();
    painter.translate(left, top + fe.ascent);
    painter.scale(fe.xScale, 1.0);
    painter.drawText(QPoint(0, 0), text);
    painter.restore();
}

CSize CDC::GetTextExtent(const QString& text) {
    // One layout on every device: measured as on an image at one resolution, whatever
    // the target's resolution (zoom, screen, printer) and metrics (a printer's differ).
    const int dpi = kTextDpi;
    if (!m_pLayoutFontEntry)
        m_pLayoutFontEntry = dpi == m_nDpi && m_pImage ? &CurrentFont() : &Impl::FontAt(*this, dpi, true);
    FontEntry& fe = *m_pLayoutFontEntry;
    const int cx = MulDivRound(fe.Advance(text), 254, dpi);
    const int cy = std::max(1, MulDivRound(fe.height, 254, dpi));
    return {cx, cy};
}

// ---------------------------------------------------------------------------------
// Figures

void CDC::Rectangle(int l, int t, int r, int b) {
    const CPoint p0 = LPtoDP({l, t});
    const CPoint p1 = LPtoDP({r, b});
    CRect box = CRect(p0.x, p0.y, p1.x, p1.y).Normalized();
    if (box.IsRectEmpty()) return;
    if (m_bTrackTouched) Touch(box);
    const bool pen = m_pen.style != PS_NULL;
    const bool fill = !m_brush.hollow;

    if (!m_pBits) {
        if (!m_pPainter->isActive()) return;
        const double pw = Impl::PainterFigure(*this);
        if (pen)
            m_pPainter->drawRect(Impl::Inset(box, pw));
        else if (fill)
            m_pPainter->fillRect(QRect(box.left, box.top, box.Width(), box.Height()),
                                 m_pPainter->brush());
        return;
    }
    const Mix mix = Impl::PenMix(*this);
    const quint32 penRgb = ToRgb(m_pen.colour), brushRgb = ToRgb(m_brush.colour);
    const int y0 = std::max(box.top, 0), y1 = std::min(box.bottom, m_nImageHeight);
    if (!pen) {
        if (fill)
            for (int y = y0; y < y1; ++y)
                Impl::FillSpan(*this, y, box.left, box.right, brushRgb, mix);
        return;
    }
    // Bands of the outline, w pixels deep, then the inside; none overlaps another.
    const int w = Impl::PenPixels(*this);
    const int innerTop = std::min(box.top + w, box.bottom);
    const int innerBottom = std::max(box.bottom - w, innerTop);
    const int innerLeft = std::min(box.left + w, box.right);
    const int innerRight = std::max(box.right - w, innerLeft);
    for (int y = y0; y < y1; ++y) {
        if (y < innerTop || y >= innerBottom) {
            Impl::FillSpan(*this, y, box.left, box.right, penRgb, mix);
            continue;
        }
        Impl::FillSpan(*this, y, box.left, innerLeft, penRgb, mix);
        if (fill) Impl::FillSpan(*this, y, innerLeft, innerRight, brushRgb, mix);
        Impl::FillSpan(*this, y, innerRight, box.right, penRgb, mix);
    }
}

void CDC::Ellipse(int l, int t, int r, int b) {
    const CPoint p0 = LPtoDP({l, t});
    const CPoint p1 = LPtoDP({r, b});
    CRect box = CRect(p0.x, p0.y, p1.x, p1.y).Normalized();
    if (box.IsRectEmpty()) return;
    if (m_bTrackTouched) Touch(box);
    const bool pen = m_pen.style != PS_NULL;
    if (!m_pBits) {
        if (!m_pPainter->isActive()) return;
        const double pw = Impl::PainterFigure(*this);
        m_pPainter->drawEllipse(Impl::Inset(box, pw));
        return;
    }
    std::vector<Span>& rows = Impl::Scratch();
    Impl::EllipseRows(box.left, box.Width(), box.Height(), rows);
    Impl::FillConvex(*this, box.top, rows, pen, Impl::PenPixels(*this), ToRgb(m_pen.colour),
                     !m_brush.hollow, ToRgb(m_brush.colour), Impl::PenMix(*this));
}

void CDC::Arc(int l, int t, int r, int b, int xStart, int yStart, int xEnd, int yEnd) {
    if (m_pen.style == PS_NULL) return;
    CRect box;
    Impl::ArcGeometry g;
    if (!Impl::ArcSetup(*this, l, t, r, b, xStart, yStart, xEnd, yEnd, box, g)) return;
    if (m_bTrackTouched) Touch(box);
    if (!m_pBits) {
        if (!m_pPainter->isActive()) return;
        const double pw = Impl::PainterFigure(*this);
        const int a16 = Impl::QtAngle16(g, g.start);
        int span16 = Impl::QtAngle16(g, g.start + g.sweep) - a16;
        while (span16 <= 0)
            span16 += 360 * 16;
        m_pPainter->drawArc(Impl::Inset(box, pw), a16, span16);
        return;
    }
    // The ellipse's outline, only where it lies within the sweep.
    std::vector<Span>& rows = Impl::Scratch();
    Impl::EllipseRows(box.left, box.Width(), box.Height(), rows);
    const int w = Impl::PenPixels(*this);
    const int n = int(rows.size());
    const quint32 rgb = ToRgb(m_pen.colour);
    const Mix mix = Impl::PenMix(*this);
    for (int j = 0; j < n; ++j) {
        const Span s = rows[std::size_t(j)];
        const int y = box.top + j;
        if (s.Empty() || y < 0 || y >= m_nImageHeight) continue;
        int il = s.l + w, ir = s.r - w;
        for (int k = 1; k <= w && il < ir; ++k)
            for (int jj : {j - k, j + k}) {
                if (jj < 0 || jj >= n) {
                    ir = il;
                    break;
                }
                il = std::max(il, rows[std::size_t(jj)].l);
                ir = std::min(ir, rows[std::size_t(jj)].r);
            }
        if (il >= ir) il = ir = s.r;
        const double v = g.cy - (y + 0.5);
        for (const Span part : {Span{s.l, il}, Span{ir, s.r}})
            for (int x = std::max(part.l, 0); x < std::min(part.r, m_nImageWidth); ++x)
                if (Impl::InSweep(g, x + 0.5 - g.cx, v)) Impl::Plot(*this, x, y, rgb, mix);
    }
}

void CDC::Chord(int l, int t, int r, int b, int xStart, int yStart, int xEnd, int yEnd) {
    CRect box;
    Impl::ArcGeometry g;
    if (!Impl::ArcSetup(*this, l, t, r, b, xStart, yStart, xEnd, yEnd, box, g)) return;
    if (m_bTrackTouched) Touch(box);
    const bool pen = m_pen.style != PS_NULL;
    if (!m_pBits) {
        if (!m_pPainter->isActive()) return;
        const double pw = Impl::PainterFigure(*this);
        const int a16 = Impl::QtAngle16(g, g.start);
        int span16 = Impl::QtAngle16(g, g.start + g.sweep) - a16;
        while (span16 <= 0)
            span16 += 360 * 16;
        m_pPainter->drawChord(Impl::Inset(box, pw), a16, span16);
        return;
    }
    // The ellipse cut by the chord: keep the side of the line from the start point to
    // the end point where the arc runs (its right-hand side, y up).
    std::vector<Span>& rows = Impl::Scratch();
    Impl::EllipseRows(box.left, box.Width(), box.Height(), rows);
    if (g.sweep < 2 * std::numbers::pi) {
        const QPointF ps = Impl::RadialPoint(g, g.start);
        const QPointF pe = Impl::RadialPoint(g, g.start + g.sweep);
        const double dx = pe.x() - ps.x(), dv = pe.y() - ps.y();
        for (int j = 0; j < int(rows.size()); ++j) {
            Span& s = rows[std::size_t(j)];
            if (s.Empty()) continue;
            const double v = g.cy - (box.top + j + 0.5);
            // dx (v - ps.v) - dv (u - ps.u) <= 0 with u = x + 0.5 - cx
            const double c = dx * (v - ps.y()) + dv * ps.x();
            if (std::abs(dv) < 1e-12) {
                if (c > kEps) s = Span{};
                continue;
            }
            const double bound = c / dv + g.cx - 0.5; // x >= bound when dv > 0
            if (dv > 0)
                s.l = std::max(s.l, int(std::ceil(bound - kEps)));
            else
                s.r = std::min(s.r, int(std::floor(bound + kEps)) + 1);
        }
    }
    Impl::FillConvex(*this, box.top, rows, pen, Impl::PenPixels(*this), ToRgb(m_pen.colour),
                     !m_brush.hollow, ToRgb(m_brush.colour), Impl::PenMix(*this));
}

void CDC::Polygon(const CPoint* points, int count) {
    if (!points || count < 2) return;
    std::vector<CPoint> d(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        d[std::size_t(i)] = LPtoDP(points[i]);
    if (m_bTrackTouched)
        for (const CPoint& p : d) Touch(CRect(p.x, p.y, p.x + 1, p.y + 1));
    const bool pen = m_pen.style != PS_NULL;
    const bool fill = !m_brush.hollow;

    if (!m_pBits) {
        if (!m_pPainter->isActive()) return;
        Impl::PainterFigure(*this);
        QPolygon poly;
        for (const CPoint& p : d)
            poly << QPoint(p.x, p.y);
        m_pPainter->drawPolygon(poly, Qt::OddEvenFill);
        return;
    }
    const Mix mix = Impl::PenMix(*this);
    const quint32 penRgb = ToRgb(m_pen.colour);

    // The outline: each edge up to its end point, so every pixel once; sorted by row.
    std::vector<std::pair<int, int>> outline; // (y, x)
    if (pen) {
        const int w = Impl::PenPixels(*this);
        for (int i = 0; i < count; ++i) {
            const CPoint a = d[std::size_t(i)], b = d[std::size_t((i + 1) % count)];
            if (w > 1) {
                std::vector<Span>& rows = Impl::Scratch();
                const int top = Impl::CapsuleRows(a, b, w, rows);
                for (int j = 0; j < int(rows.size()); ++j)
                    for (int x = rows[std::size_t(j)].l; x < rows[std::size_t(j)].r; ++x)
                        outline.emplace_back(top + j, x);
            } else {
                int step = 0;
                Impl::Bresenham(a.x, a.y, b.x, b.y, [&](int x, int y) {
                    if (DashOn(m_pen.style, step++)) outline.emplace_back(y, x);
                });
            }
        }
        std::sort(outline.begin(), outline.end());
        outline.erase(std::unique(outline.begin(), outline.end()), outline.end());
        for (const auto& [y, x] : outline)
            Impl::Plot(*this, x, y, penRgb, mix);
    }
    if (!fill) return;

    // The inside, alternate rule, with the vertices taken as pixel centres like the
    // outline (so fill and outline meet without gaps): a row from the first pixel at or
    // right of one crossing up to, not including, the next; minus the outline. Without a
    // pen this covers the area up to but excluding the right and bottom edges.
    int yMin = INT_MAX, yMax = INT_MIN;
    for (const CPoint& p : d) {
        yMin = std::min(yMin, p.y);
        yMax = std::max(yMax, p.y);
    }
    yMin = std::max(yMin, 0);
    yMax = std::min(yMax, m_nImageHeight);
    const quint32 brushRgb = ToRgb(m_brush.colour);
    std::vector<double> xs;
    auto mark = outline.begin();
    for (int y = yMin; y < yMax; ++y) {
        const double yc = y;
        xs.clear();
        for (int i = 0; i < count; ++i) {
            const CPoint a = d[std::size_t(i)], b = d[std::size_t((i + 1) % count)];
            if ((a.y <= yc) == (b.y <= yc)) continue;
            xs.push_back(a.x + (yc - a.y) * (b.x - a.x) / double(b.y - a.y));
        }
        std::sort(xs.begin(), xs.end());
        while (mark != outline.end() && mark->first < y)
            ++mark;
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
            int x = int(std::ceil(xs[i] - kEps));
            const int end = int(std::ceil(xs[i + 1] - kEps));
            auto m = mark;
            while (x < end) {
                while (m != outline.end() && m->first == y && m->second < x)
                    ++m;
                const int stop =
                    (m != outline.end() && m->first == y) ? std::min(end, m->second) : end;
                Impl::FillSpan(*this, y, x, stop, brushRgb, mix);
                x = stop + 1;
            }
        }
    }
}

void CDC::FillSolidRect(const CRect& rc, COLORREF colour) {
    const CPoint p0 = LPtoDP(rc.TopLeft());
    const CPoint p1 = LPtoDP(rc.BottomRight());
    const CRect box = CRect(p0.x, p0.y, p1.x, p1.y).Normalized();
    if (box.IsRectEmpty()) return;
    if (m_bTrackTouched) Touch(box);
    if (!m_pBits) {
        if (!m_pPainter->isActive()) return;
        Impl::SetPainterMix(*this, Mix::Copy);
        m_pPainter->fillRect(QRect(box.left, box.top, box.Width(), box.Height()), ToQColor(colour));
        return;
    }
    for (int y = std::max(box.top, 0); y < std::min(box.bottom, m_nImageHeight); ++y)
        Impl::FillSpan(*this, y, box.left, box.right, ToRgb(colour), Mix::Copy);
}

// ---------------------------------------------------------------------------------
// Lines and pixels

CPoint CDC::MoveTo(int x, int y) {
    m_nDashStep = 0;
    return std::exchange(m_pos, CPoint(x, y));
}

void CDC::LineTo(int x, int y) {
    const CPoint a = LPtoDP(m_pos);
    const CPoint b = LPtoDP({x, y});
    m_pos = {x, y};
    if (m_bTrackTouched)
        Touch(CRect(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1));
    if (m_pBits) {
        Impl::ImageLine(*this, a, b);
        return;
    }
    if (m_pen.style == PS_NULL || !m_pPainter->isActive() || a == b) return;
    ApplyMix();
    ApplyPen();
    m_pPainter->drawLine(QPoint(a.x, a.y), QPoint(b.x, b.y));
}

void CDC::Polyline(const CPoint* points, int count) {
    // Like MoveTo to the first point and LineTo the others, but leaves the current
    // position alone, as the original interface does.
    if (!points || count < 2) return;
    const CPoint saved = m_pos;
    MoveTo(points[0].x, points[0].y);
    for (int i = 1; i < count; ++i)
        LineTo(points[i].x, points[i].y);
    m_pos = saved;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF colour) {
    const CPoint p = LPtoDP({x, y});
    if (m_bTrackTouched) Touch(CRect(p.x, p.y, p.x + 1, p.y + 1));
    if (m_pBits) {
        if (unsigned(p.x) >= unsigned(m_nImageWidth) || unsigned(p.y) >= unsigned(m_nImageHeight))
            return CLR_INVALID;
        Impl::Plot(*this, p.x, p.y, ToRgb(colour), Mix::Copy);
        return colour & 0xFFFFFFu;
    }
    if (!m_pPainter->isActive()) return CLR_INVALID;
    Impl::SetPainterMix(*this, Mix::Copy);
    m_pPainter->fillRect(QRect(p.x, p.y, 1, 1), ToQColor(colour));
    return colour & 0xFFFFFFu;
}

COLORREF CDC::GetPixel(int x, int y) const {
    if (!m_pBits) return CLR_INVALID;
    const CPoint p = LPtoDP({x, y});
    if (unsigned(p.x) >= unsigned(m_nImageWidth) || unsigned(p.y) >= unsigned(m_nImageHeight))
        return CLR_INVALID;
    const auto* row = reinterpret_cast<const quint32*>(m_pBits + qsizetype(p.y) * m_nStride);
    return FromRgb(row[p.x] & 0xFFFFFFu);
}

// ---------------------------------------------------------------------------------
// What was drawn

void CDC::TrackTouched(bool on) {
    m_bTrackTouched = on;
    m_touched = QRect();
}

void CDC::Touch(const CRect& box) {
    // Wide pens reach past the figure by half their width, and glyphs past their cell.
    const int reach = (m_pen.width <= 1 ? 1 : LengthToDevice(m_pen.width)) + 1;
    m_touched |= QRect(QPoint(box.left - reach, box.top - reach),
                       QPoint(box.right + reach, box.bottom + reach));
}

// ---------------------------------------------------------------------------------
// Bit-block transfer

void CDC::BitBlt(int x, int y, int w, int h, CDC& src, int xSrc, int ySrc, unsigned rop) {
    if (!src.m_pBits) return;
    const CPoint d0 = LPtoDP({x, y}), d1 = LPtoDP({x + w, y + h});
    const CPoint s0 = src.LPtoDP({xSrc, ySrc}), s1 = src.LPtoDP({xSrc + w, ySrc + h});
    const CRect dst = CRect(d0.x, d0.y, d1.x, d1.y).Normalized();
    const CRect from = CRect(s0.x, s0.y, s1.x, s1.y).Normalized();
    if (dst.IsRectEmpty() || from.IsRectEmpty()) return;
    if (m_bTrackTouched) Touch(dst);
    const bool invert = rop == SRCINVERT;

    if (m_pBits && dst.Width() == from.Width() && dst.Height() == from.Height()) {
        // Same scale: pixel for pixel, clipped to both images.
        QImage snapshot;
        const uchar* sBits = src.m_pBits;
        if (&src == this) { // overlapping copy within one image
            snapshot = m_pImage->copy();
            sBits = snapshot.constBits();
        }
        const int cx0 = std::max({0, -dst.left, -from.left});
        const int cx1 =
            std::min({dst.Width(), m_nImageWidth - dst.left, src.m_nImageWidth - from.left});
        const int cy0 = std::max({0, -dst.top, -from.top});
        const int cy1 =
            std::min({dst.Height(), m_nImageHeight - dst.top, src.m_nImageHeight - from.top});
        for (int j = cy0; j < cy1; ++j) {
            quint32* dp = Impl::Row(*this, dst.top + j) + dst.left;
            const auto* sp =
                reinterpret_cast<const quint32*>(sBits + qsizetype(from.top + j) * src.m_nStride) +
                from.left;
            if (invert)
                XorRow(dp + cx0, sp + cx0, cx1 - cx0);
            else
                for (int i = cx0; i < cx1; ++i)
                    dp[i] = sp[i] | kOpaque;
        }
        return;
    }
    // Different scales (a printer, or contexts of different resolution): stretch
    // through the painter. A printer that cannot mix gets what the exclusive-or would
    // give on white paper: the inverse of the source.
    if (!m_pPainter->isActive()) return;
    QImage part = src.m_pImage->copy(QRect(from.left, from.top, from.Width(), from.Height()));
    Mix mix = invert ? Mix::Xor : Mix::Copy;
    Impl::SetPainterMix(*this, mix);
    if (invert && m_nPainterMix == int(Mix::Copy)) part.invertPixels();
    m_pPainter->drawImage(QRect(dst.left, dst.top, dst.Width(), dst.Height()), part);
}
