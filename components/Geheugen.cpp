#include "Geheugen.h"

#include "GateDrawing.h"
#include "TwoInputGate.h"
#include "core/Archive.h"

namespace {
enum { SET_INPUT = 0, RESET_INPUT = 1, OUTPUT = 2 };
}

void CGeheugen::Update(CDC&, CPoint, std::uint32_t* pState)
{
    if (IsHigh(Bus(RESET_INPUT).ReadInput()))
        m_nParam2 = 0;
    if (IsHigh(Bus(SET_INPUT).ReadInput()))
        m_nParam2 = kLevelHigh;
    if (*pState & STATE_RESET)
        m_nParam2 = 0;
    Bus(OUTPUT).m_nValue = m_nParam2;
}

void CGeheugen::Draw(CDC& dc)
{
    const QString caption = IsBlackbox() ? m_strBlackboxLabel : m_strName;
    DrawGateBody(dc, *this, caption.toLower(), IsBlackbox() ? QString() : QStringLiteral("M"));
}

int CGeheugen::EditProperties(int permissionMask)
{
    return EditBlackboxProperties(*this, m_strBlackboxLabel, permissionMask);
}

void CGeheugen::SerializeExtra(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteString(m_strBlackboxLabel);
    } else {
        m_strBlackboxLabel = ar.ReadString();
        // The cell drives its state; a damaged file must not make that more than 5 V.
        m_nParam2 = IsHigh(m_nParam2) ? kLevelHigh : 0;
    }
}
