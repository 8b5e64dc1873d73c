#pragma once
// The message box (dialog 186) shows every warning and error. Neither it nor the confirm
// box sizes itself to its text: the text is cut into at most four fixed lines.

#include <QDialog>
#include <QStringList>
#include <QStyle>

#include <array>

class QHBoxLayout;
class QLabel;
class QPushButton;

// The face the message box and the confirm box share: an icon beside four fixed text
// lines, and a row of buttons below that each end the box with their own result.
class CBoxFace {
public:
    static constexpr int kLineCount = 4;

    CBoxFace(QDialog& box, int nCharsPerLine, Qt::Alignment alignment, bool bCentreButtons);
    CBoxFace(const CBoxFace&) = delete;
    CBoxFace& operator=(const CBoxFace&) = delete;

    // A button named "button<result>" that closes the box with that result.
    QPushButton* AddButton(const QString& text, int result);
    void SetIcon(QStyle::StandardPixmap icon);
    // Fills the lines from the top and clears the ones left over.
    void SetLines(const QStringList& lines);
    QStringList Lines() const;

private:
    QDialog& m_box;
    QLabel* m_pIcon;
    std::array<QLabel*, kLineCount> m_lines;
    QHBoxLayout* m_pButtons;
    bool m_bCentreButtons;
};

class CMessageBox : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCharsPerLine = 50;

    explicit CMessageBox(QWidget* parent = nullptr);

    // Shows the text under this caption until the user closes the box.
    void Show(const QString& text, const QString& caption);

    // At most four lines of at most `width` characters, each cut at the last blank that
    // fits; a text without closing punctuation gets a full stop, what does not fit is lost.
    static QStringList CutLines(QString text, int width);

    // The four lines as shown, empty strings for the unused ones.
    QStringList Lines() const { return m_face.Lines(); }

    // Escape and the window's close button end the box with 2, like a cancel button.
    void reject() override;

private:
    CBoxFace m_face;
};
