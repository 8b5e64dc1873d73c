#pragma once
// At the end of the start-up sequence (the start menu, or the board named on the
// command line, is showing) the pupil is asked once whether to take back the board
// that a program which ended abnormally left as its recovery copy.

#include "document/Document.h"

#include <QDateTime>
#include <QObject>

class CRecoveryPrompt : public CDocView {
public:
    explicit CRecoveryPrompt(CVeldtrakDoc& doc);
    ~CRecoveryPrompt() override;

    void OnUpdate(int hint, int argument) override;

    // Asks about the newest copy left behind; on "Ja" it becomes the board, modified,
    // under its own name. The copy is removed whatever the answer.
    void Offer();

private:
    CVeldtrakDoc& m_doc;
    bool m_bOffered = false;
    QObject m_context; // ends a pending offer with the prompt
};

// The question with the copy's time: the time of day alone when it is from today.
QString RecoveryQuestion(const QDateTime& savedAt, const QDateTime& now);
