#pragma once
// A text field of a worksheet: rich text at a place on the board, optionally framed.

#include "core/BoardObject.h"
#include "platform/Geometry.h"

#include <QString>

class CTextField : public CBoardObject {
public:
    const char* GetClassName() const override { return "CTextField"; }
    void Serialize(CArchive& ar) override;
    void Draw(CDC& dc) override;

    CRect m_rect;
    QString m_strText; // as the text dialog delivered it (rich text)
    int m_nFrame = 0;  // 0 none, 1 "Omkader", -1 a full-width title box
};
