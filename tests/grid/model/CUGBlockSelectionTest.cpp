#include "CUGBlockSelection.h"
#include "RecordingCtrl.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Range = RecordingCtrl::Range;
using Cells = std::vector<std::pair<int, long>>;

// Holds Shift and/or Ctrl down in the thread's keyboard state for the
// keyboard moves, and lets them go again.
class HeldKeys {
public:
    HeldKeys(bool shift, bool control)
    {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        keys[VK_CONTROL] = control ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    ~HeldKeys()
    {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    }
};

class Selection : public ::testing::Test {
protected:
    void SetUp() override
    {
        ctrl.SetColumns(10);
        ctrl.GridInfo->RowCount = 20;
        sel().SetMode(CUGBlockSelection::ModeCells);
    }

    CUGBlockSelection& sel() { return *ctrl.GridInfo->MultiSelect; }

    void Click(int col, long row, int keyFlags = 0)
    {
        sel().OnMove(CUGBlockSelection::MoveLeftButton, col, row, keyFlags);
    }

    void Key(int col, long row, bool shift = false, bool control = false)
    {
        HeldKeys held(shift, control);
        sel().OnMove(CUGBlockSelection::MoveKeyboard, col, row, 0);
    }

    Range CurrentBlock()
    {
        Range r{};
        EXPECT_EQ(sel().GetCurrentBlock(&r.startCol, &r.startRow, &r.endCol, &r.endRow), 0);
        return r;
    }

    Range TotalRange()
    {
        Range r{};
        EXPECT_EQ(sel().GetTotalRange(&r.startCol, &r.startRow, &r.endCol, &r.endRow), 0);
        return r;
    }

    std::pair<int, long> LastCell()
    {
        int col = -9;
        long row = -9;
        EXPECT_EQ(sel().GetLastCell(&col, &row), 0);
        return {col, row};
    }

    Cells Enumerate()
    {
        Cells cells;
        int col = 0;
        long row = 0;
        for (int more = sel().EnumFirstSelected(&col, &row); more == 0;
             more = sel().EnumNextSelected(&col, &row))
            cells.emplace_back(col, row);
        return cells;
    }

    RecordingCtrl ctrl;
};

}  // namespace

TEST_F(Selection, InactiveModeSelectsNothingAndAnswersTheCurrentCell)
{
    sel().SetMode(0);
    ctrl.GridInfo->CurrentCol = 4;
    ctrl.GridInfo->CurrentRow = 6;
    Click(2, 3);
    Key(5, 5, true);
    sel().StartBlock(1, 1);
    EXPECT_EQ(sel().ExtendBlock(2, 2), 0);
    EXPECT_EQ(sel().IsSelected(1, 1), 0);
    EXPECT_EQ(sel().GetBlockCount(), 0);

    int left = -9, right = -9;
    long top = -9, bottom = -9;
    EXPECT_EQ(sel().GetTotalRange(&left, &top, &right, &bottom), 1);
    EXPECT_EQ(sel().GetCurrentBlock(&left, &top, &right, &bottom), 0);
    EXPECT_EQ(left, -9);
    EXPECT_EQ(sel().GetLastCell(&left, &top), 1);

    EXPECT_EQ(Enumerate(), (Cells{{4, 6}}));
    EXPECT_TRUE(ctrl.ranges.empty());
    EXPECT_EQ(ctrl.redrawAllCount, 0);

    // An active selection without blocks also stands for the current cell.
    sel().SetMode(CUGBlockSelection::ModeCells);
    EXPECT_EQ(sel().GetTotalRange(&left, &top, &right, &bottom), 2);
    EXPECT_EQ(Enumerate(), (Cells{{4, 6}}));
}

