#pragma once
// The drawing context the board is drawn through: a GDI-like state machine over
// QPainter. Coordinates are board units (0.1 mm) with y growing upwards; the context
// maps them to device pixels at dpi / 254 pixels per unit. Drawing objects are plain
// values: SelectObject returns the previous one so callers can restore it.
//
// On screen the target is a QImage (Format_RGB32, no antialiasing) so that the
// exclusive-or mix is exact: whatever is drawn twice with R2_XORPEN restores every
// pixel. When printing the target is a QPainter on a printer or PDF device.

#include "Geometry.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <memory>
#include <vector>

class QPainter;

// Pen styles
enum : int { PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_NULL = 5 };
// Mix modes (values as in the interface the board code was designed for)
enum : int { R2_NOT = 6, R2_XORPEN = 7, R2_COPYPEN = 13 };
// Background modes
enum : int { TRANSPARENT = 1, OPAQUE = 2 };
// Text alignment: one horizontal flag or'ed with one vertical flag
enum : unsigned {
    TA_LEFT = 0,
    TA_RIGHT = 2,
    TA_CENTER = 6,
    TA_TOP = 0,
    TA_BOTTOM = 8,
    TA_BASELINE = 24,
};
// Bit-block transfer operations
enum : unsigned { SRCCOPY = 0x00CC0020, SRCINVERT = 0x00660046 };
// GetPixel's answer outside the image and on a printer
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

struct CPen {
    int style = PS_SOLID;
    int width = 0; // 0 or 1: one device pixel; more: board units
    COLORREF colour = 0;

    static CPen Solid(int width, COLORREF colour) { return {PS_SOLID, width, colour}; }
    static CPen Black() { return {PS_SOLID, 0, RGB(0, 0, 0)}; }
    static CPen White() { return {PS_SOLID, 0, RGB(255, 255, 255)}; }
    static CPen Null() { return {PS_NULL, 0, 0}; }
    bool operator==(const CPen&) const = default;
};

struct CBrush {
    bool hollow = false;
    COLORREF colour = RGB(255, 255, 255);

    static CBrush Solid(COLORREF colour) { return {false, colour}; }
    static CBrush Hollow() { return {true, 0}; }
    static CBrush White() { return {false, RGB(255, 255, 255)}; }
    static CBrush LightGray() { return {false, RGB(192, 192, 192)}; }
    static CBrush Gray() { return {false, RGB(128, 128, 128)}; }
    static CBrush DarkGray() { return {false, RGB(64, 64, 64)}; }
    static CBrush Black() { return {false, RGB(0, 0, 0)}; }
    bool operator==(const CBrush&) const = default;
};

// A logical font. Height and width are board units (the cell height, and the average
// character width, 0 meaning the face's natural width for that height).
struct CFont {
    QString face = QStringLiteral("MS Sans Serif");
    int height = 44;
    int width = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool operator==(const CFont&) const = default;

    // The label font of the board: height h, width 0.4 h.
    static CFont Label(int h) { return CFont{QStringLiteral("MS Sans Serif"), h, int(h * 0.4)}; }
};

class CDC {
public:
    // Draws into an image: the board view's window surface, a sprite, an offscreen render.
    explicit CDC(QImage& target, int dpi = 96);
    // Draws through a painter that is already active on a device (printer, PDF).
    CDC(QPainter& painter, int dpi, bool printing);
    ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // The face and style the font system gives for a font on the board's screen
    // pictures, so a test can say plainly when a machine lacks the board's fonts.
    static QString ResolvedFace(const CFont& font, int dpi = 96);

    bool IsPrinting() const { return m_bPrinting; }
    int Dpi() const { return m_nDpi; }
    QImage* Image() { return m_pImage; } // null when not drawing into an image
    QPainter& Painter();

    // Mapping: device = (logical - windowOrg) * dpi / 254 + viewportOrg, with y flipped.
    void SetWindowOrg(int x, int y);
    void SetViewportOrg(int xPixels, int yPixels);
    CPoint GetWindowOrg() const { return m_windowOrg; }
    CPoint GetViewportOrg() const { return m_viewportOrg; }
    CPoint LPtoDP(CPoint logical) const;
    CPoint DPtoLP(CPoint device) const;
    int LengthToDevice(int units) const; // a length in units to whole pixels (>= 0)

    // The resolution of true size (0: the context's own), by which pictures take their
    // natural size; a zoomed view draws at another. Text is measured at 96 dpi on every
    // device, so sockets, text fields and tables lie alike at any zoom, dpi or device.
    void SetLayoutDpi(int dpi);
    int LayoutDpi() const { return m_nLayoutDpi > 0 ? m_nLayoutDpi : m_nDpi; }

    CPen SelectObject(const CPen& pen);
    CBrush SelectObject(const CBrush& brush);
    CFont SelectObject(const CFont& font);
    const CPen& GetCurrentPen() const { return m_pen; }
    const CBrush& GetCurrentBrush() const { return m_brush; }
    const CFont& GetCurrentFont() const { return m_font; }

