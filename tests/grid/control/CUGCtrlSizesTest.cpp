// Counts, sizes and settings: their ranges, what each count, size, lock,
// insert, delete and move does, the heading parts and the layout they run.
#include "CFont.h"
#include "CUGCtrl.h"
#include "RecordingGrid.h"
#include "RecordingSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string Listed(const std::vector<int>& values)
{
    std::string text;
    for (int value : values)
        text += (text.empty() ? "" : " ") + std::to_string(value);
    return text;
}

// Columns 10..13 wide, rows 20..23 high, new ones 60 wide (with the template's
// red 5) and 30 high; the source answers `refusal`; repaints are counted.
struct SizedGrid : CUGCtrl {
    RecordingSource source;
    int redraws = 0;
    explicit SizedGrid(int refusal)
    {
        SetDefaultDataSource(AddDataSource(&source));
        SetColumnCount(4, FALSE), SetRowCount(4, FALSE);
        for (int i = 0; i < 4; ++i)
            SetColumnWidth(i, 10 + i), SetRowHeight(i, 20 + i);
        SetDefaultColumnWidth(60), SetDefaultRowHeight(30);
        CUGCell red;
        red.SetTextColor(RGB(5, 0, 0)), SetGridDefault(&red);
        source.appendRowAnswer = source.insertRowAnswer = source.deleteRowAnswer = refusal;
        source.appendColAnswer = source.insertColAnswer = source.deleteColAnswer = refusal;
    }
    void RedrawAll() override { ++redraws, CUGCtrl::RedrawAll(); }
    // Widths (and outside) | data columns (+100: own source) | default cells'
    // red | locked count and width, left, current and drag column, repaints.
    std::string Columns()
    {
        std::vector<int> widths{GetColumnWidth(-1)}, data, reds;
        CUGCell cell;
        for (int col = 0; col <= GridInfo->ColumnCount; ++col)
            widths.push_back(GetColumnWidth(col));
        for (int col = 0; col < GridInfo->ColumnCount; ++col) {
            const auto& entry = GridInfo->Columns[col];
            data.push_back(entry.DataColumn + (entry.DataSource == GridInfo->DataSource ? 0 : 100));
            reds.push_back(GetColumnDefault(col, &cell) ? -1 : GetRValue(cell.GetTextColor()));
        }
        return Listed(widths) + "|" + Listed(data) + "|" + Listed(reds) + "|"
               + Listed({GridInfo->LockedCols, GridInfo->LockedWidth, GridInfo->LeftCol,
                         GridInfo->CurrentCol, GridInfo->DragCol, redraws});
    }
    // Heights (and outside) | per-row heights kept, locked count and height,
    // top row, current column, current, previous and drag row, repaints.
    std::string Rows()
    {
        std::vector<int> heights;
        for (long row = -1; row <= GridInfo->RowCount; ++row)
            heights.push_back(GetRowHeight(row));
        const CUGGridInfo& gi = *GridInfo;
        return Listed(heights) + "|"
               + Listed({static_cast<int>(gi.RowHeights.size()), gi.LockedRows, gi.LockedHeight,
                         gi.TopRow, gi.CurrentCol, gi.CurrentRow, gi.PreviousRow, gi.DragRow,
                         redraws});
    }
};

struct Case {
    int refusal;
    std::function<int(SizedGrid&)> act;
    int answer;
    const char* state;
    std::vector<int> asked = {};  // the columns the source's column operations got
};

template <size_t N>
void Check(const Case (&cases)[N], std::string (SizedGrid::*state)())
{
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        SizedGrid grid(c.refusal);
        EXPECT_EQ(c.act(grid), c.answer);
        EXPECT_EQ((grid.*state)(), c.state);
        EXPECT_EQ(grid.source.columnOperations, c.asked);
    }
}

}  // namespace