TEST_F(Selection, ShiftClickExtendsTheBlockAndRepaintsTheChangedStrips)
{
    Click(2, 3);
    EXPECT_EQ(sel().GetBlockCount(), 1);
    EXPECT_TRUE(ctrl.ranges.empty());
    EXPECT_EQ(ctrl.redrawAllCount, 0);

    Click(4, 1, MK_SHIFT);
    EXPECT_EQ(CurrentBlock(), (Range{2, 1, 4, 3}));
    EXPECT_EQ(LastCell(), std::make_pair(2, 3L));  // the anchor stays current
    EXPECT_EQ(sel().GetBlockCount(), 2);
    // The corner moved from (2, 3) to (4, 1): rows 1..3, then columns 2..4.
    EXPECT_EQ(ctrl.ranges, (std::vector<Range>{{2, 1, 4, 3}, {2, 1, 4, 3}}));
    EXPECT_EQ(sel().IsSelected(3, 2), 1);
    EXPECT_EQ(sel().IsSelected(5, 2), 0);

    ctrl.ClearRecord();
    Click(3, 5, MK_SHIFT);
    EXPECT_EQ(CurrentBlock(), (Range{2, 3, 3, 5}));
    EXPECT_EQ(ctrl.ranges, (std::vector<Range>{{2, 1, 4, 5}, {3, 1, 4, 5}}));
    EXPECT_EQ(sel().GetBlockCount(), 2);
    EXPECT_EQ(sel().IsSelected(4, 1), 0);

    // A plain click repaints the old selection, then everything, and starts anew.
    ctrl.ClearRecord();
    Click(7, 7);
    EXPECT_EQ(ctrl.ranges, (std::vector<Range>{{2, 3, 3, 5}}));
    EXPECT_EQ(ctrl.redrawAllCount, 1);
    EXPECT_EQ(sel().GetBlockCount(), 1);
    EXPECT_EQ(sel().IsSelected(2, 3), 0);
    EXPECT_EQ(sel().IsSelected(7, 7), 1);
    EXPECT_EQ(LastCell(), std::make_pair(7, 7L));
}

TEST_F(Selection, CtrlClickAddsABlockAndShiftExtendsTheNewest)
{
    Click(1, 1);
    Click(5, 5, MK_CONTROL);
    EXPECT_EQ(sel().IsSelected(1, 1), 1);
    EXPECT_EQ(sel().IsSelected(5, 5), 1);
    EXPECT_EQ(sel().IsSelected(3, 3), 0);
    EXPECT_EQ(TotalRange(), (Range{1, 1, 5, 5}));
    EXPECT_EQ(LastCell(), std::make_pair(5, 5L));
    EXPECT_EQ(ctrl.redrawAllCount, 0);

    Click(5, 5, MK_CONTROL);  // the same cell again is no new move
    EXPECT_EQ(sel().GetBlockCount(), 2);

    Click(6, 7, MK_SHIFT);
    EXPECT_EQ(CurrentBlock(), (Range{5, 5, 6, 7}));
    EXPECT_EQ(sel().IsSelected(1, 1), 1);
    EXPECT_EQ(Enumerate(), (Cells{{1, 1}, {5, 5}, {6, 5}, {5, 6}, {6, 6}, {5, 7}, {6, 7}}));
}

TEST_F(Selection, RightClickKeepsASelectionItHits)
{
    Click(1, 1);
    Click(3, 3, MK_SHIFT);
    ctrl.ClearRecord();

    sel().OnMove(CUGBlockSelection::MoveRightButton, 2, 2, 0);
    EXPECT_TRUE(ctrl.ranges.empty());
    EXPECT_EQ(CurrentBlock(), (Range{1, 1, 3, 3}));

    sel().OnMove(CUGBlockSelection::MoveRightButton, 8, 8, MK_CONTROL);
    EXPECT_EQ(ctrl.ranges, (std::vector<Range>{{1, 1, 3, 3}}));
    EXPECT_EQ(ctrl.redrawAllCount, 1);
    EXPECT_EQ(CurrentBlock(), (Range{8, 8, 8, 8}));
    EXPECT_EQ(sel().IsSelected(2, 2), 0);
}

TEST_F(Selection, KeyboardMovesFollowShiftAndCtrl)
{
    Key(2, 2);
    Key(4, 4, true);
    EXPECT_EQ(CurrentBlock(), (Range{2, 2, 4, 4}));
    EXPECT_EQ(LastCell(), std::make_pair(2, 2L));

    Key(6, 6, false, true);
    EXPECT_EQ(CurrentBlock(), (Range{6, 6, 6, 6}));
    EXPECT_EQ(sel().IsSelected(3, 3), 1);
    EXPECT_EQ(ctrl.redrawAllCount, 0);

    Key(7, 7);
    EXPECT_EQ(ctrl.redrawAllCount, 1);
    EXPECT_EQ(sel().IsSelected(3, 3), 0);
    EXPECT_EQ(sel().IsSelected(6, 6), 0);
    EXPECT_EQ(CurrentBlock(), (Range{7, 7, 7, 7}));

    // The cell of the last mouse move is no keyboard move at all.
    Click(1, 1, MK_CONTROL);
    Key(1, 1);
    EXPECT_EQ(sel().IsSelected(7, 7), 1);
}

