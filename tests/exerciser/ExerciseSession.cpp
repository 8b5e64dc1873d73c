#include "ExerciseSession.h"

#include "ActionPlayer.h"
#include "support/DamagedBoards.h"

#include "platform/ShellOpen.h"

#include <QDirIterator>
#include <QPrinter>
#include <QTimerEvent>

#include <cstdio>

namespace {

// Measurement ticks come only from the actions, so that a session replays exactly:
// the board's own timers never fire during an exercise.
class CTimerGate : public QObject {
public:
    explicit CTimerGate(std::function<QObject*()> board) : m_board(std::move(board)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        return event->type() == QEvent::Timer && watched == m_board();
    }

private:
    std::function<QObject*()> m_board;
};

} // namespace

CExerciseSession::CExerciseSession() = default;

CExerciseSession::~CExerciseSession()
{
    // The user stays until the program is gone: closing may still ask something.
    if (m_pInvariants) {
        m_pInvariants->Forget();
        TearDown();
        SetShellOpenHandler(std::move(m_previousShellOpen));
    }
    if (m_pTimerGate)
        qApp->removeEventFilter(m_pTimerGate.get());
    m_pUser.reset();
    m_pInvariants.reset();
}

bool CExerciseSession::Begin()
{
    SetUp();
    m_pInvariants = std::make_unique<CInvariants>();
    if (HasFatalFailure())
        return false;
    CopyShippedData();
    MakePool();
    // What the session brought along is only read.
    QStringList kept = {Path(QStringLiteral("pool"))};
    for (const QString& folder : QDir(QStringLiteral(VT_DATA_DIR)).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        kept << Path(folder);
    m_pFileWatch = std::make_unique<CFileWatch>(kept);
    // Help opens nothing on this machine: the desktop says yes or no.
    m_previousShellOpen = SetShellOpenHandler([](const QString& path) { return path.size() % 2 == 0; });
    m_pUser = std::make_unique<CRandomUser>(Folder(), [this] {
        if (!Running())
            return false;
        return Board().Surface().paintingActive() || Frame()->Printer().paintingActive();
    });
    m_pTimerGate = std::make_unique<CTimerGate>([this]() -> QObject* {
        return Running() ? &Board() : nullptr;
    });
    qApp->installEventFilter(m_pTimerGate.get());
    Restart(0);
    return Running();
}

void CExerciseSession::CopyShippedData()
{
    // What the build put beside the program, as the source data lists it.
    const QDir sources(QStringLiteral(VT_DATA_DIR));
    QDirIterator it(sources.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QString relative = sources.relativeFilePath(it.next());
        if (relative == QStringLiteral("CMakeLists.txt"))
            continue;
        if (relative.endsWith(QStringLiteral(".json")))
            relative.chop(5);
        const QString from = QStringLiteral(VT_SHIPPED_FOLDER "/") + relative;
        QDir().mkpath(QFileInfo(Path(relative)).path());
        QFile::copy(from, Path(relative));
    }
}

void CExerciseSession::MakePool()
{
    // Kept scripts name boards by their place here: new boards go at the end of their part.
    const QByteArray sample = damaged::Bytes(damaged::Cases().front());
    const std::pair<QString, QByteArray> odd[] = {
        {QStringLiteral("pool/leeg.wks"), QByteArray()},
        {QStringLiteral("pool/afgekapt.wks"), sample.left(sample.size() / 2)},
        {QStringLiteral("pool/tekst.wks"), QByteArray("Dit is geen bord.\n")},
    };
    for (const auto& [name, bytes] : odd) {
        WriteFile(name, bytes);
        m_poolBoards << Path(name);
    }
    int n = 0;
    for (const damaged::Case& c : damaged::Cases()) {
        const QString name = QStringLiteral("pool/beschadigd%1.wks").arg(n++, 2, 10, QChar(u'0'));
        WriteFile(name, damaged::Bytes(c));
        m_poolBoards << Path(name);
    }
    QStringList shipped;
    QDirIterator it(Folder(), {QStringLiteral("*.wks"), QStringLiteral("*.ant")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        if (const QString path = it.next(); !m_poolBoards.contains(path))
            shipped << path;
    shipped.sort();
    m_poolBoards << shipped;
    // The shipped worksheets all allow wiring and probes: copies under other permission
    // sets, so that every permission is refused somewhere (after the shipped ones, and
    // not offered by the open dialog, which keeps what the kept scripts name).
    const int permissionSets[] = {0, PERMIT_ALL & ~(PERMIT_ADD_WIRES | PERMIT_DELETE_WIRES), PERMIT_ALL & ~PERMIT_PROBES,
                                  PERMIT_ALL & ~(PERMIT_CHANGE_PROPERTIES | PERMIT_IDENTIFY_BLACKBOXES),
                                  PERMIT_ALL & ~PERMIT_CHANGE_TEXTS, PERMIT_ALL & ~PERMIT_DELETE_COMPONENTS};
    for (const QString& source : {QStringLiteral("blackbox/blackbox1.wks"), QStringLiteral("praktisch/kas.wks")}) {
        QFile file(Path(source));
        CVeldtrakDoc board;
        board.m_bBusy = false;
        if (!file.open(QIODevice::ReadOnly) || ReadBoard(file.readAll(), board) != 0)
            continue;
        for (int permissions : permissionSets) {
            board.m_nPermissions = permissions;
            const QString name =
                QStringLiteral("pool/beveiligd/%1-%2.wks").arg(QFileInfo(source).baseName()).arg(permissions);
            WriteFile(name, WriteBoard(board));
            m_poolBoards << Path(name);
        }
    }
}

void CExerciseSession::Restart(int how)
{
    if (app) {
        m_pInvariants->Forget();
        app.reset();
    }
    QStringList arguments;
    if (how >= 2 && !m_poolBoards.isEmpty())
        arguments << m_poolBoards[(how - 2) % m_poolBoards.size()];
    if (how == 1)
        StartAsTeacher(); // the teacher knows the teacher-mode password
    else
        Start(arguments);
    if (HasFatalFailure() || !Frame())
        return;
    PrepareProgram();
}

void CExerciseSession::PrepareProgram()
{
    // Printing without a dialog goes to a file in the session's folder.
    Frame()->Printer().setOutputFormat(QPrinter::PdfFormat);
    Frame()->Printer().setOutputFileName(m_pUser->SaveFolder() + QStringLiteral("/direct.pdf"));
    m_pInvariants->Observe(*this);
}

QString CExerciseSession::Play(const CExerciseAction& action)
{
    if (!Running())
        return QStringLiteral("the program is not running");
    m_pUser->Reseed(action.answers);
    m_pInvariants->BeforeAction(*this, action);
    QString fault = PlayAction(*this, action);
    static const bool trace = qEnvironmentVariableIsSet("VT_EXERCISE_TRACE");
    if (trace && Running())
        std::printf("%s -> mode %d, target %d, wire %d, undo %d, redo %d, steps %d, running %d, permissions %d\n",
                    qPrintable(action.ToLine()), Board().Mode(), Board().TargetComponent(),
                    Board().WireInProgress() != nullptr, Frame()->IsCommandEnabled(ID_EDIT_UNDO),
                    Frame()->IsCommandEnabled(ID_EDIT_REDO), Doc().UndoHistory().StepCount(), Doc().m_bRunning, Doc().PermissionMask());
    if (trace && Running() && !Doc().UndoHistory().IsEmpty() && Doc().UndoHistory().Current() != WriteBoard(Doc()))
        std::printf("   the board differs from the undo history's current step\n");
    if (fault.isEmpty())
        fault = m_pUser->TakeFault();
    m_pInvariants->DialogsOpened(m_pUser->TakeTitles());
    if (Running() && !Frame()->isVisible()) // the user closed the program: start it again
        Restart(0);
    if (!Running())
        return QStringLiteral("the program did not start again");
    if (fault.isEmpty())
        fault = m_pInvariants->Check(*this);
    if (fault.isEmpty()) {
        const QString changed = m_pFileWatch->ChangedFile();
        // The teacher saves where the teacher wants: over the worksheet that was opened,
        // and pictures into the bitmap folder.
        if (!Doc().IsTeacherMode())
            fault = changed;
    }
    return fault;
}
