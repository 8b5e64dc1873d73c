#pragma once
// The About box: the program's icon, its name and version, and OK.

#include <QDialog>

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

// Shows the About box (the same during a measurement: it changes nothing).
void ShowAboutBox(QWidget* parent);