TEST_F(Selection, DragAndScrollMovesExtendTheBlock)
{
    Click(2, 2);
    ctrl.ClearRecord();
    sel().OnMove(CUGBlockSelection::MoveDrag, 3, 4, 0);
    EXPECT_EQ(CurrentBlock(), (Range{2, 2, 3, 4}));
    sel().OnMove(CUGBlockSelection::MoveScrollBar, 5, 4, 0);
    EXPECT_EQ(CurrentBlock(), (Range{2, 2, 5, 4}));
    EXPECT_EQ(ctrl.ranges, (std::vector<Range>{{2, 2, 3, 4}, {2, 2, 3, 4}, {3, 2, 5, 4}}));
    EXPECT_EQ(LastCell(), std::make_pair(2, 2L));

    // Back inside the block: the strips between the corners repaint.
    ctrl.ClearRecord();
    sel().OnMove(CUGBlockSelection::MoveDrag, 4, 3, 0);
    EXPECT_EQ(CurrentBlock(), (Range{2, 2, 4, 3}));
    EXPECT_EQ(ctrl.ranges, (std::vector<Range>{{2, 3, 5, 4}, {4, 2, 5, 4}}));

    // A drag onto the cell of the last click is no move.
    Click(8, 8, MK_CONTROL);
    sel().OnMove(CUGBlockSelection::MoveDrag, 8, 8, 0);
    EXPECT_EQ(sel().GetBlockCount(), 3);
}

TEST_F(Selection, RowModeBlocksSpanEveryColumn)
{
    sel().SetMode(CUGBlockSelection::ModeRows);
    Click(3, 2);
    EXPECT_EQ(sel().IsSelected(0, 2), 1);
    EXPECT_EQ(sel().IsSelected(10, 2), 1);
    EXPECT_EQ(sel().IsSelected(11, 2), 0);
    EXPECT_EQ(sel().IsSelected(3, 3), 0);

    Click(7, 4, MK_SHIFT);
    EXPECT_EQ(CurrentBlock(), (Range{0, 2, 10, 4}));
    EXPECT_EQ(ctrl.ranges, (std::vector<Range>{{0, 2, 10, 4}, {3, 2, 7, 4}}));
}

TEST_F(Selection, OverlappingBlocksAnswerTheLastOrWithBit16TheFirst)
{
    auto build = [this] {
        Click(1, 1);
        Click(4, 4, MK_SHIFT);
        Click(3, 3, MK_CONTROL);
        Click(6, 6, MK_SHIFT);
    };
    build();
    int index = -1;
    EXPECT_EQ(sel().IsSelected(3, 3, &index), 1);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(sel().IsSelected(2, 2, &index), 1);
    EXPECT_EQ(index, 0);

    sel().SetMode(CUGBlockSelection::ModeCells | CUGBlockSelection::ModeFirstBlockWins);
    EXPECT_EQ(sel().IsSelected(3, 3), 0);  // SetMode cleared the blocks
    build();
    EXPECT_EQ(sel().IsSelected(3, 3, &index), 1);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(sel().IsSelected(5, 5, &index), 1);
    EXPECT_EQ(index, 1);
}

TEST_F(Selection, ClearAllRepaintsEverythingOnlyAfterAnExtension)
{
    Click(1, 1);
    sel().ClearAll();
    EXPECT_EQ(ctrl.redrawAllCount, 0);
    EXPECT_EQ(sel().GetBlockCount(), 0);
    int col = 0;
    long row = 0;
    EXPECT_EQ(sel().GetLastCell(&col, &row), 1);
    EXPECT_EQ(sel().ExtendBlock(2, 2), 1);

    Click(1, 1);
    Click(2, 2, MK_SHIFT);
    sel().ClearAll();
    EXPECT_EQ(ctrl.redrawAllCount, 1);

    // Going away with an extended block repaints nothing.
    {
        CUGBlockSelection doomed;
        doomed.SetOwner(&ctrl, ctrl.GridInfo);
        doomed.SetMode(CUGBlockSelection::ModeCells);
        doomed.StartBlock(1, 1);
        doomed.ExtendBlock(3, 3);
    }
    EXPECT_EQ(ctrl.redrawAllCount, 1);
}

TEST_F(Selection, EnumerationScansRowsOfTheUnionFromTheLeft)
{
    ctrl.GridInfo->CurrentCol = 1;
    ctrl.GridInfo->CurrentRow = 1;
    Click(1, 1);
    Click(2, 2, MK_SHIFT);
    Click(4, 1, MK_CONTROL);
    Click(4, 3, MK_SHIFT);
    EXPECT_EQ(Enumerate(), (Cells{{1, 1}, {2, 1}, {4, 1}, {1, 2}, {2, 2}, {4, 2}, {4, 3}}));
    int col = 0;
    long row = 0;
    EXPECT_EQ(sel().EnumNextSelected(&col, &row), 1);

    sel().ClearAll();
    EXPECT_EQ(sel().EnumNextSelected(&col, &row), 1);
}
