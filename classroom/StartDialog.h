#pragma once
// The start dialog of "Nieuw": the pupil picks a category of worksheets and then a
// title in it, or the empty board.

#include <QDialog>
#include <QStringList>

class CVeldtrakDoc;
class QComboBox;

class CStartDialog : public QDialog {
    Q_OBJECT
public:
    // entries: the library's "category#title" list (paths run parallel to it)
    explicit CStartDialog(const QStringList& entries, QWidget* parent = nullptr);

    // The library index of the title showing in the title list; -1 for the empty
    // board or when nothing is chosen.
    int ChosenEntry() const;

    // Shows the dialog on the library; the path of the chosen worksheet, or empty
    // for the empty board and when the dialog was closed without OK.
    static QString ChooseWorksheet(const QStringList& entries, const QStringList& paths,
                                   QWidget* parent = nullptr);

private:
    // Fills both lists for the category at this position (0: every category).
    void FillLists(int categoryPosition);

    QStringList m_entries;
    QStringList m_categories; // each once, in the order of its first entry
    QComboBox* m_pCategories;
    QComboBox* m_pTitles;
};

// Lets every "Nieuw" after the first show the start dialog on the document's library.
void InstallStartDialog(CVeldtrakDoc& doc);
