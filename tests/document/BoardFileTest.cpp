#include "DocFixture.h"

#include "components/ENpoort.h"
#include "core/Archive.h"
#include "platform/DrawContext.h"
#include "platform/ModalRunner.h"
#include "support/DamagedBoards.h"

#include <QDialog>

namespace {

QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
}

const char* const kGateArray =
    "01 00 FF FF 01 00 08 00 43 45 4E 70 6F 6F 72 74 F4 01 00 00 44 FD FF FF 08 45 4E 2D 70 "
    "6F 6F 72 74 01 00 00 00 02 00 00 00 03 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
    "00 00 00";

QByteArray OneGateBoard()
{
    return Hex("00 00 FF 00 00 00 00 00 00 00") + Hex("00 00 00 00 00 00") + Hex(kGateArray) +
           Hex("00 00");
}

class BoardFileTest : public DocFixture {
protected:
    void SetUp() override
    {
        DocFixture::SetUp();
        doc->m_strHelpFile.clear();
    }
};

TEST_F(BoardFileTest, WritesTheWorkedExamplesByteForByte)
{
    // An empty board: the ten header bytes, then five counts of 0.
    EXPECT_EQ(WriteBoard(*doc), Hex("00 00 FF 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));

    Place(AND_GATE, 500, -700);
    const QByteArray bytes = WriteBoard(*doc);
    EXPECT_EQ(bytes.size(), 80);
    EXPECT_EQ(bytes, OneGateBoard());
    EXPECT_EQ(bytes.mid(16, 62), Hex(kGateArray));
}

TEST_F(BoardFileTest, ReadsTheWorkedExampleBack)
{
    WriteFile(QStringLiteral("een.wks"), OneGateBoard());
    ASSERT_TRUE(doc->OnOpenDocument(Stored(QStringLiteral("een.wks"))));
    ASSERT_EQ(doc->m_components.size(), 1u);
    const CComponent& gate = *doc->m_components[0];
    EXPECT_STREQ(gate.GetClassName(), "CENpoort");
    EXPECT_EQ(gate.m_rect, CRect(500, -700, 756, -852));
    EXPECT_EQ(gate.GetBusRange(), std::make_pair(1, 3));
    EXPECT_EQ(gate.m_strName, QStringLiteral("EN-poort"));
    EXPECT_EQ(doc->m_nPermissions, 255);
    EXPECT_EQ(doc->m_nLastBusId, 3);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetTitle(), QStringLiteral("een.wks"));
}

TEST_F(BoardFileTest, SecondObjectsOfAClassReferToIt)
{
    Place(AND_GATE, 100, -100);
    Place(AND_GATE, 500, -100);
    Wire(3, 4);
    Wire(3, 5);
    const QByteArray bytes = WriteBoard(*doc);
    // Indices: CENpoort 1, gates 2 and 3, CDraad 4, wires 5 and 6.
    const qsizetype second = 16 + 62;
    EXPECT_EQ(bytes.mid(second, 2), Hex("01 80"));
    const qsizetype wires = second + 2 + 46;
    EXPECT_EQ(bytes.mid(wires, 2), Hex("02 00"));
    EXPECT_EQ(bytes.mid(wires + 2, 12), Hex("FF FF 01 00 06 00") + "CDraad");
    EXPECT_EQ(bytes.right(4 + 4 + 4 + 2 + 16 + 2).left(2), Hex("04 80"));
}

TEST_F(BoardFileTest, EverythingSurvivesSaveAndLoad)
{
    auto* gate = static_cast<CENpoort*>(Place(AND_GATE, 100, -100));
    gate->m_strName = QStringLiteral("Poort één");
    gate->SetBlackbox(true);
    gate->m_strBlackboxLabel = QStringLiteral("X?");
    Place(INVERTER, 600, -100);
    Wire(3, 4);
    doc->m_wires[0]->m_points = {{1, -2}, {300, -2}, {300, -40}};
    doc->m_wires[0]->SetColour(RGB(1, 2, 3));
    doc->m_nPermissions = 37;
    doc->m_strBoardTitle = QStringLiteral("Opdracht één");
    doc->m_strNextBoard = QStringLiteral("praktisch\\twee.wks");
    doc->m_strNextPassword = QStringLiteral("geheim");
    doc->m_strPrevPassword = QStringLiteral("café");
    const QByteArray bytes = WriteBoard(*doc);

    doc->DeleteContents();
    ASSERT_EQ(ReadBoard(bytes, *doc), 0);
    ASSERT_EQ(doc->m_components.size(), 2u);
    const auto* read = dynamic_cast<const CENpoort*>(doc->m_components[0].get());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->m_strName, QStringLiteral("Poort één"));
    EXPECT_TRUE(read->IsBlackbox());
    EXPECT_EQ(read->m_strBlackboxLabel, QStringLiteral("X?"));
    EXPECT_EQ(doc->m_components[1]->GetBusRange(), std::make_pair(4, 5));
    ASSERT_EQ(doc->m_wires.size(), 1u);
    EXPECT_EQ(doc->m_wires[0]->GetEnds(), std::make_pair(3, 4));
    EXPECT_EQ(doc->m_wires[0]->m_points.size(), 3u);
    EXPECT_EQ(doc->m_wires[0]->GetColour(), RGB(1, 2, 3));
    EXPECT_EQ(doc->m_nPermissions, 37);
    EXPECT_EQ(doc->m_strBoardTitle, QStringLiteral("Opdracht één"));
    EXPECT_EQ(doc->m_strNextPassword, QStringLiteral("geheim"));
    EXPECT_EQ(doc->m_strPrevPassword, QStringLiteral("café"));
    EXPECT_EQ(WriteBoard(*doc), bytes);
}