// One below the lowest value answers 1, one above the highest 1 (2 for a
// heading size) and the record keeps its value; both ends are taken.
TEST(CUGCtrlSizes, SettingsAndCountsTakeTheirRanges)
{
    using C = CUGCtrl;
    using G = CUGGridInfo;
    auto op = [](int (C::*set)(int)) { return [set](C& g, int v) { return (g.*set)(v); }; };
    struct Range {
        const char* name;
        std::function<int(C&, int)> set;
        int G::*field;
        int low, high, aboveHigh;  // aboveHigh 0: no upper bound
    } const ranges[] = {
        {"SetColumnCount", [](C& g, int n) { return g.SetColumnCount(n, FALSE); },
         &G::ColumnCount, 0, 32000, 1},
        {"SetRowCount", [](C& g, int n) { return g.SetRowCount(n, FALSE); }, &G::RowCount, 0,
         90000, 0},
        {"SetDefaultColumnWidth", op(&C::SetDefaultColumnWidth), &G::DefaultColWidth, 0, 5000, 0},
        {"SetDefaultRowHeight", op(&C::SetDefaultRowHeight), &G::DefaultRowHeight, 1, 1024, 1},
        {"SetVScrollWidth", op(&C::SetVScrollWidth), &G::VScrollWidth, 0, 1024, 1},
        {"SetHScrollHeight", op(&C::SetHScrollHeight), &G::HScrollHeight, 0, 1024, 1},
        {"SetRowHeadingWidth", op(&C::SetRowHeadingWidth), &G::RowHeadingWidth, 0, 1024, 2},
        {"SetColumnHeadingHeight", op(&C::SetColumnHeadingHeight), &G::ColumnHeadingHeight, 0,
         1024, 2},
        {"SetRowHeadingColumnCount", op(&C::SetRowHeadingColumnCount), &G::RowHeadingCols, 1,
         64, 1},
        {"SetColumnHeadingRowCount", op(&C::SetColumnHeadingRowCount), &G::ColumnHeadingRows,
         1, 64, 1},
        {"SetMouseScrollMode", op(&C::SetMouseScrollMode), &G::MouseScrollMode, 0, 3, 1},
        {"SetMouseScrollDelay", op(&C::SetMouseScrollDelay), &G::MouseScrollDelay, 0, 32000, 1},
        {"SetKeyAcceleration", op(&C::SetKeyAcceleration), &G::KeyAcceleration, 0, 1000, 1},
        {"SetKeyAccelerationDelay", op(&C::SetKeyAccelerationDelay), &G::KeyAccelerationDelay,
         0, 90000, 0},
    };
    for (const Range& r : ranges) {
        const std::pair<int, int> probes[] = {
            {r.low - 1, 1}, {r.low, 0}, {r.high, 0}, {r.high + 1, r.aboveHigh}};
        for (const auto& [value, answer] : probes) {
            C grid;
            grid.SetColumnCount(2, FALSE), grid.SetRowCount(2, FALSE);
            const int before = grid.GridInfo->*r.field;
            EXPECT_EQ(r.set(grid, value), answer) << r.name << "(" << value << ")";
            EXPECT_EQ(grid.GridInfo->*r.field, answer ? before : value) << r.name << " " << value;
        }
    }
}

