// Placeholder bodies; replaced as the subject is built.
#include "CUGCtrl.h"

int CUGCtrl::SetColumnCount(int count, int redraw)
{
    return 0;
}

int CUGCtrl::SetRowCount(long count, int redraw)
{
    return 0;
}

int CUGCtrl::GetColumnWidth(int col) const
{
    if (col < 0 || col >= GridInfo->ColumnCount)
        return 1;
    return GridInfo->Columns[col].Width;
}

int CUGCtrl::GetRowHeight(long row) const
{
    if (row < 0 || row >= GridInfo->RowCount)
        return 0;
    if (GridInfo->UniformRowHeight)
        return GridInfo->DefaultRowHeight;
    const auto& heights = GridInfo->RowHeights;
    return static_cast<size_t>(row) < heights.size() ? heights[row] : GridInfo->DefaultRowHeight;
}

int CUGCtrl::SetColumnWidth(int col, int width)
{
    return 0;
}

int CUGCtrl::SetRowHeight(long row, int height)
{
    return 0;
}

int CUGCtrl::SetLockedColumns(int count)
{
    return 0;
}

int CUGCtrl::SetLockedRows(long count)
{
    return 0;
}

int CUGCtrl::AppendColumn()
{
    return 0;
}

int CUGCtrl::AppendRow()
{
    return 0;
}

int CUGCtrl::InsertColumn(int col)
{
    return 0;
}

int CUGCtrl::InsertRow(long row)
{
    return 0;
}

int CUGCtrl::DeleteColumn(int col)
{
    return 0;
}

int CUGCtrl::DeleteRow(long row)
{
    return 0;
}

int CUGCtrl::MoveColumn(int fromCol, int toCol, int before)
{
    return 0;
}

int CUGCtrl::SetDefaultColumnWidth(int width)
{
    return 0;
}

int CUGCtrl::SetDefaultRowHeight(int height)
{
    return 0;
}

int CUGCtrl::SetUniformRowHeight(int flag)
{
    return 0;
}

int CUGCtrl::SetVScrollWidth(int width)
{
    return 0;
}

int CUGCtrl::SetHScrollHeight(int height)
{
    return 0;
}

int CUGCtrl::SetRowHeadingWidth(int width)
{
    return 0;
}

int CUGCtrl::SetColumnHeadingHeight(int height)
{
    return 0;
}

int CUGCtrl::SetRowHeadingColumnCount(int count)
{
    return 0;
}

int CUGCtrl::SetColumnHeadingRowCount(int count)
{
    return 0;
}

int CUGCtrl::SetColumnHeadingRowHeight(int headingRow, int height)
{
    return 0;
}

int CUGCtrl::SetDefaultFont(int index)
{
    return 0;
}

int CUGCtrl::SetDefaultFont(CFont* font)
{
    return 0;
}

int CUGCtrl::SetDefaultDataSource(int index)
{
    return 0;
}

int CUGCtrl::SetColumnDataSource(int col, int index)
{
    return 0;
}

int CUGCtrl::SetColumnDataIndex(int col, int index)
{
    return 0;
}

int CUGCtrl::SetColumnDefault(int col, CUGCell* cell)
{
    return 0;
}

int CUGCtrl::GetColumnDefault(int col, CUGCell* cell)
{
    return 0;
}

int CUGCtrl::SetGridDefault(CUGCell* cell)
{
    return 0;
}

int CUGCtrl::SetHeadingDefault(CUGCell* cell)
{
    return 0;
}

int CUGCtrl::SetMouseScrollMode(int mode)
{
    return 0;
}

int CUGCtrl::SetMouseScrollDelay(int delay)
{
    return 0;
}

int CUGCtrl::SetKeyAcceleration(int divisor)
{
    return 0;
}

int CUGCtrl::SetKeyAccelerationDelay(int delay)
{
    return 0;
}

int CUGCtrl::SetCancelEditOnFocusLoss(int flag)
{
    return 0;
}

int CUGCtrl::EnableCellHints(int flag)
{
    return 0;
}

int CUGCtrl::EnableVScrollHints(int flag)
{
    return 0;
}

int CUGCtrl::EnableHScrollHints(int flag)
{
    return 0;
}

int CUGCtrl::SetTabWidth(int width)
{
    return 0;
}

int CUGCtrl::SetEditWindow(CWnd* edit)
{
    return 0;
}

int CUGCtrl::EnableJoins(int flag)
{
    return 0;
}

int CUGCtrl::EnableColumnSwapping(int flag)
{
    return 0;
}

int CUGCtrl::EnablePopupMenu(int flag)
{
    return 0;
}
