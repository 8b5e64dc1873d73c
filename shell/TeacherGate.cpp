#include "TeacherGate.h"

#include "document/MessageBox.h"
#include "platform/ModalRunner.h"
#include "platform/TeacherPassword.h"

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
    : CPasswordDlg(kCaption, QStringLiteral("Docentwachtwoord"), kMaxEntry, false, parent)
{
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