TEST_F(BoardFileTest, PasswordsAreStoredScrambled)
{
    EXPECT_EQ(ScramblePassword("abc"), Hex("9E 9C 9A"));
    for (const QByteArray& plain : {QByteArray("geheim12"), QByteArray("\xE9t\xFF\x80"), QByteArray()})
        EXPECT_EQ(UnscramblePassword(ScramblePassword(plain)), plain);
}

TEST_F(BoardFileTest, AnnotationsKeepTheirRecords)
{
    const QByteArray picture = Hex("01 00 FF FF 01 00 08 00") + "CPlaatje" + Hex("07") + "foto.bm" +
                               Hex("64 00 00 00 38 FF FF FF");
    const QByteArray table = Hex("01 00 FF FF 01 00 06 00") + "CTabel" +
                             Hex("0A 00 00 00 F6 FF FF FF 00 00 00 00 00 00 00 00") + Hex("03") +
                             "a#b" + Hex("01") + "#" + Hex("01 00 00 00 00 00 00 00 01 00 00 00") +
                             Hex("02 00 00 00 01 00 00 00");
    const QByteArray text = Hex("01 00 FF FF 01 00 0A 00") + "CTextField" +
                            Hex("05 00 00 00 FB FF FF FF 00 00 00 00 00 00 00 00") + Hex("05") +
                            "{\\rtf" + Hex("01 00 00 00");
    const QByteArray bytes = Hex("00 00 FF 00 00 00 00 00 00 00") + picture + table + text +
                             Hex("00 00 00 00");
    ASSERT_EQ(ReadBoard(bytes, *doc), 0);
    EXPECT_EQ(doc->m_pictures.size(), 1u);
    EXPECT_EQ(doc->m_tables.size(), 1u);
    EXPECT_EQ(doc->m_textFields.size(), 1u);
    EXPECT_EQ(WriteBoard(*doc), bytes) << "written back unchanged";
}

TEST_F(BoardFileTest, ObjectsInTheWrongArrayAreBadClasses)
{
    // A gate where the pictures belong.
    const QByteArray bytes = Hex("00 00 FF 00 00 00 00 00 00 00") + Hex(kGateArray) +
                             Hex("00 00 00 00 00 00 00 00");
    EXPECT_EQ(ReadBoard(bytes, *doc), ARCHIVE_BADCLASS);
}

TEST_F(BoardFileTest, EveryTruncationIsAnEndOfFileErrorAndAnEmptyBoard)
{
    Place(AND_GATE, 100, -100);
    Place(INVERTER, 600, -100);
    Wire(3, 4);
    doc->m_strBoardTitle = QStringLiteral("Titel");
    const QByteArray bytes = WriteBoard(*doc);
    for (qsizetype length = 1; length < bytes.size(); ++length) {
        WriteFile(QStringLiteral("kort.wks"), bytes.left(length));
        ScriptedModals user;
        user.Answer(1);
        EXPECT_FALSE(doc->OnOpenDocument(Stored(QStringLiteral("kort.wks")))) << length;
        ASSERT_EQ(user.Titles().size(), 1);
        EXPECT_EQ(user.Titles()[0], QStringLiteral("Foutmelding (AL61697)")) << length;
        EXPECT_EQ(user.Texts()[0].join(u' '), QStringLiteral("Het einde van het bestand is bereikt."))
            << length;
        EXPECT_TRUE(doc->m_components.empty() && doc->m_wires.empty()) << length;
    }
}

