#pragma once
// The common face of every component's property dialog: a fixed layout in dialog units
// with OK, "&Annuleer" and "&Wis" on the right, the component's name as the title, and
// buttons greyed by the board's permissions. A dialog keeps its values in plain members;
// they go to the controls before the run and come back from them only after OK.

#include "platform/Geometry.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CPropertyDialog : public QDialog {
    Q_OBJECT
public:
    // Control ids of the three buttons; each ends the dialog with its own id.
    enum : int { ID_OK = 1, ID_ANNULEER = 2, ID_WIS = 172 };

    // name: becomes the window title; permissions: the board's permission set (255 unprotected)
    CPropertyDialog(int templateId, const QString& name, int permissions,
                    QWidget* parent = nullptr);

    // Fills the controls, runs modally and, only after OK, takes the values back.
    // Returns 1 (OK, validated), 2 ("&Annuleer", Escape, closing the window) or 172 ("&Wis").
    int Run();

    void accept() override; // OK: ends with 1 only when Validate passes
    void reject() override; // ends with 2

protected:
    // Called on OK; a failing check has told the user and keeps the dialog open.
    virtual bool Validate() { return true; }
    // Members to controls, before the dialog is shown.
    virtual void LoadControls() {}
    // Controls to members, after the dialog ended with OK.
    virtual void SaveControls() {}

    // A rectangle in dialog units, converted with the dialog font's base units.
    QRect DialogUnits(int x, int y, int w, int h) const;

    // Controls at dialog-unit positions, named after their ids ("edit1021", "check1050",
    // "button1097"). A static or check box grows to fit its text; a static without a
    // width is as wide as its text.
    QLabel* AddStatic(const QString& text, int x, int y, int w = 0, int h = 8);
    QLineEdit* AddEdit(int id, int x, int y, int w, int h);
    QCheckBox* AddCheckBox(int id, const QString& text, int x, int y, int w, int h);
    QPushButton* AddButton(int id, const QString& text, int x, int y, int w = 50, int h = 14);
    // Button 1097 "&Kies kleur": the user edits these sixteen colours as the colour
    // chooser's custom colours.
    QPushButton* AddColourButton(int x, int y, std::array<COLORREF, 16>& colours);

    // This edit gets the focus, with all its text selected, when the dialog is shown.
    void SetInitialFocus(QLineEdit* edit) { m_pInitialFocus = edit; }

    void showEvent(QShowEvent* event) override;

private:
    void Place(QWidget* control, QRect rect, bool bFitToText);
    void PutButtonsLastInTabOrder();
    void NarrowLabelsBeforeNeighbours();

    QPushButton* m_pOk;
    QPushButton* m_pAnnuleer;
    QPushButton* m_pWis;
    QWidget* m_pLastControl = nullptr;
    QLineEdit* m_pInitialFocus = nullptr;
    int m_nStatics = 0;
};
