#include "CRect.h"
#include "CString.h"
#include "CUGCtrl.h"
#include "CUGGrid.h"
#include "CUGMem.h"
#include "RecordingGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

using Lines = std::vector<std::string>;

namespace {

// Logs its part of a move, answers moves with `answerMove`, adds `rowsToAdd`.
struct LoggingSource : CUGMem {
    RecordingGrid* grid = nullptr;
    int answerMove = 1;
    long rowsToAdd = 0;
    int AskMoveCurrentCell(int c0, long r0, int c1, long r1) override
    {
        return grid->Note("Source AskMoveCurrentCell %d %ld %d %ld", c0, r0, c1, r1), answerMove;
    }
    void NotifyCurrentColumnChanged(int a, int b) override
    {
        grid->Note("Source CurrentColumnChanged %d %d", a, b);
    }
    void NotifyCurrentRowChanged(long a, long b) override
    {
        grid->Note("Source CurrentRowChanged %ld %ld", a, b);
    }
    int NotifyRowsPastEnd(long count, long past, long* added) override
    {
        grid->Note("Source RowsPastEnd %ld %ld", count, past);
        return grid->GridInfo->RowCount += *added = rowsToAdd, 0;
    }
};

struct FocusType : CUGCellType {
    RecordingGrid* grid = nullptr;
    void OnCellSetFocus(int c, long r, CUGCell*) override { grid->Note("SetFocus %d %ld", c, r); }
    void OnCellKillFocus(int c, long r, CUGCell*) override { grid->Note("KillFocus %d %ld", c, r); }
};

// Columns 50 wide, uniform rows 20 high, a 300 x 100 cell area without a window
// whose cells (0..5, 0..4) count as visible; the current cell at (lockedCols, 0).
struct Sheet {
    RecordingGrid grid;
    LoggingSource source;
    FocusType focus;
    CUGGridInfo* gi = grid.GridInfo;

    explicit Sheet(int cols = 20, long rows = 100, int lockedCols = 0)
    {
        source.grid = focus.grid = &grid;
        grid.SetDefaultDataSource(grid.AddDataSource(&source));
        CUGCell focused;
        focused.SetCellType(grid.AddCellType(&focus));
        grid.SetGridDefault(&focused);
        gi->GridWidth = 300, gi->GridHeight = 100;
        gi->RightCol = 6, gi->BottomRow = 5;
        grid.SetDefaultColumnWidth(50);
        grid.SetUniformRowHeight(1);
        grid.SetColumnCount(cols);
        grid.SetRowCount(rows);
        grid.SetLockedColumns(lockedCols);
        grid.GotoCell(lockedCols, 0);
        grid.log.Clear();
    }
};

// Current column and row, left column and top row.
using Position = std::tuple<int, long, int, long>;
Position PositionOf(const CUGCtrl& g)
{
    return {g.GetCurrentCol(), g.GetCurrentRow(), g.GetLeftCol(), g.GetTopRow()};
}

using Op = std::function<int(Sheet&)>;
Op Cell(int c, long r) { return [=](Sheet& s) { return s.grid.GotoCell(c, r); }; }
Op ToColumn(int c) { return [=](Sheet& s) { return s.grid.GotoColumn(c); }; }
Op ToRow(long r) { return [=](Sheet& s) { return s.grid.GotoRow(r); }; }
Op LeftTo(int c) { return [=](Sheet& s) { return s.grid.SetLeftColumn(c); }; }
Op TopTo(long r) { return [=](Sheet& s) { return s.grid.SetTopRow(r); }; }
Op Col(int code) { return [=](Sheet& s) { return s.grid.MoveCurrentColumn(code); }; }
Op Row(int code) { return [=](Sheet& s) { return s.grid.MoveCurrentRow(code); }; }
Op Left(int code) { return [=](Sheet& s) { return s.grid.MoveLeftColumn(code); }; }
Op Top(int code) { return [=](Sheet& s) { return s.grid.MoveTopRow(code); }; }
// Settings made before the move under test.
Op Setting(std::function<void(Sheet&)> set) { return [=](Sheet& s) { return set(s), 0; }; }
const Op ByMouse = Setting([](Sheet& s) { s.gi->MoveKind = CUGCtrl::MoveByLeftButton; });
const Op OwnerRefuses = Setting([](Sheet& s) { s.grid.allowMove = 0; });
const Op ViewRefused = Setting([](Sheet& s) { s.grid.allowView = 0; });
const Op SourceAnswers2 = Setting([](Sheet& s) { s.source.answerMove = 2; });
const Op SourceAddsARow = Setting([](Sheet& s) { s.source.rowsToAdd = 1; });
const Op ShiftClickSelection = Setting([](Sheet& s) {
    s.gi->MultiSelectMode = 1, s.gi->MultiSelect->SetMode(CUGBlockSelection::ModeCells);
    s.gi->MoveKind = CUGCtrl::MoveByLeftButton, s.gi->KeyFlags = 0;
    s.grid.GotoCell(2, 3), s.gi->KeyFlags = MK_SHIFT;
});

constexpr int Back = 0, Fwd = 1, PgBack = 2, PgFwd = 3, First = 4, Last = 5;
const Lines Unchecked{"(not checked)"};

}  // namespace

