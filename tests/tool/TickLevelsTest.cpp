// The levels of every socket, tick by tick, on generated boards and on the shipped
// worksheets, against levels recorded earlier (tests/fixtures/tick-levels.txt), and
// what the measurement changed in the board as it would be saved. Any change to the
// order or the arithmetic of the measurement shows here as the first tick whose levels
// differ. After an intended change of behaviour, record anew with
// VT_RECORD_TICK_LEVELS=1 and say why in the commit: the recording is text, so the
// diff shows which sockets of which board changed at which tick.
#include "tool/BoardGenerator.h"

#include "components/ComponentFactory.h"
#include "document/BoardArchive.h"
#include "document/BoardJson.h"
#include "platform/DrawContext.h"
#include "support/BoardFixture.h"
#include "support/BoardInRows.h"
#include "support/ShippedWorksheets.h"

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <functional>
#include <map>

namespace {

constexpr int kTicks = 60;
constexpr int kResetAt = 30;   // a Reset while running, as the view does it
constexpr int kRestartAt = 45; // a Stop and a new Start, levels kept
constexpr std::size_t kComponentsPerLine = 10;

// What the mouse and keys do at each tick: the state word cycles through buttons and
// keys while the cursor visits the components one by one.
constexpr std::uint32_t kStates[] = {0,
                                     STATE_LEFT_BUTTON,
                                     STATE_LEFT_BUTTON,
                                     0,
                                     STATE_SHIFT,
                                     STATE_CTRL | STATE_LEFT_BUTTON,
                                     STATE_CAPSLOCK,
                                     STATE_UP_RIGHT,
                                     STATE_LEFT_DOWN | STATE_RIGHT_BUTTON,
                                     0};

QString FixturePath()
{
    return QStringLiteral(VT_FIXTURES "/tick-levels.txt");
}

// Ten of every kind on a tight raster, so that sensors sit near lamps, LEDs, relays and
// buzzers; every output wired to the next component's first input; two probes.
void FillWithEveryKind(CVeldtrakDoc& doc)
{
    const std::vector<int> kinds = EveryKind();
    FillInRows(doc, 10 * int(kinds.size()), kinds, {{60, -60}, {420, 300}, 18},
               [](const CComponent& c) { return c.GetTypeId() != TYPE_SONDE; });
    AddProbe(doc, SocketOfKind(*doc.m_components[40], BUS_OUTPUT), 2);
    AddProbe(doc, SocketOfKind(*doc.m_components[7], BUS_INPUT), 1);
    doc.LayOutSockets();
    doc.RouteWireEnds();
}

// Every socket's stored level (sign included: negative is the last tick's), in list
// order, "|" between components, a line per ten components: "<prefix> [<first>]: ...".
QStringList LevelLines(const CVeldtrakDoc& doc, const QString& prefix)
{
    doc.PublishLevels();
    QStringList lines;
    const std::size_t count = doc.m_components.size();
    for (std::size_t first = 0; first < count; first += kComponentsPerLine) {
        QStringList components;
        for (std::size_t i = first; i < std::min(first + kComponentsPerLine, count); ++i) {
            const CComponent& c = *doc.m_components[i];
            QStringList levels;
            for (int b = 0; b < c.GetBusCount(); ++b)
                levels << QString::number(c.Bus(b).m_nValue);
            components << levels.join(u' ');
        }
        lines << QStringLiteral("%1 [%2]: %3")
                     .arg(prefix)
                     .arg(first)
                     .arg(components.join(QStringLiteral(" | ")));
    }
    return lines;
}

QJsonValue BoardAsJson(CVeldtrakDoc& doc)
{
    return QJsonDocument::fromJson(ExportBoardJson(doc)).object();
}

QString Compact(const QJsonValue& value)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact))
        .mid(1)
        .chopped(1);
}

// Every field whose stored value differs, by its name in the board's text form:
// "components[3].param2: 0 -> 1".
void Differences(const QJsonValue& before, const QJsonValue& after, const QString& path,
                 QStringList& lines)
{
    if (before.isObject() && after.isObject()) {
        const QJsonObject a = before.toObject(), b = after.toObject();
        QStringList keys = a.keys() + b.keys();
        keys.removeDuplicates();
        keys.sort();
        for (const QString& key : keys)
            Differences(a.value(key), b.value(key), path.isEmpty() ? key : path + u'.' + key,
                        lines);
    } else if (before.isArray() && after.isArray() &&
               before.toArray().size() == after.toArray().size()) {
        const QJsonArray a = before.toArray(), b = after.toArray();
        for (qsizetype i = 0; i < a.size(); ++i)
            Differences(a[i], b[i], QStringLiteral("%1[%2]").arg(path).arg(i), lines);
    } else if (before != after) {
        lines << QStringLiteral("%1: %2 -> %3").arg(path, Compact(before), Compact(after));
    }
}

