#include "PulsTeller.h"

#include "GateDrawing.h"
#include "core/Archive.h"
#include "dialogs/CounterDlg.h"
#include "platform/DrawContext.h"
#include "platform/Strings.h"

#include <algorithm>
#include <array>

namespace {

enum { STR_TEL = 61485, STR_AAN_UIT = 61486, STR_RESET = 61487 };
constexpr COLORREF kDigitColour = RGB(0, 96, 128);
constexpr int kBaseLabelHeight = 36;

void PlaceBus(CDC& dc, CBus& bus, int x, int y, int kind)
{
    bus.SetPosition(x, y, kind);
    bus.Draw(dc);
}

} // namespace

int CPulsTeller::LargestCount() const
{
    static constexpr std::array<int, 3> kDecimal = {9, 99, 999};
    static constexpr std::array<int, 3> kHexadecimal = {15, 255, 4095};
    const std::size_t digits = std::size_t(Digits());
    Q_ASSERT(digits < kDecimal.size());
    return IsHexadecimal() ? kHexadecimal[digits] : kDecimal[digits];
}

void CPulsTeller::Update(CDC& dc, CPoint cursor, std::uint32_t* pState)
{
    const std::uint32_t state = *pState;
    CBus& button = Bus(RESET_BUTTON);
    const bool pressed = (state & STATE_LEFT_BUTTON) && button.HitTest(cursor.x, cursor.y);
    int n = Count();

    // Counting follows the edges of "tel"; an "aan/uit" without a wire leaves it on.
    const int tel = Bus(TEL).ReadInput();
    if (IsHigh(tel) && !IsHigh(m_nPreviousTel) &&
        (Bus(AAN_UIT).GetConnectionCount() == 0 || IsHigh(Bus(AAN_UIT).ReadInput())))
        ++n;
    m_nPreviousTel = tel;

    // Resetting follows the level of "reset" and the button.
    if (pressed || IsHigh(Bus(RESET).ReadInput()))
        n = 0;
    if (pressed != m_bHeld)
        button.InvertFrame(dc);
    m_bHeld = pressed;
    if (state & STATE_RESET) {
        n = 0;
        m_nParam1 = 0;
    }

    if (n != Count() || (state & STATE_REDRAW)) {
        if (n > LargestCount())
            n = 0;
        DrawCount(dc, n, n == 0 || (state & STATE_REDRAW));
        m_nParam1 = n;
    }

    for (int bit = 0; bit < kBitCount; ++bit)
        Bus(FIRST_BIT + bit).m_nValue = (Count() >> bit) & 1 ? kLevelHigh : 0;
}

void CPulsTeller::DrawCount(CDC& dc, int count, bool clear) const
{
    const CRect& d = m_display;
    const CPen oldPen = dc.SelectObject(CPen::Black());
    const unsigned oldAlign = dc.SetTextAlign(TA_LEFT | TA_TOP);
    if (clear) {
        const CBrush oldBrush = dc.SelectObject(CBrush::White());
        dc.Rectangle(d);
        dc.SelectObject(oldBrush);
        const CFont oldFont = dc.SelectObject(CFont::Label(kBaseLabelHeight));
        const int oldMode = dc.SetBkMode(TRANSPARENT);
        dc.TextOut(d.left, d.top,
                   IsHexadecimal() ? QStringLiteral(" hex") : QStringLiteral(" dec"));
        dc.SetBkMode(oldMode);
        dc.SelectObject(oldFont);
    }

    // Right-aligned in cells as wide as "8 ", each character with a blank after it, so a
    // digit covers the one it replaces.
    const QString text = IsHexadecimal() ? QString::asprintf("%x ", unsigned(count))
                                         : QString::asprintf("%d ", count);
    const CFont oldFont = dc.SelectObject(CFont::Label(d.top - d.bottom));
    const int cell = dc.GetTextExtent(QStringLiteral("8 ")).cx;
    dc.SetTextColor(kDigitColour);
    const int oldMode = dc.SetBkMode(OPAQUE);
    int x = d.right - cell / 2;
    for (qsizetype i = text.size(); i-- > 0; x -= cell)
        dc.TextOut(x, d.top, text.at(i) + QStringLiteral(" "));
    dc.SetBkMode(oldMode);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.SelectObject(oldFont);

    const CBrush oldBrush = dc.SelectObject(CBrush::Hollow());
    dc.Rectangle(d);
    dc.SelectObject(oldBrush);
    dc.SetTextAlign(oldAlign);
    dc.SelectObject(oldPen);
}

