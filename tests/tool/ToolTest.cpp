#include "tool/ToolCommands.h"

#include "annotations/AnnotationClasses.h"
#include "document/BoardArchive.h"
#include "document/Document.h"
#include "platform/Paths.h"

#include "support/DamagedBoards.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

class ToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_previous = QDir::currentPath();
        SetProgramFolder(m_dir.path());
        RegisterBoardClasses();
        RegisterAnnotationClasses();
    }
    void TearDown() override
    {
        SetProgramFolder(QString());
        QDir::setCurrent(m_previous);
    }

    // Two inverters, the second added later and fed by the first.
    QString TwoInverters()
    {
        CVeldtrakDoc doc;
        for (int x : {0, 400}) {
            auto inv = doc.CreateComponent(6);
            inv->MoveTo(x, -100);
            doc.AddComponent(std::move(inv));
        }
        auto wire = std::make_unique<CDraad>();
        wire->AddPoint({0, 0}, 2, 30);
        wire->AddPoint({0, 0}, 3, 30);
        doc.AddWire(std::move(wire));
        const QString path = m_dir.path() + QStringLiteral("/twee.wks");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(WriteBoard(doc));
        return path;
    }

    int Run(const QStringList& arguments)
    {
        m_out.clear();
        m_err.clear();
        QTextStream out(&m_out), err(&m_err);
        const int status = RunToolCommand(arguments, out, err);
        out.flush();
        err.flush();
        return status;
    }

    QTemporaryDir m_dir;
    QString m_previous;
    QString m_out, m_err;
};

TEST_F(ToolTest, RunPrintsTheLevelsTheTickOrderGives)
{
    const QString board = TwoInverters();
    ASSERT_EQ(Run({QStringLiteral("run"), board, QStringLiteral("--ticks"), QStringLiteral("1")}), 0)
        << m_err.toStdString();
    QStringList lines = m_out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    // After one tick the second still shows the first's old (low) level as input.
    EXPECT_EQ(lines[0], QStringLiteral("0 CInverter 0 500"));
    EXPECT_EQ(lines[1], QStringLiteral("1 CInverter 0 500"));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("tick-ns: ")));

    ASSERT_EQ(Run({QStringLiteral("run"), board, QStringLiteral("--ticks"), QStringLiteral("2")}), 0);
    lines = m_out.split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines[1], QStringLiteral("1 CInverter 500 0"));
}

TEST_F(ToolTest, InfoAndResave)
{
    const QString board = TwoInverters();
    ASSERT_EQ(Run({QStringLiteral("info"), board}), 0);
    EXPECT_TRUE(m_out.contains(QStringLiteral("component 1: CInverter \"Invertor\" (400,-100) bussen 3 4")))
        << m_out.toStdString();
    EXPECT_TRUE(m_out.contains(QStringLiteral("draad 0: 2 -> 3 kleur FFFFFF punten")));

    const QString copy = m_dir.path() + QStringLiteral("/kopie.wks");
    ASSERT_EQ(Run({QStringLiteral("resave"), board, copy}), 0) << m_err.toStdString();
    QFile a(board), b(copy);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll().size(), b.readAll().size());
}

TEST_F(ToolTest, ErrorsAreDutchAndFail)
{
    EXPECT_EQ(Run({QStringLiteral("info"), m_dir.path() + QStringLiteral("/weg.wks")}), 1);
    EXPECT_TRUE(m_err.contains(QStringLiteral("Foutmelding (FL61697): Bestand '")));
    EXPECT_TRUE(m_err.contains(QStringLiteral("kon niet worden gevonden.")));
    EXPECT_EQ(Run({QStringLiteral("run"), QStringLiteral("x"), QStringLiteral("--ticks"), QStringLiteral("-1")}), 2);
    EXPECT_TRUE(m_err.startsWith(QStringLiteral("Gebruik:")));
}

TEST_F(ToolTest, DamagedBoardsEndWithTheDutchErrorOrRun)
{
    const QString board = m_dir.path() + QStringLiteral("/kapot.wks");
    for (const damaged::Case& c : damaged::Cases()) {
        SCOPED_TRACE(c.name);
        QFile file(board);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(damaged::Bytes(c));
        file.close();
        const int expected = c.refused ? 1 : 0;
        EXPECT_EQ(Run({QStringLiteral("info"), board}), expected) << m_err.toStdString();
        if (c.refused) {
            EXPECT_EQ(m_err, QStringLiteral("Foutmelding (AL61697): Ongeldig bestandsformaat.\n"));
        }
        EXPECT_EQ(Run({QStringLiteral("run"), board, QStringLiteral("--ticks"), QStringLiteral("25")}),
                  expected)
            << m_err.toStdString();
        if (c.refused) {
            EXPECT_EQ(m_err, QStringLiteral("Foutmelding (AL61697): Ongeldig bestandsformaat.\n"));
        } else {
            EXPECT_TRUE(m_out.contains(QStringLiteral("tick-ns: ")));
        }
    }
}

} // namespace

