#include "TwoInputGate.h"

#include "GateDrawing.h"
#include "core/Archive.h"
#include "dialogs/BlackboxDlg.h"

CTwoInputGate::CTwoInputGate(unsigned typeId)
    : CComponent(typeId, kWidth, kHeight, 3), m_nTypeId(typeId)
{
}

void CTwoInputGate::Update(CDC&, CPoint, std::uint32_t*)
{
    const bool b = IsHigh(Bus(1).ReadInput());
    const bool a = IsHigh(Bus(0).ReadInput());
    Bus(2).m_nValue = Output(a, b) ? kLevelHigh : 0;
}

int CTwoInputGate::LogicTable(unsigned& table) const
{
    table = 0;
    for (unsigned a = 0; a < 2; ++a)
        for (unsigned b = 0; b < 2; ++b)
            if (Output(a != 0, b != 0))
                table |= 1u << (a + 2 * b);
    return 2;
}

QString CTwoInputGate::PictureKey() const
{
    // What Draw shows: the caption and, unless a black box, the symbol.
    return IsBlackbox() ? QLatin1String("box|") + m_strBlackboxLabel
                        : QLatin1String(GetClassName()) + u'|' + m_strName + u'|' + Symbol();
}

void CTwoInputGate::Draw(CDC& dc)
{
    DrawGateBody(dc, *this, IsBlackbox() ? m_strBlackboxLabel : m_strName,
                 IsBlackbox() ? QString() : Symbol());
}

int EditBlackboxProperties(CComponent& component, QString& blackboxLabel, int permissionMask)
{
    const bool blackbox = component.m_nParam1 != 0;
    if (blackbox && !(permissionMask & PERMIT_IDENTIFY_BLACKBOXES))
        return EDIT_BLACKBOX_REFUSED;
    CBlackboxDlg dlg(component.m_strName, permissionMask);
    dlg.m_bBlackbox = blackbox;
    dlg.m_strStandard = component.m_strName;
    dlg.m_strBlackbox = blackboxLabel;
    const int result = dlg.Run();
    if (result == EDIT_ACCEPTED) {
        component.m_nParam1 = dlg.m_bBlackbox ? 1 : 0;
        component.m_strName = dlg.m_strStandard;
        blackboxLabel = dlg.m_strBlackbox;
    }
    return result;
}

int CTwoInputGate::EditProperties(int permissionMask)
{
    return EditBlackboxProperties(*this, m_strBlackboxLabel, permissionMask);
}

void CTwoInputGate::SerializeExtra(CArchive& ar)
{
    if (ar.IsStoring())
        ar.WriteString(m_strBlackboxLabel);
    else
        m_strBlackboxLabel = ar.ReadString();
}
