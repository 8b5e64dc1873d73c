// Pictures of the program as a user sees it, written to the folder named by
// VT_SCREENSHOTS (skipped without it): the main window empty and with gates, the About
// box, the toolbar's pictures enlarged and a printed page.
#include "FrameFixture.h"
#include "boardview/BoardRender.h"
#include "boardview/BoardView.h"
#include "platform/Clock.h"
#include "shell/AboutDialog.h"
#include "shell/CommandIds.h"
#include "shell/MenuLayout.h"
#include "shell/PaletteView.h"
#include "shell/ToolbarIcons.h"
#include "support/RequireTool.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPainter>
#include <QProcess>
#include <QTest>

class ShellScreenshotTest : public FrameFixture {
protected:
    void SetUp() override
    {
        m_folder = qEnvironmentVariable("VT_SCREENSHOTS");
        if (m_folder.isEmpty()) GTEST_SKIP() << "VT_SCREENSHOTS is not set";
        QDir().mkpath(m_folder);
        FrameFixture::SetUp();
    }
    QString Shot(const QString& name) const { return m_folder + u'/' + name; }

    void ShowFrame()
    {
        frame->resize(1100, 760);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        QCoreApplication::processEvents();
        const auto pauses = SetPauseHandler([](int) {});
        frame->BoardPane().OnTimer(CBoardView::kStartupTimer);
        SetPauseHandler(pauses);
        frame->UpdateCommandUI();
        QCoreApplication::processEvents();
    }
    void PlaceGates()
    {
        CComponent* a = Place(AND_GATE, 300, -300);
        CComponent* b = Place(OR_GATE, 300, -1000);
        CComponent* c = Place(XOR_GATE, 1100, -650);
        Place(NAND_GATE, 1900, -300);
        Place(NOR_GATE, 1900, -1000);
        Place(INVERTER, 1100, -1400);
        Wire(a->Bus(2).GetId(), c->Bus(0).GetId());
        Wire(b->Bus(2).GetId(), c->Bus(1).GetId());
        doc->UpdateAllViews(HINT_REFRESH);
        QCoreApplication::processEvents();
    }

private:
    QString m_folder;
};

TEST_F(ShellScreenshotTest, MainWindowEmptyAndWithGates)
{
    ShowFrame();
    EXPECT_TRUE(frame->grab().save(Shot("main-empty.png")));
    PlaceGates();
    QTest::mouseMove(frame->PalettePane().viewport(), QPoint(40, 95)); // the band on row 3
    QCoreApplication::processEvents();
    EXPECT_TRUE(frame->grab().save(Shot("main-gates.png")));
}

TEST_F(ShellScreenshotTest, PreviewAndThePageFramesOnTheBoard)
{
    ShowFrame();
    PlaceGates();
    Place(AND_GATE, 2600, -2000); // reaches into the second column of pages
    frame->OnCommand(ID_FILE_PRINT_PREVIEW);
    QWidget* preview = QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                                         : frame->findChild<QDialog*>();
    ASSERT_NE(preview, nullptr);
    preview->resize(700, 600);
    QCoreApplication::processEvents();
    EXPECT_TRUE(preview->grab().save(Shot("print-preview.png")));
    frame->OnCommand(ID_VIEW_PAGINATION);
    QCoreApplication::processEvents();
    EXPECT_TRUE(frame->grab().save(Shot("main-page-frames.png")));
    preview->close();
}

TEST_F(ShellScreenshotTest, AboutBox)
{
    CAboutDlg about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    EXPECT_TRUE(about.grab().save(Shot("about.png")));
}

TEST_F(ShellScreenshotTest, ToolbarPicturesEnlarged)
{
    constexpr int kScale = 6;
    std::vector<int> ids;
    for (int id : ToolbarLayout())
        if (id) ids.push_back(id);
    QImage sheet(int(ids.size()) * 18 * kScale, 17 * kScale, QImage::Format_RGB32);
    sheet.fill(QColor(212, 208, 200));
    QPainter p(&sheet);
    for (std::size_t i = 0; i < ids.size(); ++i)
        p.drawPixmap(int(i) * 18 * kScale + kScale, kScale, 16 * kScale, 15 * kScale,
                     ToolbarPixmap(ids[i]));
    p.end();
    EXPECT_TRUE(sheet.save(Shot("toolbar-pictures.png")));
}

TEST_F(ShellScreenshotTest, RenderedBoardAndPrintedPages)
{
    PlaceGates();
    EXPECT_TRUE(RenderBoardPng(*doc, Shot("rendered-board.png")));
    Place(AND_GATE, 5000, -9000); // a page of its own far down the board
    ASSERT_TRUE(RenderBoardPdf(*doc, Shot("printed.pdf")));
    REQUIRE_TOOL("pdftoppm");
    EXPECT_EQ(QProcess::execute("pdftoppm",
                                {"-png", "-r", "50", Shot("printed.pdf"), Shot("printed-page")}),
              0);
}
