#include "ColourTable.h"

#include "GateDrawing.h"
#include "core/Archive.h"
#include "platform/DrawContext.h"

void SerializeColourTable(CArchive& ar, CColourTable& table)
{
    for (COLORREF& colour : table) {
        if (ar.IsStoring())
            ar.WriteColour(colour);
        else
            colour = ar.ReadColour();
    }
}

CColourLight::CColourLight(unsigned typeId, int height, const CColourTable& defaults)
    : CComponent(typeId, kWidth, height, 2), m_colourTable(defaults)
{
}

void CColourLight::Draw(CDC& dc)
{
    const int L = m_rect.left, R = m_rect.right, T = m_rect.top;
    const int r = Bus(0).GetRadius();
    const QString caption = m_strName.toLower();

    DrawBottomCaption(dc, *this, caption);

    Bus(0).SetPosition(L, T, BUS_INPUT);
    Bus(0).Draw(dc);
    // The lamp socket is painted by Update, in the colour of the level.
    Bus(1).SetPosition(R - 2 * r, T, BUS_LAMP);

    std::uint32_t state = STATE_REDRAW;
    Update(dc, CPoint(0, 0), &state);
}

void CColourLight::Update(CDC& dc, CPoint, std::uint32_t*)
{
    const int level = Bus(0).ReadInput();
    Bus(1).DrawDisc(dc, m_colourTable[std::size_t(ColourIndex(level))]);
    Bus(1).m_nValue = EmittedLevel(level);
}

void CColourLight::SerializeExtra(CArchive& ar)
{
    SerializeColourTable(ar, m_colourTable);
}
