#pragma once
// The variable voltage source: one output whose level, 0.0 to 5.0 V in steps of 0.1 V,
// is set on a slider during a measurement or typed in its properties dialog.

#include "Slider.h"
#include "core/Component.h"

class CVariabeleSpanning : public CComponent {
public:
    static constexpr int kWidth = 326;
    static constexpr int kHeight = 154;
    static constexpr int kMaxSetting = 50; // tenths of a volt

    CVariabeleSpanning() : CComponent(TYPE_VARSPANNING, kWidth, kHeight, 1) {}
    const char* GetClassName() const override { return "CVariabeleSpanning"; }
    unsigned GetTypeId() const override { return TYPE_VARSPANNING; }
    int EditProperties(int permissionMask) override;
    void Draw(CDC& dc) override;
    void Update(CDC& dc, CPoint cursor, std::uint32_t* pState) override;

    // The voltage in tenths of a volt, kept in m_nParam1.
    int Setting() const { return m_nParam1; }
    const CSlider& Slider() const { return m_slider; }

protected:
    void SerializeExtra(CArchive& ar) override;

private:
    CSlider m_slider{kMaxSetting};
};
