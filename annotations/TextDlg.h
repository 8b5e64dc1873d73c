#pragma once
// The text dialog "Aanmaak worksheet" (164): a rich-text editor with bold, italic and
// underline buttons and the frame check box. Its values live in plain members: the
// stored rich text goes into the editor before the run and comes back, written by our
// own writer, only after OK.

#include <QDialog>
#include <QString>

class QCheckBox;
class QPushButton;
class QTextEdit;

class CTextDlg : public QDialog {
    Q_OBJECT
public:
    // Each button ends the dialog with its own id.
    enum : int { ID_OK = 1, ID_ANNULEER = 2, ID_WIS = 172, ID_LEEG = 173 };
    enum : int { ID_TEXT = 1021, ID_BOLD = 1045, ID_ITALICS = 1046, ID_UNDERLINE = 1047, ID_FRAME = 1051 };

    explicit CTextDlg(QWidget* parent = nullptr);

    // 1 (OK), 2 ("&Annuleer", Escape) or 172 ("&Wis").
    int Run();

    QTextEdit& Editor() { return *m_pEdit; }

    QString m_strText; // the stored rich text
    int m_nFrame = 1;  // 0 none, 1 "Omkader", -1 a title box (kept while the box stays checked)

    void reject() override;

private:
    enum class Attribute { Bold, Italic, Underline };
    // Flips the attribute over the selection when it is the same all over, else
    // switches it on; only that attribute changes.
    void ToggleAttribute(Attribute attribute);
    void Clear();

    QTextEdit* m_pEdit;
    QCheckBox* m_pFrame;
};
