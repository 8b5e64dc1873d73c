// Printing from the menu: the print dialog, then the pages; the preview beside the board.
#include "FrameFixture.h"
#include "boardview/BoardView.h"
#include "shell/CommandIds.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

using PrintCommandTest = FrameFixture;

TEST_F(PrintCommandTest, PrintDialogChoosesTheFileAndThePagesFollow)
{
    Place(AND_GATE, 500, -500);
    Place(OR_GATE, 500, -9000);
    const QString pdf = Path("afdruk.pdf");
    {
        ScriptedModals script;
        script.Answer(QDialog::Rejected);
        Run(ID_FILE_PRINT);
    }
    EXPECT_FALSE(QFileInfo::exists(pdf));
    {
        ScriptedModals script;
        script.PrintToPdf(pdf);
        Run(ID_FILE_PRINT);
    }
    EXPECT_GT(QFileInfo(pdf).size(), 0);
    EXPECT_FALSE(doc->m_bPaginated); // the job is over
}

TEST_F(PrintCommandTest, PreviewOpensOnceAndEndsTheJobWhenClosed)
{
    Place(AND_GATE, 500, -500);
    frame->Printer().setOutputFormat(QPrinter::PdfFormat);
    Run(ID_FILE_PRINT_PREVIEW);
    Run(ID_FILE_PRINT_PREVIEW);
    const QList<QPrintPreviewDialog*> previews = frame->findChildren<QPrintPreviewDialog*>();
    ASSERT_EQ(previews.size(), 1);
    const Qt::WindowFlags flags = previews[0]->windowFlags(); // a dialog: only a close button
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::CustomizeWindowHint) << "else the window manager adds its own";
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(doc->m_bPaginated);
    EXPECT_TRUE(Enabled(ID_VIEW_PAGINATION));
    previews[0]->close();
    EXPECT_FALSE(doc->m_bPaginated);
    EXPECT_TRUE(frame->BoardPane().PageOrigins().empty());
}
