// Every worksheet and answer sheet that ships: it opens, runs and keeps its bytes; its
// chain leads to its answer sheet and back; and each answer sheet's circuit does what
// its worksheet asks, tried through its own switches, sources and sensors.
#include "annotations/AnnotationClasses.h"
#include "annotations/Picture.h"
#include "document/BoardArchive.h"
#include "document/BoardJson.h"
#include "document/Document.h"
#include "platform/DrawContext.h"
#include "platform/Paths.h"
#include "support/QtPrinters.h"
#include "support/ScriptedModals.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QRegularExpression>

#include <memory>

namespace {

const QString kShipped = QStringLiteral(VT_SHIPPED_FOLDER);
const QStringList kCategories = {QStringLiteral("invoer en uitvoer"), QStringLiteral("verwerking"),
                                 QStringLiteral("praktisch"), QStringLiteral("blackbox")};

// The shipped boards as stored names relative to the program folder.
QStringList ShippedBoards(const QString& extension)
{
    QStringList boards;
    for (const QString& category : kCategories)
        for (const QString& file : QDir(kShipped + u'/' + category)
                                       .entryList({QStringLiteral("*.") + extension}, QDir::Files))
            boards << category + u'\\' + file;
    return boards;
}

QByteArray Bytes(const QString& stored)
{
    QFile file(kShipped + u'/' + QString(stored).replace(u'\\', u'/'));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class CurriculumTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterBoardClasses();
        RegisterAnnotationClasses();
        m_previous = QDir::currentPath();
        SetProgramFolder(kShipped);
    }
    void TearDown() override
    {
        doc.reset();
        SetProgramFolder(QString());
        QDir::setCurrent(m_previous);
    }
    bool Open(const QString& stored)
    {
        doc = std::make_unique<CVeldtrakDoc>();
        doc->m_bBusy = false;
        return doc->OnOpenDocument(doc->m_strFolderRoot + stored);
    }

    std::unique_ptr<CVeldtrakDoc> doc;
    QString m_previous;
};

TEST_F(CurriculumTest, EveryShippedBoardOpensRunsAndKeepsItsBytes)
{
    const QStringList boards =
        ShippedBoards(QStringLiteral("wks")) + ShippedBoards(QStringLiteral("ant"));
    ASSERT_FALSE(boards.isEmpty()) << kShipped.toStdString();
    for (const QString& board : boards) {
        SCOPED_TRACE(board.toStdString());
        ScriptedModals none; // any message box fails the test
        ASSERT_TRUE(Open(board));
        EXPECT_FALSE(doc->m_strBoardTitle.isEmpty());
        EXPECT_FALSE(doc->m_textFields.empty()) << "every board explains itself";
        EXPECT_FALSE(doc->m_components.empty());
        for (const auto& object : doc->m_pictures) {
            const auto* picture = dynamic_cast<const CPlaatje*>(object.get());
            ASSERT_NE(picture, nullptr);
            EXPECT_TRUE(
                NameExists(doc->m_strFolderRoot + doc->m_strFolderBitmap + picture->m_strFileName))
                << picture->m_strFileName.toStdString();
        }
        CMemoryDC dc(64, 64);
        doc->LayOutSockets();
        doc->Start();
        for (int tick = 0; tick < 60; ++tick)
            doc->Tick(dc, CPoint(0, 0), 0);
        doc->Stop();
        doc->UnlinkAll();
        for (const auto& c : doc->m_components)
            for (int i = 0; i < c->GetBusCount(); ++i)
                EXPECT_LE(std::abs(c->Bus(i).m_nValue), 500) << c->GetClassName();

        // Its text form gives the same file back.
        const QByteArray bytes = Bytes(board);
        CVeldtrakDoc stored;
        stored.DeleteContents();
        ASSERT_EQ(ReadBoard(bytes, stored), 0);
        CVeldtrakDoc again;
        again.DeleteContents();
        QString error;
        ASSERT_TRUE(ImportBoardJson(ExportBoardJson(stored), again, error)) << error.toStdString();
        EXPECT_EQ(WriteBoard(again), bytes);
    }
}

