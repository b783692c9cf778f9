// CUGCtrl: the numbers and sizes of columns and rows, and the settings of the
// current sheet.
//
//   Counts ............. SetColumnCount, SetRowCount, AppendColumn/Row,
//                        InsertColumn/Row, DeleteColumn/Row, MoveColumn
//   Sizes .............. GetColumnWidth, GetRowHeight, SetColumnWidth,
//                        SetRowHeight, SetLockedColumns/Rows
//   Settings ........... the sheet settings, SetDefaultColumnWidth on
//
// Every operation works on the current sheet's record. Results: 0 success,
// 1 a value out of range or a missing object, 2 a heading size above 1024;
// append, insert and delete pass on the data source's nonzero answer.
#include "CUGCtrl.h"

#include "CUGDataSource.h"
#include "CUGGrid.h"
#include "CUGHScroll.h"
#include "CUGVScroll.h"

#include <algorithm>
#include <cstddef>
#include <numeric>

namespace {

constexpr int MaxHeadingSize = 1024;
constexpr int MaxHeadingParts = 64;
// From this row count on a sheet keeps one height for all rows.
constexpr long UniformRowsFrom = 64001;

// A new column at `index`: the default width, the sheet's data source, its
// own copy of the sheet's column-default template, and the data column of
// its own index.
CUGGridInfo::ColumnEntry NewColumnEntry(const CUGGridInfo& gi, int index)
{
    CUGGridInfo::ColumnEntry entry;
    entry.Width = gi.DefaultColWidth;
    entry.DataSource = gi.DataSource;
    entry.DefaultCell = std::make_unique<CUGCell>();
    entry.DefaultCell->CopyInfoFrom(&gi.ColumnDefaultTemplate);
    entry.DataColumn = index;
    return entry;
}

// The locked width is the sum of the first LockedCols widths (as many as the
// column table has).
void RecomputeLockedWidth(CUGGridInfo& gi)
{
    const int count = std::min<int>(gi.LockedCols, static_cast<int>(gi.Columns.size()));
    int width = 0;
    for (int col = 0; col < count; ++col)
        width += gi.Columns[col].Width;
    gi.LockedWidth = width;
}

bool HasPerRowHeights(const CUGGridInfo& gi)
{
    return !gi.UniformRowHeight;
}

int RowHeightOf(const CUGGridInfo& gi, long row)
{
    if (gi.UniformRowHeight || row < 0 || static_cast<size_t>(row) >= gi.RowHeights.size())
        return gi.DefaultRowHeight;
    return gi.RowHeights[row];
}

void RecomputeLockedHeight(CUGGridInfo& gi)
{
    const long count = std::min<long>(gi.LockedRows, gi.RowCount);
    int height = 0;
    for (long row = 0; row < count; ++row)
        height += RowHeightOf(gi, row);
    gi.LockedHeight = height;
}

// Each part becomes (int)(old * total / sum + 0.5); a sum of 0 leaves the
// parts as they are (there is no proportion to keep).
void RescaleInProportion(std::vector<int>& parts, int total)
{
    const long long sum = std::accumulate(parts.begin(), parts.end(), 0LL);
    if (sum <= 0)
        return;
    for (int& part : parts)
        part = static_cast<int>(static_cast<double>(part) * total / static_cast<double>(sum) + 0.5);
}

// A heading's total size (0..1024; 2 above): its parts keep their shares.
int SetHeadingSize(std::vector<int>& parts, int& total, int size)
{
    if (size < 0)
        return 1;
    if (size > MaxHeadingSize)
        return 2;
    RescaleInProportion(parts, size);
    total = size;
    return 0;
}

int AsFlag(int flag)
{
    return flag ? 1 : 0;
}

}  // namespace

// --- Counts --------------------------------------------------------------------

int CUGCtrl::SetColumnCount(int count, int redraw)
{
    if (count < 0 || count > MaxColumns)
        return 1;
    CUGGridInfo* gi = GridInfo;
    // A count of 0 cannot keep count - 1 columns locked: it keeps none.
    if (gi->LockedCols > 0 && count <= gi->LockedCols)
        SetLockedColumns(std::max(count - 1, 0));

    // Existing entries stay; removed ones take their default cells with them.
    if (static_cast<int>(gi->Columns.size()) > count)
        gi->Columns.resize(count);
    gi->Columns.reserve(count);
    while (static_cast<int>(gi->Columns.size()) < count)
        gi->Columns.push_back(NewColumnEntry(*gi, static_cast<int>(gi->Columns.size())));
    gi->ColumnCount = count;

    ComputeMaxLeftColumn();
    RecomputeLockedWidth(*gi);
    if (gi->CurrentCol >= count)
        gi->CurrentCol = count - 1;
    if (gi->DragCol >= count)
        gi->DragCol = count - 1;
    if (gi->CurrentCol < 0 && count >= 1)
        GotoColumn(0);
    if (redraw)
        RedrawAll();
    return 0;
}

