#include "CRect.h"
#include "CUGCtrl.h"
#include "CUGGrid.h"
#include "CUGMem.h"
#include "RecordingGrid.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

namespace {

// The sheet's data source: a memory source that logs its part of a move into
// the grid's log, answers moves with `answerMove` and adds `rowsToAdd` rows
// when asked about rows past the end.
class RecordingSource : public CUGMem {
public:
    RecordingGrid* grid = nullptr;
    int answerMove = 1;
    long rowsToAdd = 0;

    int AskMoveCurrentCell(int oldCol, long oldRow, int newCol, long newRow) override
    {
        grid->Note("Source AskMoveCurrentCell %d %ld %d %ld", oldCol, oldRow, newCol, newRow);
        return answerMove;
    }
    void NotifyCurrentColumnChanged(int oldCol, int newCol) override
    {
        grid->Note("Source CurrentColumnChanged %d %d", oldCol, newCol);
    }
    void NotifyCurrentRowChanged(long oldRow, long newRow) override
    {
        grid->Note("Source CurrentRowChanged %ld %ld", oldRow, newRow);
    }
    int NotifyRowsPastEnd(long count, long past, long* added) override
    {
        grid->Note("Source RowsPastEnd %ld %ld", count, past);
        grid->GridInfo->RowCount += rowsToAdd;
        *added = rowsToAdd;
        return 0;
    }
};

// A cell type that logs the focus calls of the current cell.
class FocusType : public CUGCellType {
public:
    RecordingGrid* grid = nullptr;
    void OnCellSetFocus(int col, long row, CUGCell*) override { grid->Note("SetFocus %d %ld", col, row); }
    void OnCellKillFocus(int col, long row, CUGCell*) override { grid->Note("KillFocus %d %ld", col, row); }
};

// A sheet of `cols` columns 50 wide and `rows` rows 20 high in a cell area of
// 300 x 100 with no window; the cells (0..5, 0..4) count as visible.
struct Sheet {
    RecordingGrid grid;
    RecordingSource source;
    FocusType focus;

    explicit Sheet(int cols = 20, long rows = 100, int lockedCols = 0)
    {
        source.grid = &grid;
        focus.grid = &grid;
        source.SetOwner(&grid);
        const int focusType = grid.AddCellType(&focus);
        CUGGridInfo* gi = grid.GridInfo;
        gi->DataSource = &source;
        gi->ColumnCount = cols;
        gi->Columns.resize(cols);
        for (int c = 0; c < cols; ++c) {
            gi->Columns[c].Width = 50;
            gi->Columns[c].DataColumn = c;
            gi->Columns[c].DefaultCell = std::make_unique<CUGCell>();
            gi->Columns[c].DefaultCell->SetCellType(focusType);
        }
        gi->RowCount = rows;
        gi->UniformRowHeight = 1;
        gi->LockedCols = gi->LeftCol = lockedCols;
        gi->LockedWidth = 50 * lockedCols;
        gi->GridWidth = 300;
        gi->GridHeight = 100;
        gi->RightCol = 6;
        gi->BottomRow = 5;
        grid.ComputeMaxLeftColumn();
        grid.ComputeMaxTopRow();
        grid.GotoCell(lockedCols, 0);
        grid.log.Clear();
    }

