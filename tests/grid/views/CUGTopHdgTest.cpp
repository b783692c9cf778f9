// The column heading, the row heading and the corner button as the mouse
// meets them: which edges size what, what the owner is asked and told, and
// the cursor over each place.
#include "CClientDC.h"
#include "CUGCnrBtn.h"
#include "CUGSideHdg.h"
#include "CUGTopHdg.h"
#include "RecordingGrid.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Five 75-pixel columns and fifty rows in a 400 x 300 frame; the column
// heading starts right of the 40-pixel row heading. The log also has the
// row heading's width reports, and not the layout lines of every size change.
class HeadingGrid : public RecordingGrid {
public:
    GridTestFrame frame{*this, 400, 300};
    HeadingGrid()
    {
        SetColumnCount(5);
        SetRowCount(50);
        log.Clear();
    }
    int NotifyRowHeadingResizing(int* width) override { return Note("RowHeadingResizing %d", *width), 1; }
    int NotifyRowHeadingResized(int* width) override { return Note("RowHeadingResized %d", *width), 1; }
    void NotifyLayout(RECT*, RECT*, RECT*, RECT*, RECT*, RECT*, RECT*) override {}
    std::string TakeLog()
    {
        std::string joined;
        for (const std::string& line : log.Lines())
            joined += (joined.empty() ? "" : "; ") + line;
        log.Clear();
        return joined;
    }
};

void Send(CWnd* window, UINT message, WPARAM flags, POINT p)
{
    ::SendMessageW(window->m_hWnd, message, flags, MAKELPARAM(p.x, p.y));
}

HCURSOR Cursor(LPCWSTR id) { return ::LoadCursorW(nullptr, id); }

}  // namespace

