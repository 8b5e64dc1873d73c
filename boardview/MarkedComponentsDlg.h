#pragma once
// "Gemarkeerde componenten": what to do with the components inside the marking
// rectangle. Each button ends the dialog with its own identifier.

#include <QDialog>

class CMarkedComponentsDlg : public QDialog {
    Q_OBJECT
public:
    enum Action : int {
        ID_CANCEL = 2,
        ID_ALIGN_LEFT = 1099,
        ID_ALIGN_RIGHT = 1100,
        ID_ALIGN_TOP = 1101,
        ID_ALIGN_BOTTOM = 1102,
        ID_DELETE = 1103,
    };

    explicit CMarkedComponentsDlg(QWidget* parent = nullptr);

    // Shows the dialog modally; returns the chosen action (ID_CANCEL when closed).
    int Run();

protected:
    void reject() override { done(ID_CANCEL); }
};
