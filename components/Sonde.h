#pragma once
// The probe: a small numbered circle whose tip points at the socket it measures.
// m_nParam1 is that socket's number (0 until first attached), m_nParam2 the probe
// number, m_nCorner the corner that is the tip.

#include "core/Component.h"

class CSonde : public CComponent {
public:
    static constexpr int kSize = 80;
    // Probes take the smallest free number, so a real board stays far below this.
    static constexpr int kMaxNumber = 9999;

    CSonde() : CComponent(TYPE_SONDE, kSize, kSize, 1) {}
    const char* GetClassName() const override { return "CSonde"; }
    unsigned GetTypeId() const override { return TYPE_SONDE; }
    int EditProperties(int permissionMask) override;
    void Draw(CDC& dc) override;
    void Update(CDC&, CPoint, std::uint32_t*) override {}

    CPoint TipPoint() const { return GetCornerPoint(); }
    void Turn() { NextCorner(); }
    // Where the tip goes to sit on a socket, for the current orientation.
    CPoint TipTarget(const CBus& bus) const;
    int AttachedBus() const { return m_nParam1; }
    int Number() const { return m_nParam2; }

protected:
    void SerializeExtra(CArchive& ar) override;
};