// Hovering finds an edge within 2 pixels and asks the owner, who may forbid
// it; a press there and a drag size what the edge belongs to, with reports
// while dragging and at the release. Elsewhere a press is a click.
TEST(Headings, EdgesSizeWhatTheyBelongTo)
{
    auto width = [](int col) { return [col](CUGCtrl& g) { return g.GetColumnWidth(col); }; };
    const auto headingHeight = [](CUGCtrl& g) { return g.GridInfo->ColumnHeadingHeight; };
    const auto headingWidth = [](CUGCtrl& g) { return g.GridInfo->RowHeadingWidth; };
    const struct {
        const char* name;
        char part;  // Top, Side or Corner
        POINT from, to;
        LPCWSTR cursor;  // over `from`; null where no edge is found
        const char* log;
        std::function<int(CUGCtrl&)> size;
        int expected;
        int allow = 1;
        int hiddenColumn = -1;
    } cases[] = {
        {"column edge", 'T', {77, 10}, {97, 10}, IDC_SIZEWE,
         "AskResizeColumn 0; ColumnResizing 0 95; ColumnResized 0 95", width(0), 95},
        {"three pixels beside it", 'T', {78, 10}, {120, 10}, nullptr,
         "ColumnHeadingLeftButton 1 -1 1; ColumnHeadingLeftButton 1 -1 0", width(0), 75},
        {"far past the left end", 'T', {75, 10}, {-200, 10}, IDC_SIZEWE,
         "AskResizeColumn 0; ColumnResizing 0 0; ColumnResized 0 0", width(0), 0},
        {"edge before a hidden column", 'T', {75, 10}, {95, 10}, IDC_SIZEWE,
         "AskResizeColumn 1; ColumnResizing 1 20; ColumnResized 1 20", width(1), 20, 1, 1},
        {"column edge forbidden", 'T', {75, 10}, {120, 10}, nullptr,
         "AskResizeColumn 0; ColumnHeadingLeftButton 1 -1 1; ColumnHeadingLeftButton 1 -1 0",
         width(0), 75, 0},
        {"bottom edge", 'T', {30, 19}, {30, 40}, IDC_SIZENS,
         "AskResizeColumnHeading; ColumnHeadingResizing 41; ColumnHeadingResized 41", headingHeight, 41},
        {"bottom edge forbidden", 'T', {30, 19}, {30, 40}, nullptr,
         "AskResizeColumnHeading; ColumnHeadingLeftButton 0 -1 1", headingHeight, 20, 0},
        {"row edge", 'S', {10, 41}, {10, 51}, IDC_SIZENS, "AskResizeRow 1; RowResizing 1 30; RowResized 1 30",
         [](CUGCtrl& g) { return g.GetRowHeight(1); }, 30},
        {"row heading edge", 'S', {39, 30}, {60, 30}, IDC_SIZEWE,
         "AskResizeRowHeading; RowHeadingResizing 61; RowHeadingResized 61", headingWidth, 61},
        {"corner's right edge", 'C', {37, 5}, {60, 5}, IDC_SIZEWE, "AskResizeRowHeading; RowHeadingResizing 60",
         headingWidth, 60},
        {"corner's bottom edge", 'C', {10, 18}, {10, 30}, IDC_SIZENS,
         "AskResizeColumnHeading; ColumnHeadingResizing 30", headingHeight, 30},
        {"inside the corner", 'C', {36, 5}, {60, 15}, nullptr, "", headingWidth, 40},
    };
    for (const auto& test : cases) {
        HeadingGrid grid;
        grid.allowResize = test.allow;
        if (test.hiddenColumn >= 0)
            grid.SetColumnWidth(test.hiddenColumn, 0);
        grid.SetUniformRowHeight(0);
        grid.log.Clear();
        CWnd* window = test.part == 'T'   ? static_cast<CWnd*>(grid.GetColumnHeading())
                       : test.part == 'S' ? static_cast<CWnd*>(grid.GetRowHeading())
                                          : grid.GetCornerButton();
        ::SetCursor(Cursor(IDC_CROSS));
        Send(window, WM_MOUSEMOVE, 0, test.from);
        EXPECT_EQ(::GetCursor(), Cursor(test.cursor ? test.cursor : IDC_CROSS)) << test.name;
        ::SendMessageW(window->m_hWnd, WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(::GetCursor(), Cursor(test.cursor ? test.cursor : IDC_ARROW)) << test.name;
        Send(window, WM_LBUTTONDOWN, MK_LBUTTON, test.from);
        Send(window, WM_MOUSEMOVE, MK_LBUTTON, test.to);
        Send(window, WM_LBUTTONUP, 0, test.to);
        EXPECT_EQ(grid.TakeLog(), test.log) << test.name;
        EXPECT_EQ(test.size(grid), test.expected) << test.name;
    }
}

// Each heading cell is drawn from its own cell. A double click on a column
// edge fits the column to its content, and the edge that moved away from the
// pointer is no longer taken by a press. The topmost heading row takes what
// the others leave of the heading height.
TEST(Headings, CellsBestFitAndHeadingRowHeights)
{
    HeadingGrid grid;
    grid.QuickSetBackColor(-1, 2, RGB(255, 0, 0));
    grid.QuickSetBackColor(1, -1, RGB(0, 0, 255));
    grid.RedrawAll();
    EXPECT_EQ(::GetPixel(CClientDC(grid.GetRowHeading()), 20, 50), RGB(255, 0, 0));
    EXPECT_NE(::GetPixel(CClientDC(grid.GetRowHeading()), 20, 70), RGB(255, 0, 0));
    EXPECT_EQ(::GetPixel(CClientDC(grid.GetColumnHeading()), 110, 10), RGB(0, 0, 255));

    CUGTopHdg* top = grid.GetColumnHeading();
    Send(top, WM_MOUSEMOVE, 0, {75, 10});
    Send(top, WM_LBUTTONDBLCLK, MK_LBUTTON, {75, 10});
    ASSERT_NE(grid.GetColumnWidth(0), 75);
    grid.log.Clear();
    Send(top, WM_LBUTTONDOWN, MK_LBUTTON, {75, 10});
    EXPECT_NE(grid.TakeLog().find("ColumnHeadingLeftButton"), std::string::npos);

    grid.SetColumnHeadingRowCount(2);
    grid.SetColumnHeadingRowHeight(-1, 10);
    grid.GridInfo->ColumnHeadingHeight = 33;
    top->RepaintNow();
    EXPECT_EQ(top->GetHeadingRowHeight(-2), 23);
}

// Dropping column 2 on the left half of column 4 (its middle pixel
// included) asks to move it before column 4, that is to position 3 once it
// has left its own place. A refused move leaves the columns as they were.
TEST(Headings, ColumnMoveAsksWithTheTargetPosition)
{
    HeadingGrid grid;
    grid.EnableColumnSwapping(1);
    grid.QuickSetText(2, 0, L"moved");
    auto move = [&](int from, int to) {
        Send(grid.GetColumnHeading(), WM_LBUTTONDOWN, MK_LBUTTON, {from, 10});
        Send(grid.GetColumnHeading(), WM_MOUSEMOVE, MK_LBUTTON, {to, 10});
        Send(grid.GetColumnHeading(), WM_LBUTTONUP, 0, {to, 10});
        CString text;
        grid.QuickGetText(3, 0, &text);
        return text;
    };
    EXPECT_EQ(move(160, 4 * 75 + 37), L"moved");
    EXPECT_NE(grid.TakeLog().find("AskColumnMove 2 3"), std::string::npos);
    grid.allowColumnMove = 0;
    EXPECT_EQ(move(3 * 75 + 10, 10), L"moved");
}
