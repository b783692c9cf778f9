// Counts, sizes and settings: the range rules of every operation
// (what it answers and what it changes), the column entry rules, locked
// columns and rows, the data source's say over append, insert and delete,
// moving columns and the heading sizes. Without a window unless a test needs
// the layout.
#include "CFont.h"
#include "CUGCtrl.h"
#include "RecordingGrid.h"
#include "RecordingSource.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Counts the repaints the operations ask for.
class RedrawCountingGrid : public CUGCtrl {
public:
    int redraws = 0;
    void RedrawAll() override
    {
        ++redraws;
        CUGCtrl::RedrawAll();
    }
};

std::vector<int> Widths(const CUGCtrl& grid)
{
    std::vector<int> widths;
    for (int col = 0; col < grid.GetColumnCount(); ++col)
        widths.push_back(grid.GetColumnWidth(col));
    return widths;
}

std::vector<int> DataColumns(const CUGCtrl& grid)
{
    std::vector<int> columns;
    for (const auto& entry : grid.GridInfo->Columns)
        columns.push_back(entry.DataColumn);
    return columns;
}

std::wstring TextAt(CUGCtrl& grid, int col, long row)
{
    const wchar_t* text = grid.QuickGetTextPtr(col, row);
    return text ? text : L"";
}

// One row of a range table: the operation with its argument, the answer
// expected, and the field it writes with the value expected afterwards.
struct RangeCase {
    const char* name;
    std::function<int(CUGCtrl&, int)> operation;
    int argument;
    int expected;
    std::function<int(const CUGGridInfo&)> field;
    int fieldAfter;
};

void CheckRangeCases(const std::vector<RangeCase>& cases)
{
    for (const RangeCase& c : cases) {
        CUGCtrl grid;
        grid.SetColumnCount(2, FALSE);
        grid.SetRowCount(2, FALSE);
        EXPECT_EQ(c.operation(grid, c.argument), c.expected) << c.name << "(" << c.argument << ")";
        EXPECT_EQ(c.field(*grid.GridInfo), c.fieldAfter) << c.name << "(" << c.argument << ")";
    }
}

}  // namespace

// --- Column and row counts -----------------------------------------------------

// 0 to 32000 columns; outside that 1 and nothing changes.
TEST(CUGCtrlSizes, SetColumnCountTakesZeroTo32000Columns)
{
    struct Case {
        int count;
        int expected;
        int countAfter;
    };
    for (const Case& c : {Case{-1, 1, 5}, Case{0, 0, 0}, Case{32000, 0, 32000},
                          Case{32001, 1, 5}, Case{3, 0, 3}}) {
        CUGCtrl grid;
        grid.SetColumnCount(5, FALSE);
        EXPECT_EQ(grid.SetColumnCount(c.count, FALSE), c.expected) << c.count;
        EXPECT_EQ(grid.GetColumnCount(), c.countAfter) << c.count;
        EXPECT_EQ(static_cast<int>(grid.GridInfo->Columns.size()), c.countAfter) << c.count;
    }
}

// A new column: the default width, the sheet's source, a copy of the
// column-default template, its own index as data column. Columns that stay
// keep their entries.
TEST(CUGCtrlSizes, NewColumnsFollowTheColumnEntryRules)
{
    CUGCtrl grid;
    ASSERT_EQ(grid.SetDefaultColumnWidth(60), 0);
    CUGCell templateCell;
    templateCell.SetTextColor(RGB(7, 8, 9));
    ASSERT_EQ(grid.SetGridDefault(&templateCell), 0);
    grid.SetColumnCount(2, FALSE);
    grid.SetColumnWidth(1, 33);
    templateCell.SetTextColor(RGB(1, 1, 1));
    grid.SetGridDefault(&templateCell);

    grid.SetColumnCount(4, FALSE);
    EXPECT_EQ(Widths(grid), (std::vector<int>{60, 33, 60, 60}));
    EXPECT_EQ(DataColumns(grid), (std::vector<int>{0, 1, 2, 3}));
    CUGCell cell;
    grid.GetColumnDefault(1, &cell);
    EXPECT_EQ(cell.GetTextColor(), RGB(7, 8, 9));  // a copy made when it was new
    grid.GetColumnDefault(3, &cell);
    EXPECT_EQ(cell.GetTextColor(), RGB(1, 1, 1));
    for (const auto& entry : grid.GridInfo->Columns) {
        EXPECT_EQ(entry.DataSource, grid.GridInfo->DataSource);
        ASSERT_NE(entry.DefaultCell, nullptr);
        EXPECT_NE(entry.DefaultCell.get(), &grid.GridInfo->ColumnDefaultTemplate);
    }

    grid.SetColumnCount(1, FALSE);
    grid.SetColumnCount(2, FALSE);
    EXPECT_EQ(Widths(grid), (std::vector<int>{60, 60}));
}

