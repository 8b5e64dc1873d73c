#pragma once
// The relay: a coil that closes a switch drawn on the component once its input reaches
// the threshold, and a lamp in the switched circuit that light sensors see.
//
// m_nParam1 is the threshold (hundredths of a volt), m_nParam2 the contact state last
// drawn, m_nCorner the contact state (1 closed).

#include "ColourTable.h"
#include "core/Component.h"

class CRelais : public CComponent {
public:
    static constexpr int kWidth = 256;
    static constexpr int kHeight = 228;
    static constexpr int kDefaultThreshold = 70;
    // The lamp's colours are boxes 0 (off) and 15 (on) of the colour chooser.
    static constexpr int kOffColour = 0;
    static constexpr int kOnColour = 15;

    CRelais();
    const char* GetClassName() const override { return "CRelais"; }
    unsigned GetTypeId() const override { return TYPE_RELAIS; }
    int EditProperties(int permissionMask) override;
    void Draw(CDC& dc) override;
    void Update(CDC& dc, CPoint cursor, std::uint32_t* pState) override;

    int Threshold() const { return m_nParam1; }
    void SetThreshold(int level) { m_nParam1 = level; }
    bool IsClosed() const { return m_nCorner != 0; }

    CColourTable m_colourTable;

protected:
    void SerializeExtra(CArchive& ar) override;

private:
    void DrawLever(CDC& dc, bool closed) const;

    // The lever: its end when open, its pivot, its end when closed.
    CPoint m_openEnd;
    CPoint m_pivot;
    CPoint m_closedEnd;
};
