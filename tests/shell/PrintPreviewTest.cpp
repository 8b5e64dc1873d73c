// The print preview beside the board while the pupil goes on: it shows the pages of
// the board on the screen, a print job finds its own, and closing it leaves the board
// pane as it was (the start menu among others).
#include "AppFixture.h"

#include "boardview/Printing.h"
#include "shell/CommandIds.h"
#include "support/RequireTool.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QScrollBar>

namespace {

class PrintPreviewTest : public AppFixture {
protected:
    // A worksheet holding one inverter at each of these places.
    void WriteBoardFile(const QString& relative, const std::vector<CPoint>& places)
    {
        CVeldtrakDoc writer;
        for (const CPoint& p : places) {
            std::unique_ptr<CComponent> c = writer.CreateComponent(6);
            c->MoveTo(p.x, p.y);
            writer.AddComponent(std::move(c));
        }
        WriteFile(relative, WriteBoard(writer));
    }
    QPrintPreviewDialog* Preview() const
    {
        const QList<QPrintPreviewDialog*> previews = Frame()->findChildren<QPrintPreviewDialog*>();
        for (QPrintPreviewDialog* p : previews)
            if (p->isVisible()) return p;
        return nullptr;
    }
    void OpenPreview()
    {
        Frame()->Printer().setOutputFormat(QPrinter::PdfFormat);
        Run(ID_FILE_PRINT_PREVIEW);
        ASSERT_NE(Preview(), nullptr);
    }
    // Closes the preview as its close button does; the window goes at the next turn
    // of the event loop.
    void ClosePreview()
    {
        Preview()->close();
        QCoreApplication::processEvents();
    }
    static int PdfPageCount(const QString& pdf)
    {
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        info.waitForFinished();
        for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split(u'\n'))
            if (line.startsWith(QStringLiteral("Pages:"))) return line.mid(6).trimmed().toInt();
        return -1;
    }
};

TEST_F(PrintPreviewTest, ABoardOpenedBesideThePreviewPrintsItsOwnPages)
{
    REQUIRE_TOOL("pdfinfo");
    Start();
    Frame()->Printer().setOutputFormat(QPrinter::PdfFormat);
    // A has two pages far apart, B one in the top-left corner: inverters in the middle
    // of page tiles.
    const CRect page = PrintableRectOf(Frame()->Printer());
    const auto inTile = [&page](int column, int row) {
        return CPoint(column * page.right + page.right / 2, row * page.bottom + page.bottom / 2);
    };
    WriteBoardFile(QStringLiteral("a.wks"), {inTile(2, 1), inTile(0, 3)});
    WriteBoardFile(QStringLiteral("b.wks"), {inTile(0, 0)});
    ASSERT_TRUE(Doc().OnOpenDocument(Stored(QStringLiteral("a.wks"))));
    OpenPreview();
    ASSERT_EQ(Board().PageOrigins().size(), 2u);

    const QString pdf = Path(QStringLiteral("b.pdf"));
    struct Pupil {
        explicit Pupil(ModalHandler answer) : previous(SetModalHandler(std::move(answer))) {}
        ~Pupil() { SetModalHandler(std::move(previous)); }
        ModalHandler previous;
    } pupil([&](QDialog& dialog) {
        if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
            files->selectFile(Path(QStringLiteral("b.wks")));
            return int(QDialog::Accepted);
        }
        if (auto* print = qobject_cast<QPrintDialog*>(&dialog)) {
            print->printer()->setOutputFormat(QPrinter::PdfFormat);
            print->printer()->setOutputFileName(pdf);
            return int(QDialog::Accepted);
        }
        return int(CConfirmBox::kNee); // not saved: A stays as it was
    });
    Run(ID_FILE_OPEN);
    ASSERT_EQ(Doc().m_components.size(), 1u);
    Run(ID_FILE_PRINT);
    EXPECT_EQ(PdfPageCount(pdf), 1) << "B's one page, not A's two";

    // The preview, at its next repaint, shows B and knows B's pages.
    QCoreApplication::processEvents();
    ASSERT_EQ(Board().PageOrigins().size(), 1u);
    EXPECT_EQ(Board().PageOrigins()[0], CPoint(0, 0));
    EXPECT_TRUE(Enabled(ID_VIEW_PAGINATION));
    ClosePreview();
    EXPECT_TRUE(Board().PageOrigins().empty());
}

TEST_F(PrintPreviewTest, ClosingThePreviewLeavesTheStartMenuAsItIs)
{
    WriteMenuWorksheets();
    Start();
    ClickStartMenu(2); // a worksheet without a next board
    ASSERT_EQ(Doc().m_components.size(), 1u);
    OpenPreview();
    Run(ID_VIEW_PAGINATION);
    ASSERT_TRUE(Doc().m_bShowPages);

    Run(ID_NEXT_BOARD); // the end of the chain: the start menu
    ASSERT_EQ(Board().Mode(), MODE_STARTUP);
    EXPECT_TRUE(Board().PageOrigins().empty()) << "the pages went with the board";
    ClosePreview();
    if (const QString folder = qEnvironmentVariable("VT_SCREENSHOTS"); !folder.isEmpty())
        Frame()->grab().save(folder + QStringLiteral("/start-menu-after-preview.png"));
    EXPECT_EQ(Board().Mode(), MODE_STARTUP);
    EXPECT_TRUE(Doc().m_bStartImagesShown);

    // The start menu still works: its button opens the worksheet, and the board can
    // be scrolled and measured.
    ClickStartMenu(3);
    EXPECT_EQ(Board().Mode(), MODE_IDLE);
    EXPECT_EQ(Doc().m_components.size(), 1u);
    EXPECT_FALSE(Doc().m_bStartImagesShown);
    EXPECT_TRUE(Board().verticalScrollBar()->isEnabled());
    EXPECT_TRUE(Enabled(ID_MEASURE_START));
}

} // namespace