void CPulsTeller::Draw(CDC& dc)
{
    const int L = m_rect.left, R = m_rect.right, T = m_rect.top;
    const int r = Bus(TEL).GetRadius();
    const QString tel = LoadString(STR_TEL);
    const QString aanUit = LoadString(STR_AAN_UIT);
    const QString reset = LoadString(STR_RESET);
    const int h = dc.GetTextExtent(reset).cy;
    const int w = std::max({dc.GetTextExtent(tel).cx, dc.GetTextExtent(aanUit).cx,
                            dc.GetTextExtent(reset).cx});
    const int yBodyBottom = T - 2 * h - 8 * r;
    const int xBodyRight = L + 13 * r;

    const unsigned oldAlign = dc.SetTextAlign(TA_LEFT | TA_TOP);
    const CPen oldPen = dc.SelectObject(CPen::Black());

    // Inputs down the left edge, the reset lead on into the button
    dc.TextOut(L, T, tel);
    PlaceBus(dc, Bus(TEL), L, T - h, BUS_INPUT);
    DrawLead(dc, L + 2 * r, T - h - r, L + r + w, T - h - r, false);
    dc.TextOut(L, T - h - 4 * r, aanUit);
    PlaceBus(dc, Bus(AAN_UIT), L, T - 2 * h - 4 * r, BUS_INPUT);
    DrawLead(dc, L + 2 * r, T - 2 * h - 5 * r, L + r + w, T - 2 * h - 5 * r, false);
    dc.TextOut(L, yBodyBottom, reset);
    PlaceBus(dc, Bus(RESET), L, T - 3 * h - 8 * r, BUS_INPUT);
    const int yResetLead = T - 3 * h - 9 * r;
    DrawLead(dc, L + 2 * r, yResetLead, L + 15 * r, yResetLead, false);

    PlaceBus(dc, Bus(RESET_BUTTON), L + 15 * r, T - 3 * h - 8 * r, BUS_BUTTON);
    Bus(RESET_BUTTON).InvertFrame(dc); // raised while not held
    dc.TextOut(L + 13 * r, yBodyBottom, reset);
    CaptionOut(dc, L + 20 * r, T - 3 * h - 7 * r, m_strName.toLower());
    DrawLead(dc, L + 10 * r, yResetLead, L + 10 * r, yBodyBottom, true);

    DrawRaisedBox(dc, L + r + w, T, xBodyRight, yBodyBottom);

    // Outputs along the top, bit 0 on the right; stepped leads keep clear of each other.
    dc.SetTextAlign(TA_CENTER | TA_TOP);
    static const std::array<const char*, kBitCount> kWeights = {"1", "2", "4", "8"};
    for (int bit = 0; bit < kBitCount; ++bit) {
        const int x = R - 2 * r - bit * ((9 * r) / 2);
        PlaceBus(dc, Bus(FIRST_BIT + bit), x, T, BUS_OUTPUT);
        dc.TextOut(x - r, T, QString::fromLatin1(kWeights[std::size_t(bit)]));
        const int yTurn = T - (6 - bit) * r;
        dc.MoveTo(x + r, T - 2 * r);
        dc.LineTo(x + r, yTurn);
        DrawLead(dc, x + r, yTurn, xBodyRight, yTurn, true);
    }
    dc.SetTextAlign(TA_LEFT | TA_TOP);

    m_display = CRect(L + 14 * r, T - 7 * r, R - r + 3, yBodyBottom);
    const CBrush oldBrush = dc.SelectObject(CBrush::Hollow());
    dc.Rectangle(m_display);
    dc.SelectObject(oldBrush);
    DrawLead(dc, L + 14 * r, T - 8 * r, xBodyRight, T - 8 * r, true);

    dc.SelectObject(oldPen);
    dc.SetTextAlign(oldAlign);
    std::uint32_t state = STATE_REDRAW;
    Update(dc, CPoint(0, 0), &state);
}

int CPulsTeller::EditProperties(int permissionMask)
{
    CCounterDlg dlg(m_strName, permissionMask);
    dlg.m_nDigits = Digits();
    dlg.m_nNumberBase = m_nCorner;
    const int result = dlg.Run();
    if (result == EDIT_ACCEPTED) {
        m_nParam2 = dlg.m_nDigits;
        m_nCorner = dlg.m_nNumberBase;
    }
    return result;
}

void CPulsTeller::SerializeExtra(CArchive& ar)
{
    // Nothing of its own is stored; a damaged file must not leave settings the display
    // and the dialog have no place for.
    if (ar.IsLoading()) {
        m_nParam1 = std::max(m_nParam1, 0);
        m_nParam2 = std::clamp(m_nParam2, 0, 2);
        m_nCorner = std::clamp(m_nCorner, 0, 1);
    }
}