    int SetROP2(int mode);
    int GetROP2() const { return m_nRop2; }
    unsigned SetTextAlign(unsigned align);
    unsigned GetTextAlign() const { return m_nTextAlign; }
    int SetBkMode(int mode);
    int GetBkMode() const { return m_nBkMode; }
    COLORREF SetTextColor(COLORREF colour);
    COLORREF SetBkColor(COLORREF colour);

    void TextOut(int x, int y, const QString& text);
    // Extent of the text in the current font, in board units (cy > 0).
    CSize GetTextExtent(const QString& text);

    // Shapes fill with the current brush and outline with the current pen; like the
    // original interface they cover left..right-1 and top..bottom-1 in device pixels.
    void Rectangle(int l, int t, int r, int b);
    void Rectangle(const CRect& rc) { Rectangle(rc.left, rc.top, rc.right, rc.bottom); }
    void Ellipse(int l, int t, int r, int b);
    void Ellipse(const CRect& rc) { Ellipse(rc.left, rc.top, rc.right, rc.bottom); }
    // Arc and chord run counter-clockwise from the start radial to the end radial.
    void Arc(int l, int t, int r, int b, int xStart, int yStart, int xEnd, int yEnd);
    void Chord(int l, int t, int r, int b, int xStart, int yStart, int xEnd, int yEnd);
    void Polygon(const CPoint* points, int count);
    void FillSolidRect(const CRect& rc, COLORREF colour);

    // Lines draw from the current position up to, but not including, the end point.
    CPoint MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(const CPoint* points, int count);
    CPoint GetCurrentPosition() const { return m_pos; }

    COLORREF SetPixel(int x, int y, COLORREF colour);
    COLORREF GetPixel(int x, int y) const;

    // Copies w x h units from src at (xSrc, ySrc) to (x, y); SRCINVERT xors them in.
    void BitBlt(int x, int y, int w, int h, CDC& src, int xSrc, int ySrc, unsigned rop);

    // While tracking, every text, figure, line, pixel and blit adds the device pixels
    // it may have changed to Touched(), so exactly that can be shown afterwards.
    void TrackTouched(bool on);
    const QRect& Touched() const { return m_touched; }

private:
    struct Impl;      // the rasteriser and the painter paths, in the source file
    struct FontEntry; // a resolved font: QFont plus its metrics in device pixels
    // Notes a device box (right and bottom exclusive) as touched, widened by the pen.
    void Touch(const CRect& box);
    void ApplyPen();
    void ApplyBrush();
    void ApplyMix();
    FontEntry& CurrentFont();
    FontEntry& FontAt(int dpi); // the current font resolved for that resolution

    QPainter* m_pPainter = nullptr;
    std::unique_ptr<QPainter> m_ownPainter;
    QImage* m_pImage = nullptr;
    int m_nDpi = 96;
    int m_nLayoutDpi = 0;
    bool m_bPrinting = false;
    CPoint m_windowOrg;
    CPoint m_viewportOrg;
    CPen m_pen = CPen::Black();
    CBrush m_brush = CBrush::White();
    CFont m_font;
    int m_nRop2 = R2_COPYPEN;
    unsigned m_nTextAlign = TA_LEFT | TA_TOP;
    int m_nBkMode = OPAQUE;
    COLORREF m_textColour = RGB(0, 0, 0);
    COLORREF m_bkColour = RGB(255, 255, 255);
    CPoint m_pos;
    bool m_bTrackTouched = false;
    QRect m_touched;

    // Image targets: shapes and lines are rasterised straight into the pixel buffer the
    // painter also draws into (text goes through the painter).
    uchar* m_pBits = nullptr;
    qsizetype m_nStride = 0;
    int m_nImageWidth = 0;
    int m_nImageHeight = 0;
    int m_nDashStep = 0; // position in the dash pattern of a cosmetic pen since MoveTo

    // Selecting objects only stores values; fonts are resolved and painter state is
    // applied when something is drawn, and only when it changed.
    FontEntry* m_pFontEntry = nullptr;
    FontEntry* m_pLayoutFontEntry = nullptr; // the current font at the layout resolution
    const FontEntry* m_pPainterFont = nullptr;
    std::vector<std::unique_ptr<FontEntry>> m_ownFonts; // fonts resolved for a printer
    COLORREF m_painterTextColour = 0;
    bool m_bPainterTextColour = false;
    bool m_bPenApplied = false;
    bool m_bBrushApplied = false;
    int m_nPainterMix = -1;
};

namespace vt_detail {
// The image of a memory context. It is a base class listed before CDC, so that the
// image exists (white) before the context begins painting on it.
struct MemoryBitmap {
    MemoryBitmap(int widthPixels, int heightPixels);
    QImage m_image;
};
} // namespace vt_detail

// An offscreen context with its own image, compatible with the screen (RGB32). With a
// size of 0 x 0 it draws nothing but still measures text as the screen does: enough
// for code that only wants to know where things go.
class CMemoryDC : private vt_detail::MemoryBitmap, public CDC {
public:
    CMemoryDC(int widthPixels, int heightPixels, int dpi = 96);
    QImage& Bitmap() { return m_image; }
};