// Fewer columns than locked: the locked count first drops to count - 1; the
// current and drag columns move into the grid.
TEST(CUGCtrlSizes, SetColumnCountReducesLockedColumnsAndTheCurrentColumn)
{
    CUGCtrl grid;
    grid.SetColumnCount(5, FALSE);
    grid.SetColumnWidth(0, 10);
    grid.SetColumnWidth(1, 20);
    ASSERT_EQ(grid.SetLockedColumns(2), 0);
    EXPECT_EQ(grid.GridInfo->LockedWidth, 30);

    grid.SetColumnCount(2, FALSE);
    EXPECT_EQ(grid.GridInfo->LockedCols, 1);
    EXPECT_EQ(grid.GridInfo->LockedWidth, 10);
    grid.SetLockedColumns(2);
    grid.SetColumnCount(1, FALSE);
    EXPECT_EQ(grid.GridInfo->LockedCols, 0);
    EXPECT_EQ(grid.GridInfo->LockedWidth, 0);

    grid.SetColumnCount(6, FALSE);
    grid.GridInfo->CurrentCol = 5;
    grid.GridInfo->DragCol = 4;
    grid.SetColumnCount(3, FALSE);
    EXPECT_EQ(grid.GridInfo->CurrentCol, 2);
    EXPECT_EQ(grid.GridInfo->DragCol, 2);
    grid.GridInfo->CurrentCol = 1;
    grid.GridInfo->DragCol = 1;
    grid.SetColumnCount(2, FALSE);
    EXPECT_EQ(grid.GridInfo->CurrentCol, 1);
    EXPECT_EQ(grid.GridInfo->DragCol, 1);
}

// No upper limit on rows, negative counts refused; per-row heights are kept
// and new rows get the default height; from 64001 rows on heights are
// uniform.
TEST(CUGCtrlSizes, SetRowCountKeepsHeightsAndSwitchesToUniformHeightsFrom64001)
{
    CUGCtrl grid;
    EXPECT_EQ(grid.SetRowCount(-1, FALSE), 1);
    EXPECT_EQ(grid.GetRowCount(), 0);
    ASSERT_EQ(grid.SetRowCount(3, FALSE), 0);
    grid.SetRowHeight(1, 33);
    grid.SetDefaultRowHeight(25);
    grid.SetRowCount(5, FALSE);
    EXPECT_EQ(grid.GridInfo->RowHeights, (std::vector<int>{20, 33, 20, 25, 25}));
    grid.SetRowCount(2, FALSE);
    EXPECT_EQ(grid.GridInfo->RowHeights, (std::vector<int>{20, 33}));

    EXPECT_EQ(grid.SetRowCount(64000, FALSE), 0);
    EXPECT_FALSE(grid.GridInfo->UniformRowHeight);
    EXPECT_EQ(grid.GetRowHeight(1), 33);
    EXPECT_EQ(grid.SetRowCount(64001, FALSE), 0);
    EXPECT_TRUE(grid.GridInfo->UniformRowHeight);
    EXPECT_TRUE(grid.GridInfo->RowHeights.empty());
    EXPECT_EQ(grid.GetRowHeight(1), 25);
    EXPECT_EQ(grid.SetRowCount(2000000000, FALSE), 0);
    EXPECT_EQ(grid.GetRowHeight(1999999999), 25);
    EXPECT_EQ(grid.SetUniformRowHeight(0), 1);  // no per-row heights for so many
}

// Fewer rows than locked: the locked count drops first; the current row and
// its previous and drag values move into the grid.
TEST(CUGCtrlSizes, SetRowCountReducesLockedRowsAndTheCurrentRow)
{
    CUGCtrl grid;
    grid.SetRowCount(10, FALSE);
    ASSERT_EQ(grid.SetLockedRows(3), 0);
    EXPECT_EQ(grid.GridInfo->LockedHeight, 60);
    grid.SetRowCount(2, FALSE);
    EXPECT_EQ(grid.GridInfo->LockedRows, 1);
    EXPECT_EQ(grid.GridInfo->LockedHeight, 20);

    grid.SetRowCount(10, FALSE);
    grid.GridInfo->CurrentRow = 9;
    grid.GridInfo->PreviousRow = 9;
    grid.GridInfo->DragRow = 9;
    grid.SetRowCount(4, FALSE);
    EXPECT_EQ(grid.GridInfo->CurrentRow, 3);
    EXPECT_EQ(grid.GridInfo->PreviousRow, 3);
    EXPECT_EQ(grid.GridInfo->DragRow, 3);
    grid.GridInfo->CurrentRow = 1;
    grid.GridInfo->DragRow = 7;
    grid.SetRowCount(3, FALSE);
    EXPECT_EQ(grid.GridInfo->CurrentRow, 1);
    EXPECT_EQ(grid.GridInfo->DragRow, 2);
    grid.SetRowCount(0, FALSE);
    EXPECT_EQ(grid.GridInfo->CurrentRow, -1);
    EXPECT_EQ(grid.GridInfo->LockedRows, 0);
}

// Counts repaint only when asked.
TEST(CUGCtrlSizes, CountsRepaintWhenAsked)
{
    RedrawCountingGrid grid;
    grid.SetColumnCount(3, FALSE);
    grid.SetRowCount(3, FALSE);
    EXPECT_EQ(grid.redraws, 0);
    grid.SetColumnCount(4, TRUE);
    grid.SetRowCount(4, TRUE);
    EXPECT_EQ(grid.redraws, 2);
    grid.AppendRow();
    grid.AppendColumn();
    EXPECT_EQ(grid.redraws, 4);
}

// --- Widths and heights --------------------------------------------------------

