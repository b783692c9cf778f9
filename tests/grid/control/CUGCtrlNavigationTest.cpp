#include "CRect.h"
#include "CString.h"
#include "CUGCtrl.h"
#include "CUGGrid.h"
#include "CUGMem.h"
#include "RecordingGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

using Lines = std::vector<std::string>;

namespace {

// The sheet's data source logs its part of a move into the grid's log,
// answers moves with `answerMove` and adds `rowsToAdd` rows past the end.
struct LoggingSource : CUGMem {
    RecordingGrid* grid = nullptr;
    int answerMove = 1;
    long rowsToAdd = 0;
    int AskMoveCurrentCell(int c0, long r0, int c1, long r1) override
    {
        grid->Note("Source AskMoveCurrentCell %d %ld %d %ld", c0, r0, c1, r1);
        return answerMove;
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
        grid->GridInfo->RowCount += *added = rowsToAdd;
        return 0;
    }
};

struct FocusType : CUGCellType {
    RecordingGrid* grid = nullptr;
    void OnCellSetFocus(int c, long r, CUGCell*) override { grid->Note("SetFocus %d %ld", c, r); }
    void OnCellKillFocus(int c, long r, CUGCell*) override { grid->Note("KillFocus %d %ld", c, r); }
};

// Columns 50 wide and uniform rows 20 high in a 300 x 100 cell area without a
// window (the size the layout would give); the cells (0..5, 0..4) count as
// visible, as the cell area's painting would record. The current cell starts
// at (lockedCols, 0).
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
Op Setting(std::function<void(Sheet&)> set)
{
    return [=](Sheet& s) { return set(s), 0; };
}
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

// Each case runs its operations on a fresh 20 x 100 sheet starting at (0, 0)
// (plain, with 2 locked columns, or with blocks joined over columns 3..5 of
// row 0 and over rows 3..5 of column 1) and checks the last operation's
// result, the questions and notifications it raised in their order, and
// where the current cell and the view ended up. Without a change
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

// Seeded random moves, scrolls and refusals on sheets with locked columns and
// rows, rows of mixed heights and a joined block. After each operation the
// current cell lies in the sheet, the previous values equal the current ones,
// the view lies within [locked, maximum], a refusal changed nothing, and the
// change notifications name exactly the values that changed.
TEST(CUGCtrlNavigation, RandomMovesKeepThePositionsConsistent)
{
    std::mt19937 random(20240611);
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int round = 0; round < 20; ++round) {
        Sheet sheet(pick(3, 30), pick(3, 200));
        CUGCtrl& grid = sheet.grid;
        CUGGridInfo* gi = sheet.gi;
        gi->GridHeight = pick(60, 250);
        grid.SetUniformRowHeight(pick(0, 1));
        for (long r = 0; r < gi->RowCount; ++r)
            grid.SetRowHeight(r, pick(5, 45));
        grid.SetLockedColumns(pick(0, 2));
        grid.SetLockedRows(pick(0, 1));
        grid.JoinCells(3, 1, 5, 2);
        grid.GotoCell(gi->LockedCols, gi->LockedRows);

        for (int step = 0; step < 300; ++step) {
            SCOPED_TRACE(testing::Message() << "round " << round << " step " << step);
            sheet.grid.allowMove = pick(0, 9) != 0;
            sheet.grid.allowView = pick(0, 9) != 0;
            sheet.source.answerMove = pick(0, 9) != 0;
            gi->MoveKind = pick(0, 1);
            const int n = pick(-3, 250);
            const Op ops[] = {Cell(n % 40, n), ToColumn(n % 40), ToRow(n),       Col(n % 7), Row(n % 7),
                              Left(n % 7),     Top(n % 7),       LeftTo(n % 40), TopTo(n)};
            const Position before = PositionOf(grid);
            sheet.grid.log.Clear();
            const int result = ops[pick(0, 8)](sheet);
            const Position after = PositionOf(grid);
            const auto [col, row, left, top] = after;
            ASSERT_TRUE(col >= 0 && col < gi->ColumnCount && row >= 0 && row < gi->RowCount);
            ASSERT_TRUE(left >= gi->LockedCols && left <= gi->MaxLeftCol) << left;
            ASSERT_TRUE(top >= gi->LockedRows && top <= gi->MaxTopRow) << top;
            ASSERT_EQ(Position(gi->PreviousCol, gi->PreviousRow, gi->PreviousLeftCol,
                               gi->PreviousTopRow),
                      after);
            if (result != 0) {
                ASSERT_EQ(after, before);
            }
            Lines expected, changes;
            auto expect = [&](const char* what, long from, long to) {
                if (from != to)
                    expected.push_back(what + (" " + std::to_string(from) + " " + std::to_string(to)));
            };
            expect("CurrentColumnChanged", std::get<0>(before), col);
            expect("CurrentRowChanged", std::get<1>(before), row);
            expect("LeftColumnChanged", std::get<2>(before), left);
            expect("TopRowChanged", std::get<3>(before), top);
            for (const std::string& line : sheet.grid.log.Lines())
                if (line.find("Changed") != std::string::npos && line.rfind("Source", 0) != 0
                    && line.rfind("CurrentCell", 0) != 0)
                    changes.push_back(line);
            ASSERT_EQ(changes, expected);
        }
    }
}

