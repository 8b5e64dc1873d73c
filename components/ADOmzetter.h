#pragma once
// The AD converter: its input voltage as a four-bit number on four outputs, one step
// per 0.313 V.

#include "core/Component.h"

class CADOmzetter : public CComponent {
public:
    static constexpr int kWidth = 406;
    static constexpr int kHeight = 128;
    // Socket 0 is the input; sockets 1 to 4 carry the weights 8, 4, 2 and 1.
    static constexpr int kInput = 0;
    static constexpr int kOutputCount = 4;

    CADOmzetter() : CComponent(TYPE_ADOMZETTER, kWidth, kHeight, 1 + kOutputCount) {}
    const char* GetClassName() const override { return "CADOmzetter"; }
    unsigned GetTypeId() const override { return TYPE_ADOMZETTER; }
    int EditProperties(int permissionMask) override;
    void Draw(CDC& dc) override;
    void Update(CDC& dc, CPoint cursor, std::uint32_t* pState) override;

    // The code of a level (hundredths of a volt), 0 to 15 for 0 to 5 V.
    static int Code(int level);
    // The weight of output socket 1 to 4.
    static int Weight(int socket) { return 1 << (kOutputCount - socket); }
};
