// The column heading, the row heading and the corner button as the mouse
// meets them: which edges size what, what the owner is asked and told, and
// the cursor over each place.
#include "CClientDC.h"
#include "CUGCellType.h"
#include "CUGCnrBtn.h"
#include "CUGGrid.h"
#include "CUGSideHdg.h"
#include "CUGTopHdg.h"
#include "RecordingGrid.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// Five 75-pixel columns and fifty rows of free heights in a 400 x 300 frame;
// the column heading starts right of the 40-pixel row heading. The log also
// has the row heading's width reports, and not the layout of every change.
class HeadingGrid : public RecordingGrid {
public:
    GridTestFrame frame{*this, 400, 300};
    HeadingGrid()
    {
        SetColumnCount(5);
        SetRowCount(50);
        SetUniformRowHeight(0);
        log.Clear();
    }
    int NotifyRowHeadingResizing(int* width) override
    {
        Note("RowHeadingResizing %d", *width);
        return 1;
    }
    int NotifyRowHeadingResized(int* width) override
    {
        Note("RowHeadingResized %d", *width);
        return 1;
    }
    void NotifyLayout(RECT*, RECT*, RECT*, RECT*, RECT*, RECT*, RECT*) override {}
};

// The heading cells draw through this type, which notes each column
// heading cell drawn and the text of each row heading cell drawn.
class HeadingDrawLog : public CUGCellType {
public:
    std::vector<int> cols;
    std::wstring rowTexts;
    void OnDraw(CDC*, RECT*, int col, long row, CUGCell* cell, int, int) override
    {
        if (col >= 0 && row < 0)
            cols.push_back(col);
        if (col < 0 && row >= 0)
            rowTexts += std::wstring(cell->GetText() ? cell->GetText() : L"") + L"|";
    }
};

// Twenty columns whose headings draw through `drawn`, painted once.
struct DrawnHeadingGrid : HeadingGrid {
    HeadingDrawLog drawn;
    CUGTopHdg* heading = GetColumnHeading();
    DrawnHeadingGrid()
    {
        CUGCell cell;
        cell.SetCellType(AddCellType(&drawn));
        SetHeadingDefault(&cell);
        SetColumnCount(20);
        Repaint();
    }
    // The columns drawn by a repaint of the whole heading.
    std::vector<int> Repaint()
    {
        PumpMessagesFor(10);
        drawn.cols.clear();
        heading->Invalidate(TRUE);
        heading->UpdateWindow();
        return drawn.cols;
    }
};

}  // namespace