// Plays a user who answers every box with OK or Ja, for boards whose reports are not
// the point.
class CAnswerEverything {
public:
    CAnswerEverything()
    {
        m_previous = SetModalHandler([this](QDialog& dialog) {
            m_titles << dialog.windowTitle();
            return 6;
        });
    }
    ~CAnswerEverything() { SetModalHandler(std::move(m_previous)); }
    const QStringList& Titles() const { return m_titles; }

private:
    ModalHandler m_previous;
    QStringList m_titles;
};

class DamagedBoardTest : public BoardFileTest {
protected:
    void SetUp() override
    {
        BoardFileTest::SetUp();
        doc->m_strFolderOutput.clear(); // saved where it was opened
    }

    // Saves the board with the save command and opens it again.
    void SaveAndOpen(const QString& relative)
    {
        const std::size_t components = doc->m_components.size();
        const std::size_t wires = doc->m_wires.size();
        CAnswerEverything user;
        ASSERT_TRUE(doc->OnSaveDocument(Stored(relative))) << user.Titles().join(u'|').toStdString();
        ASSERT_TRUE(doc->OnOpenDocument(Stored(relative))) << "a saved board always opens";
        EXPECT_EQ(doc->m_components.size(), components);
        EXPECT_EQ(doc->m_wires.size(), wires);
    }

    // What a pupil does with a board that opened: a measurement with the mouse held
    // down on the board, a reset, a few more ticks, saving it (the bytes the save
    // writes) and opening it again, then deleting every component.
    void UseLikeAPupil()
    {
        CMemoryDC dc(64, 64);
        doc->Start();
        for (int tick = 0; tick < 4; ++tick) {
            doc->Tick(dc, CPoint(150, -150), STATE_LEFT_BUTTON | STATE_UP_RIGHT);
            if (tick == 1)
                doc->ResetComponents(dc);
        }
        doc->Stop();
        doc->UnlinkAll();
        doc->SnapProbes();
        doc->RouteWireEnds();

        const std::size_t components = doc->m_components.size();
        WriteFile(QStringLiteral("bewaard.wks"), WriteBoard(*doc));
        ASSERT_TRUE(doc->OnOpenDocument(Stored(QStringLiteral("bewaard.wks"))))
            << "a saved board always opens";
        EXPECT_EQ(doc->m_components.size(), components);

        doc->m_bTeacherUnlock = true;
        while (!doc->m_components.empty())
            doc->DeleteComponent(int(doc->m_components.size()) - 1);
        EXPECT_TRUE(doc->m_wires.empty()) << "wires go with their components";
    }
};

TEST_F(DamagedBoardTest, EachDamageIsRefusedOrReadInRange)
{
    for (const damaged::Case& c : damaged::Cases()) {
        SCOPED_TRACE(c.name);
        WriteFile(QStringLiteral("kapot.wks"), damaged::Bytes(c));
        ScriptedModals user;
        if (c.refused)
            user.Answer(1);
        const bool opened = doc->OnOpenDocument(Stored(QStringLiteral("kapot.wks")));
        if (c.refused) {
            EXPECT_FALSE(opened);
            ASSERT_EQ(user.Titles().size(), 1);
            EXPECT_EQ(user.Titles()[0], QStringLiteral("Foutmelding (AL61697)"));
            EXPECT_EQ(user.Texts()[0].join(u' '), QStringLiteral("Ongeldig bestandsformaat."));
            EXPECT_TRUE(doc->m_components.empty() && doc->m_wires.empty());
            continue;
        }
        ASSERT_TRUE(opened);
        ASSERT_EQ(doc->m_components.size(), std::size_t(damaged::PROBE) + 1);
        c.check(*doc);
        SaveAndOpen(QStringLiteral("opgeslagen.wks"));
        c.check(*doc); // what reading made of it is what is saved
        UseLikeAPupil();
    }
}

TEST_F(DamagedBoardTest, ProbesWithHugeNumbersStartAtOnce)
{
    // Start lists the probes by their numbers, not by counting down from the highest.
    for (int i = 0; i < 3; ++i)
        AddProbe(*doc, 0, 0);
    Place(AND_GATE, 100, -100);
    AddProbe(*doc, 5, 2000000000);
    AddProbe(*doc, 4, 7);
    AddProbe(*doc, 6, 2000000000);
    doc->Start();
    ASSERT_EQ(doc->m_probeBuses.size(), 3u);
    EXPECT_EQ(doc->m_probeBuses[0]->GetId(), 6) << "equal numbers from the last in the list";
    EXPECT_EQ(doc->m_probeBuses[1]->GetId(), 5);
    EXPECT_EQ(doc->m_probeBuses[2]->GetId(), 4);
    doc->Stop();
}

