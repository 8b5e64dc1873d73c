#pragma once
// The memory cell: a set/reset latch in the gate-style body. Set wins when both inputs
// are high; the state is kept with the board.

#include "core/Component.h"

class CGeheugen : public CComponent {
public:
    static constexpr int kWidth = 256;
    static constexpr int kHeight = 152;

    CGeheugen() : CComponent(TYPE_GEHEUGEN, kWidth, kHeight, 3) {}
    const char* GetClassName() const override { return "CGeheugen"; }
    unsigned GetTypeId() const override { return TYPE_GEHEUGEN; }
    int EditProperties(int permissionMask) override;
    void Draw(CDC& dc) override;
    void Update(CDC& dc, CPoint cursor, std::uint32_t* pState) override;

    bool IsBlackbox() const { return m_nParam1 != 0; }
    void SetBlackbox(bool on) { m_nParam1 = on ? 1 : 0; }
    // The level the cell holds and drives: 0 or 500.
    int State() const { return m_nParam2; }

    QString m_strBlackboxLabel;

protected:
    void SerializeExtra(CArchive& ar) override;
};
