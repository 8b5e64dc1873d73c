#include "ConfirmBox.h"

#include "platform/ModalRunner.h"
#include "platform/Strings.h"

#include <QPushButton>

namespace {
constexpr int kCaptionId = 61659;
} // namespace

CConfirmBox::CConfirmBox(QWidget* parent)
    : QDialog(parent), m_face(*this, kCharsPerLine, Qt::AlignHCenter, true) {
    setWindowTitle(LoadString(kCaptionId));
    m_face.SetIcon(QStyle::SP_MessageBoxQuestion);
    m_face.AddButton(QStringLiteral("&Ja"), kJa);
    m_pNee = m_face.AddButton(QStringLiteral("&Nee"), kNee);
}

int CConfirmBox::Ask(int questionStringId) {
    return AskText(LoadString(questionStringId));
}

int CConfirmBox::AskText(const QString& question) {
    m_face.SetLines(CMessageBox::CutLines(question, kCharsPerLine));
    // The box lives as long as the document: a previous answer may have moved the
    // default to "Ja", and a careless Enter must never answer yes.
    m_pNee->setDefault(true);
    m_pNee->setFocus();
    return RunModal(*this);
}

void CConfirmBox::reject() {
    done(kClosed);
}
