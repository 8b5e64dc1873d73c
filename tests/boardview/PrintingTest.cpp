// Cutting the board into printer pages, printing only the pages with something on
// them, and showing the page frames on the board.
#include "boardview/Printing.h"
#include "annotations/TextField.h"
#include "boardview/BoardRender.h"
#include "boardview/BoardView.h"
#include "document/DocFixture.h"
#include "platform/Clock.h"
#include "platform/DrawContext.h"
#include "support/RequireTool.h"

#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QTest>

namespace {

// A printable page of 200 x 280 mm.
constexpr CRect kPage(0, 0, 2000, -2800);

std::unique_ptr<CDraad> WireThrough(std::initializer_list<CPoint> points)
{
    auto wire = std::make_unique<CDraad>();
    wire->m_points = points;
    return wire;
}

// Runs a poppler tool on a PDF and gives what it printed.
QString Poppler(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPageCount(const QString& pdf)
{
    const QString info = Poppler(QStringLiteral("pdfinfo"), {pdf});
    for (const QString& line : info.split(u'\n'))
        if (line.startsWith(QStringLiteral("Pages:"))) return line.mid(6).trimmed().toInt();
    return -1;
}

} // namespace

TEST(PageGridTest, OneColumnAndOneRowMoreThanTheBoardNeeds)
{
    struct Case {
        int width, bottom, columns, rows;
    };
    const Case cases[] = {
        {2000, -2800, 5, 5}, // 8100 / 2000 and 11300 / 2800 leave a rest
        {2025, -2260, 5, 6}, // both divide the board exactly: still one more
        {8100, -11300, 2, 2},
        {9000, -12000, 2, 2}, // larger than the board
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PageColumnCount(c.width), c.columns) << c.width;
        EXPECT_EQ(PageRowCount(c.bottom), c.rows) << c.bottom;
    }
    EXPECT_EQ(PageColumnCount(0), 0);
    EXPECT_EQ(PageRowCount(0), 0);
}

class PaginationTest : public DocFixture {};

TEST_F(PaginationTest, EmptyBoardHasNoPages)
{
    EXPECT_TRUE(PaginateBoard(*doc, kPage).empty());
}

TEST_F(PaginationTest, ComponentAcrossAPageBorderMakesBothPagesColumnByColumn)
{
    Place(AND_GATE, 1950, -6000); // across the border between columns 0 and 1, row 2
    Place(AND_GATE, 4500, -100);  // column 2, row 0
    Place(INVERTER, 500, -10000); // column 0, row 3
    EXPECT_EQ(PaginateBoard(*doc, kPage),
              (std::vector<CPoint>{{0, -5600}, {0, -8400}, {2000, -5600}, {4000, 0}}));
}

TEST_F(PaginationTest, WiresCountByTheirCornerPointsOnly)
{
    // From tile column 0 straight through column 1 to column 2, all in row 0.
    doc->AddWire(WireThrough({{500, -500}, {5500, -500}}));
    EXPECT_EQ(PaginateBoard(*doc, kPage), (std::vector<CPoint>{{0, 0}, {4000, 0}}));
}

TEST_F(PaginationTest, TextFieldsMakeTheirPagesToo)
{
    auto text = std::make_unique<CTextField>();
    text->m_rect = CRect(2500, -3000, 3500, -3500);
    doc->AddTextField(std::move(text));
    EXPECT_EQ(PaginateBoard(*doc, kPage), (std::vector<CPoint>{{2000, -2800}}));
}

class BoardPrintingTest : public DocFixture {
protected:
    void SetUp() override
    {
        DocFixture::SetUp();
        view = std::make_unique<CBoardView>(*doc);
        view->m_activatePane = [this] { ++activations; };
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setOutputFileName(Path("bord.pdf"));
    }
    void TearDown() override
    {
        view.reset();
        DocFixture::TearDown();
    }
    // Gates in the middle of three pages of the first column: tiles (0, 0), (0, 1) and
    // (0, 3).
    void SpreadGates()
    {
        const CRect page = PrintableRectOf(printer);
        auto middle = [&](int column, int row) {
            return CPoint(column * page.right + page.right / 2,
                          row * page.bottom + page.bottom / 2);
        };
        for (auto [index, tile] :
             {std::pair(AND_GATE, middle(0, 0)), std::pair(OR_GATE, middle(0, 1)),
              std::pair(XOR_GATE, middle(0, 3))})
            Place(index, tile.x, tile.y);
    }

