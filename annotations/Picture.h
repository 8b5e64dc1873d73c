#pragma once
// A picture of a worksheet: a bitmap file shown at a place on the board.

#include "core/BoardObject.h"
#include "platform/Geometry.h"

#include <QString>

class CPlaatje : public CBoardObject {
public:
    const char* GetClassName() const override { return "CPlaatje"; }
    void Serialize(CArchive& ar) override;
    void Draw(CDC& dc) override;

    CRect m_rect;
    QString m_strFolder;
    QString m_strFileName;
};
