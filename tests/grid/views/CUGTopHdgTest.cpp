#include "CUGCnrBtn.h"
#include "CUGCtrl.h"
#include "CUGSideHdg.h"
#include "CUGTopHdg.h"
#include "RecordingGrid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Lines = std::vector<std::string>;

namespace {

LPARAM At(int x, int y)
{
    return MAKELPARAM(x, y);
}

// The log without the layout lines that every size change brings.
Lines WithoutLayout(const Lines& lines)
{
    Lines kept;
    for (const std::string& line : lines) {
        if (line.rfind("Layout ", 0) != 0)
            kept.push_back(line);
    }
    return kept;
}

// A grid of five 75-pixel columns and fifty rows in a 400 x 300 frame; the
// column heading starts right of the 40-pixel row heading.
struct HeadingFixture : testing::Test {
    RecordingGrid grid;
    GridTestFrame frame{grid, 400, 300};
    HWND top = nullptr;
    HWND side = nullptr;

    void SetUp() override
    {
        grid.SetColumnCount(5);
        grid.SetRowCount(50);
        grid.AdjustComponentSizes();
        top = grid.GetColumnHeading()->m_hWnd;
        side = grid.GetRowHeading()->m_hWnd;
        grid.log.Clear();
    }

    // Presses at `from`, moves to `to` and releases there.
    void Drag(HWND window, POINT from, POINT to)
    {
        SendMessageW(window, WM_MOUSEMOVE, 0, At(from.x, from.y));
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(from.x, from.y));
        SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, At(to.x, to.y));
        SendMessageW(window, WM_LBUTTONUP, 0, At(to.x, to.y));
    }
};

}  // namespace

// Sizing a column by its heading edge: the edge is found within 2 pixels of
// it, the owner is asked, told while dragging and at the release, and the
// width follows the pointer.
TEST_F(HeadingFixture, ColumnEdgeDragAsksReportsAndSizes)
{
    Drag(top, {77, 10}, {97, 10});
    EXPECT_EQ(WithoutLayout(grid.log.Lines()),
              (Lines{"AskResizeColumn 0", "ColumnResizing 0 95", "ColumnResized 0 95"}));
    EXPECT_EQ(grid.GetColumnWidth(0), 95);

    // Three pixels away is no edge: the press is a click on the heading.
    grid.log.Clear();
    Drag(top, {95 + 3, 10}, {120, 10});
    EXPECT_EQ(grid.GetColumnWidth(0), 95);
    EXPECT_EQ(grid.log.Lines().front(), "ColumnHeadingLeftButton 1 -1 1");
}

// A drag far past the column's left edge leaves the width at 0, and the
// edge of a column followed by a hidden one sizes the hidden column.
TEST_F(HeadingFixture, WidthsNeverGoNegativeAndHiddenColumnsOpen)
{
    Drag(top, {75, 10}, {-200, 10});
    EXPECT_EQ(grid.GetColumnWidth(0), 0);

    grid.SetColumnWidth(0, 75);
    grid.SetColumnWidth(2, 0);
    grid.log.Clear();
    Drag(top, {150, 10}, {170, 10});
    EXPECT_EQ(grid.log.Lines().front(), "AskResizeColumn 2");
    EXPECT_EQ(grid.GetColumnWidth(2), 20);
    EXPECT_EQ(grid.GetColumnWidth(1), 75);
}

// An owner that forbids sizing keeps the edge from being found at all; the
// heading height is sized by the bottom edge unless the owner says no.
TEST_F(HeadingFixture, OwnerCanForbidSizing)
{
    grid.allowResize = 0;
    Drag(top, {75, 10}, {120, 10});
    EXPECT_EQ(grid.GetColumnWidth(0), 75);
    Drag(top, {30, 19}, {30, 40});
    EXPECT_EQ(grid.GridInfo->ColumnHeadingHeight, 20);

    grid.allowResize = 1;
    grid.log.Clear();
    Drag(top, {30, 19}, {30, 40});
    EXPECT_EQ(grid.GridInfo->ColumnHeadingHeight, 41);
    EXPECT_EQ(WithoutLayout(grid.log.Lines()).back(), "ColumnHeadingResized 41");
}

// Moving column 2 onto the left half of column 4 asks to move it before
// column 4, that is to position 3 once it has left its own place.
TEST_F(HeadingFixture, ColumnMoveAsksWithTheTargetPosition)
{
    grid.EnableColumnSwapping(1);
    grid.QuickSetText(2, 0, L"moved");
    const int left4 = 4 * 75;
    SendMessageW(top, WM_LBUTTONDOWN, MK_LBUTTON, At(160, 10));
    SendMessageW(top, WM_MOUSEMOVE, MK_LBUTTON, At(left4 + 10, 10));
    SendMessageW(top, WM_LBUTTONUP, 0, At(left4 + 10, 10));
    const Lines& lines = grid.log.Lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "AskColumnMove 2 3"), lines.end());
    CString text;
    grid.QuickGetText(3, 0, &text);
    EXPECT_EQ(text, L"moved");

    // A refused move leaves the columns where they are.
    grid.allowColumnMove = 0;
    SendMessageW(top, WM_LBUTTONDOWN, MK_LBUTTON, At(3 * 75 + 10, 10));
    SendMessageW(top, WM_MOUSEMOVE, MK_LBUTTON, At(10, 10));
    SendMessageW(top, WM_LBUTTONUP, 0, At(10, 10));
    grid.QuickGetText(3, 0, &text);
    EXPECT_EQ(text, L"moved");
}