// The levels after every tick, then what the measurement changed in the board as it
// would be saved afterwards.
QStringList RunMeasurement(CVeldtrakDoc& doc, const QString& name)
{
    QStringList lines;
    CMemoryDC dc(64, 64);
    const QJsonValue opened = BoardAsJson(doc);
    doc.Start();
    for (int t = 0; t < kTicks; ++t) {
        if (t == kResetAt)
            doc.ResetComponents(dc);
        if (t == kRestartAt) {
            doc.Stop();
            doc.UnlinkAll();
            doc.Start();
        }
        const CComponent& visited = *doc.m_components[std::size_t(t * 7) % doc.m_components.size()];
        const CPoint cursor = visited.GetBusCount() > 0 ? visited.Bus(0).GetCenter()
                                                        : visited.GetTopLeft();
        doc.Tick(dc, cursor, kStates[std::size_t(t) % std::size(kStates)]);
        lines << LevelLines(doc, QStringLiteral("%1 %2").arg(name).arg(t));
    }
    doc.Stop();
    doc.UnlinkAll();
    QStringList changes;
    Differences(opened, BoardAsJson(doc), QString(), changes);
    if (changes.isEmpty()) changes << QStringLiteral("unchanged");
    for (const QString& change : changes)
        lines << QStringLiteral("%1 saved: %2").arg(name, change);
    return lines;
}

class TickLevelsTest : public BoardFixture {
protected:
    QStringList AllBoards()
    {
        QStringList lines;
        for (const auto& [name, shape] :
             {std::pair{"keten", BoardShape::Chain}, std::pair{"rooster", BoardShape::Grid}}) {
            for (int n : {7, 400}) {
                GenerateBoard(*doc, shape, n);
                lines << RunMeasurement(*doc, QStringLiteral("%1%2").arg(QLatin1String(name)).arg(n));
            }
        }
        FillWithEveryKind(*doc);
        lines << RunMeasurement(*doc, QStringLiteral("alles"));

                const QStringList files = ShippedWorksheetFiles();
        for (const QString& file : files) {
            EXPECT_TRUE(doc->OnOpenDocument(WindowsName(file))) << file.toStdString();
            if (doc->m_components.empty())
                continue;
            doc->m_bBusy = false;
            lines << RunMeasurement(*doc, QFileInfo(file).completeBaseName());
        }
        return lines;
    }
};

TEST_F(TickLevelsTest, EveryBoardGivesTheRecordedLevelsAtEveryTick)
{
    const QStringList lines = AllBoards();
    ASSERT_GT(lines.size(), 7 * (kTicks + 1));
    QFile file(FixturePath());
    if (qEnvironmentVariableIsSet("VT_RECORD_TICK_LEVELS")) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write((lines.join(u'\n') + u'\n').toUtf8());
        GTEST_SKIP() << "recorded " << lines.size() << " lines";
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "no recorded levels";
    const QStringList recorded = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < std::min(lines.size(), recorded.size()); ++i)
        ASSERT_EQ(lines[i].toStdString(), recorded[i].toStdString())
            << "first difference, line " << i + 1;
    ASSERT_EQ(lines.size(), recorded.size());
}

// The recording is only worth something if the levels move: the boards must change
// from tick to tick, not settle at once.
TEST_F(TickLevelsTest, TheBoardsKeepChanging)
{
    // The levels of each tick of each board, all its lines together.
    std::map<std::pair<QString, QString>, QString> ticks;
    for (const QString& line : AllBoards()) {
        const QStringList parts = line.split(u' ');
        if (parts[1] != u"saved:") ticks[{parts[0], parts[1]}] += line.section(u' ', 2);
    }
    std::map<QString, QSet<QString>> digests;
    for (const auto& [boardAndTick, levels] : ticks)
        digests[boardAndTick.first].insert(levels);
    // Only the generated boards: a pupil's worksheet may well start unwired and at rest.
    for (const auto& [board, distinct] : digests)
        if (board.startsWith(u"keten") || board.startsWith(u"rooster") || board == u"alles") {
            EXPECT_GE(distinct.size(), 4) << board.toStdString();
        }
    EXPECT_GE(digests[QStringLiteral("keten400")].size(), kTicks) << "a step runs down the chain";
    EXPECT_GE(digests[QStringLiteral("alles")].size(), 20);
}