int CUGCtrl::SetRowCount(long count, int redraw)
{
    if (count < 0)
        return 1;
    CUGGridInfo* gi = GridInfo;
    // As for columns: 0 rows keep none locked.
    if (gi->LockedRows > 0 && count <= gi->LockedRows)
        SetLockedRows(std::max(count - 1, 0L));
    if (count >= UniformRowsFrom)
        SetUniformRowHeight(1);
    if (HasPerRowHeights(*gi))
        gi->RowHeights.resize(static_cast<size_t>(count), gi->DefaultRowHeight);
    gi->RowCount = count;

    const long topRow = gi->TopRow;
    ComputeMaxTopRow();
    if (gi->TopRow != topRow)
        CommitCurrentCellMove();
    if (gi->CurrentRow >= count) {
        gi->CurrentRow = count - 1;
        gi->PreviousRow = count - 1;
        gi->DragRow = count - 1;
    }
    if (gi->DragRow >= count)
        gi->DragRow = count - 1;
    RecomputeLockedHeight(*gi);
    if (gi->CurrentRow < 0 && count >= 1)
        GotoRow(0);
    if (redraw)
        RedrawAll();
    return 0;
}

int CUGCtrl::AppendColumn()
{
    if (GridInfo->ColumnCount >= MaxColumns)
        return 1;
    if (const int result = GridInfo->DataSource->AppendCol())
        return result;
    return SetColumnCount(GridInfo->ColumnCount + 1, TRUE);
}

int CUGCtrl::AppendRow()
{
    if (const int result = GridInfo->DataSource->AppendRow())
        return result;
    return SetRowCount(GridInfo->RowCount + 1, TRUE);
}

// The source (the column's own, or the sheet's at the end of the grid) makes
// room first; the memory source also moves the data columns at and right of
// the place along. The new entry then takes the place `col`.
int CUGCtrl::InsertColumn(int col)
{
    CUGGridInfo* gi = GridInfo;
    if (col < 0 || col > gi->ColumnCount || gi->ColumnCount >= MaxColumns)
        return 1;
    int dataCol = col;
    CUGDataSource* source = DataSourceOf(col, &dataCol);
    if (const int result = source->InsertCol(dataCol))
        return result;
    const int position = std::min<int>(col, static_cast<int>(gi->Columns.size()));
    gi->Columns.insert(gi->Columns.begin() + position, NewColumnEntry(*gi, col));
    return SetColumnCount(gi->ColumnCount + 1, TRUE);
}

int CUGCtrl::InsertRow(long row)
{
    CUGGridInfo* gi = GridInfo;
    if (row < 0 || row > gi->RowCount)
        return 1;
    if (const int result = gi->DataSource->InsertRow(row))
        return result;
    if (HasPerRowHeights(*gi) && static_cast<size_t>(row) <= gi->RowHeights.size())
        gi->RowHeights.insert(gi->RowHeights.begin() + row, gi->DefaultRowHeight);
    return SetRowCount(gi->RowCount + 1, TRUE);
}

int CUGCtrl::DeleteColumn(int col)
{
    CUGGridInfo* gi = GridInfo;
    if (gi->ColumnCount <= 0 || col < 0 || col >= gi->ColumnCount)
        return 1;
    int dataCol = col;
    CUGDataSource* source = DataSourceOf(col, &dataCol);
    if (const int result = source->DeleteCol(dataCol))
        return result;
    if (static_cast<size_t>(col) < gi->Columns.size())
        gi->Columns.erase(gi->Columns.begin() + col);
    return SetColumnCount(gi->ColumnCount - 1, TRUE);
}

int CUGCtrl::DeleteRow(long row)
{
    CUGGridInfo* gi = GridInfo;
    if (row < 0 || row >= gi->RowCount)
        return 1;
    if (const int result = gi->DataSource->DeleteRow(row))
        return result;
    if (HasPerRowHeights(*gi) && static_cast<size_t>(row) < gi->RowHeights.size())
        gi->RowHeights.erase(gi->RowHeights.begin() + row);
    return SetRowCount(gi->RowCount - 1, TRUE);
}

