#pragma once
// The buzzer: while its input is high it gives the input level off as sound (which sound
// sensors hear), plays the buzzer sound and shows sound waves moving away from its
// loudspeaker, one arc per tick.

#include "core/Component.h"

#include <array>

class CZoemer : public CComponent {
public:
    static constexpr int kWidth = 160;
    static constexpr int kHeight = 212;

    CZoemer();
    const char* GetClassName() const override { return "CZoemer"; }
    unsigned GetTypeId() const override { return TYPE_ZOEMER; }
    int EditProperties(int permissionMask) override;
    void Draw(CDC& dc) override;
    void Update(CDC& dc, CPoint cursor, std::uint32_t* pState) override;

    // Which of the three arcs is shown, 0 for none.
    int WavePhase() const { return m_nParam1; }
    bool SoundSignal() const { return m_nParam2 != 0; }
    void SetSoundSignal(bool on) { m_nParam2 = on ? 1 : 0; }
    bool VisualSignal() const { return m_nCorner != 0; }
    void SetVisualSignal(bool on) { m_nCorner = on ? 1 : 0; }

private:
    // Xor-draws the arc of the current phase: drawn twice, it is gone.
    void DrawWave(CDC& dc) const;

    std::array<CRect, 3> m_arcs{}; // placed by Draw, innermost first
};