// Each case runs its operations on a fresh 20 x 100 sheet (plain, with 2 locked
// columns, or joined over columns 3..5 of row 0 and rows 3..5 of column 1) and
// checks the last one's answer, the questions and notifications in their
// order and where the current cell and view end; without a change
// notification nothing may have changed.
TEST(CUGCtrlNavigation, MovesLandWhereTheStepRulesSay)
{
    enum Setup { Plain, Locked, Joined };
    struct Case {
        const char* name;
        Setup setup;
        std::vector<Op> ops;
        int result;
        Position end;
        Lines lines = Unchecked;
    } const cases[] = {
        {"GotoCell inside the view", Plain, {Cell(2, 3)}, 0, {2, 3, 0, 0},
         {"Source AskMoveCurrentCell 0 0 2 3", "AskMoveCurrentCell 0 0 2 3",
          "Source CurrentColumnChanged 0 2", "CurrentColumnChanged 0 2",
          "Source CurrentRowChanged 0 3", "CurrentRowChanged 0 3", "CurrentCellChanged 0 2 0 3",
          "KillFocus 0 0", "SetFocus 2 3"}},
        {"GotoCell outside the view scrolls", Plain, {Cell(10, 50)}, 0, {10, 50, 5, 46},
         {"Source AskMoveCurrentCell 0 0 10 50", "AskMoveCurrentCell 0 0 10 50",
          "AskMoveView 0 0 10 50", "Source CurrentColumnChanged 0 10", "CurrentColumnChanged 0 10",
          "Source CurrentRowChanged 0 50", "CurrentRowChanged 0 50",
          "CurrentCellChanged 0 10 0 50", "LeftColumnChanged 0 5", "TopRowChanged 0 46",
          "KillFocus 0 0", "SetFocus 10 50"}},
        {"GotoCell to the drag cell", Plain, {Cell(0, 0)}, 0, {0, 0, 0, 0}, {}},
        {"GotoColumn", Plain, {ToColumn(3)}, 0, {3, 0, 0, 0},
         {"Source AskMoveCurrentCell 0 0 3 0", "AskMoveCurrentCell 0 0 3 0",
          "Source CurrentColumnChanged 0 3", "CurrentColumnChanged 0 3",
          "CurrentCellChanged 0 3 0 0", "KillFocus 0 0", "SetFocus 3 0"}},
        {"GotoRow asks the owner alone", Plain, {ToRow(4)}, 0, {0, 4, 0, 0},
         {"AskMoveCurrentCell 0 0 0 4", "Source CurrentRowChanged 0 4", "CurrentRowChanged 0 4",
          "CurrentCellChanged 0 0 0 4", "KillFocus 0 0", "SetFocus 0 4"}},
        {"the owner refuses", Plain, {OwnerRefuses, Cell(2, 3)}, 2, {0, 0, 0, 0},
         {"Source AskMoveCurrentCell 0 0 2 3", "AskMoveCurrentCell 0 0 2 3"}},
        {"the source answers 2", Plain, {SourceAnswers2, ToColumn(3)}, 2, {0, 0, 0, 0},
         {"Source AskMoveCurrentCell 0 0 3 0"}},
        {"the view refuses", Plain, {ViewRefused, Cell(10, 50)}, 2, {0, 0, 0, 0},
         {"Source AskMoveCurrentCell 0 0 10 50", "AskMoveCurrentCell 0 0 10 50",
          "AskMoveView 0 0 10 50"}},
        {"the view refuses a scroll", Plain, {ViewRefused, TopTo(7)}, 2, {0, 0, 0, 0},
         {"AskMoveView 0 0 0 7"}},
        {"with selection on, a Shift click extends and the current cell stays", Plain,
         {ShiftClickSelection, Cell(4, 1)}, 0, {2, 3, 0, 0},
         {"Source AskMoveCurrentCell 2 3 4 1", "AskMoveCurrentCell 2 3 4 1"}},
        {"right from the last column is refused", Plain, {Col(Last), Col(Fwd)}, 1, {19, 0, 14, 0},
         {}},
        {"left from column 0 does nothing", Plain, {Col(Back)}, 0, {0, 0, 0, 0}, {}},
        {"page right walks the room and scrolls", Plain, {Col(PgFwd)}, 0, {7, 0, 2, 0}},
        {"page left walks back", Plain, {Col(PgFwd), Col(PgBack)}, 0, {0, 0, 0, 0}},
        {"unknown codes", Plain, {Col(6), Row(-1), Left(9), Top(6)}, 0, {0, 0, 0, 0}, {}},
        {"a column outside the sheet", Plain, {Cell(20, 3)}, 1, {0, 0, 0, 0}, {}},
        {"row 50 from row 0 puts row 46 on top", Plain, {ToRow(50)}, 0, {0, 50, 0, 46}},
        {"page down", Plain, {Row(PgFwd)}, 0, {0, 5, 0, 1}},
        {"page up", Plain, {Row(PgFwd), Row(PgBack)}, 0, {0, 0, 0, 0}},
        {"past the end, no row added", Plain, {Row(Last), Row(Fwd)}, 1, {0, 99, 0, 95},
         {"Source RowsPastEnd 100 1", "RowsPastEnd 100 1 0"}},
        {"past the end, the source adds one", Plain, {Row(Last), SourceAddsARow, Row(Fwd)}, 0,
         {0, 100, 0, 96},
         {"Source RowsPastEnd 100 1", "RowsPastEnd 101 0 1", "AskMoveCurrentCell 0 99 0 100",
          "AskMoveView 0 95 0 100", "Source CurrentRowChanged 99 100", "CurrentRowChanged 99 100",
          "CurrentCellChanged 0 0 99 100", "TopRowChanged 95 96", "KillFocus 0 99",
          "SetFocus 0 100"}},
        {"a row past the end clamps", Plain, {Cell(3, 500)}, 0, {3, 99, 0, 95}},
        {"SetLeftColumn", Plain, {LeftTo(4)}, 0, {0, 0, 4, 0},
         {"AskMoveView 0 0 4 0", "LeftColumnChanged 0 4"}},
        {"scroll a page down", Plain, {Top(PgFwd)}, 0, {0, 0, 0, 5},
         {"AskMoveView 0 0 0 5", "TopRowChanged 0 5"}},
        {"scroll down stops at the maximum", Plain, {Top(Last)}, 0, {0, 0, 0, 95}},
        {"scroll a page right", Plain, {Left(PgFwd)}, 0, {0, 0, 7, 0}},
        {"scroll right stops at the maximum", Plain, {LeftTo(19)}, 0, {0, 0, 15, 0}},
        {"locked: the left column stays at 2", Locked, {Left(Back), Left(First)}, 0, {2, 0, 2, 0},
         {"AskMoveView 2 0 2 0"}},
        {"locked: a page scroll leaves the locked width out", Locked, {Left(PgFwd)}, 0,
         {2, 0, 7, 0}},
        {"locked: a page scroll back", Locked, {Left(PgFwd), Left(PgBack)}, 0, {2, 0, 2, 0}},
        {"locked: a page move", Locked, {Col(PgFwd)}, 0, {7, 0, 4, 0}},
        {"locked: a locked cell scrolls back", Locked, {Col(PgFwd), ToColumn(0)}, 0, {0, 0, 2, 0}},
        {"joined: right from 3 lands on 6", Joined, {ToColumn(3), Col(Fwd)}, 0, {6, 0, 1, 0}},
        {"joined: left from 6 lands on 5", Joined, {Cell(6, 0), Col(Back)}, 0, {5, 0, 1, 0}},
        {"joined: left from 5 lands on 2", Joined, {Cell(6, 0), Col(Back), Col(Back)}, 0,
         {2, 0, 1, 0}},
        {"joined: right from before enters at 3", Joined, {ToColumn(2), Col(Fwd)}, 0, {3, 0, 0, 0}},
        {"joined: GotoCell takes the first cell", Joined, {Cell(5, 0)}, 0, {3, 0, 0, 0}},
        {"joined: so does a mouse move", Joined, {ByMouse, ToColumn(4)}, 0, {3, 0, 0, 0}},
        {"joined: down steps over rows 3..5", Joined, {Cell(1, 2), Row(Fwd), Row(Fwd)}, 0,
         {1, 6, 0, 2}},
        {"joined: up from 6 lands on 5, then 2", Joined, {Cell(1, 6), Row(Back), Row(Back)}, 0,
         {1, 2, 0, 2}},
        {"joined: the drag column's block is left alone", Joined, {Cell(1, 3), Cell(0, 4)}, 0,
         {0, 4, 0, 0}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        Sheet sheet(20, 100, test.setup == Locked ? 2 : 0);
        if (test.setup == Joined)
            sheet.grid.JoinCells(3, 0, 5, 0), sheet.grid.JoinCells(1, 3, 1, 5);
        for (size_t i = 0; i + 1 < test.ops.size(); ++i)
            test.ops[i](sheet);
        const Position before = PositionOf(sheet.grid);
        sheet.grid.log.Clear();
        EXPECT_EQ(test.ops.back()(sheet), test.result);
        EXPECT_EQ(PositionOf(sheet.grid), test.end);
        const Lines& lines = sheet.grid.log.Lines();
        if (test.lines != Unchecked) {
            EXPECT_EQ(lines, test.lines);
        }
        if (std::none_of(lines.begin(), lines.end(), [](const std::string& line) {
                return line.find("Changed") != std::string::npos;
            })) {
            EXPECT_EQ(PositionOf(sheet.grid), before);
        }
    }
}

// Hit tests and cell rectangles follow the screen: the locked columns from
// x = 0, then those from the left column on (rows likewise); a column scrolled
// away sits at the locked edge; a joined block is hit and measured whole.
TEST(CUGCtrlNavigation, HitTestAndCellRectsFollowTheVisibleLayout)
{
    {
        Sheet sheet(8, 10, 1);  // column 0 and row 0 locked, column 4 without width
        sheet.grid.SetLockedRows(1);
        sheet.grid.SetColumnWidth(4, 0);
        sheet.gi->LeftCol = 3, sheet.gi->TopRow = 4;
        const std::tuple<int, int, int, long, CRect> hits[] = {
            {10, 10, 0, 0, {0, 0, 50, 20}},     {60, 30, 3, 4, {50, 20, 100, 40}},
            {120, 99, 5, 7, {100, 80, 150, 100}}, {249, 100, 7, 8, {200, 100, 250, 120}},
            {260, 5, -9, -9, {}}, {-1, 5, -9, -9, {}}, {5, 101, -9, -9, {}}};
        for (const auto& [x, y, col, row, cell] : hits) {
            int hitCol = -9;
            long hitRow = -9;
            RECT rect{};
            EXPECT_EQ(sheet.grid.GetCellFromPoint(x, y, hitCol, hitRow, rect), col < 0 ? 1 : 0);
            EXPECT_EQ(std::tuple(hitCol, hitRow, CRect(col < 0 ? RECT{} : rect)),
                      std::tuple(col, row, cell)) << x << "," << y;
        }
        int col = 1;
        long row = 2;
        CRect rect;
        sheet.grid.GetCellRect(col, row, rect);
        EXPECT_EQ(rect, CRect(50, 20, 50, 20));
    }
    Sheet sheet;
    sheet.grid.JoinCells(3, 1, 5, 2);
    int col = -1, endCol = 0;
    long row = -1, endRow = 0;
    CRect rect;
    ASSERT_EQ(sheet.grid.GetCellFromPoint(260, 55, col, row, rect), 0);
    EXPECT_EQ(std::tuple(col, row, rect), std::tuple(3, 1L, CRect(150, 20, 300, 60)));
    col = 4, row = 2;
    EXPECT_EQ(sheet.grid.GetJoinRange(col, row, endCol, endRow), 0);
    EXPECT_EQ(std::make_tuple(col, row, endCol, endRow), std::make_tuple(3, 1L, 5, 2L));
    sheet.grid.SetLeftColumn(4);  // the block's first column scrolls away; the rest shows
    col = 5;
    sheet.grid.GetCellRect(col, row, rect);
    EXPECT_EQ(std::tuple(col, rect), std::tuple(3, CRect(0, 20, 100, 60)));
    col = 2;
    EXPECT_EQ(sheet.grid.GetJoinStart(col, row), 2);
    sheet.grid.EnableJoins(0);
    EXPECT_EQ(sheet.grid.GetJoinStart(col, row), 1);
}

// The layout runs again when the largest top row goes between 0 and more;
// the tracking window moves off the cell it covers (in mode 1 to 30 pixels
// right of it), the owner told first.
TEST(CUGCtrlNavigation, LayoutAndTrackingWindowFollowTheView)
{
    struct TrackingGrid : RecordingGrid {
        void NotifyTrackingWindowMoved(RECT*, RECT* to) override
        {
            Note("Moved %ld %ld", to->left, to->top);
        }
    } grid;
    GridTestFrame frame(grid, 400, 300);
    grid.SetDefaultColumnWidth(50), grid.SetUniformRowHeight(1), grid.SetColumnCount(6);
    auto layouts = [&](long rows) {
        grid.log.Clear(), grid.SetRowCount(rows);
        return std::count_if(grid.log.Lines().begin(), grid.log.Lines().end(),
                             [](const std::string& line) { return line.rfind("Layout", 0) == 0; });
    };
    EXPECT_EQ(layouts(50), 1);
    EXPECT_EQ(layouts(60), 0);
    EXPECT_GE(layouts(10), 1);

    CWnd tracker;
    ASSERT_TRUE(
        tracker.CreateEx(0, nullptr, L"", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30, nullptr, nullptr));
    EXPECT_EQ(grid.SetTrackingWindow(nullptr), 1);
    EXPECT_EQ(grid.SetTrackingWindow(&tracker), 0);
    EXPECT_TRUE(GetWindowLongW(tracker.m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    POINT area{0, 0};
    ::ClientToScreen(grid.GetCellArea()->m_hWnd, &area);
    auto placed = [&] {
        RECT rect;
        tracker.GetWindowRect(&rect);
        return std::make_pair(rect.left - area.x, rect.top - area.y);
    };
    tracker.MoveWindow(area.x + 60, area.y + 45, 40, 30);  // over cell (1, 2): 50..100, 40..60
    grid.log.Clear(), grid.GotoCell(1, 2);
    EXPECT_EQ(placed(), std::make_pair(105L, 45L));
    const Lines& lines = grid.log.Lines();
    const std::string moved = "Moved " + std::to_string(area.x + 105) + " "
                              + std::to_string(area.y + 45);
    EXPECT_NE(std::find(lines.begin(), lines.end(), moved), lines.end());

    grid.SetTrackingWindowMode(1), grid.GotoCell(2, 4);  // 100..150, 80..100
    EXPECT_EQ(placed(), std::make_pair(180L, 80L));
    grid.SetTrackingWindow(nullptr), tracker.DestroyWindow();
}

// Calls that reach past the sheet leave the current cell on it and the view
// within its maxima. Each case acts on a fresh 5 x 10 grid in a window with
// (0, 0) current, and names the current cell it leaves.
TEST(CUGCtrlNavigation, CallsPastTheSheetKeepTheCurrentCellOnIt)
{
    struct Case {
        const char* what;
        std::function<void(CUGCtrl&)> act;
        int col;
        long row;
    };
    const Case cases[] = {
        {"a range selected past the corner, then a scroll",
         [](CUGCtrl& g) { g.SelectRange(1, 1, 9, 20); g.SetTopRow(1); }, 4, 9},
        {"a move on a sheet without columns",
         [](CUGCtrl& g) { g.SetColumnCount(0); g.GotoColumn(-2); }, -1, 0},
        {"a move on a sheet without rows", [](CUGCtrl& g) { g.SetRowCount(0); g.GotoRow(-2); }, 0, -1},
        {"a pasted range selected on an empty sheet, then a scroll",
         [](CUGCtrl& g) {
             g.SetColumnCount(0);
             g.SetRowCount(0);
             g.EnableSelection(1);
             CString text(L"x");
             g.PasteText(text);
             g.SetTopRow(1);
         }, -1, -1},
        {"a last row made taller, then gone to",
         [](CUGCtrl& g) { g.SetRowHeight(9, 400); g.GotoRow(9); }, 0, 9},
        {"a joined block whose origin moved away",
         [](CUGCtrl& g) { g.JoinCells(0, 1, 1, 2); g.MoveColumn(0, 4, 0); g.GotoCell(0, 1); }, 0, 1},
        {"an edit started past the last row",
         [](CUGCtrl& g) { EXPECT_EQ(g.StartEdit(2, 50, 0), 0); EXPECT_EQ(g.GetEditRow(), 9); }, 2, 9},
        {"edits of heading cells that are not there",
         [](CUGCtrl& g) { EXPECT_EQ(g.StartEdit(1, -2, 0), 1); EXPECT_EQ(g.StartEdit(5, -1, 0), 1); },
         0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CUGCtrl grid;
        GridTestFrame frame(grid, 400, 300);
        grid.SetColumnCount(5);
        grid.SetRowCount(10);
        c.act(grid);
        grid.CancelEdit();
        EXPECT_EQ(grid.GetCurrentCol(), c.col);
        EXPECT_EQ(grid.GetCurrentRow(), c.row);
        EXPECT_LE(grid.GridInfo->TopRow, grid.GridInfo->MaxTopRow);
        EXPECT_LE(grid.GridInfo->LeftCol, grid.GridInfo->MaxLeftCol);
    }
}