    // Joins a block the way JoinCells stores it: every cell points at the
    // block's first cell, which holds the extent.
    void Join(int startCol, long startRow, int endCol, long endRow)
    {
        CUGCell cell;
        for (int c = startCol; c <= endCol; ++c)
            for (long r = startRow; r <= endRow; ++r) {
                const bool origin = c == startCol && r == startRow;
                cell.ClearAll();
                cell.SetJoinInfo(origin ? 1 : 0, origin ? endCol - startCol : startCol - c,
                                 origin ? endRow - startRow : startRow - r);
                grid.SetCell(c, r, &cell);
            }
    }
};

struct Position {
    int col;
    long row;
    int left;
    long top;
};

Position PositionOf(const CUGCtrl& grid)
{
    return {grid.GetCurrentCol(), grid.GetCurrentRow(), grid.GetLeftCol(), grid.GetTopRow()};
}

bool operator==(const Position& a, const Position& b)
{
    return a.col == b.col && a.row == b.row && a.left == b.left && a.top == b.top;
}

std::ostream& operator<<(std::ostream& out, const Position& p)
{
    return out << "cell (" << p.col << ", " << p.row << ") left " << p.left << " top " << p.top;
}

using Op = std::function<int(CUGCtrl&)>;
Op Cell(int c, long r) { return [=](CUGCtrl& g) { return g.GotoCell(c, r); }; }
Op Col(int code) { return [=](CUGCtrl& g) { return g.MoveCurrentColumn(code); }; }
Op Row(int code) { return [=](CUGCtrl& g) { return g.MoveCurrentRow(code); }; }
Op Left(int code) { return [=](CUGCtrl& g) { return g.MoveLeftColumn(code); }; }
Op Top(int code) { return [=](CUGCtrl& g) { return g.MoveTopRow(code); }; }
Op ToColumn(int c) { return [=](CUGCtrl& g) { return g.GotoColumn(c); }; }
Op ToRow(long r) { return [=](CUGCtrl& g) { return g.GotoRow(r); }; }
Op ByMouse() { return [](CUGCtrl& g) { g.GridInfo->MoveKind = CUGCtrl::MoveByLeftButton; return 0; }; }

constexpr int Back = CUGCtrl::StepBack, Fwd = CUGCtrl::StepForward, PgBack = CUGCtrl::StepPageBack,
              PgFwd = CUGCtrl::StepPageForward, First = CUGCtrl::StepFirst, Last = CUGCtrl::StepLast;

}  // namespace

