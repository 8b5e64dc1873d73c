#include "RecoveryPrompt.h"

#include "boardview/StartupImages.h"
#include "document/Recovery.h"
#include "platform/Strings.h"

#include <QDateTime>
#include <QLocale>
#include <QTimer>

namespace {
constexpr int kRecoveryQuestion = 62100;
}

CRecoveryPrompt::CRecoveryPrompt(CVeldtrakDoc& doc) : m_doc(doc)
{
    m_doc.AddView(this);
}

CRecoveryPrompt::~CRecoveryPrompt()
{
    m_doc.RemoveView(this);
}

void CRecoveryPrompt::OnUpdate(int hint, int argument)
{
    // The first start menu (or the board straight away) ends the start-up sequence;
    // the question follows once the sequence has done its work.
    if (m_bOffered || hint != HINT_STARTUP_IMAGE || (argument != kStartMenuImage && argument != 0))
        return;
    m_bOffered = true;
    QTimer::singleShot(0, &m_context, [this] { Offer(); });
}

QString RecoveryQuestion(const QDateTime& savedAt, const QDateTime& now)
{
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    const QString format = savedAt.date() == now.date() ? QStringLiteral("HH:mm")
                                                         : QStringLiteral("d MMMM HH:mm");
    return LoadString(kRecoveryQuestion).replace(QStringLiteral("%s"), dutch.toString(savedAt, format));
}

void CRecoveryPrompt::Offer()
{
    const std::vector<CRecoveredBoard> copies = FindRecoveredBoards();
    if (copies.empty())
        return;
    const CRecoveredBoard& newest = copies.front();
    const QString question = RecoveryQuestion(newest.savedAt, QDateTime::currentDateTime());
    if (m_doc.m_confirmBox.AskText(question) == CConfirmBox::kJa &&
        RestoreRecoveredBoard(m_doc, newest)) {
        m_doc.UpdateAllViews(HINT_STARTUP_IMAGE, 0); // the board, not the start menu
        m_doc.UpdateAllViews(HINT_REFRESH);
    }
    RemoveRecoveredBoard(newest);
}