// Hovering finds an edge within 2 pixels and asks the owner, who may forbid
// it; a press there and a drag size what the edge belongs to, with reports
// while dragging and at the release. Elsewhere a press is a click.
TEST(Headings, EdgesSizeWhatTheyBelongTo)
{
    enum Size { HeadingHeight = -1, HeadingWidth = -2, Row1 = -3 };  // else a column's width
    const struct {
        char part;  // Top, Side or Corner
        POINT from, to;
        LPCWSTR cursor;  // over `from`; null where no edge is found
        const char* log;
        int size, expected;
        int allow = 1;
        int hiddenColumn = -1;
    } cases[] = {
        {'T', {77, 10}, {97, 10}, IDC_SIZEWE, "AskResizeColumn 0; ColumnResizing 0 95; ColumnResized 0 95",
         0, 95},
        {'T', {78, 10}, {120, 10}, nullptr,
         "ColumnHeadingLeftButton 1 -1 1; ColumnHeadingLeftButton 1 -1 0", 0, 75},
        {'T', {75, 10}, {-200, 10}, IDC_SIZEWE, "AskResizeColumn 0; ColumnResizing 0 0; ColumnResized 0 0",
         0, 0},
        {'T', {75, 10}, {95, 10}, IDC_SIZEWE, "AskResizeColumn 1; ColumnResizing 1 20; ColumnResized 1 20",
         1, 20, 1, 1},
        {'T', {75, 10}, {120, 10}, nullptr,
         "AskResizeColumn 0; ColumnHeadingLeftButton 1 -1 1; ColumnHeadingLeftButton 1 -1 0", 0, 75, 0},
        {'T', {30, 19}, {30, 40}, IDC_SIZENS,
         "AskResizeColumnHeading; ColumnHeadingResizing 41; ColumnHeadingResized 41", HeadingHeight, 41},
        {'T', {30, 19}, {30, 40}, nullptr, "AskResizeColumnHeading; ColumnHeadingLeftButton 0 -1 1",
         HeadingHeight, 20, 0},
        {'S', {10, 41}, {10, 51}, IDC_SIZENS, "AskResizeRow 1; RowResizing 1 30; RowResized 1 30", Row1, 30},
        {'S', {39, 30}, {60, 30}, IDC_SIZEWE,
         "AskResizeRowHeading; RowHeadingResizing 61; RowHeadingResized 61", HeadingWidth, 61},
        {'C', {37, 5}, {60, 5}, IDC_SIZEWE, "AskResizeRowHeading; RowHeadingResizing 60", HeadingWidth, 60},
        {'C', {10, 18}, {10, 30}, IDC_SIZENS, "AskResizeColumnHeading; ColumnHeadingResizing 30",
         HeadingHeight, 30},
        {'C', {36, 5}, {60, 15}, nullptr, "", HeadingWidth, 40},
    };
    for (const auto& test : cases) {
        HeadingGrid grid;
        grid.allowResize = test.allow;
        if (test.hiddenColumn >= 0)
            grid.SetColumnWidth(test.hiddenColumn, 0);
        CWnd* window = test.part == 'T'   ? static_cast<CWnd*>(grid.GetColumnHeading())
                       : test.part == 'S' ? static_cast<CWnd*>(grid.GetRowHeading())
                                          : grid.GetCornerButton();
        auto send = [&](UINT message, WPARAM flags, POINT p) {
            ::SendMessageW(window->m_hWnd, message, flags, MAKELPARAM(p.x, p.y));
        };
        SCOPED_TRACE(testing::Message() << test.part << " from " << test.from.x << "," << test.from.y);
        ::SetCursor(::LoadCursorW(nullptr, IDC_CROSS));
        send(WM_MOUSEMOVE, 0, test.from);
        EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, test.cursor ? test.cursor : IDC_CROSS));
        ::SetCursor(::LoadCursorW(nullptr, IDC_CROSS));
        ::SendMessageW(window->m_hWnd, WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, test.cursor ? test.cursor : IDC_ARROW));
        send(WM_LBUTTONDOWN, MK_LBUTTON, test.from);
        send(WM_MOUSEMOVE, MK_LBUTTON, test.to);
        send(WM_LBUTTONUP, 0, test.to);
        std::string log;
        for (const std::string& line : grid.log.Lines())
            log += (log.empty() ? "" : "; ") + line;
        EXPECT_EQ(log, test.log);
        EXPECT_EQ(test.size == HeadingHeight  ? grid.GridInfo->ColumnHeadingHeight
                  : test.size == HeadingWidth ? grid.GridInfo->RowHeadingWidth
                  : test.size == Row1         ? grid.GetRowHeight(1)
                                              : grid.GetColumnWidth(test.size),
                  test.expected);
    }
}

// With 0 to 3 locked columns and rows, scrolled or not, every heading cell in
// view spans exactly its column's (row's) cells, and the point at its centre
// hits it, with the same rectangle, in either of two heading rows (columns).
// Column widths and row heights differ, so a heading that counted the locked
// strip twice or walked the wrong columns lands on another one.
TEST(Headings, HeadingsLineUpWithTheirCellsWhateverIsLocked)
{
    HeadingGrid grid;
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
    // The point at a heading cell's centre hits that cell, with its rectangle.
    auto hitsItself = [](auto* view, const RECT& heading, int col, long row) {
        const POINT centre{(heading.left + heading.right) / 2, (heading.top + heading.bottom) / 2};
        int hitCol = 0;
        long hitRow = 0;
        RECT hit{};
        EXPECT_EQ(view->HitTestHeading(centre, hitCol, hitRow, hit), 0);
        EXPECT_EQ(std::pair(hitCol, hitRow), std::pair(col, row));
        EXPECT_TRUE(EqualRect(&hit, &heading));
    };
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
                SCOPED_TRACE(testing::Message() << "column and row " << i);
                RECT cells{};
                RECT heading{};
                const int part = -1 - i % 2;  // the heading row or column
                int col = i;
                long row = i;
                grid.GetCellRect(col, row, cells);
                columnHeading->GetHeadingCellRect(i, part, heading);
                EXPECT_EQ(std::pair(heading.left, heading.right), std::pair(cells.left, cells.right));
                if (heading.right > heading.left && heading.left < gi->GridWidth)
                    hitsItself(columnHeading, heading, i, part);
                if (cells.top >= gi->GridHeight)
                    continue;
                rowHeading->GetHeadingCellRect(part, i, heading);
                EXPECT_EQ(std::pair(heading.top, heading.bottom), std::pair(cells.top, cells.bottom));
                if (heading.bottom > heading.top)
                    hitsItself(rowHeading, heading, part, i);
            }
        }
    }
}

