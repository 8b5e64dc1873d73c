#pragma once
// The pulse counter: counts rising edges on "tel" while "aan/uit" allows it, is cleared
// by "reset" or its button, shows the count in decimal or hexadecimal with one to three
// digits, and drives the count's four lowest bits on the outputs "1", "2", "4", "8".
//
// m_nParam1 is the count, m_nParam2 the digits (0, 1, 2 for one to three), m_nCorner
// the number base (0 decimal, 1 hexadecimal).

#include "core/Component.h"

class CPulsTeller : public CComponent {
public:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 360;
    enum Socket { TEL = 0, AAN_UIT = 1, RESET = 2, RESET_BUTTON = 3, FIRST_BIT = 4 };
    static constexpr int kBitCount = 4;

    CPulsTeller() : CComponent(TYPE_PULSTELLER, kWidth, kHeight, 8) {}
    const char* GetClassName() const override { return "CPulsTeller"; }
    unsigned GetTypeId() const override { return TYPE_PULSTELLER; }
    int EditProperties(int permissionMask) override;
    void Draw(CDC& dc) override;
    void Update(CDC& dc, CPoint cursor, std::uint32_t* pState) override;

    int Count() const { return m_nParam1; }
    int Digits() const { return m_nParam2; }
    void SetDigits(int digits) { m_nParam2 = digits; }
    bool IsHexadecimal() const { return m_nCorner == 1; }
    void SetHexadecimal(bool hex) { m_nCorner = hex ? 1 : 0; }
    const CRect& Display() const { return m_display; }

    // The largest count the display shows; a larger one wraps to 0.
    int LargestCount() const;

protected:
    void SerializeExtra(CArchive& ar) override;

private:
    void DrawCount(CDC& dc, int count, bool clear) const;

    int m_nPreviousTel = 0; // the "tel" level at the previous update
    bool m_bHeld = false;   // the reset button was held at the previous update
    CRect m_display;
};