// Wires between any two sockets, as a damaged or hand-made file may hold them: inputs
// feeding inputs, outputs feeding outputs, a socket wired to itself or to its own
// component. The laid-out tick must give what the walk over the list gives.
TEST_F(TickLevelsTest, TheLaidOutTickAgreesWithTheListWalkOnAnyWiring)
{
    const auto build = [](CVeldtrakDoc& board) {
        constexpr int kKinds[] = {3, 6, 10, 11, 12, 22, 6, 4, 8, 7, 9, 19, 13, 14};
        board.DeleteContents();
        for (int i = 0; i < 70; ++i) {
            auto c = board.CreateComponent(kKinds[i % std::size(kKinds)]);
            c->MoveTo(60 + 330 * (i % 20), -60 - 260 * (i / 20));
            board.AddComponent(std::move(c));
        }
        board.LayOutSockets();
        std::uint32_t seed = 12345;
        const auto next = [&seed](std::uint32_t n) {
            seed = seed * 1103515245u + 12345u;
            return (seed >> 8) % n;
        };
        for (int w = 0; w < 220; ++w) {
            auto wire = std::make_unique<CDraad>();
            wire->m_nBus1 = int(1 + next(std::uint32_t(board.m_nLastBusId)));
            wire->m_nBus2 = w % 9 == 0 ? wire->m_nBus1 : int(1 + next(std::uint32_t(board.m_nLastBusId)));
            wire->m_points = {{0, 0}, {0, 0}};
            board.m_wires.push_back(std::move(wire));
        }
        // And for certain: an input read by the input of a gate that runs after it.
        CComponent& reader = *board.m_components.emplace_back(board.CreateComponent(3));
        CComponent& read = *board.m_components.emplace_back(board.CreateComponent(6));
        auto wire = std::make_unique<CDraad>();
        wire->m_nBus1 = read.Bus(0).GetId();
        wire->m_nBus2 = reader.Bus(1).GetId();
        wire->m_points = {{0, 0}, {0, 0}};
        board.m_wires.push_back(std::move(wire));
        AddProbe(board, read.Bus(0).GetId(), 99);
        // Probes put their numbers into sockets at Start, levels that then fade.
        const int sockets = board.m_nLastBusId;
        for (int bus = 2, number = 1; bus <= sockets; bus += 3, ++number)
            AddProbe(board, bus, number);
        board.LayOutSockets();
        board.RouteWireEnds();
    };
    CVeldtrakDoc walked;
    walked.m_bBusy = false;
    build(walked);
    build(*doc);
    CMemoryDC dc(64, 64);
    walked.Start();
    doc->Start();
    for (int t = 0; t < 40; ++t) {
        const std::uint32_t state = kStates[std::size_t(t) % std::size(kStates)];
        const CPoint cursor = doc->m_components[std::size_t(t * 3) % 70]->Bus(0).GetCenter();
        walked.ComponentsChanged(); // drops the laid-out tick: the list is walked
        walked.Tick(dc, cursor, state);
        doc->Tick(dc, cursor, state);
        // The strip charts read the probed sockets straight after each tick.
        ASSERT_EQ(walked.m_probeBuses.size(), doc->m_probeBuses.size());
        for (std::size_t p = 0; p < doc->m_probeBuses.size(); ++p)
            ASSERT_EQ(walked.m_probeBuses[p]->m_nValue, doc->m_probeBuses[p]->m_nValue)
                << "tick " << t << ", probe " << p;
        ASSERT_EQ(LevelLines(walked, {}), LevelLines(*doc, {})) << "tick " << t;
    }
}

// The tick keeps the gates' levels to itself between ticks. A board changed while it
// runs (a component deleted or added, a Reset, a Stop, every level cleared) must find
// every level back in its socket, and go on from there as the walk over the list does.
TEST_F(TickLevelsTest, ABoardChangedWhileRunningGoesOnFromItsLevels)
{
    const std::function<void(CVeldtrakDoc&)> edits[] = {
        [](CVeldtrakDoc& board) { board.DeleteComponent(7); },
        [](CVeldtrakDoc& board) { board.AddComponent(board.CreateComponent(10)); },
        [](CVeldtrakDoc& board) {
            CMemoryDC dc(8, 8);
            board.ResetComponents(dc);
        },
        [](CVeldtrakDoc& board) { board.Stop(); },
        [](CVeldtrakDoc& board) { board.ClearLevels(); },
    };
    CMemoryDC dc(64, 64);
    for (std::size_t e = 0; e < std::size(edits); ++e) {
        CVeldtrakDoc walked;
        walked.m_bBusy = false;
        GenerateBoard(walked, BoardShape::Grid, 60);
        GenerateBoard(*doc, BoardShape::Grid, 60);
        walked.Start();
        doc->Start();
        for (int t = 0; t < 12; ++t) {
            if (t == 5) {
                // No look at the levels before this: the edit itself must hand them back.
                edits[e](walked);
                edits[e](*doc);
                ASSERT_EQ(LevelLines(walked, {}), LevelLines(*doc, {})) << "edit " << e;
            }
            walked.ComponentsChanged();
            walked.Tick(dc, CPoint(0, 0), 0);
            doc->Tick(dc, CPoint(0, 0), 0);
            if (t >= 5) {
                ASSERT_EQ(LevelLines(walked, {}), LevelLines(*doc, {}))
                    << "edit " << e << ", tick " << t;
            }
        }
        doc->Stop();
        doc->UnlinkAll();
    }
}

} // namespace
