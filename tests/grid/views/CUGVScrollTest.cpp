// The scroll bars of a grid of 60 columns in a 400 x 300 frame.
#include "CUGHScroll.h"
#include "CUGVScroll.h"
#include "RecordingGrid.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// A sheet whose last possible top row is `maxTopRow`.
struct Framed {
    RecordingGrid grid;
    GridTestFrame frame{grid, 400, 300};
    CUGVScroll* bar = grid.GetVScrollBar();
    explicit Framed(long maxTopRow, int lockedRows = 0)
    {
        grid.SetColumnCount(60);
        grid.SetRowCount(10);
        grid.SetLockedRows(lockedRows);
        grid.SetRowCount(maxTopRow + 1000);
        grid.SetRowCount(maxTopRow + 1000 - (grid.GridInfo->MaxTopRow - maxTopRow));
        bar->Update();
    }
};

}  // namespace

// Every code of both bars moves the sheet, unknown codes nothing, and the
// thumb then shows where the sheet is: the top row, or the left column
// counted from the first column after the locked ones.
TEST(ScrollBars, CodesMoveTheSheetAndTheThumbFollows)
{
    Framed f(480);
    CUGGridInfo* gi = f.grid.GridInfo;
    f.grid.SetLockedColumns(2);
    EXPECT_EQ(f.bar->GetToolTipWindow(), nullptr) << "no tips without scroll hints";
    const struct {
        bool vertical;
        UINT code;
        long low, high;  // where the top row or left column ends, from 20; -1: the last
    } cases[] = {
        {true, SB_LINEUP, 19, 19},        {true, SB_LINEDOWN, 21, 21},      {true, SB_PAGEUP, 0, 17},
        {true, SB_PAGEDOWN, 23, 480},     {true, SB_TOP, 0, 0},             {true, SB_BOTTOM, -1, -1},
        {true, SB_THUMBPOSITION, 30, 30}, {true, SB_BOTTOM + 1, 20, 20},    {false, SB_LINELEFT, 19, 19},
        {false, SB_LINERIGHT, 21, 21},    {false, SB_PAGELEFT, 2, 18},      {false, SB_PAGERIGHT, 22, 59},
        {false, SB_LEFT, 2, 2},           {false, SB_RIGHT, -1, -1},        {false, SB_THUMBPOSITION, 32, 32},
        {false, SB_RIGHT + 1, 20, 20},
    };
    for (const auto& test : cases) {
        f.grid.SetTopRow(20);
        f.grid.SetLeftColumn(20);
        test.vertical ? f.bar->OnScroll(test.code, 30) : f.grid.GetHScrollBar()->OnScroll(test.code, 30);
        const long at = test.vertical ? gi->TopRow : gi->LeftCol;
        const long last = test.vertical ? gi->MaxTopRow : gi->MaxLeftCol;
        EXPECT_GE(at, test.low < 0 ? last : test.low) << test.vertical << " code " << test.code;
        EXPECT_LE(at, test.high < 0 ? last : test.high) << test.vertical << " code " << test.code;
        EXPECT_EQ(f.bar->GetScrollPos(), gi->TopRow);
        EXPECT_EQ(f.grid.GetHScrollBar()->GetScrollPos(), gi->LeftCol - gi->LockedCols);
    }
    gi->HScrollThumbMode = 1;  // the sheet follows the dragged thumb; the drag ends unreleased
    f.grid.GetHScrollBar()->OnScroll(SB_THUMBTRACK, 7);
    f.grid.GetHScrollBar()->OnScroll(SB_ENDSCROLL, 0);
    EXPECT_EQ(f.grid.GetHScrollBar()->GetScrollPos() * 100 + gi->LeftCol, 7 * 100 + 9);
}

// Above 1000 possible top rows the bar works in 1000 positions, from the
// first row after the locked ones. While the thumb is dragged in live mode
// the sheet follows it; the thumb is where the sheet is once the drag ends,
// released or not.
TEST(ScrollBars, LongSheetsAreScaledToAThousandPositions)
{
    for (const auto& [maxTopRow, locked, scaled] : {std::tuple{1000L, 0, false}, {1001L, 2, true}}) {
        Framed f(maxTopRow, locked);
        SCROLLINFO info{sizeof info, SIF_ALL};
        f.bar->GetScrollInfo(&info);
        EXPECT_EQ(info.nMin, locked);
        EXPECT_EQ(info.nMax, scaled ? 1000 : int(info.nPage) + 999) << maxTopRow;
    }
    Framed f(5000);
    f.grid.GridInfo->VScrollThumbMode = 1;
    f.bar->OnScroll(SB_THUMBTRACK, 700);
    EXPECT_EQ(f.grid.GetTopRow(), 3500);
    f.bar->OnScroll(SB_THUMBPOSITION, 1000);
    EXPECT_EQ(f.bar->GetScrollPos() * 10000 + f.grid.GetTopRow(), 1000 * 10000 + 5000);
    f.bar->OnScroll(SB_THUMBTRACK, 300);
    f.bar->OnScroll(SB_ENDSCROLL, 0);
    EXPECT_EQ(f.bar->GetScrollPos() * 10000 + f.grid.GetTopRow(), 300 * 10000 + 1500);
    f.bar->OnScroll(SB_LINEDOWN, 0);
    EXPECT_EQ(f.bar->GetScrollPos(), 300);
}
