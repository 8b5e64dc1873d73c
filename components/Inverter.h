#pragma once
// The inverter: one input, one output, its own drawing and no settings.

#include "core/Component.h"

class CInverter : public CComponent {
public:
    static constexpr int kWidth = 256;
    static constexpr int kHeight = 150;

    CInverter() : CComponent(TYPE_INVERTER, kWidth, kHeight, 2) {}
    const char* GetClassName() const override { return "CInverter"; }
    unsigned GetTypeId() const override { return TYPE_INVERTER; }
    int EditProperties(int permissionMask) override;
    void Draw(CDC& dc) override;
    void Update(CDC& dc, CPoint cursor, std::uint32_t* pState) override;
    int LogicTable(unsigned& table) const override
    {
        table = 1; // high for a low input
        return 1;
    }
    QString PictureKey() const override { return QLatin1String("CInverter|") + m_strName; }
};