// New columns take the default width, their index as data column and the
// template as it is then; locks drop to count - 1 when the count falls to
// them; current and drag stay inside; the source is asked under the data
// column, and its refusal changes nothing. A moved column (width, source,
// default cell and data column) lands before `to` or after it.
TEST(CUGCtrlSizes, ColumnOperationsKeepTheColumnTable)
{
    const char* const unchanged = "1 10 11 12 13 1|0 1 2 3|0 0 0 0|0 0 0 0 0 0";
    const char* const none = "1 1|||0 0 0 -1 -1 0";
    const char* const added = "1 10 11 12 13 60 1|0 1 2 3 4|0 0 0 0 5|0 0 0 0 0 1";
    const Case cases[] = {
        {0, [](auto& g) { return g.SetColumnCount(6, TRUE); }, 0,
         "1 10 11 12 13 60 60 1|0 1 2 3 4 5|0 0 0 0 5 5|0 0 0 0 0 1"},
        {0, [](auto& g) { return g.SetLockedColumns(3), g.SetColumnCount(3, FALSE); }, 0,
         "1 10 11 12 1|0 1 2|0 0 0|2 21 2 0 0 0"},
        {0, [](auto& g) { return g.SetColumnCount(0, FALSE), g.SetColumnCount(1, FALSE); }, 0,
         "1 60 1|0|5|0 0 0 0 0 0"},
        {0, [](auto& g) { return g.GridInfo->CurrentCol = 3, g.GridInfo->DragCol = 2,
                                 g.SetColumnCount(2, FALSE); },
         0, "1 10 11 1|0 1|0 0|0 0 0 1 1 0"},
        {0, [](auto& g) {
             return g.SetLockedColumns(2), g.SetColumnWidth(1, 30), g.SetColumnWidth(3, 0),
                    g.SetColumnWidth(4, 5) + g.SetColumnWidth(1, -1) + g.SetLockedColumns(-1)
                        + g.SetLockedColumns(5);
         }, 4, "1 10 30 12 0 1|0 1 2 3|0 0 0 0|2 40 2 0 0 0"},
        {0, [](auto& g) { return g.SetLockedColumns(4); }, 0,
         "1 10 11 12 13 1|0 1 2 3|0 0 0 0|4 46 4 0 0 0"},
        {0, [](auto& g) { return g.SetLockedColumns(2), g.InsertColumn(1); }, 0,
         "1 10 60 11 12 13 1|0 1 1 2 3|0 5 0 0 0|2 70 2 0 0 1", {1}},
        {0, [](auto& g) { return g.InsertColumn(4); }, 0, added, {4}},
        {0, [](auto& g) { return g.AppendColumn(); }, 0, added},
        {0, [](auto& g) {
             return g.InsertColumn(5) + g.InsertColumn(-1) + g.DeleteColumn(4) + g.DeleteColumn(-1);
         }, 4, unchanged},
        {5, [](auto& g) { return g.InsertColumn(2) + g.DeleteColumn(1) + g.AppendColumn(); }, 15,
         unchanged, {2, 1}},
        {0, [](auto& g) { return g.GridInfo->CurrentCol = g.GridInfo->DragCol = 3,
                                 g.DeleteColumn(0); },
         0, "1 11 12 13 1|1 2 3|0 0 0|0 0 0 2 2 1", {0}},
        {0, [](auto& g) { return g.SetLockedColumns(4), g.DeleteColumn(3); }, 0,
         "1 10 11 12 1|0 1 2|0 0 0|2 21 2 0 0 1", {3}},
        {0, [](auto& g) {
             return g.SetLockedColumns(2), g.SetColumnCount(0, FALSE), g.DeleteColumn(0);
         }, 1, none},
        {0, [](auto& g) {
             return g.SetLockedColumns(1), g.MoveColumn(0, 2, 1), g.MoveColumn(0, 3, 0);
         }, 0, "1 10 12 13 11 1|0 2 3 1|0 0 0 0|1 10 1 0 0 0"},
        {0, [](auto& g) {
             return g.SetColumnDataSource(3, 0), g.MoveColumn(3, -1, 0), g.MoveColumn(1, 2, 0);
         }, 0, "1 13 11 10 12 1|103 1 0 2|0 0 0 0|0 0 0 0 0 0"},
        {0, [](auto& g) {
             return g.MoveColumn(2, 2, 1) + g.MoveColumn(2, 1, 0) + g.MoveColumn(4, 0, 1)
                    + g.MoveColumn(-1, 0, 1) + g.MoveColumn(0, 4, 0) + g.MoveColumn(0, -1, 1);
         }, 4, unchanged},
    };
    Check(cases, &SizedGrid::Columns);
}