// The topmost heading row takes what the others leave of the heading height.
TEST_F(HeadingFixture, RepaintNowGivesTheTopRowTheRestOfTheHeight)
{
    grid.GridInfo->ColumnHeadingHeight = 33;
    grid.GetColumnHeading()->RepaintNow();
    EXPECT_EQ(grid.GetColumnHeading()->GetHeadingRowHeight(-1), 33);

    grid.SetColumnHeadingRowCount(2);
    grid.SetColumnHeadingRowHeight(-1, 10);
    grid.GetColumnHeading()->RepaintNow();
    EXPECT_EQ(grid.GetColumnHeading()->GetHeadingRowHeight(-2), 23);
}

// Row edges size rows the same way, and the corner sizes the heading width
// only from its last three pixels.
TEST_F(HeadingFixture, RowEdgesAndTheCornerSize)
{
    grid.SetUniformRowHeight(0);
    Drag(side, {10, 41}, {10, 51});
    EXPECT_EQ(grid.GetRowHeight(1), 30);
    EXPECT_EQ(grid.log.Lines().front(), "AskResizeRow 1");

    HWND corner = grid.GetCornerButton()->m_hWnd;
    Drag(corner, {36, 5}, {60, 5});
    EXPECT_EQ(grid.GridInfo->RowHeadingWidth, 40);
    Drag(corner, {37, 5}, {60, 5});
    EXPECT_EQ(grid.GridInfo->RowHeadingWidth, 60);
}

// With 0 to 3 locked columns and rows, scrolled or not, every heading cell in
// view spans exactly its column's (row's) cells, and the point at its centre
// hits it, with the same rectangle, in either of two heading rows (columns).
// Column widths and row heights differ, so a heading that counted the locked
// strip twice or walked the wrong columns lands on another one.
TEST_F(HeadingFixture, HeadingsLineUpWithTheirCellsWhateverIsLocked)
{
    grid.SetColumnCount(20);
    grid.SetUniformRowHeight(0);
    for (int i = 0; i < 20; ++i) {
        grid.SetColumnWidth(i, 40 + 7 * i);
        grid.SetRowHeight(i, 15 + 3 * i);
    }
    grid.SetColumnHeadingRowCount(2);
    grid.SetColumnHeadingRowHeight(-2, 12);
    grid.SetColumnHeadingRowHeight(-1, 8);
    grid.SetRowHeadingColumnCount(2);
    grid.SetColumnWidth(-2, 25);
    grid.SetColumnWidth(-1, 15);
    CUGTopHdg* columnHeading = grid.GetColumnHeading();
    CUGSideHdg* rowHeading = grid.GetRowHeading();
    CUGGridInfo* gi = grid.GridInfo;
    for (int locked = 0; locked <= 3; ++locked) {
        for (int scrolled : {0, 2}) {
            SCOPED_TRACE(testing::Message() << locked << " locked, scrolled by " << scrolled);
            grid.SetLockedColumns(locked);
            grid.SetLockedRows(locked);
            grid.SetLeftColumn(locked + scrolled);
            grid.SetTopRow(locked + scrolled);
            ASSERT_EQ(gi->LeftCol, locked + scrolled);
            ASSERT_EQ(gi->TopRow, locked + scrolled);
            for (int i = 0; i < 20; ++i) {
                int col = i;
                long row = i;
                RECT cells{};
                RECT heading{};
                int hitCol = 0;
                long hitRow = 0;
                RECT hit{};
                const int part = -1 - i % 2;  // the heading row or column
                grid.GetCellRect(col, row, cells);
                columnHeading->GetHeadingCellRect(i, part, heading);
                EXPECT_EQ(heading.left, cells.left) << "column " << i;
                EXPECT_EQ(heading.right, cells.right) << "column " << i;
                if (heading.right > heading.left && heading.left < gi->GridWidth) {
                    const POINT centre{(heading.left + heading.right) / 2,
                                       (heading.top + heading.bottom) / 2};
                    EXPECT_EQ(columnHeading->HitTestHeading(centre, hitCol, hitRow, hit), 0);
                    EXPECT_EQ(hitCol, i);
                    EXPECT_EQ(hitRow, part);
                    EXPECT_TRUE(EqualRect(&hit, &heading)) << "column " << i;
                }
                if (cells.top >= gi->GridHeight)
                    continue;
                rowHeading->GetHeadingCellRect(part, i, heading);
                EXPECT_EQ(heading.top, cells.top) << "row " << i;
                EXPECT_EQ(heading.bottom, cells.bottom) << "row " << i;
                if (heading.bottom > heading.top) {
                    const POINT centre{(heading.left + heading.right) / 2,
                                       (heading.top + heading.bottom) / 2};
                    EXPECT_EQ(rowHeading->HitTestHeading(centre, hitCol, hitRow, hit), 0);
                    EXPECT_EQ(hitRow, i);
                    EXPECT_EQ(hitCol, part);
                    EXPECT_TRUE(EqualRect(&hit, &heading)) << "row " << i;
                }
            }
        }
    }
}
