#pragma once
// The user at every modal dialog during an exercise: fills in fields with values good
// and bad, ticks boxes, and presses a button, all drawn from the seed the action gives.
// File dialogs choose from the board pool or save into the session's own folder; the
// print dialog prints to a PDF there.

#include "platform/DialogGuard.h"
#include "platform/ModalRunner.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <random>

class QDialog;
class QFileDialog;

class CRandomUser {
public:
    // 'programFolder' holds the pool; 'drawing' says whether a drawing context is open.
    CRandomUser(QString programFolder, std::function<bool()> drawing);
    ~CRandomUser();
    CRandomUser(const CRandomUser&) = delete;
    CRandomUser& operator=(const CRandomUser&) = delete;

    // The answers of the next action.
    void Reseed(std::uint32_t seed)
    {
        m_rng.seed(seed);
        m_offered.clear();
    }
    // Words worth typing in this action's dialogs (a link's password, a file name with a
    // folder in it): typed into every field, mostly, besides the usual values.
    void Offer(QStringList words) { m_offered = std::move(words); }
    // A fault seen at a dialog (one opened inside a drawing), empty when none.
    QString TakeFault();
    // The titles of the dialogs opened since the last call.
    QStringList TakeTitles();

    // Where saving and printing go.
    QString SaveFolder() const;

private:
    int Answer(QDialog& dialog);
    int AnswerFileDialog(QFileDialog& dialog);
    int AnswerGeneric(QDialog& dialog);
    void FillIn(QDialog& dialog);
    int Pick(int count) { return int(std::uniform_int_distribution<int>(0, count - 1)(m_rng)); }
    bool Chance(int percent) { return Pick(100) < percent; }

    QString m_strFolder;
    std::function<bool()> m_drawing;
    std::mt19937 m_rng;
    ModalHandler m_previous;
    DialogRefusalHandler m_previousRefusal;
    int m_nDepth = 0;
    QString m_strFault;
    QStringList m_titles;
    QStringList m_offered;
};