// Outside the grid a column is 1 wide and a row 0 high.
TEST(CUGCtrlSizes, SizesOutsideTheGridAreOneWideAndZeroHigh)
{
    CUGCtrl grid;
    grid.SetColumnCount(2, FALSE);
    grid.SetRowCount(2, FALSE);
    for (int col : {-1, 2, 100})
        EXPECT_EQ(grid.GetColumnWidth(col), 1) << col;
    for (long row : {-1L, 2L, 100L})
        EXPECT_EQ(grid.GetRowHeight(row), 0) << row;
    EXPECT_EQ(grid.GetColumnWidth(1), 75);
    EXPECT_EQ(grid.GetRowHeight(1), 20);
}

// Data columns, a locked column (with the locked width), row heading columns
// (0..1024, the whole heading when there is one), and what is refused.
TEST(CUGCtrlSizes, SetColumnWidthCoversDataAndRowHeadingColumns)
{
    struct Case {
        int col;
        int width;
        int expected;
    };
    CUGCtrl grid;
    grid.SetColumnCount(3, FALSE);
    grid.SetLockedColumns(1);
    for (const Case& c : {Case{2, 40, 0}, Case{0, 15, 0}, Case{3, 40, 1}, Case{1, -1, 1},
                          Case{-1, 30, 0}, Case{-1, 1025, 1}, Case{-1, -1, 1}, Case{-2, 10, 1}})
        EXPECT_EQ(grid.SetColumnWidth(c.col, c.width), c.expected) << c.col << " " << c.width;
    EXPECT_EQ(Widths(grid), (std::vector<int>{15, 75, 40}));
    EXPECT_EQ(grid.GridInfo->LockedWidth, 15);
    EXPECT_EQ(grid.GridInfo->RowHeadingColWidths, (std::vector<int>{30}));
    EXPECT_EQ(grid.GridInfo->RowHeadingWidth, 30);

    // With two heading columns the heading's width stays.
    ASSERT_EQ(grid.SetRowHeadingColumnCount(2), 0);
    EXPECT_EQ(grid.SetColumnWidth(-2, 12), 0);
    EXPECT_EQ(grid.SetColumnWidth(-3, 12), 1);
    EXPECT_EQ(grid.GridInfo->RowHeadingColWidths, (std::vector<int>{30, 12}));
    EXPECT_EQ(grid.GridInfo->RowHeadingWidth, 30);
}

// Rows outside are ignored with 0; with uniform heights the one height of
// all rows changes; the locked height follows.
TEST(CUGCtrlSizes, SetRowHeightSetsOneRowOrTheUniformHeight)
{
    CUGCtrl grid;
    grid.SetRowCount(4, FALSE);
    grid.SetLockedRows(2);
    EXPECT_EQ(grid.SetRowHeight(1, 30), 0);
    EXPECT_EQ(grid.GridInfo->LockedHeight, 50);
    EXPECT_EQ(grid.SetRowHeight(4, 99), 0);
    EXPECT_EQ(grid.SetRowHeight(-1, 99), 0);
    EXPECT_EQ(grid.SetRowHeight(2, -5), 1);
    EXPECT_EQ(grid.GridInfo->RowHeights, (std::vector<int>{20, 30, 20, 20}));

    ASSERT_EQ(grid.SetUniformRowHeight(1), 0);
    EXPECT_TRUE(grid.GridInfo->RowHeights.empty());
    EXPECT_EQ(grid.GridInfo->LockedHeight, 40);
    EXPECT_EQ(grid.SetRowHeight(3, 16), 0);
    EXPECT_EQ(grid.GetRowHeight(0), 16);
    EXPECT_EQ(grid.GridInfo->DefaultRowHeight, 16);
    EXPECT_EQ(grid.GridInfo->LockedHeight, 32);
    EXPECT_EQ(grid.SetRowHeight(3, 0), 1);  // uniform rows keep a height
    EXPECT_EQ(grid.GetRowHeight(0), 16);

    ASSERT_EQ(grid.SetUniformRowHeight(0), 0);
    EXPECT_EQ(grid.GridInfo->RowHeights, (std::vector<int>{16, 16, 16, 16}));
}

// 0 to the count; the locked size is the sum of the first n; the left
// column (top row) and its previous value become n.
TEST(CUGCtrlSizes, LockedColumnsAndRowsTakeZeroToTheCount)
{
    CUGCtrl grid;
    grid.SetColumnCount(4, FALSE);
    grid.SetRowCount(3, FALSE);
    grid.SetColumnWidth(0, 11);
    grid.SetColumnWidth(1, 22);
    grid.SetRowHeight(0, 5);
    EXPECT_EQ(grid.SetLockedColumns(-1), 1);
    EXPECT_EQ(grid.SetLockedColumns(5), 1);
    EXPECT_EQ(grid.SetLockedRows(-1), 1);
    EXPECT_EQ(grid.SetLockedRows(4), 1);
    EXPECT_EQ(grid.GridInfo->LockedCols, 0);
    EXPECT_EQ(grid.GridInfo->LockedRows, 0);

    EXPECT_EQ(grid.SetLockedColumns(2), 0);
    EXPECT_EQ(grid.GridInfo->LockedWidth, 33);
    EXPECT_EQ(grid.GridInfo->LeftCol, 2);
    EXPECT_EQ(grid.GridInfo->PreviousLeftCol, 2);
    EXPECT_EQ(grid.SetLockedRows(1), 0);
    EXPECT_EQ(grid.GridInfo->LockedHeight, 5);
    EXPECT_EQ(grid.GridInfo->TopRow, 1);
    EXPECT_EQ(grid.GridInfo->PreviousTopRow, 1);
    EXPECT_EQ(grid.SetLockedColumns(4), 0);
    EXPECT_EQ(grid.GridInfo->LockedWidth, 33 + 75 + 75);
}

