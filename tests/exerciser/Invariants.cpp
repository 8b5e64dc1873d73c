#include "Invariants.h"

#include "ExerciseSession.h"
#include "annotations/Annotation.h"
#include "shell/CommandIds.h"

#include <QRegularExpression>

namespace {

CInvariants* g_listening = nullptr;

// Warnings of drawing gone wrong: a painter on a device it cannot paint, a painter left
// active, a repaint from inside a repaint.
bool IsPaintingWarning(const QString& text)
{
    static const QRegularExpression pattern(
        QStringLiteral("QPainter|Painter not active|paint device|Recursive repaint|QPaintEngine"));
    return pattern.match(text).hasMatch();
}

// Where every object lies and what it is connected to; not the levels, which a
// measurement changes.
QByteArray ObjectsOf(const CVeldtrakDoc& doc)
{
    QString s;
    for (const auto& c : doc.m_components) {
        const auto [first, last] = c->GetBusRange();
        s += QStringLiteral("component %1 %2 %3 %4 %5 sockets %6-%7\n")
                 .arg(c->GetTypeId())
                 .arg(c->m_rect.left)
                 .arg(c->m_rect.top)
                 .arg(c->m_rect.right)
                 .arg(c->m_rect.bottom)
                 .arg(first)
                 .arg(last);
    }
    for (const auto& w : doc.m_wires) {
        s += QStringLiteral("wire %1-%2:").arg(w->m_nBus1).arg(w->m_nBus2);
        for (const CPoint& p : w->m_points)
            s += QStringLiteral(" %1,%2").arg(p.x).arg(p.y);
        s += u'\n';
    }
    for (const ObjectList* list : {&doc.m_textFields, &doc.m_tables, &doc.m_pictures})
        for (const auto& o : *list) {
            s += QString::fromLatin1(o->GetClassName());
            if (const auto* a = dynamic_cast<const CAnnotation*>(o.get()))
                s += QStringLiteral(" %1,%2").arg(a->m_rect.left).arg(a->m_rect.top);
            s += u'\n';
        }
    return s.toUtf8();
}

// The board without what a drawing works out anew each time, from levels the board
// does not store or by counting drawings: a pulse generator's countdown (every Draw calls
// Update, which counts down), a relay's contact and the contact it was drawn with, a
// meter's last level, a buzzer's wave. A board read back (an undo, a redo) has no
// levels, so its drawing may differ from the same board drawn after a measurement; the
// program keeps all of it in the step on the screen, and undo is compared without it.
QByteArray WithoutDrawnState(const QByteArray& board)
{
    CVeldtrakDoc copy;
    copy.m_bBusy = false;
    if (ReadBoard(board, copy) != 0)
        return board;
    for (const auto& c : copy.m_components)
        switch (c->GetTypeId()) {
        case TYPE_PULSGENERATOR:
            c->m_nCorner = 0;
            break;
        case TYPE_RELAIS:
            c->m_nParam2 = c->m_nCorner = 0;
            break;
        case TYPE_SPANNINGSMETER:
        case TYPE_ZOEMER:
            c->m_nParam1 = 0;
            break;
        default:
            break;
        }
    return WriteBoard(copy);
}

QString FirstDifference(const QByteArray& a, const QByteArray& b)
{
    qsizetype i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    return QStringLiteral("%1 and %2 bytes, first difference at byte %3").arg(a.size()).arg(b.size()).arg(i);
}

} // namespace

// Counts the boards opened (and made new) and keeps the bytes of the last one.
class COpenWatch : public CDocView {
public:
    explicit COpenWatch(CVeldtrakDoc& doc) : m_doc(doc) { m_doc.AddView(this); }
    ~COpenWatch() override { m_doc.RemoveView(this); }
    void OnUpdate(int hint, int) override
    {
        if (hint != HINT_OPENED)
            return;
        ++opened;
        bytes = WriteBoard(m_doc);
    }
    int opened = 0;
    QByteArray bytes;

private:
    CVeldtrakDoc& m_doc;
};

CInvariants::CInvariants()
{
    g_listening = this;
    m_previous = qInstallMessageHandler(&CInvariants::OnMessage);
}

CInvariants::~CInvariants()
{
    qInstallMessageHandler(m_previous);
    g_listening = nullptr;
}

