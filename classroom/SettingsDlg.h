#pragma once
// The settings dialog (dialog 178, "Settings"): the worksheet folders and extensions,
// the output folder, the default help file and the bitmap folder. The teacher picks a
// field (its radio button follows the focus), then browses, clears or adds to it.

#include <QDialog>
#include <QStringList>

#include <array>

class CVeldtrakDoc;
class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;

class CSettingsDlg : public QDialog {
    Q_OBJECT
public:
    // The radio buttons, by id, of the five fields.
    enum : int {
        ID_FOLDERS = 1005,
        ID_EXTENSIONS = 1006,
        ID_OUTPUT = 1007,
        ID_HELP = 1008,
        ID_BITMAPS = 1009,
    };

    // Edits the document's settings; they change only on OK.
    explicit CSettingsDlg(CVeldtrakDoc& doc, QWidget* parent = nullptr);

    // The radio button of the field last entered, 0 when none.
    int SelectedField() const;

    void accept() override; // OK: checks (and may create) the output folder first

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnBrowse();
    void OnClear();
    void OnAdd();
    // Adds the combo box's typed text to its list unless an item begins with it, then
    // selects the item equal to it (none when there is none).
    void TakeTypedText(QComboBox& list);
    void AddToList(QComboBox& list, const QString& text);
    void SelectField(int id);
    QComboBox* ListOf(int id) const;
    QLineEdit* EditOf(int id) const;
    bool MakeOutputFolder(const QString& folder);
    void BlinkError();

    CVeldtrakDoc& m_doc;
    QComboBox* m_pFolders;
    QComboBox* m_pExtensions;
    QLineEdit* m_pOutput;
    QLineEdit* m_pHelp;
    QLineEdit* m_pBitmaps;
    QLabel* m_pError;
    QButtonGroup* m_pRadios;
};

// Command 32806: the settings dialog; after OK the board drops its own help file (so
// the default one is used) and the settings are saved. True after OK.
bool EditSettings(CVeldtrakDoc& doc);

// A list as the dialog shows it (sorted blind to case, as a sorted list box sorts).
QStringList SortedForDisplay(QStringList items);
