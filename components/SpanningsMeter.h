#pragma once
// The voltmeter: shows its input voltage in a display, redrawn only when it changes.

#include "core/Component.h"

class CSpanningsMeter : public CComponent {
public:
    static constexpr int kWidth = 325;
    static constexpr int kHeight = 128;
    static constexpr COLORREF kDigitColour = RGB(0, 96, 128);

    CSpanningsMeter() : CComponent(TYPE_SPANNINGSMETER, kWidth, kHeight, 1) {}
    const char* GetClassName() const override { return "CSpanningsMeter"; }
    unsigned GetTypeId() const override { return TYPE_SPANNINGSMETER; }
    int EditProperties(int permissionMask) override;
    void Draw(CDC& dc) override;
    void Update(CDC& dc, CPoint cursor, std::uint32_t* pState) override;

    // The level last shown, in hundredths of a volt.
    int ShownLevel() const { return m_nParam1; }
    // The display text of a level: 450 is " 4,50 V".
    static QString DisplayText(int level);

private:
    CRect m_display; // placed by Draw
};
