#pragma once
// The way into teacher mode: a start with /docent asks for the teacher-mode password
// before the window opens. Without a password set up, or with a wrong one, the program
// starts as the pupils' program, after saying why.

#include <QDialog>

class QLineEdit;

// The prompt: one masked entry, OK and "&Annuleer".
class CTeacherPasswordDlg : public QDialog {
    Q_OBJECT
public:
    explicit CTeacherPasswordDlg(QWidget* parent = nullptr);
    QString Entry() const;

private:
    QLineEdit* m_pEdit;
};

// True when the teacher typed the password kept in TeacherPasswordFile().
bool PassTeacherGate();