// Each case runs its operations from (0, 0) on a fresh 20 x 100 sheet (or with
// 2 locked columns, or with a block joined over columns 3..5 of row 0 and one
// over rows 3..5 of column 1) and checks the last operation's result and
// where the current cell and the view ended up.
TEST(CUGCtrlNavigation, MovesLandWhereTheStepRulesSay)
{
    enum Setup { Plain, Locked, Joined };
    struct Case {
        const char* name;
        Setup setup;
        std::vector<Op> ops;
        int result;
        Position end;
    };
    const Case cases[] = {
        {"right from the last column is refused", Plain, {Col(Last), Col(Fwd)}, 1, {19, 0, 14, 0}},
        {"left from column 0 does nothing", Plain, {Col(Back)}, 0, {0, 0, 0, 0}},
        {"page right walks the room and scrolls", Plain, {Col(PgFwd)}, 0, {7, 0, 2, 0}},
        {"page left walks back to the start", Plain, {Col(PgFwd), Col(PgBack)}, 0, {0, 0, 0, 0}},
        {"first column", Plain, {Col(Last), Col(First)}, 0, {0, 0, 0, 0}},
        {"unknown code", Plain, {Col(6), Row(-1), Left(9), Top(6)}, 0, {0, 0, 0, 0}},
        {"row 50 from row 0 puts row 46 on top", Plain, {ToRow(50)}, 0, {0, 50, 0, 46}},
        {"page down", Plain, {Row(PgFwd)}, 0, {0, 5, 0, 1}},
        {"page up", Plain, {Row(PgFwd), Row(PgBack)}, 0, {0, 0, 0, 0}},
        {"last row", Plain, {Row(Last)}, 0, {0, 99, 0, 95}},
        {"down from the last row is refused", Plain, {Row(Last), Row(Fwd)}, 1, {0, 99, 0, 95}},
        {"GotoCell past the end clamps", Plain, {Cell(3, 500)}, 0, {3, 99, 0, 95}},
        {"scroll a page down", Plain, {Top(PgFwd)}, 0, {0, 0, 0, 5}},
        {"scroll to the end stops at the maximum", Plain, {Top(Last)}, 0, {0, 0, 0, 95}},
        {"scroll a page right", Plain, {Left(PgFwd)}, 0, {0, 0, 7, 0}},
        {"scroll right to the end", Plain, {Left(Last)}, 0, {0, 0, 15, 0}},
        {"locked: the left column stays at 2", Locked, {Left(Back), Left(First)}, 0, {2, 0, 2, 0}},
        {"locked: a page scroll leaves the locked width out", Locked, {Left(PgFwd)}, 0, {2, 0, 7, 0}},
        {"locked: a page scroll back", Locked, {Left(PgFwd), Left(PgBack)}, 0, {2, 0, 2, 0}},
        {"locked: a page move", Locked, {Col(PgFwd)}, 0, {7, 0, 4, 0}},
        {"locked: a locked cell scrolls back", Locked, {Col(PgFwd), ToColumn(0)}, 0, {0, 0, 2, 0}},
        {"joined: right from 3 lands on 6", Joined, {ToColumn(3), Col(Fwd)}, 0, {6, 0, 1, 0}},
        {"joined: left from 6 lands on 5", Joined, {Cell(6, 0), Col(Back)}, 0, {5, 0, 1, 0}},
        {"joined: left from 5 lands on 2", Joined, {Cell(6, 0), Col(Back), Col(Back)}, 0, {2, 0, 1, 0}},
        {"joined: right from before enters at 3", Joined, {ToColumn(2), Col(Fwd)}, 0, {3, 0, 0, 0}},
        {"joined: GotoCell goes to the block's start", Joined, {Cell(5, 0)}, 0, {3, 0, 0, 0}},
        {"joined: a mouse move takes the start", Joined, {ByMouse(), ToColumn(4)}, 0, {3, 0, 0, 0}},
        {"joined: down steps over rows 3..5", Joined, {Cell(1, 2), Row(Fwd), Row(Fwd)}, 0, {1, 6, 0, 2}},
        {"joined: up from 6 lands on 5, then 2", Joined, {Cell(1, 6), Row(Back), Row(Back)}, 0, {1, 2, 0, 2}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        Sheet sheet(20, 100, test.setup == Locked ? 2 : 0);
        if (test.setup == Joined) {
            sheet.Join(3, 0, 5, 0);
            sheet.Join(1, 3, 1, 5);
        }
        int result = -1;
        for (const Op& op : test.ops)
            result = op(sheet.grid);
        EXPECT_EQ(result, test.result);
        EXPECT_EQ(PositionOf(sheet.grid), test.end);
    }
}

// Every kind of move and scroll raises its questions and notifications in
// this order, and a refused one stops at the question that refused it.
TEST(CUGCtrlNavigation, NotificationsComeInTheirOrder)
{
    struct Case {
        const char* name;
        std::function<void(Sheet&)> setup;
        Op op;
        int result;
        Lines lines;
    };
    const auto none = [](Sheet&) {};
    const Case cases[] = {
        {"GotoCell inside the view", none, Cell(2, 3), 0,
         {"Source AskMoveCurrentCell 0 0 2 3", "AskMoveCurrentCell 0 0 2 3",
          "Source CurrentColumnChanged 0 2", "CurrentColumnChanged 0 2",
          "Source CurrentRowChanged 0 3", "CurrentRowChanged 0 3", "CurrentCellChanged 0 2 0 3",
          "KillFocus 0 0", "SetFocus 2 3"}},
        {"GotoCell outside the view scrolls", none, Cell(10, 50), 0,
         {"Source AskMoveCurrentCell 0 0 10 50", "AskMoveCurrentCell 0 0 10 50",
          "AskMoveView 0 0 10 50", "Source CurrentColumnChanged 0 10", "CurrentColumnChanged 0 10",
          "Source CurrentRowChanged 0 50", "CurrentRowChanged 0 50",
          "CurrentCellChanged 0 10 0 50", "LeftColumnChanged 0 5", "TopRowChanged 0 46",
          "KillFocus 0 0", "SetFocus 10 50"}},
        {"GotoCell to the drag cell", none, Cell(0, 0), 0, {}},
        {"GotoColumn", none, ToColumn(3), 0,
         {"Source AskMoveCurrentCell 0 0 3 0", "AskMoveCurrentCell 0 0 3 0",
          "Source CurrentColumnChanged 0 3", "CurrentColumnChanged 0 3",
          "CurrentCellChanged 0 3 0 0", "KillFocus 0 0", "SetFocus 3 0"}},
        {"GotoRow asks the owner alone", none, ToRow(4), 0,
         {"AskMoveCurrentCell 0 0 0 4", "Source CurrentRowChanged 0 4", "CurrentRowChanged 0 4",
          "CurrentCellChanged 0 0 0 4", "KillFocus 0 0", "SetFocus 0 4"}},
        {"SetLeftColumn", none, [](CUGCtrl& g) { return g.SetLeftColumn(4); }, 0,
         {"AskMoveView 0 0 4 0", "LeftColumnChanged 0 4"}},
        {"SetTopRow", none, [](CUGCtrl& g) { return g.SetTopRow(7); }, 0,
         {"AskMoveView 0 0 0 7", "TopRowChanged 0 7"}},
        {"scroll a page down", none, Top(PgFwd), 0, {"AskMoveView 0 0 0 5", "TopRowChanged 0 5"}},
        {"the owner refuses", [](Sheet& s) { s.grid.allowMove = 0; }, Cell(2, 3), 2,
         {"Source AskMoveCurrentCell 0 0 2 3", "AskMoveCurrentCell 0 0 2 3"}},
        {"the source answers 2", [](Sheet& s) { s.source.answerMove = 2; }, ToColumn(3), 2,
         {"Source AskMoveCurrentCell 0 0 3 0"}},
        {"the view refuses", [](Sheet& s) { s.grid.allowView = 0; }, Cell(10, 50), 2,
         {"Source AskMoveCurrentCell 0 0 10 50", "AskMoveCurrentCell 0 0 10 50",
          "AskMoveView 0 0 10 50"}},
        {"the view refuses a scroll", [](Sheet& s) { s.grid.allowView = 0; }, Top(Fwd), 2,
         {"AskMoveView 0 0 0 1"}},
        {"past the end with no row added", [](Sheet& s) { s.grid.GotoRow(99); }, Row(Fwd), 1,
         {"Source RowsPastEnd 100 1", "RowsPastEnd 100 1 0"}},
        {"past the end with a row added",
         [](Sheet& s) { s.grid.GotoRow(99); s.source.rowsToAdd = 1; }, Row(Fwd), 0,
         {"Source RowsPastEnd 100 1", "RowsPastEnd 101 0 1", "AskMoveCurrentCell 0 99 0 100",
          "AskMoveView 0 95 0 100", "Source CurrentRowChanged 99 100", "CurrentRowChanged 99 100",
          "CurrentCellChanged 0 0 99 100", "TopRowChanged 95 96", "KillFocus 0 99",
          "SetFocus 0 100"}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        Sheet sheet;
        test.setup(sheet);
        const Position before = PositionOf(sheet.grid);
        sheet.grid.log.Clear();
        EXPECT_EQ(test.op(sheet.grid), test.result);
        EXPECT_EQ(sheet.grid.log.Lines(), test.lines);
        if (test.result != 0) {
            EXPECT_EQ(PositionOf(sheet.grid), before);
        }
    }
}

// With multiple selection on, a Shift click extends the block and the current
// cell stays at its anchor; a Ctrl click starts a new block there.
TEST(CUGCtrlNavigation, SelectionDecidesTheCurrentCell)
{
    Sheet sheet;
    CUGGridInfo* gi = sheet.grid.GridInfo;
    gi->MultiSelectMode = 1;
    gi->MultiSelect->SetMode(CUGBlockSelection::ModeCells);
    gi->MoveKind = CUGCtrl::MoveByLeftButton;
    gi->KeyFlags = 0;
    sheet.grid.GotoCell(2, 3);
    gi->KeyFlags = MK_SHIFT;
    sheet.grid.log.Clear();
    EXPECT_EQ(sheet.grid.GotoCell(4, 1), 0);
    EXPECT_EQ(sheet.grid.log.Lines(),
              (Lines{"Source AskMoveCurrentCell 2 3 4 1", "AskMoveCurrentCell 2 3 4 1"}));
    EXPECT_EQ(PositionOf(sheet.grid), (Position{2, 3, 0, 0}));
    EXPECT_EQ(gi->DragCol, 4);
    EXPECT_EQ(gi->DragRow, 1);
    EXPECT_TRUE(gi->MultiSelect->IsSelected(3, 2));

    gi->KeyFlags = MK_CONTROL;
    EXPECT_EQ(sheet.grid.GotoCell(5, 4), 0);
    EXPECT_EQ(PositionOf(sheet.grid), (Position{5, 4, 0, 0}));
    EXPECT_TRUE(gi->MultiSelect->IsSelected(3, 2));
}

// Seeded random moves, scrolls and refusals on sheets with locked columns and
// rows, rows of mixed heights and joined blocks. After each operation: the
// current cell lies in the sheet, the previous values equal the current ones,
// the view stays within [locked, maximum], a refusal changed nothing, and
// the change notifications name exactly the values that changed.
TEST(CUGCtrlNavigation, RandomMovesKeepThePositionsConsistent)
{
    std::mt19937 random(20240611);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int round = 0; round < 20; ++round) {
        Sheet sheet(pick(3, 30), pick(3, 200), 0);
        CUGCtrl& grid = sheet.grid;
        CUGGridInfo* gi = grid.GridInfo;
        gi->LockedCols = gi->LeftCol = pick(0, 2);
        gi->LockedWidth = 50 * gi->LockedCols;
        gi->UniformRowHeight = pick(0, 1);
        gi->RowHeights.clear();
        for (long r = 0; r < gi->RowCount; ++r)
            gi->RowHeights.push_back(pick(5, 45));
        gi->LockedRows = gi->TopRow = pick(0, 1);
        gi->LockedHeight = gi->LockedRows ? grid.GetRowHeight(0) : 0;
        gi->GridHeight = pick(60, 250);
        grid.ComputeMaxLeftColumn();
        grid.ComputeMaxTopRow();
        if (gi->ColumnCount > 6)
            sheet.Join(3, 1, 5, 2);
        gi->DragCol = gi->DragRow = -1;
        grid.GotoCell(gi->LockedCols, gi->LockedRows);

        for (int step = 0; step < 300; ++step) {
            sheet.grid.allowMove = pick(0, 9) != 0;
            sheet.grid.allowView = pick(0, 9) != 0;
            sheet.source.answerMove = pick(0, 9) != 0;
            gi->MoveKind = pick(0, 1);
            const int arg = pick(-3, 250);
            const Op ops[] = {Cell(arg % 40, arg), ToColumn(arg % 40), ToRow(arg), Col(pick(0, 6)),
                              Row(pick(0, 6)), Left(pick(0, 6)), Top(pick(0, 6)),
                              [=](CUGCtrl& g) { return g.SetLeftColumn(arg % 40); },
                              [=](CUGCtrl& g) { return g.SetTopRow(arg); }};
            const Position before = PositionOf(grid);
            sheet.grid.log.Clear();
            const int result = ops[pick(0, 8)](grid);
            const Position after = PositionOf(grid);
            SCOPED_TRACE(testing::Message() << "round " << round << " step " << step);

            ASSERT_TRUE(after.col >= 0 && after.col < gi->ColumnCount) << after;
            ASSERT_TRUE(after.row >= 0 && after.row < gi->RowCount) << after;
            ASSERT_EQ(gi->PreviousCol, after.col);
            ASSERT_EQ(gi->PreviousRow, after.row);
            ASSERT_EQ(gi->PreviousLeftCol, after.left);
            ASSERT_EQ(gi->PreviousTopRow, after.top);
            ASSERT_TRUE(after.left >= gi->LockedCols && after.left <= gi->MaxLeftCol) << after;
            ASSERT_TRUE(after.top >= gi->LockedRows && after.top <= gi->MaxTopRow) << after;
            if (result != 0) {
                ASSERT_EQ(after, before);
            }

            Lines expected;
            auto note = [&](const char* format, long a, long b) {
                char line[80];
                std::snprintf(line, sizeof line, format, a, b);
                expected.push_back(line);
            };
            if (after.col != before.col)
                note("CurrentColumnChanged %ld %ld", before.col, after.col);
            if (after.row != before.row)
                note("CurrentRowChanged %ld %ld", before.row, after.row);
            if (after.left != before.left)
                note("LeftColumnChanged %ld %ld", before.left, after.left);
            if (after.top != before.top)
                note("TopRowChanged %ld %ld", before.top, after.top);
            Lines changes;
            for (const std::string& line : sheet.grid.log.Lines())
                if (line.find("Changed") != std::string::npos && line.rfind("Source", 0) != 0
                    && line.rfind("CurrentCell", 0) != 0)
                    changes.push_back(line);
            ASSERT_EQ(changes, expected);
        }
    }
}

// Hit testing and cell rectangles against a model of the screen: the locked
// columns from x = 0, then the columns from the left column on, each as wide
// as it is (rows likewise); a column scrolled away under the locked ones
// answers the locked edge.
TEST(CUGCtrlNavigation, HitTestAndCellRectsFollowTheVisibleLayout)
{
    std::mt19937 random(77);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int round = 0; round < 40; ++round) {
        Sheet sheet(pick(1, 12), pick(1, 15));
        CUGCtrl& grid = sheet.grid;
        CUGGridInfo* gi = grid.GridInfo;
        gi->JoinsEnabled = 0;
        gi->UniformRowHeight = 0;
        gi->RowHeights.clear();
        for (auto& column : gi->Columns)
            column.Width = pick(0, 60);
        for (long r = 0; r < gi->RowCount; ++r)
            gi->RowHeights.push_back(pick(1, 40));
        gi->LockedCols = pick(0, std::min(2, gi->ColumnCount - 1));
        gi->LockedRows = pick(0, std::min(2, gi->RowCount - 1));
        gi->LeftCol = pick(gi->LockedCols, gi->ColumnCount - 1);
        gi->TopRow = pick(gi->LockedRows, gi->RowCount - 1);
        gi->GridWidth = pick(20, 400);
        gi->GridHeight = pick(20, 400);

        // The screen model: where each column and row starts and ends.
        auto layout = [](int count, int locked, int first, auto size, std::vector<int>& start,
                         std::vector<int>& end) {
            int lockedSize = 0;
            for (int i = 0; i < locked; ++i)
                lockedSize += size(i);
            start.assign(count, lockedSize);
            end.assign(count, lockedSize);
            int at = 0;
            for (int i = 0; i < count; ++i) {
                if (i >= locked && i < first)
                    continue;
                start[i] = at;
                end[i] = at += size(i);
            }
        };
        std::vector<int> left, right, top, bottom;
        layout(gi->ColumnCount, gi->LockedCols, gi->LeftCol,
               [&](int c) { return grid.GetColumnWidth(c); }, left, right);
        layout(gi->RowCount, gi->LockedRows, gi->TopRow,
               [&](int r) { return grid.GetRowHeight(r); }, top, bottom);
        gi->LockedWidth = gi->LockedCols ? right[gi->LockedCols - 1] : 0;
        gi->LockedHeight = gi->LockedRows ? bottom[gi->LockedRows - 1] : 0;

        for (int probe = 0; probe < 30; ++probe) {
            const int x = pick(-5, gi->GridWidth + 5), y = pick(-5, gi->GridHeight + 5);
            auto find = [](int at, const std::vector<int>& from, const std::vector<int>& to) {
                for (size_t i = 0; i < from.size(); ++i)
                    if (from[i] <= at && at < to[i])
                        return static_cast<int>(i);
                return -1;
            };
            const bool inside = x >= 0 && x <= gi->GridWidth && y >= 0 && y <= gi->GridHeight;
            const int col = inside ? find(x, left, right) : -1;
            const int row = inside ? find(y, top, bottom) : -1;
            int hitCol = -9;
            long hitRow = -9;
            RECT rect{};
            SCOPED_TRACE(testing::Message() << "round " << round << " at " << x << ", " << y);
            const int result = grid.GetCellFromPoint(x, y, hitCol, hitRow, rect);
            ASSERT_EQ(result, col >= 0 && row >= 0 ? 0 : 1);
            if (result == 0) {
                EXPECT_EQ(hitCol, col);
                EXPECT_EQ(hitRow, row);
                EXPECT_EQ(rect.left, left[col]);
                EXPECT_EQ(rect.right, right[col]);
                EXPECT_EQ(rect.top, top[row]);
                EXPECT_EQ(rect.bottom, bottom[row]);
            }
        }
        for (int c = 0; c < gi->ColumnCount; ++c) {
            int col = c;
            long row = gi->RowCount - 1;
            RECT rect{};
            grid.GetCellRect(col, row, rect);
            EXPECT_EQ(rect.left, left[c]) << "column " << c;
            EXPECT_EQ(rect.right, right[c]) << "column " << c;
            EXPECT_EQ(rect.bottom, bottom[row]);
        }
    }
}

