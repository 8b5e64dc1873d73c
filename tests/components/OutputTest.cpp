#include "components/Lamp.h"
#include "components/Led.h"
#include "components/SpanningsMeter.h"
#include "components/Zoemer.h"
#include "core/Archive.h"
#include "core/ClassRegistry.h"
#include "platform/DrawContext.h"
#include "platform/Paths.h"
#include "platform/QtSoundService.h"
#include "platform/Sound.h"
#include "support/ScriptedModals.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QColorDialog>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kDeleteAllowed = PERMIT_DELETE_COMPONENTS;
constexpr int kChangeAllowed = PERMIT_CHANGE_PROPERTIES;

class CRecordingSound : public ISoundService {
public:
    void PlayLooping(const QString& path) override { m_calls << u"play "_qs + path; }
    void StopAll() override { m_calls << u"stop"_qs; }
    void Beep(int, int) override { m_calls << u"beep"_qs; }
    QStringList m_calls;
};

// Draws at 254 dpi (one pixel per board unit) in the board's label font, and runs ticks
// as the board does: the previous tick's levels age, then the input carries the new level.
class OutputTest : public ::testing::Test {
protected:
    OutputTest()
    {
        m_dc.SelectObject(CFont::Label(44));
        SetSoundService(&m_sound);
    }
    ~OutputTest() override { SetSoundService(nullptr); }

    void Draw(CComponent& c, int x = 50, int y = -60)
    {
        c.MoveTo(x, y);
        c.Draw(m_dc);
    }
    // Levels of the previous tick age first, so the outputs are this tick's afterwards.
    void Tick(CComponent& c, int level, std::uint32_t state = 0)
    {
        c.AgeBusValues();
        CBus source;
        source.m_nValue = level;
        c.Bus(0).AddSource(&source, 1);
        c.Update(m_dc, CPoint(0, 0), &state);
        c.Bus(0).ClearSources();
    }
    COLORREF PixelAt(const CBus& bus) const
    {
        return m_dc.GetPixel(bus.GetCenter().x, bus.GetCenter().y);
    }
    int CaptionHeight(const char* caption)
    {
        return m_dc.GetTextExtent(QString::fromLatin1(caption)).cy;
    }
    QImage Snapshot() { return m_dc.Bitmap().copy(); }

    CMemoryDC m_dc{700, 400, 254};
    CRecordingSound m_sound;
};