// The moved entry (width, source, default cell, data column) lands before the
// destination; the entries between move one place towards where it was.
int CUGCtrl::MoveColumn(int fromCol, int toCol, int before)
{
    CUGGridInfo* gi = GridInfo;
    const int count = gi->ColumnCount;
    const long long target = static_cast<long long>(toCol) + (before ? 0 : 1);
    if (fromCol < 0 || fromCol >= count || target < 0 || target > count)
        return 1;
    const int destination = static_cast<int>(target);
    if (destination == fromCol || destination == fromCol + 1)
        return 0;
    auto& columns = gi->Columns;
    if (static_cast<int>(columns.size()) < count)
        return 1;
    if (destination > fromCol)
        std::rotate(columns.begin() + fromCol, columns.begin() + fromCol + 1,
                    columns.begin() + destination);
    else
        std::rotate(columns.begin() + destination, columns.begin() + fromCol,
                    columns.begin() + fromCol + 1);
    RecomputeLockedWidth(*gi);
    ComputeMaxLeftColumn();
    return 0;
}

// --- Sizes ---------------------------------------------------------------------
//
// How far the view may scroll depends on the widths and heights: every change
// of them computes the largest left column and top row again.

int CUGCtrl::GetColumnWidth(int col) const
{
    if (col < 0 || col >= GridInfo->ColumnCount
        || static_cast<size_t>(col) >= GridInfo->Columns.size())
        return 1;
    return GridInfo->Columns[col].Width;
}

int CUGCtrl::GetRowHeight(long row) const
{
    if (row < 0 || row >= GridInfo->RowCount)
        return 0;
    return RowHeightOf(*GridInfo, row);
}

void CUGCtrl::ColumnWidthsChanged()
{
    RecomputeLockedWidth(*GridInfo);
    ComputeMaxLeftColumn();
}

// Data columns take any width that is not negative; heading columns
// -1..-RowHeadingCols take 0..1024, and a single heading column is the whole
// row heading.
int CUGCtrl::SetColumnWidth(int col, int width)
{
    CUGGridInfo* gi = GridInfo;
    if (col >= 0) {
        if (col >= gi->ColumnCount || static_cast<size_t>(col) >= gi->Columns.size()
            || width < 0)
            return 1;
        gi->Columns[col].Width = width;
        ColumnWidthsChanged();
        return 0;
    }
    const int index = -col - 1;
    if (index >= gi->RowHeadingCols || static_cast<size_t>(index) >= gi->RowHeadingColWidths.size()
        || width < 0 || width > MaxHeadingSize)
        return 1;
    gi->RowHeadingColWidths[index] = width;
    if (gi->RowHeadingCols == 1)
        gi->RowHeadingWidth = width;
    return 0;
}

// Rows outside the grid are ignored. With uniform heights the one height of
// all rows changes, and it must stay at least 1 (scrolling divides by it).
int CUGCtrl::SetRowHeight(long row, int height)
{
    CUGGridInfo* gi = GridInfo;
    if (row < 0 || row >= gi->RowCount)
        return 0;
    if (height < 0)
        return 1;
    if (gi->UniformRowHeight) {
        if (height < 1)
            return 1;
        gi->DefaultRowHeight = height;
    } else {
        if (static_cast<size_t>(row) >= gi->RowHeights.size())
            gi->RowHeights.resize(static_cast<size_t>(gi->RowCount), gi->DefaultRowHeight);
        gi->RowHeights[row] = height;
    }
    RecomputeLockedHeight(*gi);
    ComputeMaxTopRow();
    return 0;
}

int CUGCtrl::SetLockedColumns(int count)
{
    CUGGridInfo* gi = GridInfo;
    if (count < 0 || count > gi->ColumnCount)
        return 1;
    gi->LockedCols = count;
    RecomputeLockedWidth(*gi);
    gi->LeftCol = count;
    gi->PreviousLeftCol = count;
    ComputeMaxLeftColumn();
    return 0;
}

int CUGCtrl::SetLockedRows(long count)
{
    CUGGridInfo* gi = GridInfo;
    if (count < 0 || count > gi->RowCount)
        return 1;
    gi->LockedRows = static_cast<int>(count);
    RecomputeLockedHeight(*gi);
    gi->TopRow = static_cast<int>(count);
    gi->PreviousTopRow = static_cast<int>(count);
    ComputeMaxTopRow();
    return 0;
}

// --- Settings ------------------------------------------------------------------

