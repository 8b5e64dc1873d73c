#include "MessageBox.h"

#include "platform/ModalRunner.h"
#include "platform/Strings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr std::array<int, CBoxFace::kLineCount> kLineIds = {1088, 1090, 1091, 1092};
constexpr int kErrorCaptionId = 61493;
constexpr int kWarningCaptionId = 61612;
constexpr int kOkResult = 1;

// Wide enough for a line of ordinary text of that many characters; a line full of
// capitals may be clipped at the right rather than grow the box.
int LineWidth(const QFontMetrics& metrics, int nChars) {
    return metrics.horizontalAdvance(QString(nChars, u'n'));
}

QStyle::StandardPixmap IconForCaption(const QString& caption) {
    if (caption == LoadString(kErrorCaptionId)) return QStyle::SP_MessageBoxCritical;
    if (caption == LoadString(kWarningCaptionId)) return QStyle::SP_MessageBoxWarning;
    return QStyle::SP_MessageBoxInformation;
}

} // namespace

CBoxFace::CBoxFace(QDialog& box, int nCharsPerLine, Qt::Alignment alignment, bool bCentreButtons)
    : m_box(box), m_pIcon(new QLabel(&box)), m_pButtons(new QHBoxLayout),
      m_bCentreButtons(bCentreButtons) {
    box.setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* lines = new QVBoxLayout;
    lines->setSpacing(0);
    const QFontMetrics metrics = box.fontMetrics();
    for (int i = 0; i < kLineCount; ++i) {
        QLabel* line = new QLabel(&box);
        line->setObjectName(QStringLiteral("line%1").arg(kLineIds[i]));
        line->setTextFormat(Qt::PlainText);
        line->setAlignment(alignment | Qt::AlignVCenter);
        line->setFixedSize(LineWidth(metrics, nCharsPerLine), metrics.lineSpacing());
        lines->addWidget(line);
        m_lines[i] = line;
    }

    auto* body = new QHBoxLayout;
    body->setSpacing(metrics.averageCharWidth() * 2);
    body->addWidget(m_pIcon, 0, Qt::AlignTop);
    body->addLayout(lines);

    m_pButtons->addStretch();
    if (bCentreButtons) m_pButtons->addStretch();

    auto* face = new QVBoxLayout(&box);
    face->setSizeConstraint(QLayout::SetFixedSize);
    face->setSpacing(metrics.lineSpacing());
    face->addLayout(body);
    face->addLayout(m_pButtons);
}

QPushButton* CBoxFace::AddButton(const QString& text, int result) {
    auto* button = new QPushButton(text, &m_box);
    button->setObjectName(QStringLiteral("button%1").arg(result));
    QObject::connect(button, &QPushButton::clicked, &m_box,
                     [box = &m_box, result] { box->done(result); });
    // A centred row ends in a stretch of its own; new buttons go before it.
    m_pButtons->insertWidget(m_pButtons->count() - (m_bCentreButtons ? 1 : 0), button);
    return button;
}

void CBoxFace::SetIcon(QStyle::StandardPixmap icon) {
    QStyle* style = m_box.style();
    const int size = style->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &m_box);
    m_pIcon->setPixmap(style->standardIcon(icon, nullptr, &m_box)
                           .pixmap(QSize(size, size), m_box.devicePixelRatioF()));
}

void CBoxFace::SetLines(const QStringList& lines) {
    for (int i = 0; i < kLineCount; ++i)
        m_lines[i]->setText(i < lines.size() ? lines[i] : QString());
}

QStringList CBoxFace::Lines() const {
    QStringList texts;
    for (const QLabel* line : m_lines)
        texts << line->text();
    return texts;
}

CMessageBox::CMessageBox(QWidget* parent)
    : QDialog(parent), m_face(*this, kCharsPerLine, Qt::AlignLeft, false) {
    QPushButton* ok = m_face.AddButton(QStringLiteral("OK"), kOkResult);
    ok->setDefault(true);
    ok->setFocus();
}

void CMessageBox::Show(const QString& text, const QString& caption) {
    setWindowTitle(caption);
    m_face.SetIcon(IconForCaption(caption));
    m_face.SetLines(CutLines(text, kCharsPerLine));
    RunModal(*this);
}

QStringList CMessageBox::CutLines(QString text, int width) {
    width = std::max(width, 1);
    if (text.isEmpty() || !QStringView(u"?!.").contains(text.back())) text += u'.';

    QStringList lines;
    while (lines.size() < CBoxFace::kLineCount && !text.isEmpty()) {
        if (text.size() <= width) {
            lines << text;
            break;
        }
        const qsizetype blank = QStringView(text).left(width).lastIndexOf(u' ');
        const qsizetype cut = blank > 0 ? blank : width;
        lines << text.left(cut);
        qsizetype rest = cut;
        while (rest < text.size() && text[rest] == u' ')
            ++rest;
        text.remove(0, rest);
    }
    return lines;
}

void CMessageBox::reject() {
    done(2);
}