TEST_F(OutputTest, SocketsSitWhereTheDrawingPutsThem)
{
    // All placed with their top-left corner at (50, -60).
    const int buzzerYm = -60 + 20 + (-60 - 212 + CaptionHeight("zoemer") + 60) / 2;
    struct Case {
        const char* name;
        std::function<std::unique_ptr<CComponent>()> make;
        std::vector<CPoint> centres;
        std::vector<int> kinds;
    };
    const std::vector<Case> cases = {
        {"lamp", [] { return std::make_unique<CLamp>(); }, {{70, -80}, {158, -80}},
         {BUS_INPUT, BUS_LAMP}},
        {"LED", [] { return std::make_unique<CLed>(); }, {{70, -80}, {158, -80}},
         {BUS_INPUT, BUS_LAMP}},
        {"buzzer", [] { return std::make_unique<CZoemer>(); },
         {{70, buzzerYm - 20}, {190, buzzerYm - 20}}, {BUS_INPUT, BUS_TERMINAL}},
        {"voltmeter", [] { return std::make_unique<CSpanningsMeter>(); }, {{70, -100}},
         {BUS_INPUT}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_dc.FillSolidRect(CRect(0, 0, 700, -400), RGB(255, 255, 255));
        const auto component = c.make();
        Draw(*component);
        ASSERT_EQ(component->GetBusCount(), int(c.centres.size()));
        for (int i = 0; i < component->GetBusCount(); ++i) {
            EXPECT_EQ(component->Bus(i).GetCenter(), c.centres[std::size_t(i)]) << i;
            EXPECT_EQ(component->Bus(i).GetKind(), c.kinds[std::size_t(i)]) << i;
        }
        EXPECT_EQ(PixelAt(component->Bus(0)), RGB(0, 0, 255)) << "input drawn";
    }
}

TEST_F(OutputTest, BuzzerTerminalIsPlacedButNotDrawn)
{
    CZoemer buzzer;
    Draw(buzzer);
    const CRect& terminal = buzzer.Bus(1).GetRect();
    for (int x = terminal.left; x < terminal.right; ++x)
        for (int y = terminal.bottom; y < terminal.top; ++y)
            ASSERT_NE(m_dc.GetPixel(x, y), RGB(128, 128, 128)) << x << "," << y;
}

TEST_F(OutputTest, DefaultColourTables)
{
    const CColourTable lamp = CLamp().m_colourTable;
    EXPECT_EQ(lamp[0], RGB(255, 255, 255));
    EXPECT_EQ(lamp[1], RGB(255, 255, 240));
    EXPECT_EQ(lamp[15], RGB(255, 255, 30));
    const CColourTable led = CLed().m_colourTable;
    EXPECT_EQ(led[7], RGB(255, 255, 255));
    EXPECT_EQ(led[8], RGB(255, 0, 0));
    EXPECT_EQ(led[0], RGB(255, 255, 255)) << "off";
    EXPECT_EQ(led[15], RGB(255, 0, 0)) << "on";
}

TEST_F(OutputTest, LampGlowsInSixteenStepsAndGivesOffItsInput)
{
    CLamp lamp;
    for (int i = 0; i < 16; ++i)
        lamp.m_colourTable[std::size_t(i)] = RGB(16 * i, 0, 255 - 16 * i);
    Draw(lamp);
    const struct {
        int level;
        int entry;
    } cases[] = {{0, 0}, {31, 0}, {32, 1}, {250, 7}, {499, 15}, {500, 15}, {31, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        Tick(lamp, c.level);
        EXPECT_EQ(PixelAt(lamp.Bus(1)), lamp.m_colourTable[std::size_t(c.entry)]);
        EXPECT_EQ(lamp.Bus(1).m_nValue, c.level) << "the light a sensor sees";
    }
}

TEST_F(OutputTest, LedIsOnFromTheLogicThreshold)
{
    CLed led;
    led.m_colourTable.fill(RGB(90, 90, 90)); // never shown
    led.m_colourTable[0] = RGB(0, 0, 200);
    led.m_colourTable[15] = RGB(200, 0, 0);
    Draw(led);
    const struct {
        int level;
        COLORREF colour;
        int light;
    } cases[] = {{0, RGB(0, 0, 200), 0},
                 {69, RGB(0, 0, 200), 0},
                 {70, RGB(200, 0, 0), 70},
                 {500, RGB(200, 0, 0), 500}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        Tick(led, c.level);
        EXPECT_EQ(PixelAt(led.Bus(1)), c.colour);
        EXPECT_EQ(led.Bus(1).m_nValue, c.light);
    }
}

TEST_F(OutputTest, BuzzerSoundsWhileHighAndSilencesAllWhenItDrops)
{
    const QString play = u"play "_qs + FileSystemPath(ProgramFolder() + u"zoemer.wav"_qs);
    const struct {
        bool bSound;
        QStringList calls;
    } cases[] = {
        {true, {play, play, u"stop"_qs, u"stop"_qs}},
        {false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bSound);
        m_sound.m_calls.clear();
        CZoemer buzzer;
        buzzer.SetSoundSignal(c.bSound);
        Draw(buzzer);
        Tick(buzzer, 500);
        Tick(buzzer, 70);
        Tick(buzzer, 69);
        Tick(buzzer, 0);
        EXPECT_EQ(m_sound.m_calls, c.calls);
    }
}

TEST_F(OutputTest, BuzzerGivesOffItsInputOnlyWhileHigh)
{
    CZoemer buzzer; // even with sound and waves off, sound sensors hear it
    buzzer.SetVisualSignal(false);
    Draw(buzzer);
    Tick(buzzer, 300);
    EXPECT_EQ(buzzer.Bus(1).m_nValue, 300);
    Tick(buzzer, 60);
    EXPECT_EQ(buzzer.Bus(1).m_nValue, -300) << "not written while low, so it fades";
    EXPECT_EQ(buzzer.WavePhase(), 0);
}

TEST_F(OutputTest, BuzzerWavesCycleOutwardsAndLeaveNoTrace)
{
    CZoemer buzzer;
    Draw(buzzer);
    const QImage still = Snapshot();
    std::vector<QImage> waves;
    for (const int expected : {1, 2, 3, 1}) {
        Tick(buzzer, 500);
        EXPECT_EQ(buzzer.WavePhase(), expected);
        waves.push_back(Snapshot());
        EXPECT_NE(waves.back(), still) << "phase " << expected << " shows an arc";
    }
    EXPECT_EQ(waves[3], waves[0]) << "phase 1 again, the same arc";
    EXPECT_NE(waves[1], waves[0]);
    EXPECT_NE(waves[2], waves[1]);
    Tick(buzzer, 0);
    EXPECT_EQ(buzzer.WavePhase(), 0);
    EXPECT_EQ(Snapshot(), still) << "the last arc is removed";

    buzzer.SetVisualSignal(false);
    Tick(buzzer, 500);
    EXPECT_EQ(buzzer.WavePhase(), 0);
    EXPECT_EQ(Snapshot(), still);
}

TEST_F(OutputTest, BuzzerResetRemovesTheWaveAndStopsTheSound)
{
    CZoemer buzzer;
    buzzer.SetSoundSignal(true);
    Draw(buzzer);
    const QImage still = Snapshot();
    Tick(buzzer, 500);
    Tick(buzzer, 500);
    m_sound.m_calls.clear();
    buzzer.Reset(m_dc);
    EXPECT_EQ(buzzer.WavePhase(), 0);
    EXPECT_EQ(Snapshot(), still);
    EXPECT_EQ(m_sound.m_calls, QStringList{u"stop"_qs});
}

TEST_F(OutputTest, MeterShowsVoltsWithADecimalComma)
{
    const struct {
        int level;
        const char* text;
    } cases[] = {{0, " 0,00 V"}, {7, " 0,07 V"}, {450, " 4,50 V"}, {500, " 5,00 V"}};
    for (const auto& c : cases)
        EXPECT_EQ(CSpanningsMeter::DisplayText(c.level), QString::fromLatin1(c.text));
}

TEST_F(OutputTest, MeterRedrawsOnlyWhenTheLevelChanges)
{
    CSpanningsMeter meter;
    Draw(meter); // display from (110, -60) to (375, -188 + caption)
    const CRect inside(112, -62, 373, -60 - 128 + CaptionHeight("spanningsmeter") + 2);
    auto digitPixels = [&] {
        int n = 0;
        for (int x = inside.left; x < inside.right; ++x)
            for (int y = inside.bottom; y < inside.top; ++y)
                n += m_dc.GetPixel(x, y) == CSpanningsMeter::kDigitColour;
        return n;
    };
    auto blank = [&] { m_dc.FillSolidRect(inside, RGB(255, 255, 255)); };
    ASSERT_GT(digitPixels(), 0) << "a fresh drawing shows 0,00";

    Tick(meter, 450);
    EXPECT_EQ(meter.ShownLevel(), 450);
    const int shown = digitPixels();
    EXPECT_GT(shown, 0);

    blank();
    Tick(meter, 450);
    EXPECT_EQ(digitPixels(), 0) << "same level: nothing drawn";
    Tick(meter, 450, STATE_REDRAW);
    EXPECT_EQ(digitPixels(), shown);
    blank();
    Tick(meter, 300);
    EXPECT_GT(digitPixels(), 0);
    EXPECT_EQ(meter.ShownLevel(), 300);
}

// --- Property dialogs ---

template <class T>
T* Find(QDialog& dialog, const char* name)
{
    T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

void Click(QDialog& dialog, const char* button)
{
    QTest::mouseClick(Find<QPushButton>(dialog, button), Qt::LeftButton);
}

struct DialogCase {
    const char* name;
    std::function<std::unique_ptr<CComponent>()> make;
    QStringList labels;
};

const std::vector<DialogCase>& DialogCases()
{
    static const std::vector<DialogCase> cases = {
        {"lamp", [] { return std::make_unique<CLamp>(); },
         {u"Om de kleuren te wijzigen, druk op:"_qs}},
        {"LED", [] { return std::make_unique<CLed>(); },
         {u"Om de kleur te wijzigen, druk op:"_qs}},
        {"buzzer", [] { return std::make_unique<CZoemer>(); }, {}},
        {"voltmeter", [] { return std::make_unique<CSpanningsMeter>(); },
         {u"Deze component heeft geen eigenschappen."_qs}},
    };
    return cases;
}

TEST(OutputDialogTest, EachOpensItsDialogWithButtonsGreyedByPermission)
{
    const struct {
        int permissions;
        bool bOk;
        bool bWis;
    } permissionCases[] = {
        {PERMIT_ALL, true, true},
        {PERMIT_ALL & ~kChangeAllowed, false, true},
        {PERMIT_ALL & ~kDeleteAllowed, true, false},
    };
    for (const DialogCase& c : DialogCases()) {
        for (const auto& p : permissionCases) {
            SCOPED_TRACE(std::string(c.name) + " " + std::to_string(p.permissions));
            const auto component = c.make();
            component->m_strName = u"Mijn "_qs + component->m_strName;
            ScriptedModals user;
            user.Then([&](QDialog& d) {
                EXPECT_EQ(Find<QPushButton>(d, "button1")->isEnabled(), p.bOk);
                EXPECT_EQ(Find<QPushButton>(d, "button172")->isEnabled(), p.bWis);
                Click(d, "button2");
                return d.result();
            });
            EXPECT_EQ(component->EditProperties(p.permissions), EDIT_CANCELLED);
            EXPECT_EQ(user.Titles(), QStringList{component->m_strName});
            EXPECT_EQ(user.Texts().value(0), c.labels);
        }
    }
}

TEST(OutputDialogTest, ColoursComeBackOnlyOnOk)
{
    const struct {
        const char* button;
        int result;
        bool bTaken;
    } buttons[] = {{"button1", EDIT_ACCEPTED, true},
                   {"button2", EDIT_CANCELLED, false},
                   {"button172", EDIT_DELETE, false}};
    const std::vector<std::function<std::unique_ptr<CColourLight>()>> lights = {
        [] { return std::make_unique<CLamp>(); }, [] { return std::make_unique<CLed>(); }};
    for (const auto& make : lights) {
        for (const auto& b : buttons) {
            const auto component = make();
            SCOPED_TRACE(component->m_strName.toStdString() + " " + b.button);
            CColourTable& colours = component->m_colourTable;
            colours[3] = RGB(1, 2, 3);
            const CColourTable before = colours;
            ScriptedModals user;
            user.Then([&](QDialog& d) {
                    EXPECT_EQ(Find<QPushButton>(d, "button1097")->text(), u"&Kies kleur"_qs);
                    Click(d, "button1097");
                    Click(d, b.button);
                    return d.result();
                })
                .Then([&](QDialog&) {
                    EXPECT_EQ(QColorDialog::customColor(3), QColor(1, 2, 3)) << "handed in";
                    QColorDialog::setCustomColor(15, QColor(0, 200, 0)); // the user edits box 15
                    return int(QDialog::Accepted);
                });
            EXPECT_EQ(component->EditProperties(PERMIT_ALL), b.result);
            CColourTable expected = before;
            if (b.bTaken)
                expected[15] = RGB(0, 200, 0);
            EXPECT_EQ(colours, expected);
        }
    }
}

TEST(OutputDialogTest, BuzzerSignalsComeBackOnlyOnOk)
{
    for (const bool bOk : {true, false}) {
        SCOPED_TRACE(bOk);
        CZoemer buzzer; // sound off, waves on
        ScriptedModals user;
        user.Then([&](QDialog& d) {
            auto* sound = Find<QCheckBox>(d, "check1050");
            auto* visual = Find<QCheckBox>(d, "check1051");
            EXPECT_EQ(sound->text(), u"Geluidssignaal"_qs);
            EXPECT_EQ(visual->text(), u"Visueel signaal"_qs);
            EXPECT_FALSE(sound->isChecked());
            EXPECT_TRUE(visual->isChecked());
            QTest::mouseClick(sound, Qt::LeftButton);
            QTest::mouseClick(visual, Qt::LeftButton);
            Click(d, bOk ? "button1" : "button2");
            return d.result();
        });
        EXPECT_EQ(buzzer.EditProperties(PERMIT_ALL), bOk ? EDIT_ACCEPTED : EDIT_CANCELLED);
        EXPECT_EQ(buzzer.SoundSignal(), bOk);
        EXPECT_EQ(buzzer.VisualSignal(), !bOk);
    }
}

// --- Files ---

template <class T>
void ExpectColoursRoundTrip(const char* className)
{
    SCOPED_TRACE(className);
    RegisterClassOf<T>(className);
    T light;
    for (int i = 0; i < 16; ++i)
        light.m_colourTable[std::size_t(i)] = RGB(i, 10 * i, 255 - i);
    QByteArray bytes;
    {
        CArchive out(bytes);
        out.WriteObject(&light);
    }
    // The table closes the record, entry 0 first, four bytes each.
    QByteArray table;
    {
        CArchive tail(table);
        for (COLORREF colour : light.m_colourTable)
            tail.WriteColour(colour);
    }
    EXPECT_EQ(bytes.right(64), table);

    CArchive in(bytes.constData(), std::size_t(bytes.size()));
    const std::unique_ptr<T> read = in.ReadObjectOf<T>();
    ASSERT_NE(read, nullptr);
    EXPECT_FALSE(in.Failed());
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(read->m_colourTable, light.m_colourTable);
    EXPECT_EQ(read->m_strName, light.m_strName);
}

TEST(OutputFileTest, ColourTablesSurviveTheArchive)
{
    ExpectColoursRoundTrip<CLamp>("CLamp");
    ExpectColoursRoundTrip<CLed>("CLed");
}

// --- The sound service of the program ---

TEST(QtSoundServiceTest, PlaysAndStopsHarmlesslyWithOrWithoutADevice)
{
    const QString buzz = QStringLiteral(VT_DATA_DIR "/zoemer.wav");
    ASSERT_TRUE(QFile::exists(buzz));
    std::unique_ptr<ISoundService> sound = CreateQtSoundService();
    sound->PlayLooping(u"/nowhere/zoemer.wav"_qs);
    sound->StopAll();
    sound->PlayLooping(buzz);
    sound->PlayLooping(buzz); // already playing: goes on
    sound->Beep(880, 50);
    QTest::qWait(100); // let the background loading and playing run
    sound->StopAll();
    sound->StopAll();
    sound->Beep(0, 50);
    sound->PlayLooping(buzz);
    sound.reset(); // stops what still plays
}

} // namespace