int CUGCtrl::SetDefaultColumnWidth(int width)
{
    if (width < 0)
        return 1;
    GridInfo->DefaultColWidth = width;
    return 0;
}

int CUGCtrl::SetDefaultRowHeight(int height)
{
    if (height < 1 || height > MaxHeadingSize)
        return 1;
    GridInfo->DefaultRowHeight = height;
    RecomputeLockedHeight(*GridInfo);
    ComputeMaxTopRow();
    return 0;
}

// Per-row heights for more than 64000 rows are refused: such sheets keep one
// height (SetRowCount switches them), and the array would be huge.
int CUGCtrl::SetUniformRowHeight(int flag)
{
    CUGGridInfo* gi = GridInfo;
    if (flag) {
        gi->UniformRowHeight = 1;
        std::vector<int>().swap(gi->RowHeights);
    } else {
        if (gi->RowCount >= UniformRowsFrom)
            return 1;
        gi->UniformRowHeight = 0;
        if (gi->RowHeights.size() != static_cast<size_t>(gi->RowCount))
            gi->RowHeights.assign(static_cast<size_t>(gi->RowCount), gi->DefaultRowHeight);
    }
    RecomputeLockedHeight(*gi);
    ComputeMaxTopRow();
    return 0;
}

int CUGCtrl::SetVScrollWidth(int width)
{
    if (width < 0 || width > MaxHeadingSize)
        return 1;
    GridInfo->VScrollWidth = width;
    AdjustComponentSizes();
    return 0;
}

int CUGCtrl::SetHScrollHeight(int height)
{
    if (height < 0 || height > MaxHeadingSize)
        return 1;
    GridInfo->HScrollHeight = height;
    AdjustComponentSizes();
    return 0;
}

int CUGCtrl::SetRowHeadingWidth(int width)
{
    const int result = SetHeadingSize(GridInfo->RowHeadingColWidths, GridInfo->RowHeadingWidth,
                                      width);
    if (result == 0)
        AdjustComponentSizes();
    return result;
}

int CUGCtrl::SetColumnHeadingHeight(int height)
{
    const int result = SetHeadingSize(GridInfo->ColumnHeadingRowHeights,
                                      GridInfo->ColumnHeadingHeight, height);
    if (result == 0)
        AdjustComponentSizes();
    return result;
}

int CUGCtrl::SetRowHeadingColumnCount(int count)
{
    if (count < 1 || count > MaxHeadingParts)
        return 1;
    GridInfo->RowHeadingColWidths.resize(count, GridInfo->DefaultColWidth);
    GridInfo->RowHeadingCols = count;
    return 0;
}

int CUGCtrl::SetColumnHeadingRowCount(int count)
{
    if (count < 1 || count > MaxHeadingParts)
        return 1;
    GridInfo->ColumnHeadingRowHeights.resize(count, GridInfo->DefaultRowHeight);
    GridInfo->ColumnHeadingRows = count;
    return 0;
}

// Heading row -k is the k-th stored height.
int CUGCtrl::SetColumnHeadingRowHeight(int headingRow, int height)
{
    CUGGridInfo* gi = GridInfo;
    const int index = -headingRow - 1;
    if (headingRow >= 0 || index >= gi->ColumnHeadingRows
        || static_cast<size_t>(index) >= gi->ColumnHeadingRowHeights.size())
        return 1;
    if (height < 0 || height > MaxHeadingSize)
        return 2;
    gi->ColumnHeadingRowHeights[index] = height;
    return 0;
}

int CUGCtrl::SetDefaultFont(int index)
{
    CFont* font = GetFont(index);
    if (!font)
        return 1;
    GridInfo->DefaultFont = font;
    return 0;
}

int CUGCtrl::SetDefaultFont(CFont* font)
{
    if (!font)
        return 1;
    GridInfo->DefaultFont = font;
    return 0;
}

// 0 is the sheet's built-in memory source; the sheet and every column take
// the new source.
int CUGCtrl::SetDefaultDataSource(int index)
{
    CUGDataSource* source = GetDataSource(index);
    if (!source)
        return 1;
    CUGGridInfo* gi = GridInfo;
    gi->DataSourceIndex = index;
    gi->DataSource = source;
    for (auto& entry : gi->Columns)
        entry.DataSource = source;
    return 0;
}

int CUGCtrl::SetColumnDataSource(int col, int index)
{
    CUGGridInfo* gi = GridInfo;
    if (col < 0 || col >= gi->ColumnCount || static_cast<size_t>(col) >= gi->Columns.size())
        return 1;
    CUGDataSource* source = GetDataSource(index);
    if (!source)
        return 1;
    gi->Columns[col].DataSource = source;
    return 0;
}

