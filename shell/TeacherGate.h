#pragma once
// The way into teacher mode: a start with /docent asks for the teacher-mode password
// before the window opens. Without a password set up, or with a wrong one, the program
// starts as the pupils' program, after saying why.

#include "classroom/PasswordDlg.h"

// The prompt: the password prompt's face under its own caption and label, taking any
// characters (the password is never stored in a board or the settings).
class CTeacherPasswordDlg : public CPasswordDlg {
    Q_OBJECT
public:
    explicit CTeacherPasswordDlg(QWidget* parent = nullptr);
};

// True when the teacher typed the password kept in TeacherPasswordFile().
bool PassTeacherGate();