// A joined block is hit and measured as a whole, and answers its origin; the
// join queries tell joins off (1) from a cell that is not joined (2).
TEST(CUGCtrlNavigation, JoinedBlocksAreOneCell)
{
    Sheet sheet;
    sheet.Join(3, 1, 5, 2);
    CUGCtrl& grid = sheet.grid;
    int col = -1;
    long row = -1;
    RECT rect{};
    ASSERT_EQ(grid.GetCellFromPoint(260, 55, col, row, rect), 0);
    EXPECT_EQ(col, 3);
    EXPECT_EQ(row, 1);
    EXPECT_EQ(CRect(rect), CRect(150, 20, 300, 60));

    int endCol = 0;
    long endRow = 0;
    col = 4, row = 2;
    EXPECT_EQ(grid.GetJoinRange(col, row, endCol, endRow), 0);
    EXPECT_EQ((std::vector<long>{col, row, endCol, endRow}), (std::vector<long>{3, 1, 5, 2}));
    col = 2, row = 2;
    EXPECT_EQ(grid.GetJoinStart(col, row), 2);

    // Scrolled so that the block's first column is gone: what is left shows.
    grid.SetLeftColumn(4);
    col = 5, row = 2;
    grid.GetCellRect(col, row, rect);
    EXPECT_EQ(col, 3);
    EXPECT_EQ(CRect(rect), CRect(0, 20, 100, 60));

    grid.GridInfo->JoinsEnabled = 0;
    EXPECT_EQ(grid.GetJoinStart(col, row), 1);
}

