// When the whole board is replaced (New, Open, a failed open) the screen shows the new
// board from its top-left corner, and nothing being drawn on the old one survives.
#include "AppFixture.h"

#include "shell/CommandIds.h"

#include <QFileDialog>
#include <QScrollBar>

namespace {

constexpr int kInverter = 6;
constexpr int kNo = 7;

class BoardReplacedTest : public AppFixture {
protected:
    static std::function<int(QDialog&)> ChooseFile(const QString& path)
    {
        return [path](QDialog& dialog) {
            static_cast<QFileDialog&>(dialog).selectFile(path);
            return int(QDialog::Accepted);
        };
    }
    static bool AllWhite(const QImage& image)
    {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                    return false;
        return true;
    }
};

TEST_F(BoardReplacedTest, OpenScrollsToTheTopLeftCorner)
{
    WriteWorksheet("praktisch/ander.wks", "Ander");
    WriteFile("praktisch/een.wks", ReadFile("praktisch/ander.wks"));
    Start({Path("praktisch/een.wks")});
    Board().verticalScrollBar()->setValue(400);
    Board().horizontalScrollBar()->setValue(200);
    ScriptedModals user;
    user.Then(ChooseFile(Path("praktisch/ander.wks")));
    Run(ID_FILE_OPEN);
    EXPECT_EQ(Doc().GetTitle(), "ander.wks");
    EXPECT_EQ(Board().verticalScrollBar()->value(), 0);
    EXPECT_EQ(Board().horizontalScrollBar()->value(), 0);
}

TEST_F(BoardReplacedTest, AFailedOpenShowsTheEmptyBoardItLeaves)
{
    WriteFile("kapot.wks", QByteArray("dit is geen bord"));
    Start();
    PlaceOnBoard(kInverter, 300, -300);
    Doc().SetModifiedFlag(false);
    ASSERT_FALSE(AllWhite(Board().Surface()));

    ScriptedModals user;
    user.Then(ChooseFile(Path("kapot.wks"))).Answer(1); // the file, then the error report
    Run(ID_FILE_OPEN);
    ASSERT_EQ(user.Opened(), 2);
    EXPECT_TRUE(user.Titles()[1].startsWith("Foutmelding (AL61697)")) << user.Titles()[1].toStdString();
    EXPECT_TRUE(Doc().m_components.empty());
    Board().viewport()->repaint();
    EXPECT_TRUE(AllWhite(Board().Surface())) << "the old board is gone from the screen";
}

TEST_F(BoardReplacedTest, NewAbandonsTheWireBeingDrawn)
{
    WriteWorksheet("praktisch/ander.wks", "Ander");
    Start();
    ClickStartMenu(1);
    CComponent* gate = PlaceOnBoard(kInverter, 300, -300);
    const QPoint output = Pixel(gate->Bus(1).GetCenter());
    QTest::mouseClick(Board().viewport(), Qt::LeftButton, {}, output);
    QTest::mouseMove(Board().viewport(), output + QPoint(80, 60));
    ASSERT_EQ(Board().Mode(), MODE_WIRE);

    ScriptedModals user;
    user.Answer(kNo).Answer(QDialog::Rejected); // not saved; the start dialog closed
    Run(ID_FILE_NEW);
    EXPECT_EQ(Board().WireInProgress(), nullptr);
    EXPECT_EQ(Board().Mode(), MODE_IDLE);
    QTest::mouseMove(Board().viewport(), output + QPoint(120, 90));
    Board().viewport()->repaint();
    EXPECT_TRUE(AllWhite(Board().Surface())) << "no rubber band on the new board";

    // On the new board a click on a socket starts a fresh wire.
    CComponent* fresh = PlaceOnBoard(kInverter, 300, -300);
    QTest::mouseClick(Board().viewport(), Qt::LeftButton, {}, Pixel(fresh->Bus(1).GetCenter()));
    EXPECT_TRUE(Doc().m_wires.empty()) << "no wire from the socket to itself";
    ASSERT_NE(Board().WireInProgress(), nullptr);
    EXPECT_EQ(Board().WireInProgress()->GetPointCount(), 1);
}

} // namespace
