// Printing lays the board out as the screen does: the preview and the printed pages
// move no socket, wire end or probe, record no undo step and leave nothing behind on
// the screen.
#include "AppFixture.h"

#include "annotations/TextField.h"
#include "boardview/Printing.h"
#include "components/Sonde.h"
#include "document/BoardArchive.h"
#include "shell/CommandIds.h"

#include "support/RequireTool.h"

#include <QProcess>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

constexpr int kInverter = 6;
constexpr int kPulseCounter = 14;
constexpr int kProbe = 24;

// Where everything that printing could move is: socket centres, wire points and the
// components' corners (a probe sits where its socket is). A probe's own socket is
// parked, never wired: where it lies is no place on the board.
QStringList Places(const CVeldtrakDoc& doc)
{
    QStringList places;
    for (const auto& c : doc.m_components) {
        places << QStringLiteral("corner %1 %2").arg(c->GetTopLeft().x).arg(c->GetTopLeft().y);
        for (int i = 0; i < c->GetBusCount() && c->GetTypeId() != unsigned(TYPE_SONDE); ++i)
            places << QStringLiteral("socket %1 %2").arg(c->Bus(i).GetCenter().x).arg(c->Bus(i).GetCenter().y);
    }
    for (const auto& wire : doc.m_wires)
        for (const CPoint& p : wire->m_points)
            places << QStringLiteral("wire %1 %2").arg(p.x).arg(p.y);
    return places;
}

class PrintLayoutTest : public AppFixture {
protected:
    QWidget* View() { return Board().viewport(); }

    // An inverter wired into a pulse counter, a probe on the counter's input: the
    // inverter and the counter place their sockets by the height of their text.
    void BuildBoard()
    {
        inverter = PlaceOnBoard(kInverter, 300, -300);
        counter = PlaceOnBoard(kPulseCounter, 1000, -300);
        QTest::mouseClick(View(), Qt::LeftButton, {}, Pixel(inverter->Bus(1).GetCenter()));
        QTest::mouseClick(View(), Qt::LeftButton, {}, Pixel(counter->Bus(0).GetCenter()));
        ASSERT_EQ(Doc().m_wires.size(), 1u);

        Doc().UpdateAllViews(HINT_PLACE_COMPONENT, kProbe | (40 << 16));
        auto* probe = static_cast<CSonde*>(Doc().m_components.back().get());
        ASSERT_EQ(probe->GetTypeId(), unsigned(TYPE_SONDE));
        const CPoint input = counter->Bus(2).GetCenter();
        const CPoint to(input.x + probe->GetTopLeft().x - probe->TipPoint().x,
                        input.y + probe->GetTopLeft().y - probe->TipPoint().y);
        QTest::mouseMove(View(), Pixel(to));
        QTest::mouseRelease(View(), Qt::LeftButton, {}, Pixel(to));
        ASSERT_EQ(probe->AttachedBus(), counter->Bus(2).GetId());
    }
    // Prints through the print dialog into a PDF file.
    void PrintToPdf(const QString& pdf)
    {
        ScriptedModals pupil;
        pupil.PrintToPdf(pdf);
        Run(ID_FILE_PRINT);
        EXPECT_GT(QFileInfo(pdf).size(), 0);
    }

    CComponent* inverter = nullptr;
    CComponent* counter = nullptr;
};

TEST_F(PrintLayoutTest, PreviewAndPrintMoveNothingAndRecordNoUndoStep)
{
    Start();
    BuildBoard();
    const QStringList places = Places(Doc());
    const QByteArray stored = WriteBoard(Doc());
    const int steps = Doc().UndoHistory().StepCount();

    Frame()->Printer().setOutputFormat(QPrinter::PdfFormat);
    Run(ID_FILE_PRINT_PREVIEW);
    const QList<QPrintPreviewDialog*> previews = Frame()->findChildren<QPrintPreviewDialog*>();
    ASSERT_EQ(previews.size(), 1);
    ASSERT_TRUE(Doc().m_bPaginated) << "the preview drew its pages";
    EXPECT_EQ(Places(Doc()), places) << "while the preview shows";
    previews[0]->close();
    PrintToPdf(Path(QStringLiteral("afdruk.pdf")));
    EXPECT_EQ(Places(Doc()), places) << "after printing";
    EXPECT_EQ(WriteBoard(Doc()), stored);

    // A click on empty board ends whatever change was going on: there was none.
    QTest::mouseClick(View(), Qt::LeftButton, {}, Pixel(CPoint(3000, -3000)));
    EXPECT_EQ(Doc().UndoHistory().StepCount(), steps);

    // Dragging the wired inverter away and back leaves the board as a fresh paint shows it.
    const QPoint grip = Pixel(inverter->m_rect.CenterPoint());
    QTest::mousePress(View(), Qt::LeftButton, {}, grip);
    QTest::mouseMove(View(), grip + QPoint(60, 40));
    QTest::mouseMove(View(), grip + QPoint(120, 10));
    QTest::mouseRelease(View(), Qt::LeftButton, {}, grip + QPoint(120, 10));
    const QImage dragged = Board().Surface().copy();
    Doc().UpdateAllViews(0);
    View()->repaint();
    EXPECT_EQ(Board().Surface(), dragged) << "no ghost of a wire end";
}

// The longest run of dark pixels in any row and in any column of the image.
QSize LongestDarkRuns(const QImage& image)
{
    const auto dark = [&image](int x, int y) { return qGray(image.pixel(x, y)) < 100; };
    QSize longest;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0, run = 0; x < image.width(); ++x)
            longest.setWidth(std::max(longest.width(), run = dark(x, y) ? run + 1 : 0));
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0, run = 0; y < image.height(); ++y)
            longest.setHeight(std::max(longest.height(), run = dark(x, y) ? run + 1 : 0));
    return longest;
}

TEST_F(PrintLayoutTest, AFramedTextFieldKeepsItsFrameOnPaper)
{
    REQUIRE_TOOL("pdftoppm");
    Start();
    auto text = std::make_unique<CTextField>();
    text->SetText(QStringLiteral("{\\rtf1{\\fonttbl{\\f0 X;}}{\\colortbl ;}\r\n\\plain Lees de opdracht\\par \r\n"
                                 "en meet\\par \r\nzorgvuldig\\par \r\n\r\n}"),
                  1);
    text->m_rect = CRect(500, -300, 0, 0);
    Doc().AddTextField(std::move(text));
    Doc().UpdateAllViews(0);
    View()->repaint();
    const CRect frame = AnnotationRect(*Doc().m_textFields[0])->Normalized();
    ASSERT_GT(frame.Height(), 150) << "three lines of text";

    const QString pdf = Path(QStringLiteral("tekst.pdf"));
    PrintToPdf(pdf);
    ASSERT_EQ(QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("96"),
                                                             QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                                             pdf, Path(QStringLiteral("tekst"))}),
              0);
    const QImage page(Path(QStringLiteral("tekst.png")));
    ASSERT_FALSE(page.isNull());
    // At 96 dpi the frame's sides are long dark lines (a line of text is 17 pixels high).
    const QSize runs = LongestDarkRuns(page);
    EXPECT_GE(runs.height(), frame.Height() * 96 / 254 - 2);
    EXPECT_GE(runs.width(), frame.Width() * 96 / 254 - 2);
}

} // namespace
