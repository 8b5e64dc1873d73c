#include "TeacherGate.h"

#include "classroom/DialogParts.h"
#include "document/MessageBox.h"
#include "platform/ModalRunner.h"
#include "platform/TeacherPassword.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("Docentmodus");
// Long enough for any sensible password, short enough that hashing it costs nothing.
constexpr int kMaxEntry = 128;

void Tell(const QString& text)
{
    CMessageBox box;
    box.Show(text, kCaption);
}

} // namespace

CTeacherPasswordDlg::CTeacherPasswordDlg(QWidget* parent)
    : QDialog(parent), m_pEdit(MakeEdit(1021, kMaxEntry, true, false))
{
    setWindowTitle(kCaption);
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Docentwachtwoord"));
    label->setBuddy(m_pEdit);
    row->addWidget(label);
    row->addWidget(m_pEdit, 1);
    layout->addLayout(row);
    layout->addLayout(OkCancelRow(*this));
    FixDialogFrame(*this);
    m_pEdit->setFocus();
}

QString CTeacherPasswordDlg::Entry() const
{
    return m_pEdit->text();
}

bool PassTeacherGate()
{
    const CStoredTeacherPassword stored = ReadTeacherPassword(TeacherPasswordFile());
    if (stored.state == TeacherPasswordState::Missing) {
        Tell(QStringLiteral("Het docentwachtwoord is nog niet ingesteld. De beheerder stelt het in "
                            "met: veldtrak-tool docentwachtwoord (als root bij een installatie). "
                            "Het programma start zonder docentmodus."));
        return false;
    }
    if (stored.state == TeacherPasswordState::Unusable) {
        Tell(QStringLiteral("Het bestand met het docentwachtwoord is onbruikbaar. De beheerder "
                            "stelt het opnieuw in met: veldtrak-tool docentwachtwoord. "
                            "Het programma start zonder docentmodus."));
        return false;
    }
    CTeacherPasswordDlg prompt;
    if (RunModal(prompt) != QDialog::Accepted)
        return false; // the pupils' program, without a word: the teacher chose it
    if (TeacherPasswordMatches(stored, prompt.Entry()))
        return true;
    Tell(QStringLiteral("Het docentwachtwoord is onjuist. Het programma start zonder docentmodus."));
    return false;
}
