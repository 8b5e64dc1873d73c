// Messages that editing the board gives come after the drawing: while one shows, the
// window can be resized and repainted, and the board that shows afterwards is the one
// the document holds.
#include "AppFixture.h"

#include "platform/DialogGuard.h"
#include "platform/DrawContext.h"

#include <QApplication>

namespace {

constexpr int kInverter = 6;

class ReportAfterDrawingTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        Start();
        a = PlaceOnBoard(kInverter, 300, -300);
        b = PlaceOnBoard(kInverter, 1100, -700);
        c = PlaceOnBoard(kInverter, 300, -1100);
    }
    void Click(CPoint at) { QTest::mouseClick(Board().viewport(), Qt::LeftButton, {}, Pixel(at)); }
    void Wire(CComponent* from, CComponent* to)
    {
        Click(from->Bus(1).GetCenter());
        Click(to->Bus(0).GetCenter());
    }
    // A pupil who, while the message shows, makes the window smaller and lets it
    // repaint, then presses OK.
    std::function<int(QDialog&)> ResizeWhileShown()
    {
        return [this](QDialog&) {
            EXPECT_EQ(OpenDrawingContexts(), 0);
            const QSize surfaceBefore = Board().Surface().size();
            Frame()->showNormal();
            Frame()->resize(Frame()->size() - QSize(150, 120));
            QApplication::processEvents();
            Board().viewport()->repaint();
            EXPECT_NE(Board().Surface().size(), surfaceBefore) << "the resize reached the board";
            return 1;
        };
    }
    // The surface as drawn by the last actions, against a fresh paint of the document.
    void ExpectSurfaceShowsTheBoard()
    {
        const QImage shown = Board().Surface().copy();
        Doc().UpdateAllViews(0);
        Board().viewport()->repaint();
        EXPECT_EQ(shown, Board().Surface()) << "what the wiring left on the screen";
    }

    CComponent* a = nullptr;
    CComponent* b = nullptr;
    CComponent* c = nullptr;
};

TEST_F(ReportAfterDrawingTest, ASecondWireIntoAnInputIsReportedOnceTheDrawingIsDone)
{
    Wire(a, b);
    ASSERT_EQ(Doc().m_wires.size(), 1u);
    ScriptedModals pupil;
    pupil.Then(ResizeWhileShown());
    Wire(c, b);
    ASSERT_EQ(pupil.Opened(), 1);
    EXPECT_TRUE(pupil.Texts().last().join(u' ').startsWith(QStringLiteral("Er mag maar één draad in een invoerbus.")));
    EXPECT_EQ(Doc().m_wires.size(), 1u);
    ExpectSurfaceShowsTheBoard();
}

TEST_F(ReportAfterDrawingTest, RedrawingAConnectionAsksThePermissionOnceTheDrawingIsDone)
{
    Wire(a, b);
    ASSERT_EQ(Doc().m_wires.size(), 1u);
    Doc().m_nPermissions = PERMIT_ALL & ~PERMIT_DELETE_WIRES;
    {
        ScriptedModals pupil;
        pupil.Then(ResizeWhileShown());
        Wire(a, b);
        EXPECT_EQ(pupil.Opened(), 1); // the refusal
    }
    EXPECT_EQ(Doc().m_wires.size(), 1u) << "refused: the connection stays";
    ExpectSurfaceShowsTheBoard();

    Doc().m_nPermissions = PERMIT_ALL;
    Wire(a, b);
    EXPECT_TRUE(Doc().m_wires.empty());
    ExpectSurfaceShowsTheBoard();
}

} // namespace
