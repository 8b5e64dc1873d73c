#pragma once
// The restricted "Opslaan als..." (dialog 198): with an output folder set, a pupil may
// choose the name of the file but not its folder.

#include <QDialog>

class CVeldtrakDoc;
class QLineEdit;

class CRestrictedSaveDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 20;

    // name: what the entry starts with (the board's title), all of it selected
    explicit CRestrictedSaveDlg(const QString& name, QWidget* parent = nullptr);

    QString Name() const;

private:
    QLineEdit* m_pEdit;
};

// Asks for the name until it names no folder; empty when the pupil cancelled. The
// output folder is current while the dialog shows, the program folder again after it.
QString AskRestrictedSaveName(CVeldtrakDoc& doc);

// A name with a folder in it (":", "\" or, on this system, "/") cannot be taken.
bool NamesAFolder(const QString& name);
