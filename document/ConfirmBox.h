#pragma once
// The confirm box (dialog 187) asks every yes/no question under the caption "Bevestig".

#include "MessageBox.h"

#include <QDialog>

class CConfirmBox : public QDialog {
    Q_OBJECT
public:
    // The answers; callers go on only on kJa.
    static constexpr int kJa = 6;
    static constexpr int kNee = 7;
    static constexpr int kClosed = 2;
    static constexpr int kCharsPerLine = 42;

    explicit CConfirmBox(QWidget* parent = nullptr);

    // Asks the question with this string number.
    int Ask(int questionStringId);
    // Asks a question composed by the caller.
    int AskText(const QString& question);

    // The four lines as shown, empty strings for the unused ones.
    QStringList Lines() const { return m_face.Lines(); }

    // Escape and the window's close button end the box with kClosed.
    void reject() override;

private:
    CBoxFace m_face;
    QPushButton* m_pNee;
};