    std::unique_ptr<CBoardView> view;
    QPrinter printer{QPrinter::HighResolution};
    int activations = 0;
};

TEST_F(BoardPrintingTest, PrintsOnlyTheOccupiedPagesNumberedAndEndsTheJob)
{
    REQUIRE_TOOL("pdfinfo");
    REQUIRE_TOOL("pdftotext");
    SpreadGates();
    EXPECT_EQ(PrintBoard(*view, printer), 3);
    EXPECT_TRUE(view->PageOrigins().empty());
    EXPECT_FALSE(doc->m_bPaginated);
    EXPECT_EQ(activations, 1);

    EXPECT_EQ(PdfPageCount(Path("bord.pdf")), 3);
    for (int page = 1; page <= 3; ++page) {
        const QString n = QString::number(page);
        const QString text =
            Poppler(QStringLiteral("pdftotext"), {"-f", n, "-l", n, Path("bord.pdf"), "-"});
        EXPECT_TRUE(text.split(QRegularExpression(QStringLiteral("\\s+"))).contains(n))
            << page << ": " << text.toStdString();
    }
}

TEST_F(BoardPrintingTest, EachPageTellsWhetherMoreFollowAndTheNumberRuns)
{
    SpreadGates();
    QPainter painter(&printer);
    const CRect printable = PrintableRectOf(printer);
    int number = 1;
    std::vector<bool> more;
    for (int page = 1; page <= 4; ++page) {
        CDC dc(painter, printer.resolution(), true);
        more.push_back(PrintBoardPage(*view, dc, page, printable, number));
        if (page == 1) {
            EXPECT_TRUE(doc->m_bPaginated);
        }
    }
    EXPECT_EQ(more, (std::vector<bool>{true, true, false, false}));
    EXPECT_EQ(number, 4); // three pages printed
    EXPECT_EQ(view->PrintableRect(), printable);
    EXPECT_EQ(view->PageOrigins().size(), 3u);
}

TEST_F(BoardPrintingTest, ABoardWiderThanThePaperIsPrintedSmallerSoThatItsWidthIsOnePage)
{
    REQUIRE_TOOL("pdfinfo");
    // At true size these would be the tiles (0, 0) and (3, 0), two columns apart.
    const CRect paper = PrintableRectOf(printer);
    Place(AND_GATE, paper.right / 2, paper.bottom / 2);
    Place(OR_GATE, 3 * paper.right + paper.right / 2, paper.bottom / 2);
    // The OR gate's right edge lies a little beyond 3.5 paper widths (a gate and a 1 cm
    // margin more): between a fourth and a third of true size.
    const int percent = PrintScalePercent(*doc, printer);
    EXPECT_GT(percent, 25);
    EXPECT_LT(percent, 29);
    EXPECT_EQ(PrintScaleNote(*doc, printer),
              QStringLiteral("Het bord is breder dan het papier en is verkleind tot %1% afgedrukt.").arg(percent));
    EXPECT_EQ(PrintBoard(*view, printer), 1);
    EXPECT_EQ(PdfPageCount(Path("bord.pdf")), 1);

    // Pages still show where they fall on the board: one page as wide as the gates reach.
    QPainter painter(&printer);
    int number = 1;
    const int dpi = PrintDpi(*doc, paper, printer.resolution());
    CDC dc(painter, dpi, true);
    EXPECT_FALSE(PrintBoardPage(*view, dc, 1, PageArea(printer, dpi), number));
    ASSERT_EQ(view->PageOrigins().size(), 1u);
    EXPECT_GE(view->PrintableRect().right, doc->m_components[1]->m_rect.right);
}

