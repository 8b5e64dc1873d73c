#include "TextDlg.h"

#include "RtfReader.h"
#include "RtfWriter.h"
#include "platform/ModalRunner.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

bool HasAttribute(const QTextCharFormat& format, int attribute)
{
    switch (attribute) {
    case 0:
        return format.fontWeight() > QFont::Normal;
    case 1:
        return format.fontItalic();
    default:
        return format.fontUnderline();
    }
}

QPushButton* MakeButton(QWidget* parent, int id, const QString& text)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QStringLiteral("button%1").arg(id));
    button->setAutoDefault(false);
    return button;
}

} // namespace

CTextDlg::CTextDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dialog164"));
    setWindowTitle(QStringLiteral("Aanmaak worksheet"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_pEdit = new QTextEdit(this);
    m_pEdit->setObjectName(QStringLiteral("edit%1").arg(ID_TEXT));
    m_pEdit->setAcceptRichText(false); // pasted text comes in plain, formatted with the buttons
    m_pEdit->setMinimumSize(420, 220);

    auto* ok = MakeButton(this, ID_OK, QStringLiteral("OK"));
    auto* cancel = MakeButton(this, ID_ANNULEER, QStringLiteral("&Annuleer"));
    auto* bold = MakeButton(this, ID_BOLD, QStringLiteral("&Bold"));
    auto* italics = MakeButton(this, ID_ITALICS, QStringLiteral("&Italics"));
    auto* underline = MakeButton(this, ID_UNDERLINE, QStringLiteral("&Underline"));
    auto* clear = MakeButton(this, ID_LEEG, QStringLiteral("&Leeg"));
    auto* wis = MakeButton(this, ID_WIS, QStringLiteral("&Wis"));
    m_pFrame = new QCheckBox(QStringLiteral("Omkader"), this);
    m_pFrame->setObjectName(QStringLiteral("check%1").arg(ID_FRAME));

    auto* buttons = new QVBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(ok), static_cast<QWidget*>(cancel)})
        buttons->addWidget(w);
    buttons->addSpacing(12);
    for (QWidget* w : {static_cast<QWidget*>(bold), static_cast<QWidget*>(italics),
                       static_cast<QWidget*>(underline)})
        buttons->addWidget(w);
    buttons->addSpacing(12);
    buttons->addWidget(m_pFrame);
    buttons->addStretch(1);
    buttons->addWidget(clear);
    buttons->addWidget(wis);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_pEdit, 0, 0);
    layout->addLayout(buttons, 0, 1);

    connect(ok, &QPushButton::clicked, this, [this] {
        m_strText = WriteBoardRtf(*m_pEdit->document());
        if (!m_pFrame->isChecked())
            m_nFrame = 0;
        else if (m_nFrame != -1)
            m_nFrame = 1;
        done(ID_OK);
    });
    connect(cancel, &QPushButton::clicked, this, &CTextDlg::reject);
    connect(wis, &QPushButton::clicked, this, [this] { done(ID_WIS); });
    connect(clear, &QPushButton::clicked, this, &CTextDlg::Clear);
    connect(bold, &QPushButton::clicked, this, [this] { ToggleAttribute(Attribute::Bold); });
    connect(italics, &QPushButton::clicked, this, [this] { ToggleAttribute(Attribute::Italic); });
    connect(underline, &QPushButton::clicked, this,
            [this] { ToggleAttribute(Attribute::Underline); });
}

int CTextDlg::Run()
{
    m_pFrame->setChecked(m_nFrame != 0);
    m_pEdit->clear();
    m_pEdit->setCurrentCharFormat(QTextCharFormat());
    if (!m_strText.isEmpty())
        ReadRtfInto(m_strText, *m_pEdit->document());
    m_pEdit->selectAll();
    m_pEdit->setFocus();
    return RunModal(*this);
}

void CTextDlg::reject()
{
    done(ID_ANNULEER);
}

void CTextDlg::Clear()
{
    m_pEdit->selectAll();
    m_pEdit->textCursor().removeSelectedText();
    m_pEdit->setFocus();
}

void CTextDlg::ToggleAttribute(Attribute attribute)
{
    const int which = int(attribute);
    QTextCursor cursor = m_pEdit->textCursor();
    bool on = !HasAttribute(cursor.charFormat(), which);
    if (cursor.hasSelection()) {
        // Uniform over the selection: flip; mixed: switch on.
        const int from = cursor.selectionStart();
        const int to = cursor.selectionEnd();
        bool all = true;
        bool none = true;
        QTextDocument* document = m_pEdit->document();
        for (QTextBlock block = document->findBlock(from); block.isValid() && block.position() < to;
             block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                const int start = fragment.position();
                const int end = start + fragment.length();
                if (end <= from || start >= to)
                    continue;
                (HasAttribute(fragment.charFormat(), which) ? none : all) = false;
            }
        }
        on = !(all && !none);
    }
    QTextCharFormat format;
    switch (attribute) {
    case Attribute::Bold:
        format.setFontWeight(on ? QFont::Bold : QFont::Normal);
        break;
    case Attribute::Italic:
        format.setFontItalic(on);
        break;
    case Attribute::Underline:
        format.setFontUnderline(on);
        break;
    }
    cursor.mergeCharFormat(format);
    m_pEdit->mergeCurrentCharFormat(format);
    m_pEdit->setFocus();
}
