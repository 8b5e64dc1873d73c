// No dialog runs while a drawing context paints on a surface that others own.
#include "platform/DialogGuard.h"
#include "platform/DrawContext.h"
#include "platform/ModalRunner.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

namespace {

// Runs a dialog with a handler that answers 1, and tells what happened.
struct Outcome {
    int result = -1;
    int answered = 0;
    int refused = 0;
};

Outcome AskADialog()
{
    Outcome outcome;
    ModalHandler previous = SetModalHandler([&outcome](QDialog&) {
        ++outcome.answered;
        return 1;
    });
    DialogRefusalHandler previousRefusal = SetDialogRefusalHandler([&outcome](QDialog&) { ++outcome.refused; });
    QDialog dialog;
    outcome.result = RunModal(dialog);
    SetDialogRefusalHandler(std::move(previousRefusal));
    SetModalHandler(std::move(previous));
    return outcome;
}

TEST(DialogGuard, ADialogIsRefusedWhileAContextPaintsOnAnImageOrAPrinter)
{
    QImage surface(40, 30, QImage::Format_RGB32);
    {
        CDC dc(surface);
        EXPECT_EQ(OpenDrawingContexts(), 1);
        const Outcome inside = AskADialog();
        EXPECT_EQ(inside.answered, 0);
        EXPECT_EQ(inside.refused, 1);
        EXPECT_EQ(inside.result, int(QDialog::Rejected)); // a question counts as "no"
    }
    EXPECT_EQ(OpenDrawingContexts(), 0);
    const Outcome after = AskADialog();
    EXPECT_EQ(after.answered, 1);
    EXPECT_EQ(after.refused, 0);
    EXPECT_EQ(after.result, 1);

    QTemporaryDir dir;
    QPdfWriter pdf(dir.filePath(QStringLiteral("pagina.pdf")));
    QPainter painter(&pdf);
    {
        CDC dc(painter, pdf.resolution(), true);
        EXPECT_EQ(AskADialog().refused, 1);
    }
    EXPECT_EQ(AskADialog().answered, 1);
}

TEST(DialogGuard, MemoryContextsAndContextsOnNothingDoNotCount)
{
    // A sprite's or a measuring context paints on an image of its own; a context on a
    // null image only maps coordinates.
    CMemoryDC sprite(16, 16);
    CMemoryDC measuring(0, 0);
    QImage none;
    CDC mapping(none);
    EXPECT_EQ(OpenDrawingContexts(), 0);
    EXPECT_EQ(AskADialog().answered, 1);
}

} // namespace