TEST_F(BoardPrintingTest, EmptyBoardPrintsNothing)
{
    EXPECT_EQ(PrintBoard(*view, printer), 0);
    EXPECT_FALSE(QFileInfo::exists(Path("bord.pdf")));
    EXPECT_FALSE(RenderBoardPdf(*doc, Path("leeg.pdf")));
}

TEST_F(BoardPrintingTest, RenderedPdfHoldsThePrintedPages)
{
    REQUIRE_TOOL("pdfinfo");
    SpreadGates();
    ASSERT_TRUE(RenderBoardPdf(*doc, Path("render.pdf")));
    EXPECT_EQ(PdfPageCount(Path("render.pdf")), 3);
}

TEST_F(BoardPrintingTest, RenderedPngShowsTheOccupiedArea)
{
    Place(AND_GATE, 1000, -1000);
    ASSERT_TRUE(RenderBoardPng(*doc, Path("bord.png")));
    const QImage png(Path("bord.png"));
    const CRect area = OccupiedArea(*doc);
    EXPECT_EQ(png.width(), area.Width() * 96 / 254);
    int dark = 0;
    for (int y = 0; y < png.height(); ++y)
        for (int x = 0; x < png.width(); ++x)
            dark += qGray(png.pixel(x, y)) < 100;
    EXPECT_GT(dark, 100); // the gate's outline and symbol
}

using PageFrameTest = DocFixture;

TEST_F(PageFrameTest, FramesAndLabelsSitOnThePages)
{
    CBoardView view(*doc);
    view.PrintableRect() = CRect(0, 0, 1000, -1000);
    view.PageOrigins() = {{0, 0}, {1000, -1000}};
    QImage image(800, 800, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        CDC dc(image, 96);
        DrawPageFrames(dc, view);
    }
    // 1000 units are 378 pixels: the second frame starts there and runs to 755.
    const QRgb black = qRgb(0, 0, 0);
    EXPECT_EQ(image.pixel(200, 0), black);
    EXPECT_EQ(image.pixel(0, 200), black);
    EXPECT_EQ(image.pixel(378, 600), black);
    EXPECT_EQ(image.pixel(600, 378), black);
    EXPECT_EQ(image.pixel(600, 600), qRgb(255, 255, 255));
    // " p.2" is written inside the second frame's top-left corner.
    int label = 0;
    for (int y = 380; y < 400; ++y)
        for (int x = 380; x < 420; ++x)
            label += image.pixel(x, y) == black;
    EXPECT_GT(label, 10);
}

TEST_F(BoardPrintingTest, OpenPreviewKeepsThePagesSoTheFramesShowOnTheBoard)
{
    SpreadGates();
    view->resize(1200, 900);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    QCoreApplication::processEvents();
    const auto pauses = SetPauseHandler([](int) {});
    view->OnTimer(CBoardView::kStartupTimer); // past the start-up
    SetPauseHandler(pauses);
    QCoreApplication::processEvents();

    QPrintPreviewDialog* preview = OpenPrintPreview(*view, printer, nullptr);
    ASSERT_EQ(view->PageOrigins().size(), 3u);
    EXPECT_TRUE(doc->m_bPaginated);
    ASSERT_TRUE(CanTogglePageFrames(*doc));

    TogglePageFrames(*doc);
    ASSERT_TRUE(doc->m_bShowPages);
    // The first frame's top edge runs along the top of the board.
    const QImage& surface = view->Surface();
    int black = 0;
    for (int x = 20; x < 300; ++x)
        black += surface.pixel(x, 0) == qRgb(0, 0, 0);
    EXPECT_GT(black, 250);

    preview->close();
    EXPECT_TRUE(view->PageOrigins().empty());
    EXPECT_FALSE(doc->m_bPaginated);
    EXPECT_FALSE(CanTogglePageFrames(*doc));
    QTest::qWait(1); // lets the closed preview go
}
