#pragma once
// The password prompt (dialog 156, "Beveiliging"): one masked entry of at most eight
// characters. It guards the board chain's links and the teacher's protection command.

#include <QDialog>

class QLineEdit;

class CPasswordDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 8;

    explicit CPasswordDlg(QWidget* parent = nullptr);
    // Another prompt of the same face: its caption, its label, the longest entry, and
    // whether the entry is limited to what board files and settings can store.
    CPasswordDlg(const QString& caption, const QString& label, int maxLength, bool storedText,
                 QWidget* parent = nullptr);

    QString Entry() const;

    // Shows the prompt with an empty entry; true when it ended with OK, and what was typed.
    static bool Ask(QString& entry, QWidget* parent = nullptr);

private:
    QLineEdit* m_pEdit;
};
