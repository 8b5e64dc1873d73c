#pragma once
// The pulse generator: one tick high in every period, at 0 to 10 Hz set on its slider.
// It keeps time by counting measurement ticks of 50 ms.
//
// m_nParam1 is the frequency, m_nParam2 the y of the slider line, m_nCorner the ticks
// left until the next pulse.

#include "Slider.h"
#include "core/Component.h"

class CPulsGenerator : public CComponent {
public:
    static constexpr int kWidth = 326;
    static constexpr int kHeight = 154;
    static constexpr int kMaxFrequency = 10;

    CPulsGenerator() : CComponent(TYPE_PULSGENERATOR, kWidth, kHeight, 1) {}
    const char* GetClassName() const override { return "CPulsGenerator"; }
    unsigned GetTypeId() const override { return TYPE_PULSGENERATOR; }
    int EditProperties(int permissionMask) override;
    void Draw(CDC& dc) override;
    void Update(CDC& dc, CPoint cursor, std::uint32_t* pState) override;

    int Frequency() const { return m_nParam1; }
    void SetFrequency(int hertz) { m_nParam1 = hertz; }
    int Countdown() const { return m_nCorner; }

protected:
    void SerializeExtra(CArchive& ar) override;

private:
    CSlider m_slider{kMaxFrequency};
};