void CInvariants::OnMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (g_listening && type != QtDebugMsg && type != QtInfoMsg && IsPaintingWarning(text) &&
        g_listening->m_strWarning.isEmpty())
        g_listening->m_strWarning = QStringLiteral("Qt warned: ") + text;
    if (g_listening && g_listening->m_previous)
        g_listening->m_previous(type, context, text);
}

void CInvariants::Observe(CExerciseSession& session)
{
    m_bWasRunning = false;
    m_objectsAtStart.clear();
    m_pOpenWatch = std::make_unique<COpenWatch>(session.Doc());
    m_pOpenWatch->bytes = WriteBoard(session.Doc());
    m_before.reset();
}

void CInvariants::Forget()
{
    m_bWasRunning = false;
    m_pOpenWatch.reset();
    m_before.reset();
}

void CInvariants::BeforeAction(CExerciseSession& session, const CExerciseAction& action)
{
    using Way = CBoardShape::Way;
    const int command = action.verb == u"command" ? action.Arg(0) : 0;
    if (action.verb == u"undowalk" || command == ID_EDIT_UNDO || command == ID_EDIT_REDO)
        m_way = Way::Undoing;
    else if (command == ID_IDENTIFY_BLACKBOXES)
        m_way = Way::Identifying;
    else if (action.verb == u"tick" || command == ID_MEASURE_START || command == ID_MEASURE_STOP ||
             command == ID_MEASURE_RESET || session.Doc().m_bRunning)
        m_way = Way::Measuring;
    else
        m_way = Way::Editing;
    m_before.emplace(session.Doc());
    m_nOpensBefore = m_pOpenWatch ? m_pOpenWatch->opened : 0;
    m_nMaskBefore = session.Doc().PermissionMask();
    m_strPathBefore = session.Doc().GetPathName();
}

bool CInvariants::OpenedDuringAction() const
{
    return m_pOpenWatch && m_pOpenWatch->opened != m_nOpensBefore;
}

QString CInvariants::PermissionFault(CExerciseSession& session)
{
    CVeldtrakDoc& doc = session.Doc();
    // Another board, or the same one under other permissions, starts afresh.
    if (!m_before || !m_pOpenWatch || m_pOpenWatch->opened != m_nOpensBefore ||
        doc.PermissionMask() != m_nMaskBefore || doc.GetPathName() != m_strPathBefore)
        return {};
    using Way = CBoardShape::Way;
    Way way = m_way;
    if (way == Way::Editing && doc.m_bRunning)
        way = Way::Measuring; // a measurement started by the action (a toolbar key)
    else if (way == Way::Editing && m_dialogs.contains(QStringLiteral("Gemarkeerde componenten")))
        way = Way::Aligning;
    return m_before->ForbiddenChangeTo(CBoardShape(doc), m_nMaskBefore, way);
}

QString CInvariants::UndoWalkFault(CExerciseSession& session)
{
    CMainFrame& frame = *session.Frame();
    CVeldtrakDoc& doc = session.Doc();
    if (!m_pOpenWatch || !frame.IsCommandEnabled(ID_EDIT_UNDO))
        return {};
    // A drag or marking still going on ends as the user ends it from the keyboard: an
    // undo makes it a step and takes it back, a redo brings it again. (The full repaint
    // below starts with a refresh hint, which would end it without a step: no user can
    // send that hint in the middle of a drag.)
    if (session.Board().ChangeGoingOn()) {
        frame.OnCommand(ID_EDIT_UNDO);
        if (frame.IsCommandEnabled(ID_EDIT_REDO))
            frame.OnCommand(ID_EDIT_REDO);
        if (!frame.IsCommandEnabled(ID_EDIT_UNDO))
            return {};
    }
    // A comparator keeps where it was last drawn: the boards are compared as drawn.
    const auto drawnBoard = [&session, &doc] {
        session.Board().OnUpdate(HINT_REFRESH, 0);
        session.Board().viewport()->repaint();
        return WithoutDrawnState(WriteBoard(doc));
    };
    const QByteArray now = drawnBoard();
    int steps = 0;
    for (; steps < 10000 && frame.IsCommandEnabled(ID_EDIT_UNDO); ++steps)
        frame.OnCommand(ID_EDIT_UNDO);
    const QByteArray opened = WithoutDrawnState(m_pOpenWatch->bytes), back = WithoutDrawnState(WriteBoard(doc));
    if (!doc.UndoHistory().CanUndo() && back != opened)
        return QStringLiteral("%1 undo steps back, the board is not the one opened: ").arg(steps) +
               FirstDifference(opened, back);
    for (int i = 0; i < steps && frame.IsCommandEnabled(ID_EDIT_REDO); ++i)
        frame.OnCommand(ID_EDIT_REDO);
    if (const QByteArray again = drawnBoard(); again != now)
        return QStringLiteral("%1 undo steps and as many redo steps do not return to the board: ").arg(steps) +
               FirstDifference(now, again);
    return {};
}