TEST_F(CurriculumTest, EachWorksheetLeadsToItsAnswerSheetBehindAPasswordTheNotesKeepOut)
{
    QFile notes(kShipped + QStringLiteral("/help/docent.htm"));
    ASSERT_TRUE(notes.open(QIODevice::ReadOnly));
    const QString teacher = QString::fromUtf8(notes.readAll());
    for (const QString& worksheet : ShippedBoards(QStringLiteral("wks"))) {
        SCOPED_TRACE(worksheet.toStdString());
        ScriptedModals none;
        ASSERT_TRUE(Open(worksheet));
        QString answer = worksheet;
        answer.replace(answer.size() - 3, 3, QStringLiteral("ant"));
        EXPECT_EQ(doc->ResolveBoardFileName(doc->m_strNextBoard), doc->m_strFolderRoot + answer);
        const QString password = doc->m_strNextPassword;
        EXPECT_FALSE(password.isEmpty());
        EXPECT_LE(password.size(), 8);
        const QString file = worksheet.mid(worksheet.lastIndexOf(u'\\') + 1);
        EXPECT_TRUE(teacher.contains(QStringLiteral("<td>%1</td>").arg(file)));
        EXPECT_FALSE(teacher.contains(password)) << "pupils can read the teacher's notes too";
        EXPECT_EQ(doc->m_nPermissions & PERMIT_CHANGE_TEXTS, 0)
            << "pupils keep the assignment as it is";
        EXPECT_EQ(doc->m_nPermissions & PERMIT_IDENTIFY_BLACKBOXES, 0);

        ASSERT_TRUE(Open(answer));
        EXPECT_EQ(doc->ResolveBoardFileName(doc->m_strPrevBoard), doc->m_strFolderRoot + worksheet);
        EXPECT_TRUE(doc->m_strNextBoard.isEmpty());
    }
}

