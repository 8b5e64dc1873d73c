// The palette pane: its names, the band under the mouse, the press that starts placing
// a component, and its modes through the start-up and a measurement.
#include "FrameFixture.h"
#include "components/ComponentFactory.h"
#include "shell/PaletteView.h"

#include <QTest>

namespace {

const char* const kPaletteNames[kCreationIndexCount] = {
    "AD-omzetter",
    "Comparator",
    "Drukschakelaar",
    "EN-poort",
    "Geheugencel",
    "Geluidsensor",
    "Invertor",
    "Lamp",
    "LED",
    "Lichtsensor",
    "NEN-poort",
    "NOF-poort",
    "OF-poort",
    "Pulsgenerator",
    "Pulsteller",
    "Relais",
    "Spanningsmeter",
    "Switch",
    "Temperatuursensor",
    "Toggle",
    "Transistor",
    "Var.spanning",
    "XOF-poort",
    "Zoemer",
    "Sonde",
};

// A row is 72 units: 27.2 pixels at 96 dpi. The middle of a row, in pixels.
int RowMiddle(int row)
{
    return int((row * 72 + 36) * 96 / 254);
}

} // namespace

class PaletteTest : public DocFixture {
protected:
    void SetUp() override
    {
        DocFixture::SetUp();
        palette = std::make_unique<CVeldtrakView>(*doc);
        palette->m_activateBoardPane = [this] { ++activations; };
        palette->resize(145, 1000); // every row fits, with room below the last
        palette->show();
        palette->OnInitialUpdate();
        palette->OnUpdate(HINT_STARTUP_IMAGE, 0); // the start-up is over
    }
    void TearDown() override
    {
        palette.reset();
        DocFixture::TearDown();
    }
    void MoveTo(int y) { QTest::mouseMove(palette->viewport(), QPoint(40, y)); }
    void PressAt(int y)
    {
        QTest::mousePress(palette->viewport(), Qt::LeftButton, {}, QPoint(40, y));
    }
    std::vector<std::pair<int, int>> PlacementHints(const RecordingView& view) const
    {
        std::vector<std::pair<int, int>> placements;
        for (const auto& h : view.hints)
            if (h.first == HINT_PLACE_COMPONENT) placements.push_back(h);
        return placements;
    }

    std::unique_ptr<CVeldtrakView> palette;
    int activations = 0;
};

TEST_F(PaletteTest, NamesEveryKindTheDocumentCanMakeInPaletteOrder)
{
    int creatable = 0;
    while (creatable < kCreationIndexCount && CreateComponentByIndex(creatable))
        ++creatable;
    QStringList expected;
    for (int i = 0; i < creatable; ++i)
        expected << kPaletteNames[i];
    EXPECT_EQ(palette->Names(), expected);
    EXPECT_EQ(palette->EntryCount(), creatable);
    EXPECT_EQ(doc->m_nLastBusId, 0); // the samples took no socket numbers

    palette->OnInitialUpdate(); // a second time adds nothing
    EXPECT_EQ(palette->Names(), expected);
}

TEST_F(PaletteTest, PressOnARowActivatesTheBoardAndAsksToPlaceThatKind)
{
    ASSERT_GE(palette->EntryCount(), 3);
    RecordingView views(*doc);
    const int y = RowMiddle(2);
    MoveTo(y);
    PressAt(y);
    EXPECT_EQ(activations, 1);
    EXPECT_EQ(PlacementHints(views), (std::vector<std::pair<int, int>>{{1, 2 + y * 65536}}));
}

TEST_F(PaletteTest, RowsBeyondTheLastAreHighlightedButPressingThereDoesNothing)
{
    RecordingView views(*doc);
    const int row = palette->EntryCount();
    MoveTo(RowMiddle(row));
    EXPECT_EQ(palette->HoveredRow(), row);
    PressAt(RowMiddle(row));
    EXPECT_TRUE(PlacementHints(views).empty());
    EXPECT_EQ(activations, 0);
}

TEST_F(PaletteTest, HoverBandIsInvertedAndRestoredExactly)
{
    const QImage before = palette->Surface().copy();
    MoveTo(RowMiddle(1));
    const QImage banded = palette->Surface().copy();
    // Inside the band the white background turned black.
    EXPECT_EQ(banded.pixel(140, RowMiddle(1)), qRgb(0, 0, 0));
    EXPECT_EQ(banded.pixel(140, RowMiddle(3)), qRgb(255, 255, 255));

    MoveTo(RowMiddle(3));
    EXPECT_EQ(palette->HoveredRow(), 3);
    const QImage moved = palette->Surface();
    for (int y = 0; y < RowMiddle(2); ++y)
        for (int x = 0; x < moved.width(); ++x)
            ASSERT_EQ(moved.pixel(x, y), before.pixel(x, y)) << x << ',' << y;
}

TEST_F(PaletteTest, ModesFollowStartupAndMeasurement)
{
    RecordingView views(*doc);
    struct Step {
        int hint;
        int argument;
        int mode;
    };
    const Step steps[] = {
        {HINT_STARTUP_IMAGE, 3, PANE_STARTUP}, {HINT_OPENED, 0, PANE_STARTUP},
        {HINT_STARTUP_IMAGE, 0, PANE_PALETTE}, {HINT_STARTED, 0, PANE_CHARTS},
        {HINT_STOPPED, 0, PANE_PALETTE},       {HINT_STARTED, 0, PANE_CHARTS},
        {HINT_OPENED, -1, PANE_PALETTE},
    };
    for (const Step& s : steps) {
        palette->OnUpdate(s.hint, s.argument);
        EXPECT_EQ(palette->Mode(), s.mode) << s.hint << ' ' << s.argument;
        if (s.mode == PANE_PALETTE) continue;
        // Only the palette reacts to the mouse.
        MoveTo(RowMiddle(0));
        PressAt(RowMiddle(0));
        EXPECT_TRUE(PlacementHints(views).empty()) << s.hint;
        EXPECT_EQ(palette->HoveredRow(), -1);
    }
}

TEST_F(PaletteTest, MeasuringPaneShowsNoPaletteAndStoppingBringsItBack)
{
    auto darkPixels = [this] {
        int dark = 0;
        const QImage& s = palette->Surface();
        for (int y = 0; y < s.height(); ++y)
            for (int x = 0; x < s.width(); ++x)
                dark += qGray(s.pixel(x, y)) < 128;
        return dark;
    };
    ASSERT_GT(palette->EntryCount(), 0);
    const int withNames = darkPixels();
    EXPECT_GT(withNames, 50);
    palette->OnUpdate(HINT_STARTED, 0);
    EXPECT_EQ(darkPixels(), 0);
    palette->OnUpdate(HINT_STOPPED, 0);
    EXPECT_EQ(darkPixels(), withNames);
}
