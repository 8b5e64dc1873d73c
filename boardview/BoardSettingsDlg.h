#pragma once
// "Systeembord": the board's editing margins, the probe display width and the colour
// of new wires. Opened by a right click on an empty spot of the board.

#include "platform/Geometry.h"

#include <QDialog>

class CVeldtrakDoc;
class QLineEdit;

class CBoardSettingsDlg : public QDialog {
    Q_OBJECT
public:
    explicit CBoardSettingsDlg(QWidget* parent = nullptr);

    // Shows the dialog on the document's values; on OK they go back into the document.
    // Returns the dialog's result (1 OK, 2 cancelled).
    int Edit(CVeldtrakDoc& doc);

    int m_nTextSnap = 30;
    int m_nSnapMargin = 30;
    int m_nEraseMargin = 30;
    int m_nProbeWidth = 30;
    COLORREF m_wireColour = RGB(0, 0, 0); // as chosen (the document keeps it inverted)

protected:
    void accept() override;
    void reject() override;
    void showEvent(QShowEvent* event) override;

private:
    void ChooseColour();

    QLineEdit* m_pTextSnap;
    QLineEdit* m_pSnapMargin;
    QLineEdit* m_pEraseMargin;
    QLineEdit* m_pProbeWidth;
};
