// The bookkeeping of the undo history: which board an undo and a redo give, where the
// saved board is after the history was cut, and the permissions each step keeps.
#include "document/UndoHistory.h"

#include <gtest/gtest.h>

namespace {

QByteArray Board(int n)
{
    return QByteArray::number(n);
}

TEST(UndoHistoryTest, StepsCutAndForgottenKeepTheSavedBoardInPlace)
{
    CUndoHistory history;
    history.Reset(Board(0), true);
    EXPECT_FALSE(history.Record(Board(0), 1)) << "the same board is no step";
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(history.Record(Board(i), i * 2));
    EXPECT_EQ(history.UndoPermissions(), 6);
    EXPECT_EQ(history.Undo(), Board(2));
    EXPECT_EQ(history.RedoPermissions(), 6);
    EXPECT_EQ(history.Undo(), Board(1));
    history.MarkSaved();
    EXPECT_EQ(history.Undo(), Board(0));
    EXPECT_FALSE(history.IsAtSaved()) << "the opened board is no longer the file's";
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.Undo(), Board(0)) << "nothing before the first";

    // A new change here drops 1 to 3, and the saved board with them.
    EXPECT_TRUE(history.Record(Board(9), 0));
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.StepCount(), 1);
    EXPECT_EQ(history.Undo(), Board(0));
    EXPECT_FALSE(history.IsAtSaved());

    // Past the limit the oldest go; the saved mark moves with the boards it names.
    history.Reset(Board(0), false);
    history.Record(Board(1), 0);
    history.MarkSaved();
    for (int i = 2; i <= CUndoHistory::kMaxSteps + 1; ++i)
        history.Record(Board(i), 0);
    EXPECT_EQ(history.StepCount(), CUndoHistory::kMaxSteps);
    for (int i = 0; i < CUndoHistory::kMaxSteps; ++i)
        history.Undo();
    EXPECT_EQ(history.Current(), Board(1));
    EXPECT_TRUE(history.IsAtSaved());

    // The saved board itself forgotten: no board in the history is the file's.
    history.Reset(Board(0), true);
    for (int i = 1; i <= CUndoHistory::kMaxSteps + 1; ++i)
        history.Record(Board(i), 0);
    while (history.CanUndo())
        history.Undo();
    EXPECT_EQ(history.Current(), Board(1));
    EXPECT_FALSE(history.IsAtSaved());
}

TEST(UndoHistoryTest, ARebaseChangesTheCurrentBoardWithoutAStep)
{
    CUndoHistory history;
    history.Reset(Board(0), true);
    history.Record(Board(1), 0);
    history.Rebase(Board(11));
    EXPECT_EQ(history.StepCount(), 1);
    EXPECT_FALSE(history.Record(Board(11), 0));
    EXPECT_EQ(history.Undo(), Board(0));
    EXPECT_EQ(history.Redo(), Board(11));
}

} // namespace
