#pragma once
// One exercise session: the program started as a user starts it, in a program folder of
// its own holding the shipped worksheets and a pool of damaged boards, and the actions
// played on it one by one, each followed by the checks of what must always hold.

#include "ExerciseAction.h"
#include "FileWatch.h"
#include "Invariants.h"
#include "RandomUser.h"
#include "shell/AppFixture.h"

#include <QString>

#include <memory>

class CExerciseSession : public AppFixture {
public:
    CExerciseSession();
    ~CExerciseSession() override;

    // Starts the program; false (with the reason in Fault()) when it cannot.
    bool Begin();
    // Plays one action and checks; the fault found, or empty.
    QString Play(const CExerciseAction& action);

    // What the actions and the chooser need to see.
    using AppFixture::Board;
    using AppFixture::ClickStartMenu;
    using AppFixture::Doc;
    using AppFixture::Frame;
    using AppFixture::Palette;
    bool Running() const { return app && Frame(); }
    QString Folder() const { return Path(QString()); }
    // The boards the program can be started with, in a fixed order: three files that are
    // no boards, the damaged boards, then the shipped worksheets.
    const QStringList& PoolBoards() const { return m_poolBoards; }
    CInvariants& Invariants() { return *m_pInvariants; }
    CRandomUser& User() { return *m_pUser; }

    // Starts the program anew: 0 as a pupil, 1 as the teacher, 2 and on with that pool
    // board on the command line.
    void Restart(int how);

    void TestBody() override {}

private:
    void CopyShippedData();
    void MakePool();
    void PrepareProgram();

    std::unique_ptr<CRandomUser> m_pUser;
    std::unique_ptr<CInvariants> m_pInvariants;
    std::unique_ptr<QObject> m_pTimerGate;
    std::unique_ptr<CFileWatch> m_pFileWatch;
    std::function<bool(const QString&)> m_previousShellOpen;
    QStringList m_poolBoards;
};