// Hit testing and cell rectangles against a model of the screen: the locked
// columns from x = 0, then the columns from the left column on (rows
// likewise); a column scrolled away under the locked ones answers the locked
// edge. A joined block is hit and measured as a whole.
TEST(CUGCtrlNavigation, HitTestAndCellRectsFollowTheVisibleLayout)
{
    std::mt19937 random(77);
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    // Where each index starts and ends on screen.
    auto layout = [](int count, int locked, int first, auto size, std::vector<int>& from,
                     std::vector<int>& to) {
        int at = 0;
        for (int i = 0; i < locked; ++i)
            at += size(i);
        from.assign(count, at), to.assign(count, at);
        at = 0;
        for (int i = 0; i < count; ++i)
            if (i < locked || i >= first)
                from[i] = at, to[i] = at += size(i);
    };
    auto find = [](int at, const std::vector<int>& from, const std::vector<int>& to) {
        for (size_t i = 0; i < from.size(); ++i)
            if (from[i] <= at && at < to[i])
                return static_cast<int>(i);
        return -1;
    };
    for (int round = 0; round < 40; ++round) {
        Sheet sheet(pick(1, 12), pick(1, 15));
        CUGCtrl& grid = sheet.grid;
        CUGGridInfo* gi = sheet.gi;
        grid.EnableJoins(0);
        grid.SetUniformRowHeight(0);
        for (int c = 0; c < gi->ColumnCount; ++c)
            grid.SetColumnWidth(c, pick(0, 60));
        for (long r = 0; r < gi->RowCount; ++r)
            grid.SetRowHeight(r, pick(1, 40));
        grid.SetLockedColumns(pick(0, std::min(2, gi->ColumnCount - 1)));
        grid.SetLockedRows(pick(0, std::min(2, gi->RowCount - 1)));
        // Any scroll position, also one past the largest useful one.
        gi->LeftCol = pick(gi->LockedCols, gi->ColumnCount - 1);
        gi->TopRow = pick(gi->LockedRows, gi->RowCount - 1);
        gi->GridWidth = pick(20, 400), gi->GridHeight = pick(20, 400);
        std::vector<int> left, right, top, bottom;
        layout(gi->ColumnCount, gi->LockedCols, gi->LeftCol,
               [&](int c) { return grid.GetColumnWidth(c); }, left, right);
        layout(gi->RowCount, gi->LockedRows, gi->TopRow,
               [&](int r) { return grid.GetRowHeight(r); }, top, bottom);

        for (int probe = 0; probe < 30; ++probe) {
            const int x = pick(-5, gi->GridWidth + 5), y = pick(-5, gi->GridHeight + 5);
            SCOPED_TRACE(testing::Message() << "round " << round << " at " << x << ", " << y);
            const bool inside = x >= 0 && x <= gi->GridWidth && y >= 0 && y <= gi->GridHeight;
            const int col = inside ? find(x, left, right) : -1;
            const int row = inside ? find(y, top, bottom) : -1;
            int hitCol = -9;
            long hitRow = -9;
            RECT rect{};
            const int result = grid.GetCellFromPoint(x, y, hitCol, hitRow, rect);
            ASSERT_EQ(result, col >= 0 && row >= 0 ? 0 : 1);
            if (result == 0) {
                EXPECT_EQ(std::make_pair(hitCol, hitRow), std::make_pair(col, long{row}));
                EXPECT_EQ(CRect(rect), CRect(left[col], top[row], right[col], bottom[row]));
            }
        }
        for (int c = 0; c < gi->ColumnCount; ++c) {
            int col = c;
            long row = gi->RowCount - 1;
            RECT rect{};
            grid.GetCellRect(col, row, rect);
            EXPECT_EQ(CRect(rect), CRect(left[c], top[row], right[c], bottom[row])) << c;
        }
    }

    Sheet sheet;
    sheet.grid.JoinCells(3, 1, 5, 2);
    int col = -1, endCol = 0;
    long row = -1, endRow = 0;
    RECT rect{};
    ASSERT_EQ(sheet.grid.GetCellFromPoint(260, 55, col, row, rect), 0);
    EXPECT_EQ(std::make_pair(col, row), std::make_pair(3, 1L));
    EXPECT_EQ(CRect(rect), CRect(150, 20, 300, 60));
    col = 4, row = 2;
    EXPECT_EQ(sheet.grid.GetJoinRange(col, row, endCol, endRow), 0);
    EXPECT_EQ(std::make_tuple(col, row, endCol, endRow), std::make_tuple(3, 1L, 5, 2L));
    sheet.grid.SetLeftColumn(4);  // the block's first column scrolls away; the rest shows
    col = 5, row = 2;
    sheet.grid.GetCellRect(col, row, rect);
    EXPECT_EQ(col, 3);
    EXPECT_EQ(CRect(rect), CRect(0, 20, 100, 60));
    col = 2;
    EXPECT_EQ(sheet.grid.GetJoinStart(col, row), 2);
    sheet.grid.EnableJoins(0);
    EXPECT_EQ(sheet.grid.GetJoinStart(col, row), 1);
}

