// Nothing on the board can be edited while a measurement runs, whatever else the pupil
// has opened or switched on meanwhile.
#include "AppFixture.h"

#include "shell/CommandIds.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

constexpr int kInverter = 6;

using MeasurementEditingTest = AppFixture;

TEST_F(MeasurementEditingTest, PageFramesDuringAMeasurementLeaveTheBoardLocked)
{
    Start();
    CComponent* a = PlaceOnBoard(kInverter, 300, -300);
    CComponent* b = PlaceOnBoard(kInverter, 900, -300);
    Doc().m_wires.push_back(std::make_unique<CDraad>());
    Doc().m_wires.back()->AddPoint(a->Bus(1).GetCenter(), a->Bus(1).GetId(), 30);
    Doc().m_wires.back()->AddPoint(b->Bus(0).GetCenter(), b->Bus(0).GetId(), 30);

    Frame()->Printer().setOutputFormat(QPrinter::PdfFormat);
    Run(ID_FILE_PRINT_PREVIEW); // open beside the board when the measurement starts
    Run(ID_MEASURE_START);
    ASSERT_TRUE(Enabled(ID_VIEW_PAGINATION));
    Run(ID_VIEW_PAGINATION); // the view now stands in another mode than measuring
    Run(ID_VIEW_PAGINATION);

    const CPoint grip = a->m_rect.CenterPoint();
    QTest::mousePress(Board().viewport(), Qt::LeftButton, {}, Pixel(grip));
    QTest::mouseMove(Board().viewport(), Pixel(CPoint(grip.x + 400, grip.y - 400)));
    QTest::mouseRelease(Board().viewport(), Qt::LeftButton, {}, Pixel(CPoint(grip.x + 400, grip.y - 400)));
    EXPECT_EQ(a->GetTopLeft(), CPoint(300, -300)) << "no drag while measuring";

    ScriptedModals user; // no properties dialog, no deletion, no board settings
    QTest::mouseClick(Board().viewport(), Qt::RightButton, {}, Pixel(b->m_rect.CenterPoint()));
    QTest::mouseClick(Board().viewport(), Qt::RightButton, {}, Pixel(CPoint(2000, -2000)));
    QTest::mouseClick(Board().viewport(), Qt::LeftButton, {}, Pixel(a->Bus(1).GetCenter()));
    EXPECT_EQ(Doc().m_components.size(), 2u);
    EXPECT_EQ(Doc().m_wires.size(), 1u);
    EXPECT_EQ(Board().WireInProgress(), nullptr);

    Board().OnTimer(CBoardView::kMeasureTimer); // the tick still finds everything in place
    for (QPrintPreviewDialog* preview : Frame()->findChildren<QPrintPreviewDialog*>())
        preview->close();
    Run(ID_MEASURE_STOP);
}

} // namespace