TEST_F(DamagedBoardTest, ChangedBytesNeverBreakTheProgram)
{
    // Every byte of a valid board set to values that make counts, lengths, numbers and
    // coordinates huge, negative or strange: the board opens or the error is reported,
    // and what opens can be measured, saved, opened again and taken apart.
    damaged::BuildSampleBoard(*doc);
    const QByteArray valid = WriteBoard(*doc);
    for (qsizetype at = 0; at < valid.size(); ++at) {
        for (int value : {0x00, 0x01, 0x40, 0x7F, 0x80, 0xFE, 0xFF}) {
            SCOPED_TRACE(QStringLiteral("byte %1 = %2").arg(at).arg(value, 2, 16).toStdString());
            QByteArray damaged = valid;
            damaged[at] = char(value);
            WriteFile(QStringLiteral("kapot.wks"), damaged);
            CAnswerEverything user;
            if (doc->OnOpenDocument(Stored(QStringLiteral("kapot.wks")))) {
                EXPECT_TRUE(user.Titles().isEmpty());
                UseLikeAPupil();
            } else {
                ASSERT_EQ(user.Titles().size(), 1);
                EXPECT_EQ(user.Titles()[0], QStringLiteral("Foutmelding (AL61697)"));
            }
            if (HasFatalFailure())
                return;
        }
    }
}

TEST_F(DamagedBoardTest, ABoardAtTheCoordinateLimitReadsBackAsSaved)
{
    // A memory cell whose corner a damaged file put at the limit: its far sockets, and
    // the wire ends on them, lie beyond it. What the save writes must read back as it
    // stands, also after a measurement.
    enum { PUSH_BUTTON = 2, MEMORY_CELL = 4, BUZZER = 23 };
    Place(PUSH_BUTTON, 300, -700);                    // sockets 1-2
    Place(MEMORY_CELL, kMaxStoredCoordinate, -800);   // sockets 3-5
    Place(BUZZER, 1700, -800);                        // sockets 6-7
    Wire(2, 3);
    Wire(5, 6);
    SaveAndOpen(QStringLiteral("rand.wks"));

    CMemoryDC dc(64, 64);
    doc->Start();
    const CPoint onButton = doc->m_components.front()->m_rect.CenterPoint();
    for (std::uint32_t state : {0u, unsigned(STATE_LEFT_BUTTON), 0u})
        doc->Tick(dc, onButton, state);
    doc->Stop();
    CAnswerEverything user;
    ASSERT_TRUE(doc->OnSaveDocument(Stored(QStringLiteral("rand.wks"))));

    const QByteArray saved = ReadFile(QStringLiteral("rand.wks"));
    CVeldtrakDoc reread;
    ASSERT_EQ(ReadBoard(saved, reread), 0);
    EXPECT_EQ(WriteBoard(reread), saved);
    EXPECT_EQ(reread.m_components[1]->m_rect.left, kMaxStoredCoordinate);
}

TEST_F(BoardFileTest, ArchiveErrorsAreReportedInDutch)
{
    const QByteArray header = Hex("00 00 FF 00 00 00 00 00 00 00 00 00 00 00 00 00");
    const struct {
        QByteArray components;
        const char* text;
    } cases[] = {
        {Hex("01 00 FF FF 01 00 07 00") + "CMystry", "Ongeldige class."},
        {Hex("01 00 FF FF 02 00 08 00") + "CENpoort", "Verkeerd versienummer."},
        {Hex("01 00 03 80"), "Ongeldig bestandsformaat."},
        {Hex("01 00 FF FF 01 00 08 00") + "CENpoort" + Hex("F4 01"), "Het einde van het bestand is bereikt."},
    };
    for (const auto& c : cases) {
        WriteFile(QStringLiteral("fout.wks"), header + c.components);
        ScriptedModals user;
        user.Answer(1);
        EXPECT_FALSE(doc->OnOpenDocument(Stored(QStringLiteral("fout.wks"))));
        ASSERT_EQ(user.Texts().size(), 1);
        EXPECT_EQ(user.Titles()[0], QStringLiteral("Foutmelding (AL61697)"));
        EXPECT_EQ(user.Texts()[0].join(u' '), QString::fromUtf8(c.text));
        EXPECT_TRUE(doc->m_components.empty());
    }
}

TEST_F(BoardFileTest, ZeroLengthFileIsAnEmptyBoard)
{
    Place(AND_GATE, 100, -100);
    WriteFile(QStringLiteral("leeg.wks"), QByteArray());
    EXPECT_TRUE(doc->OnOpenDocument(Stored(QStringLiteral("leeg.wks"))));
    EXPECT_TRUE(doc->m_components.empty());
    EXPECT_FALSE(doc->IsModified());
}

} // namespace