int CUGCtrl::SetColumnDataIndex(int col, int index)
{
    CUGGridInfo* gi = GridInfo;
    if (col < 0 || col >= gi->ColumnCount || static_cast<size_t>(col) >= gi->Columns.size())
        return 1;
    gi->Columns[col].DataColumn = index;
    return 0;
}

int CUGCtrl::SetColumnDefault(int col, CUGCell* cell)
{
    CUGGridInfo* gi = GridInfo;
    if (!cell || col < 0 || col >= gi->ColumnCount
        || static_cast<size_t>(col) >= gi->Columns.size())
        return 1;
    auto& entry = gi->Columns[col];
    if (!entry.DefaultCell)
        entry.DefaultCell = std::make_unique<CUGCell>();
    entry.DefaultCell->CopyInfoFrom(cell);
    return 0;
}

int CUGCtrl::GetColumnDefault(int col, CUGCell* cell)
{
    CUGGridInfo* gi = GridInfo;
    if (!cell || col < 0 || col >= gi->ColumnCount
        || static_cast<size_t>(col) >= gi->Columns.size())
        return 1;
    const auto& entry = gi->Columns[col];
    if (entry.DefaultCell)
        cell->CopyInfoFrom(entry.DefaultCell.get());
    else
        cell->ClearAll();
    return 0;
}

int CUGCtrl::SetGridDefault(CUGCell* cell)
{
    if (!cell)
        return 1;
    GridInfo->ColumnDefaultTemplate.CopyInfoFrom(cell);
    return 0;
}

int CUGCtrl::SetHeadingDefault(CUGCell* cell)
{
    if (!cell)
        return 1;
    GridInfo->HeadingDefaultCell.CopyInfoFrom(cell);
    return 0;
}

int CUGCtrl::SetMouseScrollMode(int mode)
{
    if (mode < 0 || mode > 3)
        return 1;
    GridInfo->MouseScrollMode = mode;
    return 0;
}

int CUGCtrl::SetMouseScrollDelay(int delay)
{
    if (delay < 0 || delay > 32000)
        return 1;
    GridInfo->MouseScrollDelay = delay;
    return 0;
}

int CUGCtrl::SetKeyAcceleration(int divisor)
{
    if (divisor < 0 || divisor > 1000)
        return 1;
    GridInfo->KeyAcceleration = divisor;
    return 0;
}

int CUGCtrl::SetKeyAccelerationDelay(int delay)
{
    if (delay < 0)
        return 1;
    GridInfo->KeyAccelerationDelay = delay;
    return 0;
}

int CUGCtrl::SetCancelEditOnFocusLoss(int flag)
{
    GridInfo->CancelEditOnFocusLoss = AsFlag(flag);
    return 0;
}

int CUGCtrl::EnableCellHints(int flag)
{
    GridInfo->CellHints = AsFlag(flag);
    if (m_grid->GetSafeHwnd())
        m_grid->EnableToolTips(GridInfo->CellHints);
    return 0;
}

int CUGCtrl::EnableVScrollHints(int flag)
{
    GridInfo->VScrollHints = AsFlag(flag);
    if (m_vScroll->GetSafeHwnd())
        m_vScroll->EnableToolTips(GridInfo->VScrollHints);
    return 0;
}

int CUGCtrl::EnableHScrollHints(int flag)
{
    GridInfo->HScrollHints = AsFlag(flag);
    if (m_hScroll->GetSafeHwnd())
        m_hScroll->EnableToolTips(GridInfo->HScrollHints);
    return 0;
}

// The width of the tab area; the layout makes room for it the next time it
// runs. A negative width means no tabs.
int CUGCtrl::SetTabWidth(int width)
{
    GridInfo->TabWidth = std::max(width, 0);
    return 0;
}

// No window means the control's own edit again.
int CUGCtrl::SetEditWindow(CWnd* edit)
{
    GridInfo->EditWindow = edit ? edit : &m_defaultEdit;
    return 0;
}

int CUGCtrl::EnableJoins(int flag)
{
    GridInfo->JoinsEnabled = AsFlag(flag);
    return 0;
}

int CUGCtrl::EnableColumnSwapping(int flag)
{
    GridInfo->ColumnMoveEnabled = AsFlag(flag);
    return 0;
}

int CUGCtrl::EnablePopupMenu(int flag)
{
    GridInfo->PopupMenuEnabled = AsFlag(flag);
    return 0;
}
