#pragma once
// The transistor: an inverting switch whose output is high while the base stays below
// an adjustable threshold (m_nParam1, hundredths of a volt).

#include "core/Component.h"

class CTransistor : public CComponent {
public:
    static constexpr int kWidth = 212;
    static constexpr int kHeight = 300;
    static constexpr int kDefaultThreshold = 70;

    CTransistor() : CComponent(TYPE_TRANSISTOR, kWidth, kHeight, 2)
    {
        m_nParam1 = kDefaultThreshold;
    }
    const char* GetClassName() const override { return "CTransistor"; }
    unsigned GetTypeId() const override { return TYPE_TRANSISTOR; }
    int EditProperties(int permissionMask) override;
    void Draw(CDC& dc) override;
    void Update(CDC& dc, CPoint cursor, std::uint32_t* pState) override;

    int Threshold() const { return m_nParam1; }
    void SetThreshold(int level) { m_nParam1 = level; }

protected:
    void SerializeExtra(CArchive& ar) override;
};

