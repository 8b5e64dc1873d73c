#pragma once
// The comparator: its output goes high when the input reaches the reference voltage
// set on its own slider.

#include "Slider.h"
#include "core/Component.h"

class CComparator : public CComponent {
public:
    static constexpr int kWidth = 300;
    static constexpr int kHeight = 280;
    static constexpr int kMaximum = 50; // tenths of a volt
    static constexpr int kInput = 0;
    static constexpr int kOutput = 1;

    CComparator() : CComponent(TYPE_COMPARATOR, kWidth, kHeight, 2) {}
    const char* GetClassName() const override { return "CComparator"; }
    unsigned GetTypeId() const override { return TYPE_COMPARATOR; }
    int EditProperties(int permissionMask) override;
    void Draw(CDC& dc) override;
    void Update(CDC& dc, CPoint cursor, std::uint32_t* pState) override;

    // The reference in tenths of a volt, 0 to 50.
    int Setting() const { return m_nParam1; }
    void SetSetting(int tenths) { m_nParam1 = tenths; }
    const CSlider& Slider() const { return m_slider; }

protected:
    void SerializeExtra(CArchive& ar) override;

private:
    CSlider m_slider{kMaximum};
};