// New rows take the default height, locks drop as for columns, and current,
// previous and drag row stay inside (a scroll the count forces commits the
// drag cell first); uniform rows share one height of at least 1.
TEST(CUGCtrlSizes, RowOperationsKeepTheHeights)
{
    const char* const unchanged = "0 20 21 22 23 0|4 0 0 0 0 0 0 0 0";
    const char* const added = "0 20 21 22 23 30 0|5 0 0 0 0 0 0 0 1";
    const Case cases[] = {
        {0, [](auto& g) { return g.SetRowCount(6, TRUE); }, 0,
         "0 20 21 22 23 30 30 0|6 0 0 0 0 0 0 0 1"},
        {0, [](auto& g) { return g.SetLockedRows(3), g.SetRowCount(3, FALSE); }, 0,
         "0 20 21 22 0|3 2 41 2 0 0 0 0 0"},
        {0, [](auto& g) { return g.SetLockedRows(2), g.SetRowCount(0, FALSE); }, 0,
         "0 0|0 0 0 0 0 -1 -1 -1 0"},
        {0, [](auto& g) { return g.SetRowCount(0, FALSE), g.SetRowCount(1, FALSE); }, 0,
         "0 30 0|1 0 0 0 0 0 0 0 0"},
        {0, [](auto& g) { return g.GridInfo->CurrentRow = g.GridInfo->PreviousRow = 3,
                                 g.GridInfo->DragRow = 2, g.SetRowCount(2, FALSE); }, 0,
         "0 20 21 0|2 0 0 0 0 1 1 1 0"},
        {0, [](auto& g) { return g.GridInfo->CurrentRow = g.GridInfo->PreviousRow = 1,
                                 g.GridInfo->DragRow = 3, g.SetRowCount(3, FALSE); }, 0,
         "0 20 21 22 0|3 0 0 0 0 1 1 2 0"},
        {0, [](auto& g) { return g.GridInfo->TopRow = 3, g.GridInfo->DragCol = 2,
                                 g.GridInfo->DragRow = 2, g.SetRowCount(2, FALSE); },
         0, "0 20 21 0|2 0 0 1 2 1 1 1 0"},
        {0, [](auto& g) {
             return g.SetLockedRows(2), g.SetRowHeight(1, 30), g.SetRowHeight(0, 0),
                    g.SetRowHeight(4, 99) + g.SetRowHeight(-1, 99) + g.SetRowHeight(2, -5);
         }, 1, "0 0 30 22 23 0|4 2 30 2 0 0 0 0 0"},
        {0, [](auto& g) {
             return g.SetLockedRows(2), g.SetUniformRowHeight(1), g.SetRowHeight(3, 16),
                    g.SetRowHeight(3, 0) + g.SetLockedRows(-1) + g.SetLockedRows(5);
         }, 3, "0 16 16 16 16 0|0 2 32 2 0 0 0 0 0"},
        {0, [](auto& g) { return g.SetUniformRowHeight(1), g.SetUniformRowHeight(0); }, 0,
         "0 30 30 30 30 0|4 0 0 0 0 0 0 0 0"},
        {0, [](auto& g) { return g.SetLockedRows(2), g.InsertRow(1); }, 0,
         "0 20 30 21 22 23 0|5 2 50 2 0 0 0 0 1"},
        {0, [](auto& g) { return g.InsertRow(4), g.InsertRow(6) + g.InsertRow(-1); }, 2, added},
        {0, [](auto& g) { return g.AppendRow(); }, 0, added},
        {5, [](auto& g) { return g.InsertRow(2) + g.DeleteRow(1) + g.AppendRow(); }, 15, unchanged},
        {0, [](auto& g) { return g.GridInfo->CurrentRow = g.GridInfo->PreviousRow = 3,
                                 g.GridInfo->DragRow = 3,
                                 g.DeleteRow(4) + g.DeleteRow(-1) + g.DeleteRow(0); }, 2,
         "0 21 22 23 0|3 0 0 0 0 2 2 2 1"},
        {0, [](auto& g) { return g.SetUniformRowHeight(1), g.InsertRow(1), g.DeleteRow(0); }, 0,
         "0 30 30 30 30 0|0 0 0 0 0 0 0 0 2"},
        {0, [](auto& g) { return g.SetLockedRows(4); }, 0, "0 20 21 22 23 0|4 4 86 4 0 0 0 0 0"},
    };
    Check(cases, &SizedGrid::Rows);
}

// Heading parts take 0..1024 (2 for a heading row's height outside); new
// ones take the defaults, and a new heading size rescales them in proportion.
TEST(CUGCtrlSizes, HeadingPartsTakeTheirSizesAndKeepTheirShares)
{
    CUGCtrl grid;
    CUGGridInfo& gi = *grid.GridInfo;
    grid.SetDefaultColumnWidth(33), grid.SetDefaultRowHeight(17);
    grid.SetRowHeadingColumnCount(3), grid.SetColumnHeadingRowCount(2);
    EXPECT_EQ(gi.RowHeadingColWidths, (std::vector<int>{25, 33, 33}));
    EXPECT_EQ(gi.ColumnHeadingRowHeights, (std::vector<int>{20, 17}));
    const int widths[][3] = {{-1, 30, 0}, {-2, 1024, 0}, {-3, 0, 0},
                             {-4, 10, 1}, {-1, 1025, 1}, {-1, -1, 1}};
    for (const auto& [col, width, answer] : widths)
        EXPECT_EQ(grid.SetColumnWidth(col, width), answer) << col << " " << width;
    const int heights[][3] = {{-1, 30, 0},   {-2, 0, 0},  {-3, 10, 1},  {0, 10, 1},
                              {-1, 1025, 2}, {-1, -1, 2}, {-3, 2000, 1}};
    for (const auto& [row, height, answer] : heights)
        EXPECT_EQ(grid.SetColumnHeadingRowHeight(row, height), answer) << row << " " << height;
    EXPECT_EQ(gi.RowHeadingColWidths, (std::vector<int>{30, 1024, 0}));
    EXPECT_EQ(gi.ColumnHeadingRowHeights, (std::vector<int>{30, 0}));
    EXPECT_EQ(std::pair(gi.RowHeadingWidth, gi.ColumnHeadingHeight), std::pair(40, 20));
    grid.SetRowHeadingColumnCount(2), grid.SetColumnWidth(-1, 25), grid.SetColumnWidth(-2, 75);
    ASSERT_EQ(grid.SetRowHeadingWidth(50), 0);
    EXPECT_EQ(gi.RowHeadingColWidths, (std::vector<int>{13, 38}));  // 12.5, 37.5
    grid.SetColumnHeadingRowHeight(-2, 10);
    ASSERT_EQ(grid.SetColumnHeadingHeight(20), 0);
    EXPECT_EQ(gi.ColumnHeadingRowHeights, (std::vector<int>{15, 5}));
    grid.SetRowHeadingWidth(0);
    ASSERT_EQ(grid.SetRowHeadingWidth(40), 0);  // parts that add up to nothing stay
    EXPECT_EQ(std::pair(gi.RowHeadingColWidths, gi.RowHeadingWidth),
              std::pair(std::vector<int>{0, 0}, 40));
}

