// How text fields, tables and pictures are stored in a board file.
#include "Picture.h"
#include "Table.h"
#include "TextField.h"

#include "AnnotationClasses.h"
#include "core/Archive.h"
#include "core/ClassRegistry.h"

#include <algorithm>

void CTextField::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteRect(m_rect);
        ar.WriteString(m_strText);
        ar.WriteInt(m_nFrame);
    } else {
        m_rect = ar.ReadRect();
        m_strText = ar.ReadString();
        m_nFrame = ar.ReadInt();
    }
}

void CTabel::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteRect(m_rect);
        ar.WriteString(m_strData);
        ar.WriteString(m_strSeparator);
        ar.WriteInt(m_bFixed);
        ar.WriteInt(m_bRowHeader);
        ar.WriteInt(m_bColumnHeader);
        ar.WriteInt(m_nColumns);
        ar.WriteInt(m_nRows);
    } else {
        m_rect = ar.ReadRect();
        m_strData = ar.ReadString();
        // The separator is one character: a longer one from a damaged file would make
        // preparing the cells quadratic in its length at every measure and draw.
        m_strSeparator = ar.ReadString().left(1);
        m_bFixed = ar.ReadInt();
        m_bRowHeader = ar.ReadInt();
        m_bColumnHeader = ar.ReadInt();
        // A damaged file may hold any number: the grid has at most 10 x 5 cells.
        m_nColumns = std::clamp(ar.ReadInt(), 1, kMaxColumns);
        m_nRows = std::clamp(ar.ReadInt(), 1, kMaxRows);
    }
}

void CPlaatje::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteString(m_strFileName);
        ar.WriteCoordinate(m_rect.left);
        ar.WriteCoordinate(m_rect.top);
    } else {
        m_strFileName = ar.ReadString();
        const int x = ar.ReadCoordinate();
        const int y = ar.ReadCoordinate();
        m_rect = CRect(x, y, 0, 0); // the size comes with the bitmap
    }
}

void RegisterAnnotationClasses()
{
    RegisterClassOf<CTextField>("CTextField");
    RegisterClassOf<CTabel>("CTabel");
    RegisterClassOf<CPlaatje>("CPlaatje");
}
