// A wire being drawn belongs to the board as it stood: when the board changes state
// (Reset, page frames on or off, a new component from the palette) it goes, with its
// lines, and the next click starts afresh.
#include "AppFixture.h"

#include "shell/CommandIds.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

constexpr int kInverter = 6;

class WireInProgressTest : public AppFixture {
protected:
    void Click(CPoint p) { QTest::mouseClick(Board().viewport(), Qt::LeftButton, {}, Pixel(p)); }
    void MoveMouse(CPoint p) { QTest::mouseMove(Board().viewport(), Pixel(p)); }
    // The surface as shown, and as a full repaint of the board draws it.
    QImage Shown()
    {
        Board().viewport()->repaint();
        return Board().Surface().copy();
    }
    QImage Repainted()
    {
        Board().InvalidateAll();
        return Shown();
    }
};

TEST_F(WireInProgressTest, ResetAndThePageFramesEndAWireBeingDrawn)
{
    Start();
    CComponent* a = PlaceOnBoard(kInverter, 200, -200);
    CComponent* b = PlaceOnBoard(kInverter, 1200, -700);
    // "Paginering" needs the pages a print job found: the preview stays open beside the board.
    Frame()->Printer().setOutputFormat(QPrinter::PdfFormat);
    Run(ID_FILE_PRINT_PREVIEW);
    ASSERT_TRUE(Enabled(ID_VIEW_PAGINATION));

    const struct {
        const char* name;
        std::function<void()> change;
        int mode; // the view's mode afterwards: switching the frames off is stored as one
    } changes[] = {
        {"Reset", [&] { Run(ID_MEASURE_RESET); }, MODE_IDLE},
        {"page frames on", [&] { Run(ID_VIEW_PAGINATION); }, MODE_IDLE},
        {"page frames off", [&] { Run(ID_VIEW_PAGINATION); }, -HINT_PAGE_FRAMES},
        {"a component from the palette",
         [&] {
             QWidget* palette = Palette().viewport();
             const int rowPixels = 72 * palette->logicalDpiY() / 254;
             const QPoint led(20, 8 * rowPixels + rowPixels / 4);
             QTest::mouseMove(palette, led);
             QTest::mousePress(palette, Qt::LeftButton, {}, led);
             QTest::mouseRelease(Board().viewport(), Qt::LeftButton, {}, Pixel(CPoint(2000, -300)));
             ASSERT_EQ(Doc().m_components.size(), 3u);
         },
         MODE_IDLE},
    };
    for (const auto& change : changes) {
        SCOPED_TRACE(change.name);
        Click(a->Bus(1).GetCenter());
        Click(CPoint(600, -1200)); // a bend
        MoveMouse(CPoint(900, -1000));
        ASSERT_NE(Board().WireInProgress(), nullptr);

        change.change();
        EXPECT_TRUE(!Board().WireInProgress() || Board().WireInProgress()->IsEmpty());
        EXPECT_EQ(Board().Mode(), change.mode);
        EXPECT_TRUE(Shown() == Repainted()) << "no construction line is left";
        if (const QString folder = qEnvironmentVariable("VT_SCREENSHOTS"); !folder.isEmpty())
            Frame()->grab().save(folder + QStringLiteral("/wire-dropped-") +
                                 QString::fromLatin1(change.name).replace(u' ', u'-') + QStringLiteral(".png"));

        // The click on the other inverter's input starts a new wire, it finishes no old one.
        Click(b->Bus(0).GetCenter());
        EXPECT_TRUE(Doc().m_wires.empty());
        EXPECT_EQ(Board().Mode(), MODE_WIRE);
        QTest::keyClick(Board().viewport(), Qt::Key_Escape);
        EXPECT_TRUE(Shown() == Repainted());
    }
    for (QPrintPreviewDialog* preview : Frame()->findChildren<QPrintPreviewDialog*>())
        preview->close();
}

} // namespace