// --- Append, insert, delete ------------------------------------------------------

// The source is asked first; a nonzero answer comes back and nothing changes.
TEST(CUGCtrlSizes, AppendInsertDeletePassOnTheSourcesRefusal)
{
    struct Case {
        const char* name;
        std::function<int(CUGCtrl&)> operation;
        std::function<void(RecordingSource&)> refuse;
    };
    const std::vector<Case> cases{
        {"AppendColumn", [](CUGCtrl& g) { return g.AppendColumn(); },
         [](RecordingSource& s) { s.appendColAnswer = 5; }},
        {"AppendRow", [](CUGCtrl& g) { return g.AppendRow(); },
         [](RecordingSource& s) { s.appendRowAnswer = 5; }},
        {"InsertColumn", [](CUGCtrl& g) { return g.InsertColumn(1); },
         [](RecordingSource& s) { s.insertColAnswer = 5; }},
        {"InsertRow", [](CUGCtrl& g) { return g.InsertRow(1); },
         [](RecordingSource& s) { s.insertRowAnswer = 5; }},
        {"DeleteColumn", [](CUGCtrl& g) { return g.DeleteColumn(1); },
         [](RecordingSource& s) { s.deleteColAnswer = 5; }},
        {"DeleteRow", [](CUGCtrl& g) { return g.DeleteRow(1); },
         [](RecordingSource& s) { s.deleteRowAnswer = 5; }},
    };
    for (const Case& c : cases) {
        RedrawCountingGrid grid;
        RecordingSource source;
        grid.SetColumnCount(3, FALSE);
        grid.SetRowCount(3, FALSE);
        grid.SetDefaultDataSource(grid.AddDataSource(&source));
        c.refuse(source);
        EXPECT_EQ(c.operation(grid), 5) << c.name;
        EXPECT_EQ(grid.GetColumnCount(), 3) << c.name;
        EXPECT_EQ(grid.GetRowCount(), 3) << c.name;
        EXPECT_EQ(grid.GridInfo->RowHeights.size(), 3u) << c.name;
        EXPECT_EQ(grid.redraws, 0) << c.name;
    }

    // A source that offers none of them answers -1.
    CUGCtrl grid;
    CUGDataSource bare;
    grid.SetColumnCount(1, FALSE);
    grid.SetDefaultDataSource(grid.AddDataSource(&bare));
    EXPECT_EQ(grid.AppendRow(), -1);
    EXPECT_EQ(grid.AppendColumn(), -1);
    EXPECT_EQ(grid.GetColumnCount(), 1);
}

// Column operations ask the column's own source, under its data column; at
// the end of the grid the sheet's.
TEST(CUGCtrlSizes, ColumnOperationsAskTheColumnsOwnSource)
{
    CUGCtrl grid;
    RecordingSource sheetSource;
    RecordingSource columnSource;
    grid.SetColumnCount(3, FALSE);
    grid.SetDefaultDataSource(grid.AddDataSource(&sheetSource));
    grid.SetColumnDataSource(1, grid.AddDataSource(&columnSource));
    grid.SetColumnDataIndex(1, 8);
    columnSource.deleteColAnswer = 3;

    EXPECT_EQ(grid.DeleteColumn(1), 3);
    EXPECT_EQ(grid.InsertColumn(1), 0);
    EXPECT_EQ(columnSource.columnOperations, (std::vector<int>{8, 8}));
    EXPECT_EQ(grid.InsertColumn(4), 0);
    EXPECT_EQ(sheetSource.columnOperations, (std::vector<int>{4}));
    EXPECT_EQ(grid.GetColumnCount(), 5);
}

