#pragma once
// Plays the user at modal dialogs: each step receives the dialog that was opened
// and returns its result. A dialog that opens when no step is left fails the test.

#include "QtPrinters.h"
#include "platform/ModalRunner.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>

class ScriptedModals {
public:
    ScriptedModals();
    ~ScriptedModals(); // fails the test when steps were left unused

    // Queues a step that answers with a fixed result.
    ScriptedModals& Answer(int result);
    // Queues a step of its own.
    ScriptedModals& Then(std::function<int(QDialog&)> step);
    // Queues the print dialog answered with OK, printing into this PDF file.
    ScriptedModals& PrintToPdf(const QString& pdf);

    int Opened() const { return m_nOpened; }
    // Window title and the visible label texts of every dialog opened so far.
    const QStringList& Titles() const { return m_titles; }
    const QList<QStringList>& Texts() const { return m_texts; }

    // The non-empty label texts of a dialog, top to bottom.
    static QStringList LabelTexts(QDialog& dialog);

private:
    std::deque<std::function<int(QDialog&)>> m_steps;
    ModalHandler m_previous;
    int m_nOpened = 0;
    QStringList m_titles;
    QList<QStringList> m_texts;
};
