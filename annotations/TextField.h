#pragma once
// A text field of a worksheet: rich text at a place on the board, optionally framed.
// The board draws it with its own small reader of the stored text (RichTextReader.h)
// and grows the rectangle to what it drew.

#include "Annotation.h"

#include <QString>

#include <memory>

class CTextDlg;

class CTextField : public CAnnotation {
public:
    CTextField();
    ~CTextField() override;

    const char* GetClassName() const override { return "CTextField"; }
    void Serialize(CArchive& ar) override;
    // Draws the text at the rectangle's top-left corner and recomputes right and
    // bottom (decoding the stored text's high-character escapes on the way).
    void Draw(CDC& dc) override;

    void SetText(const QString& text, int frame);
    // Runs the text dialog on this field: 1 (OK, taken over), 2 ("&Annuleer") or 172 ("&Wis").
    int Edit() override;
    // Moves the top-left corner to (x, y), snapping to the left margin; points off the
    // board are ignored. The dragging outline moves along.
    void PlaceAt(CDC& dc, int x, int y, int snap) override;
    void ShowPressed(CDC& dc) override;
    void DrawOutline(CDC& dc, bool erase);

    static constexpr int kLeftMargin = 130;
    static constexpr int kLineHeight = 44;
    static constexpr int kLineStep = 52; // 44 x 1.2

    QString m_strText; // as the text dialog delivered it (rich text)
    int m_nFrame = 0;  // 0 none, 1 "Omkader", -1 a full-width title box
    int m_nLineHeight = kLineHeight;

protected:
    CRect HitArea() const override; // the rectangle grown by one unit

private:
    std::unique_ptr<CTextDlg> m_pDialog;
};