QString CInvariants::Check(CExerciseSession& session)
{
    QString fault = WarningFault();
    if (fault.isEmpty())
        fault = MeasurementFault(session);
    if (fault.isEmpty())
        fault = PermissionFault(session);
    if (fault.isEmpty())
        fault = RoundTripFault(session);
    if (fault.isEmpty())
        fault = SurfaceFault(session);
    // A board made empty or new without being opened ("Leeg bord") starts the history
    // afresh too: with nothing to undo or redo, the board is where undoing ends.
    // So does what a measurement did to the board at its first step (Stop and Reset take
    // the switches, counters and frequencies as they are into the step on the screen).
    const CUndoHistory& history = session.Doc().UndoHistory();
    if (m_pOpenWatch && (history.StepCount() == 0 || (m_way == CBoardShape::Way::Measuring && !history.CanUndo())))
        m_pOpenWatch->bytes = history.IsEmpty() ? WriteBoard(session.Doc()) : history.Current();
    return fault;
}

QString CInvariants::WarningFault()
{
    return std::exchange(m_strWarning, QString());
}

QString CInvariants::RoundTripFault(CExerciseSession& session)
{
    const QByteArray saved = WriteBoard(session.Doc());
    CVeldtrakDoc copy;
    copy.m_bBusy = false;
    if (const int cause = ReadBoard(saved, copy))
        return QStringLiteral("the saved board cannot be read back (cause %1)").arg(cause);
    const QByteArray again = WriteBoard(copy);
    if (again != saved)
        return QStringLiteral("the board read back saves other bytes: ") + FirstDifference(saved, again);
    return {};
}

QString CInvariants::MeasurementFault(CExerciseSession& session)
{
    const bool running = session.Doc().m_bRunning;
    QString fault;
    if (running && !m_bWasRunning)
        m_objectsAtStart = ObjectsOf(session.Doc());
    else if (running && ObjectsOf(session.Doc()) != m_objectsAtStart)
        fault = QStringLiteral("the board's objects changed during the measurement:\nbefore:\n%1now:\n%2")
                    .arg(QString::fromUtf8(m_objectsAtStart), QString::fromUtf8(ObjectsOf(session.Doc())));
    m_bWasRunning = running;
    return fault;
}

QString CInvariants::SurfaceFault(CExerciseSession& session)
{
    CBoardView& board = session.Board();
    // Only a board at rest: a drag, a wire or a marking draws on the surface alone.
    if (board.Mode() != MODE_IDLE || board.WireInProgress() || board.TargetComponent() != -1 ||
        board.IsDragging() || !board.isVisible())
        return {};
    board.viewport()->repaint();
    const QImage shown = board.Surface().copy();
    board.OnUpdate(HINT_REFRESH, 0);
    board.viewport()->repaint();
    const QImage& full = board.Surface();
    if (full.size() != shown.size())
        return QStringLiteral("a full repaint changed the surface's size");
    QRect differing;
    int count = 0;
    for (int y = 0; y < full.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(shown.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(full.constScanLine(y));
        for (int x = 0; x < full.width(); ++x)
            if ((a[x] ^ b[x]) & 0xFFFFFF) {
                ++count;
                differing |= QRect(x, y, 1, 1);
            }
    }
    if (count == 0)
        return {};
    // Both pictures, to look at, when asked for.
    if (const QString folder = qEnvironmentVariable("VT_EXERCISE_PICTURES"); !folder.isEmpty()) {
        shown.save(folder + QStringLiteral("/shown.png"));
        full.save(folder + QStringLiteral("/repainted.png"));
    }
    return QStringLiteral("the window shows %1 pixels that a full repaint draws otherwise, in %2,%3 %4x%5")
        .arg(count)
        .arg(differing.x())
        .arg(differing.y())
        .arg(differing.width())
        .arg(differing.height());
}
