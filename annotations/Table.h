#pragma once
// A table of a worksheet: cells typed as one text, split by a separator character,
// drawn as a grey grid whose rows and columns fit the largest cell.

#include "Annotation.h"

#include <QString>

#include <array>
#include <memory>

class CTableDlg;

// What the table dialog edits.
struct CTableContents {
    QString data;
    QString separator = QStringLiteral("#");
    int fixed = 1;        // "Vast"
    int rowHeader = 1;    // "Rij"
    int columnHeader = 1; // "Kop"
    int columns = 3;
    int rows = 3;
};

class CTabel : public CAnnotation {
public:
    static constexpr int kMaxRows = 10;
    static constexpr int kMaxColumns = 5;

    CTabel();
    ~CTabel() override;

    const char* GetClassName() const override { return "CTabel"; }
    void Serialize(CArchive& ar) override;
    // Measures, then draws the border (the dragging outline on screen, a black line on
    // paper), the grid and the cell texts.
    void Draw(CDC& dc) override;

    void SetContents(const CTableContents& contents);
    CTableContents Contents() const;
    // Runs the table dialog: 1 (OK, taken over), 2 ("&Annuleer") or 172 ("&Wis").
    int Edit() override;
    // Recomputes the row heights, column widths, right and bottom.
    void Measure(CDC& dc);
    // Tables do not snap: the last argument is not used.
    void PlaceAt(CDC& dc, int x, int y, int textSnap = 0) override;
    void ShowPressed(CDC& dc) override;
    void DrawOutline(CDC& dc, bool erase);

    QString m_strData;
    QString m_strSeparator = QStringLiteral("#");
    int m_bFixed = 1;        // "Vast"
    int m_bRowHeader = 1;    // "Rij"
    int m_bColumnHeader = 1; // "Kop"
    int m_nColumns = 3;
    int m_nRows = 3;
    std::array<int, 20> m_rowHeights{};
    std::array<int, 20> m_columnWidths{};

protected:
    CRect HitArea() const override; // the rectangle grown by one unit

private:
    std::unique_ptr<CTableDlg> m_pDialog;
};
