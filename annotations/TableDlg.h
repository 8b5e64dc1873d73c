#pragma once
// The table dialog "Aanmaak tabel" (163): the data as one multi-line text, the number
// of columns and rows, the separator and the three check boxes. The values live in
// 'm_contents'; they go to the controls before the run and come back only after OK,
// which the framework's checks guard (the dialog stays open on a wrong number).

#include "Table.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

class CTableDlg : public QDialog {
    Q_OBJECT
public:
    enum : int { ID_OK = 1, ID_ANNULEER = 2, ID_WIS = 172, ID_LEEG = 173 };
    enum : int {
        ID_DATA = 1021,
        ID_COLUMNS = 1022,
        ID_ROWS = 1023,
        ID_SEPARATOR = 1024,
        ID_HEADER = 1050,
        ID_ROW_HEADER = 1051,
        ID_FIXED = 1052,
    };

    explicit CTableDlg(QWidget* parent = nullptr);

    // 1 (OK, validated), 2 ("&Annuleer", Escape) or 172 ("&Wis").
    int Run();

    void accept() override;
    void reject() override;

    CTableContents m_contents;

private:
    void Clear();

    QPlainTextEdit* m_pData;
    QLineEdit* m_pColumns;
    QLineEdit* m_pRows;
    QLineEdit* m_pSeparator;
    QCheckBox* m_pHeader;
    QCheckBox* m_pRowHeader;
    QCheckBox* m_pFixed;
};
