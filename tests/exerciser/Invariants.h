#pragma once
// What must hold after every action of an exercise: no painter warning, a board that
// reads back to the bytes it was saved as, no object that changes while a measurement
// runs, and a window surface that a full repaint would draw the same.

#include "ExerciseAction.h"
#include "PermissionCheck.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtMessageHandler>

#include <memory>
#include <optional>

class CExerciseSession;
class COpenWatch;

class CInvariants {
public:
    CInvariants();  // listens to Qt's warnings from now on
    ~CInvariants();
    CInvariants(const CInvariants&) = delete;
    CInvariants& operator=(const CInvariants&) = delete;

    // A program was started (Observe) or is about to end (Forget).
    void Observe(CExerciseSession& session);
    void Forget();
    // Notes the board as the action finds it.
    void BeforeAction(CExerciseSession& session, const CExerciseAction& action);
    // The titles of the dialogs the action opened.
    void DialogsOpened(const QStringList& titles) { m_dialogs = titles; }
    const QStringList& Dialogs() const { return m_dialogs; }
    // Whether the action opened a board (or made a new one).
    bool OpenedDuringAction() const;
    // The first property that does not hold after the action, or empty.
    QString Check(CExerciseSession& session);
    // Walks the undo history back to the board as last opened and forward again.
    QString UndoWalkFault(CExerciseSession& session);

    // The properties one by one (each empty when it holds).
    QString WarningFault();
    static QString RoundTripFault(CExerciseSession& session);
    QString MeasurementFault(CExerciseSession& session);
    QString PermissionFault(CExerciseSession& session);
    static QString SurfaceFault(CExerciseSession& session);

private:
    static void OnMessage(QtMsgType type, const QMessageLogContext& context, const QString& text);

    QtMessageHandler m_previous = nullptr;
    QString m_strWarning;
    bool m_bWasRunning = false;
    QByteArray m_objectsAtStart; // the board's objects when the measurement started
    std::unique_ptr<COpenWatch> m_pOpenWatch;
    // The board before the action, with what tells whether it is still the same board.
    std::optional<CBoardShape> m_before;
    int m_nOpensBefore = 0;
    CBoardShape::Way m_way = CBoardShape::Way::Editing; // as far as the action tells
    QStringList m_dialogs;
    int m_nMaskBefore = 0;
    QString m_strPathBefore;
};