// A hidden column takes no room in the heading and nothing is drawn for it:
// a cell type handed an empty rectangle may still paint its border over the
// neighbour's edge.
TEST(Headings, AHiddenColumnGetsNoHeadingDrawn)
{
    DrawnHeadingGrid grid;
    grid.SetColumnWidth(2, 0);
    EXPECT_EQ(grid.Repaint(), (std::vector<int>{0, 1, 3, 4, 5}));
}

// The column heading follows a sideways scroll at once, and a move down the
// sheet leaves it alone: repainting it then would only make it flicker.
TEST(Headings, RepaintedWhenTheViewScrollsSidewaysOnly)
{
    DrawnHeadingGrid grid;
    grid.drawn.cols.clear();
    grid.GotoRow(40);
    ASSERT_GT(grid.GetTopRow(), 0);
    EXPECT_EQ(grid.drawn.cols, std::vector<int>{});
    grid.SetLeftColumn(3);
    ASSERT_EQ(grid.GetLeftCol(), 3);
    EXPECT_EQ(grid.drawn.cols, (std::vector<int>{3, 4, 5, 6, 7}));
}

// Every row heading cell draws with its own text, not with the one of the
// cell drawn before it.
TEST(Headings, EachRowHeadingCellDrawsItsOwnText)
{
    DrawnHeadingGrid grid;
    grid.QuickSetText(-1, 0, L"first");
    grid.QuickSetText(-1, 2, L"third");
    grid.drawn.rowTexts.clear();
    grid.GetRowHeading()->Invalidate(TRUE);
    grid.GetRowHeading()->UpdateWindow();
    EXPECT_EQ(grid.drawn.rowTexts.substr(0, 16), L"first||third||||");
}

// While a column or a row is sized, one dotted line across the cells follows
// the pointer: the line at the last place is wiped before the next is drawn,
// so the cells show only the line at the pointer.
TEST(Headings, TheSizingLineFollowsThePointerWithoutATrail)
{
    const struct {
        char part;  // Top or Side
        POINT from, via, to;
    } cases[] = {
        {'T', {75, 10}, {95, 10}, {130, 10}},
        {'S', {10, 41}, {10, 70}, {10, 110}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(testing::Message() << test.part);
        HeadingGrid grid;
        const bool top = test.part == 'T';
        CWnd* window = top ? static_cast<CWnd*>(grid.GetColumnHeading()) : grid.GetRowHeading();
        auto send = [&](UINT message, WPARAM flags, POINT p) {
            ::SendMessageW(window->m_hWnd, message, flags, MAKELPARAM(p.x, p.y));
        };
        PumpMessagesFor(10);
        // The cells' pixels across the sizing line: a few rows (columns)
        // wide, as the dotted line may skip any one of them.
        auto across = [&] {
            std::vector<COLORREF> pixels;
            CClientDC dc(grid.GetCellArea());
            for (int along = 150; along < 154; ++along)
                for (int at = 0; at < 200; ++at)
                    pixels.push_back(top ? ::GetPixel(dc, at, along) : ::GetPixel(dc, along, at));
            return pixels;
        };
        const std::vector<COLORREF> before = across();
        send(WM_MOUSEMOVE, 0, test.from);
        send(WM_LBUTTONDOWN, MK_LBUTTON, test.from);
        send(WM_MOUSEMOVE, MK_LBUTTON, test.via);
        send(WM_MOUSEMOVE, MK_LBUTTON, test.to);
        const std::vector<COLORREF> during = across();
        send(WM_LBUTTONUP, 0, test.to);
        std::set<int> changed;
        for (size_t i = 0; i < before.size(); ++i)
            if (before[i] != during[i])
                changed.insert(static_cast<int>(i % 200));
        const int pointer = top ? test.to.x : test.to.y;
        EXPECT_FALSE(changed.empty());
        for (int at : changed)
            EXPECT_TRUE(at == pointer - 1 || at == pointer) << "changed at " << at;
    }
}

// RedrawAll shows a change of the heading default's look in the column
// heading and the corner before it returns: an owner that changes the look and then
// works on does not leave the old picture standing meanwhile.
TEST(Headings, RedrawAllRepaintsTheHeadingAndTheCornerAtOnce)
{
    HeadingGrid grid;
    PumpMessagesFor(10);
    constexpr COLORREF kBack = RGB(10, 140, 90);
    CUGCell heading;
    heading.SetBackColor(kBack);
    grid.SetHeadingDefault(&heading);
    grid.RedrawAll();
    for (CWnd* part : {static_cast<CWnd*>(grid.GetCornerButton()),
                       static_cast<CWnd*>(grid.GetColumnHeading())}) {
        RECT client;
        part->GetClientRect(&client);
        EXPECT_EQ(::GetPixel(CClientDC(part), client.right - 8, client.bottom - 8), kBack);
    }
}