// Inserting a column moves the entries from there one place right (the
// memory source moves the cells and data columns along); deleting moves the
// ones after it left.
TEST(CUGCtrlSizes, InsertAndDeleteColumnsShiftTheEntries)
{
    CUGCtrl grid;
    grid.SetColumnCount(3, FALSE);
    grid.SetRowCount(1, FALSE);
    for (int col = 0; col < 3; ++col) {
        grid.SetColumnWidth(col, 10 * (col + 1));
        grid.QuickSetText(col, 0, std::wstring(1, static_cast<wchar_t>(L'a' + col)).c_str());
    }

    EXPECT_EQ(grid.InsertColumn(1), 0);
    EXPECT_EQ(Widths(grid), (std::vector<int>{10, 75, 20, 30}));
    EXPECT_EQ(DataColumns(grid), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(TextAt(grid, 0, 0) + L"|" + TextAt(grid, 1, 0) + L"|" + TextAt(grid, 2, 0) + L"|"
                  + TextAt(grid, 3, 0),
              L"a||b|c");

    EXPECT_EQ(grid.DeleteColumn(0), 0);
    EXPECT_EQ(Widths(grid), (std::vector<int>{75, 20, 30}));
    EXPECT_EQ(DataColumns(grid), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(TextAt(grid, 1, 0), L"b");

    EXPECT_EQ(grid.InsertColumn(-1), 1);
    EXPECT_EQ(grid.InsertColumn(4), 1);
    EXPECT_EQ(grid.DeleteColumn(3), 1);
    EXPECT_EQ(grid.DeleteColumn(-1), 1);
    grid.SetColumnCount(0, FALSE);
    EXPECT_EQ(grid.DeleteColumn(0), 1);
    EXPECT_EQ(grid.AppendColumn(), 0);
    EXPECT_EQ(grid.GetColumnCount(), 1);
}

// Rows: insert up to the count, delete inside it; the per-row heights move
// with the rows.
TEST(CUGCtrlSizes, InsertAndDeleteRowsMoveTheHeights)
{
    CUGCtrl grid;
    grid.SetColumnCount(1, FALSE);
    grid.SetRowCount(3, FALSE);
    grid.SetRowHeight(1, 31);
    grid.SetRowHeight(2, 32);
    grid.QuickSetText(0, 2, L"last");

    EXPECT_EQ(grid.InsertRow(4), 1);
    EXPECT_EQ(grid.InsertRow(-1), 1);
    EXPECT_EQ(grid.InsertRow(1), 0);
    EXPECT_EQ(grid.GetRowCount(), 4);
    EXPECT_EQ(grid.GridInfo->RowHeights, (std::vector<int>{20, 20, 31, 32}));
    EXPECT_EQ(TextAt(grid, 0, 3), L"last");
    EXPECT_EQ(grid.InsertRow(4), 0);  // at the end
    EXPECT_EQ(grid.GetRowCount(), 5);

    EXPECT_EQ(grid.DeleteRow(5), 1);
    EXPECT_EQ(grid.DeleteRow(-1), 1);
    EXPECT_EQ(grid.DeleteRow(0), 0);
    EXPECT_EQ(grid.GridInfo->RowHeights, (std::vector<int>{20, 31, 32, 20}));
    EXPECT_EQ(TextAt(grid, 0, 2), L"last");
    EXPECT_EQ(grid.AppendRow(), 0);
    EXPECT_EQ(grid.GridInfo->RowHeights, (std::vector<int>{20, 31, 32, 20, 20}));
}

// --- Moving columns ---------------------------------------------------------------

// The destination is `to`, or the place after it; the entry travels with
// its width, source, default cell and data column.
TEST(CUGCtrlSizes, MoveColumnCarriesTheWholeEntry)
{
    struct Case {
        int from;
        int to;
        int before;
        int expected;
        std::vector<int> order;  // the data columns afterwards
    };
    const std::vector<Case> cases{
        {0, 2, 1, 0, {1, 0, 2, 3}}, {0, 2, 0, 0, {1, 2, 0, 3}}, {3, 0, 1, 0, {3, 0, 1, 2}},
        {0, 3, 0, 0, {1, 2, 3, 0}}, {2, 2, 1, 0, {0, 1, 2, 3}}, {2, 1, 0, 0, {0, 1, 2, 3}},
        {2, 3, 1, 0, {0, 1, 2, 3}}, {4, 0, 1, 1, {0, 1, 2, 3}}, {-1, 0, 1, 1, {0, 1, 2, 3}},
        {0, 4, 0, 1, {0, 1, 2, 3}}, {0, -1, 1, 1, {0, 1, 2, 3}}, {1, -1, 0, 0, {1, 0, 2, 3}},
    };
    for (const Case& c : cases) {
        CUGCtrl grid;
        grid.SetColumnCount(4, FALSE);
        for (int col = 0; col < 4; ++col)
            grid.SetColumnWidth(col, 10 + col);
        EXPECT_EQ(grid.MoveColumn(c.from, c.to, c.before), c.expected)
            << c.from << " " << c.to << " " << c.before;
        EXPECT_EQ(DataColumns(grid), c.order) << c.from << " " << c.to << " " << c.before;
        for (int col = 0; col < 4; ++col)
            EXPECT_EQ(grid.GetColumnWidth(col), 10 + c.order[col]);
    }

    CUGCtrl grid;
    RecordingSource source;
    grid.SetColumnCount(3, FALSE);
    grid.SetColumnDataSource(0, grid.AddDataSource(&source));
    CUGCell marked;
    marked.SetTextColor(RGB(4, 4, 4));
    grid.SetColumnDefault(0, &marked);
    grid.SetLockedColumns(1);
    ASSERT_EQ(grid.MoveColumn(0, 2, 0), 0);
    EXPECT_EQ(grid.GridInfo->Columns[2].DataSource, &source);
    CUGCell cell;
    grid.GetColumnDefault(2, &cell);
    EXPECT_EQ(cell.GetTextColor(), RGB(4, 4, 4));
    EXPECT_EQ(grid.GridInfo->Columns[0].DataSource, grid.GridInfo->DataSource);
}

// --- Settings ------------------------------------------------------------------

// Each setting takes its range; outside it the answer is 1 (2 for heading
// sizes above 1024) and the record keeps its value.
TEST(CUGCtrlSizes, SettingsTakeTheirRanges)
{
    using G = CUGGridInfo;
    auto field = [](int G::*member) { return [member](const G& gi) { return gi.*member; }; };
    const auto defaultWidth = field(&G::DefaultColWidth);
    const auto defaultHeight = field(&G::DefaultRowHeight);
    const auto vScroll = [](const G& gi) { return gi.VScrollWidth; };
    const auto hScroll = [](const G& gi) { return gi.HScrollHeight; };
    const auto headingWidth = field(&G::RowHeadingWidth);
    const auto headingHeight = field(&G::ColumnHeadingHeight);
    const auto headingCols = field(&G::RowHeadingCols);
    const auto headingRows = field(&G::ColumnHeadingRows);
    const auto mouseMode = field(&G::MouseScrollMode);
    const auto mouseDelay = field(&G::MouseScrollDelay);
    const auto acceleration = field(&G::KeyAcceleration);
    const auto accelerationDelay = field(&G::KeyAccelerationDelay);
    const int systemV = GetSystemMetrics(SM_CXVSCROLL);
    const int systemH = GetSystemMetrics(SM_CYHSCROLL);

    auto op = [](int (CUGCtrl::*setter)(int)) {
        return [setter](CUGCtrl& g, int value) { return (g.*setter)(value); };
    };
    CheckRangeCases({
        {"SetDefaultColumnWidth", op(&CUGCtrl::SetDefaultColumnWidth), -1, 1, defaultWidth, 75},
        {"SetDefaultColumnWidth", op(&CUGCtrl::SetDefaultColumnWidth), 0, 0, defaultWidth, 0},
        {"SetDefaultColumnWidth", op(&CUGCtrl::SetDefaultColumnWidth), 5000, 0, defaultWidth, 5000},
        {"SetDefaultRowHeight", op(&CUGCtrl::SetDefaultRowHeight), 0, 1, defaultHeight, 20},
        {"SetDefaultRowHeight", op(&CUGCtrl::SetDefaultRowHeight), 1, 0, defaultHeight, 1},
        {"SetDefaultRowHeight", op(&CUGCtrl::SetDefaultRowHeight), 1024, 0, defaultHeight, 1024},
        {"SetDefaultRowHeight", op(&CUGCtrl::SetDefaultRowHeight), 1025, 1, defaultHeight, 20},
        {"SetVScrollWidth", op(&CUGCtrl::SetVScrollWidth), -1, 1, vScroll, systemV},
        {"SetVScrollWidth", op(&CUGCtrl::SetVScrollWidth), 0, 0, vScroll, 0},
        {"SetVScrollWidth", op(&CUGCtrl::SetVScrollWidth), 1024, 0, vScroll, 1024},
        {"SetVScrollWidth", op(&CUGCtrl::SetVScrollWidth), 1025, 1, vScroll, systemV},
        {"SetHScrollHeight", op(&CUGCtrl::SetHScrollHeight), -1, 1, hScroll, systemH},
        {"SetHScrollHeight", op(&CUGCtrl::SetHScrollHeight), 1024, 0, hScroll, 1024},
        {"SetHScrollHeight", op(&CUGCtrl::SetHScrollHeight), 1025, 1, hScroll, systemH},
        {"SetRowHeadingWidth", op(&CUGCtrl::SetRowHeadingWidth), -1, 1, headingWidth, 40},
        {"SetRowHeadingWidth", op(&CUGCtrl::SetRowHeadingWidth), 0, 0, headingWidth, 0},
        {"SetRowHeadingWidth", op(&CUGCtrl::SetRowHeadingWidth), 1024, 0, headingWidth, 1024},
        {"SetRowHeadingWidth", op(&CUGCtrl::SetRowHeadingWidth), 1025, 2, headingWidth, 40},
        {"SetColumnHeadingHeight", op(&CUGCtrl::SetColumnHeadingHeight), -1, 1, headingHeight, 20},
        {"SetColumnHeadingHeight", op(&CUGCtrl::SetColumnHeadingHeight), 7, 0, headingHeight, 7},
        {"SetColumnHeadingHeight", op(&CUGCtrl::SetColumnHeadingHeight), 1025, 2, headingHeight,
         20},
        {"SetRowHeadingColumnCount", op(&CUGCtrl::SetRowHeadingColumnCount), 0, 1, headingCols, 1},
        {"SetRowHeadingColumnCount", op(&CUGCtrl::SetRowHeadingColumnCount), 64, 0, headingCols,
         64},
        {"SetRowHeadingColumnCount", op(&CUGCtrl::SetRowHeadingColumnCount), 65, 1, headingCols, 1},
        {"SetColumnHeadingRowCount", op(&CUGCtrl::SetColumnHeadingRowCount), 0, 1, headingRows, 1},
        {"SetColumnHeadingRowCount", op(&CUGCtrl::SetColumnHeadingRowCount), 64, 0, headingRows,
         64},
        {"SetColumnHeadingRowCount", op(&CUGCtrl::SetColumnHeadingRowCount), 65, 1, headingRows, 1},
        {"SetMouseScrollMode", op(&CUGCtrl::SetMouseScrollMode), -1, 1, mouseMode, 0},
        {"SetMouseScrollMode", op(&CUGCtrl::SetMouseScrollMode), 3, 0, mouseMode, 3},
        {"SetMouseScrollMode", op(&CUGCtrl::SetMouseScrollMode), 4, 1, mouseMode, 0},
        {"SetMouseScrollDelay", op(&CUGCtrl::SetMouseScrollDelay), -1, 1, mouseDelay, 200},
        {"SetMouseScrollDelay", op(&CUGCtrl::SetMouseScrollDelay), 0, 0, mouseDelay, 0},
        {"SetMouseScrollDelay", op(&CUGCtrl::SetMouseScrollDelay), 32000, 0, mouseDelay, 32000},
        {"SetMouseScrollDelay", op(&CUGCtrl::SetMouseScrollDelay), 32001, 1, mouseDelay, 200},
        {"SetKeyAcceleration", op(&CUGCtrl::SetKeyAcceleration), -1, 1, acceleration, 0},
        {"SetKeyAcceleration", op(&CUGCtrl::SetKeyAcceleration), 1000, 0, acceleration, 1000},
        {"SetKeyAcceleration", op(&CUGCtrl::SetKeyAcceleration), 1001, 1, acceleration, 0},
        {"SetKeyAccelerationDelay", op(&CUGCtrl::SetKeyAccelerationDelay), -1, 1,
         accelerationDelay, 0},
        {"SetKeyAccelerationDelay", op(&CUGCtrl::SetKeyAccelerationDelay), 90000, 0,
         accelerationDelay, 90000},
    });
}

// One column-heading row's height: the row -1..-rows (1 otherwise) and a
// height of 0..1024 (2 otherwise).
TEST(CUGCtrlSizes, SetColumnHeadingRowHeightChecksTheRowThenTheHeight)
{
    struct Case {
        int headingRow;
        int height;
        int expected;
    };
    CUGCtrl grid;
    ASSERT_EQ(grid.SetColumnHeadingRowCount(2), 0);
    for (const Case& c : {Case{-1, 30, 0}, Case{-2, 0, 0}, Case{-3, 10, 1}, Case{0, 10, 1},
                          Case{-1, 1025, 2}, Case{-1, -1, 2}, Case{-3, 2000, 1}})
        EXPECT_EQ(grid.SetColumnHeadingRowHeight(c.headingRow, c.height), c.expected)
            << c.headingRow << " " << c.height;
    EXPECT_EQ(grid.GridInfo->ColumnHeadingRowHeights, (std::vector<int>{30, 0}));
    EXPECT_EQ(grid.GridInfo->ColumnHeadingHeight, 20);
}

// New heading columns (rows) get the default column width (row height);
// existing ones keep theirs.
TEST(CUGCtrlSizes, NewHeadingColumnsAndRowsTakeTheDefaults)
{
    CUGCtrl grid;
    grid.SetDefaultColumnWidth(33);
    grid.SetDefaultRowHeight(17);
    grid.SetRowHeadingColumnCount(3);
    grid.SetColumnHeadingRowCount(2);
    EXPECT_EQ(grid.GridInfo->RowHeadingColWidths, (std::vector<int>{25, 33, 33}));
    EXPECT_EQ(grid.GridInfo->ColumnHeadingRowHeights, (std::vector<int>{20, 17}));
    grid.SetRowHeadingColumnCount(1);
    EXPECT_EQ(grid.GridInfo->RowHeadingColWidths, (std::vector<int>{25}));
    EXPECT_EQ(grid.GridInfo->RowHeadingCols, 1);
}

// The heading's columns (rows) are rescaled in proportion, each rounded;
// parts that add up to nothing stay.
TEST(CUGCtrlSizes, HeadingSizesRescaleTheirPartsInProportion)
{
    CUGCtrl grid;
    grid.SetRowHeadingColumnCount(2);
    grid.SetColumnWidth(-1, 25);
    grid.SetColumnWidth(-2, 75);
    ASSERT_EQ(grid.SetRowHeadingWidth(50), 0);
    EXPECT_EQ(grid.GridInfo->RowHeadingColWidths, (std::vector<int>{13, 38}));  // 12.5, 37.5
    EXPECT_EQ(grid.GridInfo->RowHeadingWidth, 50);

    grid.SetColumnHeadingRowCount(3);
    grid.SetColumnHeadingRowHeight(-1, 10);
    grid.SetColumnHeadingRowHeight(-2, 20);
    grid.SetColumnHeadingRowHeight(-3, 30);
    ASSERT_EQ(grid.SetColumnHeadingHeight(20), 0);
    EXPECT_EQ(grid.GridInfo->ColumnHeadingRowHeights, (std::vector<int>{3, 7, 10}));
    EXPECT_EQ(grid.GridInfo->ColumnHeadingHeight, 20);

    ASSERT_EQ(grid.SetRowHeadingWidth(0), 0);
    EXPECT_EQ(grid.GridInfo->RowHeadingColWidths, (std::vector<int>{0, 0}));
    ASSERT_EQ(grid.SetRowHeadingWidth(40), 0);
    EXPECT_EQ(grid.GridInfo->RowHeadingColWidths, (std::vector<int>{0, 0}));
    EXPECT_EQ(grid.GridInfo->RowHeadingWidth, 40);
}

// Flags are stored as 0 or 1.
TEST(CUGCtrlSizes, FlagSettingsAreStoredAsZeroOrOne)
{
    struct Case {
        const char* name;
        int (CUGCtrl::*setter)(int);
        int CUGGridInfo::*field;
    };
    const std::vector<Case> cases{
        {"SetCancelEditOnFocusLoss", &CUGCtrl::SetCancelEditOnFocusLoss,
         &CUGGridInfo::CancelEditOnFocusLoss},
        {"EnableCellHints", &CUGCtrl::EnableCellHints, &CUGGridInfo::CellHints},
        {"EnableVScrollHints", &CUGCtrl::EnableVScrollHints, &CUGGridInfo::VScrollHints},
        {"EnableHScrollHints", &CUGCtrl::EnableHScrollHints, &CUGGridInfo::HScrollHints},
        {"EnableJoins", &CUGCtrl::EnableJoins, &CUGGridInfo::JoinsEnabled},
        {"EnableColumnSwapping", &CUGCtrl::EnableColumnSwapping, &CUGGridInfo::ColumnMoveEnabled},
        {"EnablePopupMenu", &CUGCtrl::EnablePopupMenu, &CUGGridInfo::PopupMenuEnabled},
    };
    CUGCtrl grid;
    for (const Case& c : cases) {
        EXPECT_EQ((grid.*c.setter)(7), 0) << c.name;
        EXPECT_EQ(grid.GridInfo->*c.field, 1) << c.name;
        EXPECT_EQ((grid.*c.setter)(0), 0) << c.name;
        EXPECT_EQ(grid.GridInfo->*c.field, 0) << c.name;
    }
}

// The default font by index or pointer; defaults copied into the record;
// the edit window, with none meaning the control's own.
TEST(CUGCtrlSizes, FontDefaultsAndEditWindowSettings)
{
    CUGCtrl grid;
    EXPECT_EQ(grid.SetDefaultFont(0), 1);
    EXPECT_EQ(grid.SetDefaultFont(nullptr), 1);
    const int font = grid.AddFontSimple(L"Arial", 13, 400);
    EXPECT_EQ(grid.SetDefaultFont(font), 0);
    EXPECT_EQ(grid.GridInfo->DefaultFont, grid.GetFont(font));
    CFont own;
    EXPECT_EQ(grid.SetDefaultFont(&own), 0);
    EXPECT_EQ(grid.GridInfo->DefaultFont, &own);
    grid.GridInfo->DefaultFont = nullptr;

    CUGCell heading;
    heading.SetBackColor(RGB(1, 2, 3));
    EXPECT_EQ(grid.SetHeadingDefault(&heading), 0);
    EXPECT_EQ(grid.GridInfo->HeadingDefaultCell.GetPropertyFlags(), CUGCell::PropBackColor);
    EXPECT_EQ(grid.SetHeadingDefault(nullptr), 1);
    EXPECT_EQ(grid.SetGridDefault(nullptr), 1);
    grid.SetColumnCount(1, FALSE);
    EXPECT_EQ(grid.SetColumnDefault(1, &heading), 1);
    EXPECT_EQ(grid.SetColumnDefault(0, nullptr), 1);
    EXPECT_EQ(grid.GetColumnDefault(-1, &heading), 1);

    CWnd other;
    EXPECT_EQ(grid.SetEditWindow(&other), 0);
    EXPECT_EQ(grid.GridInfo->EditWindow, &other);
    EXPECT_EQ(grid.SetEditWindow(nullptr), 0);
    EXPECT_EQ(grid.GridInfo->EditWindow, grid.GetDefaultEdit());

    EXPECT_EQ(grid.SetTabWidth(120), 0);
    EXPECT_EQ(grid.GridInfo->TabWidth, 120);
    EXPECT_EQ(grid.SetTabWidth(-5), 0);
    EXPECT_EQ(grid.GridInfo->TabWidth, 0);
}

// With a window, settings that change the layout run it; the tab width and
// the counts do not.
TEST(CUGCtrlSizes, LayoutSettingsRunTheLayoutWithAWindow)
{
    RecordingGrid grid;
    GridTestFrame frame(grid, 300, 200);
    auto layouts = [&grid] {
        int count = 0;
        for (const std::string& line : grid.log.Lines())
            count += line.rfind("Layout", 0) == 0;
        return count;
    };
    grid.log.Clear();
    grid.SetTabWidth(50);
    grid.SetColumnCount(3, TRUE);
    grid.SetRowCount(3, TRUE);
    EXPECT_EQ(layouts(), 0);
    grid.SetVScrollWidth(20);
    grid.SetHScrollHeight(20);
    grid.SetRowHeadingWidth(30);
    grid.SetColumnHeadingHeight(25);
    EXPECT_EQ(layouts(), 4);
    EXPECT_EQ(grid.GridInfo->CellAreaRect.left, 30);
    EXPECT_EQ(grid.GridInfo->CellAreaRect.top, 25);
    EXPECT_EQ(grid.SetRowHeadingWidth(2000), 2);
    EXPECT_EQ(layouts(), 4);

    // Hints switch the part's tool tips on without trouble.
    EXPECT_EQ(grid.EnableCellHints(1), 0);
    EXPECT_EQ(grid.EnableVScrollHints(1), 0);
    EXPECT_EQ(grid.EnableHScrollHints(0), 0);
}
