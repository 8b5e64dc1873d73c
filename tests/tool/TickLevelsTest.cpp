// The levels of every socket, tick by tick, on generated boards and on the shipped
// worksheets, against levels recorded earlier (tests/fixtures/tick-levels.txt). Any
// change to the order or the arithmetic of the measurement shows here as the first
// tick whose levels differ. After an intended change of behaviour, record anew with
// VT_RECORD_TICK_LEVELS=1 and say why in the commit.
#include "tool/BoardGenerator.h"

#include "components/ComponentFactory.h"
#include "document/BoardArchive.h"
#include "platform/DrawContext.h"
#include "support/BoardFixture.h"

#include <QCryptographicHash>
#include <QDirIterator>

#include <map>

namespace {

constexpr int kTicks = 60;
constexpr int kResetAt = 30;   // a Reset while running, as the view does it
constexpr int kRestartAt = 45; // a Stop and a new Start, levels kept

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
    doc.DeleteContents();
    int slot = 0;
    for (int round = 0; round < 10; ++round) {
        for (int index = 0; index < kCreationIndexCount; ++index) {
            std::unique_ptr<CComponent> c = doc.CreateComponent(index);
            if (!c || c->GetTypeId() == TYPE_SONDE)
                continue;
            c->MoveTo(60 + 420 * (slot % 18), -60 - 300 * (slot / 18));
            ++slot;
            doc.AddComponent(std::move(c));
        }
    }
    doc.LayOutSockets();
    const auto socketOf = [](const CComponent& c, int kind) {
        for (int i = 0; i < c.GetBusCount(); ++i)
            if (c.Bus(i).GetKind() == kind)
                return c.Bus(i).GetId();
        return 0;
    };
    for (std::size_t i = 0; i + 1 < doc.m_components.size(); ++i) {
        const int out = socketOf(*doc.m_components[i], BUS_OUTPUT);
        const int in = socketOf(*doc.m_components[i + 1], BUS_INPUT);
        if (!out || !in)
            continue;
        auto wire = std::make_unique<CDraad>();
        wire->AddPoint({0, 0}, out, 30);
        wire->AddPoint({0, 0}, in, 30);
        doc.AddWire(std::move(wire));
    }
    AddProbe(doc, socketOf(*doc.m_components[40], BUS_OUTPUT), 2);
    AddProbe(doc, socketOf(*doc.m_components[7], BUS_INPUT), 1);
    doc.LayOutSockets();
    doc.RouteWireEnds();
}

// A digest of every socket's stored level (sign included) in list order.
QByteArray LevelDigest(const CVeldtrakDoc& doc)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const auto& c : doc.m_components)
        for (int b = 0; b < c->GetBusCount(); ++b) {
            const qint32 v = c->Bus(b).m_nValue;
            hash.addData(QByteArrayView(reinterpret_cast<const char*>(&v), sizeof v));
        }
    return hash.result().toHex().left(16);
}

// One line per tick, then the digest of the board as it would be saved afterwards.
QStringList RunMeasurement(CVeldtrakDoc& doc, const QString& name)
{
    QStringList lines;
    CMemoryDC dc(64, 64);
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
        lines << QStringLiteral("%1 %2 %3").arg(name).arg(t).arg(QString::fromLatin1(LevelDigest(doc)));
    }
    doc.Stop();
    doc.UnlinkAll();
    lines << QStringLiteral("%1 saved %2")
                 .arg(name, QString::fromLatin1(QCryptographicHash::hash(WriteBoard(doc),
                                                                         QCryptographicHash::Sha1)
                                                    .toHex()
                                                    .left(16)));
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

        QDirIterator worksheets(QStringLiteral(VT_DATA_DIR), {QStringLiteral("*.wks")}, QDir::Files,
                                QDirIterator::Subdirectories);
        QStringList files;
        while (worksheets.hasNext())
            files << worksheets.next();
        files.sort();
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
        file.write((lines.join(u'\n') + u'\n').toLatin1());
        GTEST_SKIP() << "recorded " << lines.size() << " lines";
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "no recorded levels";
    const QStringList recorded = QString::fromLatin1(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), recorded.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        ASSERT_EQ(lines[i].toStdString(), recorded[i].toStdString()) << "first difference";
}

// The recording is only worth something if the levels move: the boards must change
// from tick to tick, not settle at once.
TEST_F(TickLevelsTest, TheBoardsKeepChanging)
{
    std::map<QString, QSet<QString>> digests;
    for (const QString& line : AllBoards()) {
        const QStringList parts = line.split(u' ');
        if (parts[1] != u"saved")
            digests[parts[0]].insert(parts[2]);
    }
    for (const auto& [board, distinct] : digests)
        EXPECT_GE(distinct.size(), 4) << board.toStdString();
    EXPECT_GE(digests[QStringLiteral("keten400")].size(), kTicks) << "a step runs down the chain";
    EXPECT_GE(digests[QStringLiteral("alles")].size(), 20);
}

} // namespace
