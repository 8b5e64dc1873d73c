#pragma once
// A table of a worksheet: cells typed as one text, split by a separator character.

#include "core/BoardObject.h"
#include "platform/Geometry.h"

#include <QString>

class CTabel : public CBoardObject {
public:
    const char* GetClassName() const override { return "CTabel"; }
    void Serialize(CArchive& ar) override;
    void Draw(CDC& dc) override;

    CRect m_rect;
    QString m_strData;
    QString m_strSeparator = QStringLiteral("#");
    int m_bFixed = 0;        // "Vast"
    int m_bRowHeader = 0;    // "Rij"
    int m_bColumnHeader = 0; // "Kop"
    int m_nColumns = 1;
    int m_nRows = 1;
};