// In a real grid: the layout runs again when the maximum top row goes
// between 0 and positive, and the tracking window is moved off the cell it
// covers (to its right), or in mode 1 placed 30 px right of the cell, with
// the owner told first.
TEST(CUGCtrlNavigation, LayoutAndTrackingWindowFollowTheView)
{
    struct TrackingGrid : RecordingGrid {
        void NotifyTrackingWindowMoved(RECT*, RECT* to) override
        {
            Note("TrackingWindowMoved %ld %ld", to->left, to->top);
        }
    } grid;
    GridTestFrame frame(grid, 400, 300);
    grid.SetDefaultColumnWidth(50);
    grid.SetUniformRowHeight(1);
    grid.SetColumnCount(6);
    auto layouts = [&](long rows) {
        grid.log.Clear();
        grid.SetRowCount(rows);
        return std::count_if(grid.log.Lines().begin(), grid.log.Lines().end(),
                             [](const std::string& line) { return line.rfind("Layout", 0) == 0; });
    };
    EXPECT_EQ(layouts(50), 1);
    EXPECT_EQ(layouts(60), 0);
    EXPECT_GE(layouts(10), 1);

    CWnd tracker;
    ASSERT_TRUE(tracker.CreateEx(0, nullptr, L"", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30, nullptr,
                                 nullptr));
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
    grid.log.Clear();
    grid.GotoCell(1, 2);
    EXPECT_EQ(placed(), std::make_pair(105L, 45L));
    const std::string moved = "TrackingWindowMoved " + std::to_string(area.x + 105) + " "
                              + std::to_string(area.y + 45);
    EXPECT_NE(std::find(grid.log.Lines().begin(), grid.log.Lines().end(), moved),
              grid.log.Lines().end());

    grid.SetTrackingWindowMode(1);
    grid.GotoCell(2, 4);  // 100..150, 80..100
    EXPECT_EQ(placed(), std::make_pair(180L, 80L));
    grid.SetTrackingWindow(nullptr);
    tracker.DestroyWindow();
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