TEST_F(CurriculumTest, TheManualShowsItsPicturesAndKeepsThePasswordsOut)
{
    QFile manual(kShipped + QStringLiteral("/help/Veldtrak400.htm"));
    ASSERT_TRUE(manual.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(manual.readAll());
    static const QRegularExpression image(QStringLiteral("<img src=\"([^\"]+)\""));
    int pictures = 0;
    for (auto it = image.globalMatch(html); it.hasNext(); ++pictures) {
        const QString file = kShipped + QStringLiteral("/help/") + it.next().captured(1);
        EXPECT_TRUE(QImage(file).width() > 100) << file.toStdString();
    }
    EXPECT_GE(pictures, 3);
    EXPECT_FALSE(html.contains(QStringLiteral("docent.htm"))) << "pupils read the manual";
}

// Plays steps on a board during a measurement. Steps:
//   "click NAME"        a left click on the component's button socket
//   "press NAME", "release"   hold the left button on it, let go
//   "set NAME T"        the voltage (tenths of a volt) of a source or a comparator
//   "light NAME", "heat NAME", "dark"   the mouse as light (Shift) or heat (Caps Lock)
//                       at the component's sensing socket, and away again
//   "wait N"            N ticks
//   "NAME.S high|low|=L|>L|<L"   the level of socket S; "NAME.p1 ..." the first parameter
class CStepPlayer {
public:
    explicit CStepPlayer(CVeldtrakDoc& doc) : m_doc(doc), m_dc(64, 64)
    {
        m_doc.LayOutSockets();
        m_doc.Start();
    }
    ~CStepPlayer()
    {
        m_doc.Stop();
        m_doc.UnlinkAll();
    }

    void Play(const QStringList& steps)
    {
        for (const QString& step : steps) {
            SCOPED_TRACE(step.toStdString());
            const QString verb = step.section(u' ', 0, 0);
            const QString rest = step.section(u' ', 1);
            if (verb == u"click") {
                m_cursor = Find(rest).Bus(0).GetCenter();
                Tick(STATE_LEFT_BUTTON);
                Tick(0);
            } else if (verb == u"press") {
                m_cursor = Find(rest).Bus(0).GetCenter();
                m_held = STATE_LEFT_BUTTON;
            } else if (verb == u"release") {
                m_held = 0;
            } else if (verb == u"set") {
                Find(rest.section(u' ', 0, -2)).m_nParam1 = rest.section(u' ', -1).toInt();
            } else if (verb == u"light" || verb == u"heat") {
                m_cursor = Find(rest).Bus(0).GetCenter();
                m_key = verb == u"light" ? STATE_SHIFT : STATE_CAPSLOCK;
            } else if (verb == u"dark") {
                m_key = 0;
            } else if (verb == u"wait") {
                for (int i = rest.toInt(); i > 0; --i)
                    Tick(0);
            } else {
                Expect(step);
            }
        }
    }
    int Level(const QString& nameAndSocket)
    {
        const qsizetype dot = nameAndSocket.lastIndexOf(u'.');
        CComponent& c = Find(nameAndSocket.left(dot));
        const QString socket = nameAndSocket.mid(dot + 1);
        if (socket == u"p1") return c.m_nParam1;
        const int index = socket.toInt();
        EXPECT_LT(index, c.GetBusCount());
        return index < c.GetBusCount() ? std::abs(c.Bus(index).m_nValue) : -1;
    }
    void Tick(std::uint32_t state) { m_doc.Tick(m_dc, m_cursor, state | m_held | m_key); }

private:
    CComponent& Find(const QString& name)
    {
        for (auto& c : m_doc.m_components)
            if (c->m_strName == name) return *c;
        ADD_FAILURE() << "no component " << name.toStdString();
        return *m_doc.m_components.front();
    }
    void Expect(const QString& step)
    {
        const QString what = step.section(u' ', 0, -2);
        const QString want = step.section(u' ', -1);
        const int level = Level(what);
        if (want == u"high")
            EXPECT_GE(level, 70);
        else if (want == u"low")
            EXPECT_LT(level, 70);
        else if (want.startsWith(u'='))
            EXPECT_EQ(level, want.mid(1).toInt());
        else if (want.startsWith(u'>'))
            EXPECT_GT(level, want.mid(1).toInt());
        else if (want.startsWith(u'<'))
            EXPECT_LT(level, want.mid(1).toInt());
        else
            ADD_FAILURE() << "unknown step";
    }

    CVeldtrakDoc& m_doc;
    CMemoryDC m_dc;
    CPoint m_cursor;
    std::uint32_t m_held = 0;
    std::uint32_t m_key = 0;
};

// Steps that set toggles A, B (and C) to every pattern, from all low, and check the
// LED after each: expected[n] for the pattern whose bits are A B (C).
QStringList TruthTable(const QStringList& toggles, const char* expected)
{
    QStringList steps{QStringLiteral("wait 3")};
    int state = 0;
    const int inputs = int(toggles.size());
    for (int pattern = 0; pattern < (1 << inputs); ++pattern) {
        for (int i = 0; i < inputs; ++i) {
            const int bit = 1 << (inputs - 1 - i);
            if ((pattern ^ state) & bit) steps << QStringLiteral("click ") + toggles[i];
        }
        state = pattern;
        steps << QStringLiteral("wait 3")
              << QStringLiteral("LED.0 ") +
                     (expected[pattern] == '1' ? QStringLiteral("high") : QStringLiteral("low"));
    }
    return steps;
}

const QStringList kAB = {QStringLiteral("A"), QStringLiteral("B")};

struct AnswerCase {
    const char* board;
    QStringList steps;
};

const AnswerCase kAnswers[] = {
    {"invoer en uitvoer\\invoer.ant",
     {"wait 2", "Lamp.0 low", "press Drukschakelaar", "wait 2", "Lamp.0 high", "release", "wait 2",
      "Lamp.0 low", "click Toggle", "wait 2", "LED.0 high", "click Toggle", "wait 2", "LED.0 low",
      "Spanningsmeter.0 =250", "set Spanning 40", "wait 2", "Spanningsmeter.0 =400"}},
    {"invoer en uitvoer\\switch.ant",
     {"wait 2", "LED 1.0 high", "LED 2.0 low", "click Switch", "wait 2", "LED 1.0 low",
      "LED 2.0 high", "click Switch", "wait 2", "LED 1.0 high", "LED 2.0 low"}},
    {"invoer en uitvoer\\spanning.ant",
     {"wait 2", "Spanningsmeter.0 =0", "Lamp.0 =0", "set Spanning 25", "wait 2",
      "Spanningsmeter.0 =250", "Lamp.0 =250", "set Spanning 50", "wait 2", "Lamp.0 =500"}},
    {"invoer en uitvoer\\lichtsensor.ant",
     {"wait 3", "Spanningsmeter.0 =0", "click Toggle", "wait 4", "Spanningsmeter.0 >250",
      "click Toggle", "wait 4", "Spanningsmeter.0 =0", "light Lichtsensor", "wait 3",
      "Spanningsmeter.0 >150", "dark", "wait 3", "Spanningsmeter.0 =0"}},
    {"invoer en uitvoer\\adomzetter.ant",
     {"set Spanning 25", "wait 3", "8.0 low",  "4.0 high", "2.0 high", "1.0 high",
      "set Spanning 10", "wait 3", "8.0 low",  "4.0 low",  "2.0 high", "1.0 high",
      "set Spanning 50", "wait 3", "8.0 high", "4.0 high", "2.0 high", "1.0 high",
      "set Spanning 0",  "wait 3", "8.0 low",  "1.0 low"}},
    {"verwerking\\enpoort.ant", TruthTable(kAB, "0001")},
    {"verwerking\\ofpoort.ant", TruthTable(kAB, "0111")},
    {"verwerking\\nenpoort.ant", TruthTable(kAB, "1110")},
    {"verwerking\\nofpoort.ant", TruthTable(kAB, "1000")},
    {"verwerking\\geheugen.ant",
     {"wait 2", "LED.0 low", "press Zet", "wait 2", "release", "wait 3", "LED.0 high", "press Wis",
      "wait 2", "release", "wait 3", "LED.0 low"}},
    {"verwerking\\teller.ant",
     {"wait 30", "Pulsteller.p1 =0", "click Aan/uit", "wait 40", "Pulsteller.p1 >2",
      "Pulsteller.p1 <6", "click Aan/uit", "wait 60", "Pulsteller.p1 <7"}},
    {"verwerking\\comparator.ant",
     {"wait 4", "LED.0 low", "set Spanning 24", "wait 4", "LED.0 low", "set Spanning 25", "wait 4",
      "LED.0 high", "set Spanning 40", "wait 4", "LED.0 high"}},
    {"verwerking\\relais.ant",
     {"wait 2", "Relais.1 low", "LED.0 high", "click Toggle 1", "wait 2", "Relais.1 high",
      "click Toggle 2", "wait 2", "LED.0 low", "click Toggle 1", "wait 2", "Relais.1 low"}},
    {"praktisch\\auto_licht.ant",
     {"wait 6", "Koplamp.0 high", "light Lichtsensor", "wait 6", "Koplamp.0 low", "dark", "wait 6",
      "Koplamp.0 high"}},
    {"praktisch\\deurbel.ant",
     {"wait 2", "Zoemer.0 low", "press Deurbel", "wait 3", "Zoemer.0 high", "release", "wait 2",
      "Zoemer.0 low", "press Deurbel", "wait 8", "release", "wait 2", "press Deurbel", "wait 1",
      "release", "wait 2", "Bezoekers.p1 =3"}},
    {"praktisch\\kas.ant",
     {"wait 6", "Kachel.1 high", "heat Thermometer", "wait 6", "Kachel.1 low", "dark", "wait 6",
      "Kachel.1 high"}},
    {"praktisch\\inbraak.ant",
     {"wait 2",      "Sirene.0 low",    "click Deur", "wait 3",       "Sirene.0 low",
      "click Deur",  "click Alarm aan", "wait 3",     "Sirene.0 low", "click Deur",
      "wait 3",      "Sirene.0 high",   "click Deur", "wait 3",       "Sirene.0 high",
      "press Reset", "wait 2",          "release",    "wait 3",       "Sirene.0 low"}},
    {"praktisch\\ventilator.ant",
     {"wait 6", "Ventilator.1 low", "Controlelamp.0 low", "heat Temperatuur", "wait 6",
      "Ventilator.1 high", "Controlelamp.0 high", "dark", "wait 6", "Ventilator.1 low"}},
    {"blackbox\\blackbox1.wks", TruthTable(kAB, "0110")},
    {"blackbox\\blackbox1.ant", TruthTable(kAB, "0110")},
    {"blackbox\\blackbox2.wks",
     {"wait 2", "LED.0 low", "press Knop 1", "wait 2", "release", "wait 3", "LED.0 high",
      "press Knop 2", "wait 2", "release", "wait 3", "LED.0 low"}},
    {"blackbox\\blackbox3.wks", TruthTable({"A", "B", "C"}, "10101000")},
    {"blackbox\\blackbox3.ant", TruthTable({"A", "B", "C"}, "10101000")},
};

TEST_F(CurriculumTest, EachAnswerSheetDoesWhatItsWorksheetAsks)
{
    for (const AnswerCase& c : kAnswers) {
        SCOPED_TRACE(c.board);
        ScriptedModals none;
        ASSERT_TRUE(Open(QString::fromUtf8(c.board)));
        CStepPlayer player(*doc);
        player.Play(c.steps);
    }
}

TEST_F(CurriculumTest, TheTrafficLightShowsExactlyOneColourAndBothInTurn)
{
    ScriptedModals none;
    ASSERT_TRUE(Open(QStringLiteral("praktisch\\verkeerslicht.ant")));
    CStepPlayer player(*doc);
    player.Play({QStringLiteral("wait 3")});
    int red = 0, green = 0, same = 0;
    for (int tick = 0; tick < 200; ++tick) {
        player.Tick(0);
        const bool r = player.Level(QStringLiteral("Rood.0")) >= 70;
        const bool g = player.Level(QStringLiteral("Groen.0")) >= 70;
        red += r;
        green += g;
        same += r == g;
    }
    EXPECT_GT(red, 60);
    EXPECT_GT(green, 60);
    EXPECT_LE(same, 5) << "only the tick in which the invertor follows";
}

} // namespace