// The tracking window is moved off the cell it covers (to its right), or in
// mode 1 placed 30 px right of the cell; the owner hears of it first.
TEST(CUGCtrlNavigation, TrackingWindowKeepsClearOfTheCurrentCell)
{
    struct TrackingGrid : RecordingGrid {
        void NotifyTrackingWindowMoved(RECT* from, RECT* to) override
        {
            Note("TrackingWindowMoved %ld %ld -> %ld %ld", from->left, from->top, to->left, to->top);
        }
    } grid;
    GridTestFrame frame(grid, 400, 300);
    CUGGridInfo* gi = grid.GridInfo;
    gi->ColumnCount = 6;
    gi->Columns.resize(6);
    for (auto& column : gi->Columns)
        column.Width = 50, column.DefaultCell = std::make_unique<CUGCell>();
    gi->RowCount = 10;
    gi->UniformRowHeight = 1;
    grid.AdjustComponentSizes();

    CWnd tracker;
    ASSERT_TRUE(tracker.CreateEx(0, nullptr, L"", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30, nullptr, nullptr));
    EXPECT_EQ(grid.SetTrackingWindow(nullptr), 1);
    EXPECT_EQ(grid.SetTrackingWindow(&tracker), 0);
    EXPECT_TRUE(GetWindowLongW(tracker.m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);

    // Cell (1, 2) spans x 50..100, y 40..60 of the cell area.
    POINT cell{50, 40};
    ::ClientToScreen(grid.GetCellArea()->m_hWnd, &cell);
    tracker.MoveWindow(cell.x + 10, cell.y + 5, 40, 30);
    grid.log.Clear();
    grid.GotoCell(1, 2);
    RECT placed;
    tracker.GetWindowRect(&placed);
    EXPECT_EQ(placed.left, cell.x + 55);  // the cell's right edge + 5
    EXPECT_EQ(placed.top, cell.y + 5);
    char moved[120];
    std::snprintf(moved, sizeof moved, "TrackingWindowMoved %ld %ld -> %ld %ld", cell.x + 10L,
                  cell.y + 5L, cell.x + 55L, cell.y + 5L);
    EXPECT_EQ(grid.log.Lines().back(), moved);

    grid.SetTrackingWindowMode(1);
    grid.GotoCell(2, 4);  // x 100..150, y 80..100
    tracker.GetWindowRect(&placed);
    EXPECT_EQ(placed.left, cell.x - 50 + 180);
    EXPECT_EQ(placed.top, cell.y - 40 + 80);
    grid.SetTrackingWindow(nullptr);
    tracker.DestroyWindow();
}