namespace {

// Boards made through the document, as the editing does, saved for the tool.
class ToolBoardTest : public ToolTest {
protected:
    CComponent* Place(CVeldtrakDoc& doc, int creationIndex, int x, int y)
    {
        auto c = doc.CreateComponent(creationIndex);
        c->MoveTo(x, y);
        CComponent* raw = c.get();
        doc.AddComponent(std::move(c));
        return raw;
    }
    void Wire(CVeldtrakDoc& doc, int from, int to)
    {
        auto wire = std::make_unique<CDraad>();
        wire->AddPoint({0, 0}, from, 30);
        wire->AddPoint({0, 0}, to, 30);
        doc.AddWire(std::move(wire));
    }
    // Moves a component so that its socket 'bus' lies dx units right of 'target'.
    void PutBesides(CVeldtrakDoc& doc, CComponent& c, int bus, CPoint target, int dx)
    {
        doc.LayOutSockets();
        const CPoint at = c.Bus(bus).GetCenter();
        const CPoint corner = c.GetTopLeft();
        c.MoveTo(corner.x + target.x + dx - at.x, corner.y + target.y - at.y);
    }
    QStringList RunBoard(CVeldtrakDoc& doc, int ticks)
    {
        const QString path = m_dir.path() + QStringLiteral("/bord.wks");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(WriteBoard(doc));
        file.close();
        EXPECT_EQ(Run({QStringLiteral("run"), path, QStringLiteral("--ticks"), QString::number(ticks)}), 0)
            << m_err.toStdString();
        return m_out.split(u'\n', Qt::SkipEmptyParts);
    }
};

TEST_F(ToolBoardTest, LightAndHeatFallOffWithDistance)
{
    // A lamp at 5 V, a light sensor 88 or 89 units from it, a heat sensor at 89.
    const struct {
        int sensorIndex;
        int distance;
        int received;
    } cases[] = {{9, 88, 500}, {9, 89, 250}, {18, 89, 125}};
    for (const auto& c : cases) {
        CVeldtrakDoc doc;
        CComponent* source = Place(doc, 21, 0, -100); // variable voltage, output 1
        source->m_nParam1 = 50;                       // 5.0 V
        CComponent* lamp = Place(doc, 7, 500, -100);
        Wire(doc, source->Bus(0).GetId(), lamp->Bus(0).GetId());
        CComponent* sensor = Place(doc, c.sensorIndex, 0, -600);
        doc.LayOutSockets();
        PutBesides(doc, *sensor, 0, lamp->Bus(1).GetCenter(), c.distance);
        const QStringList lines = RunBoard(doc, 4);
        ASSERT_EQ(lines.size(), 4);
        EXPECT_EQ(lines[1], QStringLiteral("1 CLamp 500 500"));
        EXPECT_TRUE(lines[2].startsWith(QStringLiteral("2 %1 %2 ")
                                            .arg(QString::fromLatin1(sensor->GetClassName()))
                                            .arg(c.received)))
            << lines[2].toStdString();
    }
}

TEST_F(ToolBoardTest, PulsesAreCounted)
{
    // 10 Hz is a pulse every second tick, the first at once: 41 ticks give 21 pulses.
    CVeldtrakDoc doc;
    CComponent* counter = Place(doc, 14, 800, -100);
    counter->m_nParam2 = 2; // three digits: no wrap
    CComponent* generator = Place(doc, 13, 0, -100);
    generator->m_nParam1 = 10;
    Wire(doc, generator->Bus(0).GetId(), counter->Bus(0).GetId());
    const QStringList lines = RunBoard(doc, 41);
    ASSERT_EQ(lines.size(), 3);
    // Count 21 = 0b10101 drives the bits 1, 2, 4, 8 as 500, 0, 500, 0.
    EXPECT_EQ(lines[0], QStringLiteral("0 CPulsTeller 500 0 0 0 500 0 500 0"));
    EXPECT_EQ(lines[1], QStringLiteral("1 CPulsGenerator 500"));
}

} // namespace