// One height for all rows from 64001 rows on; the default font and cells
// refuse what is missing; no edit window means the control's own.
TEST(CUGCtrlSizes, UniformRowsFontsDefaultCellsAndEditWindow)
{
    CUGCtrl grid;
    CUGCell heading;
    heading.SetBackColor(RGB(1, 2, 3)), grid.SetColumnCount(1, FALSE);
    EXPECT_EQ(grid.SetRowCount(64000, FALSE), 0);
    EXPECT_FALSE(grid.GridInfo->UniformRowHeight);
    EXPECT_EQ(grid.SetRowCount(64001, FALSE) + grid.SetUniformRowHeight(0), 1);
    EXPECT_TRUE(grid.GridInfo->UniformRowHeight && grid.GridInfo->RowHeights.empty());
    EXPECT_EQ(grid.SetDefaultFont(7) + grid.SetDefaultFont(nullptr)
                  + grid.SetHeadingDefault(nullptr) + grid.SetGridDefault(nullptr)
                  + grid.SetColumnDefault(1, &heading)
                  + grid.SetColumnDefault(0, nullptr) + grid.GetColumnDefault(-1, &heading)
                  + grid.GetColumnDefault(0, nullptr), 8);
    EXPECT_EQ(grid.SetDefaultFont(grid.AddFontSimple(L"Arial", 13, 400)), 0);
    EXPECT_EQ(grid.GridInfo->DefaultFont, grid.GetFont(0));
    EXPECT_EQ(grid.SetHeadingDefault(&heading), 0);
    EXPECT_EQ(grid.GridInfo->HeadingDefaultCell.GetPropertyFlags(), CUGCell::PropBackColor);
    CWnd other;
    grid.SetEditWindow(&other), grid.SetEditWindow(nullptr), grid.SetTabWidth(-5);
    EXPECT_EQ(std::pair(grid.GridInfo->EditWindow, grid.GridInfo->TabWidth),
              std::pair(static_cast<CWnd*>(grid.GetDefaultEdit()), 0));
}

// With a window, the scroll bar and heading sizes run the layout; a refused
// size and the tab width do not.
TEST(CUGCtrlSizes, LayoutSettingsRunTheLayoutWithAWindow)
{
    RecordingGrid grid;
    GridTestFrame frame(grid, 300, 200);
    grid.SetRowCount(100);
    grid.log.Clear();
    grid.SetTabWidth(50);
    EXPECT_EQ(grid.SetRowHeadingWidth(2000), 2);
    EXPECT_TRUE(grid.log.Lines().empty());
    EXPECT_EQ(grid.SetVScrollWidth(20) + grid.SetHScrollHeight(20) + grid.SetRowHeadingWidth(30)
                  + grid.SetColumnHeadingHeight(25), 0);
    EXPECT_EQ(grid.log.Lines().size(), 4u);
    EXPECT_EQ(CRect(grid.GridInfo->CellAreaRect), CRect(30, 25, 280, 180));
    EXPECT_EQ(grid.EnableCellHints(1) + grid.EnableVScrollHints(1) + grid.EnableHScrollHints(0), 0);
}
