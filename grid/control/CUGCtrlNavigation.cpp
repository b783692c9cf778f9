// CUGCtrl: the current cell and the visible area of the current sheet.
//
//   Moves .............. GotoCell, GotoColumn, GotoRow
//   Scrolling .......... SetLeftColumn, SetTopRow
//   Steps .............. MoveCurrentColumn/Row, MoveLeftColumn, MoveTopRow
//                        (line, page, first, last) and their page walks
//   Commit ............. CommitCurrentCellMove
//   Keeping in view .... ScrollToShowTargetColumn/Row, ComputeMaxLeftColumn/TopRow
//   Clamping ........... ClampTargetColumn/Row (range, rows past the end,
//                        joined blocks), ClampLeftColumn, ClampTopRow
//   Geometry ........... GetCellFromPoint, GetCellRect, WidthForWalk/HeightForWalk
//   Joins .............. GetJoinStart, GetJoinRange
//   Tracking window .... SetTrackingWindow(+Mode), KeepTrackingWindowClear
//
// Call flow of a move: Goto... -> Clamp... -> the data source's and the
// owner's AskMoveCurrentCell -> AskMoveView when the target lies outside the
// visible cells -> drag cell := target -> ScrollToShowTarget... ->
// CommitCurrentCellMove, which brings the current cell in line with the drag
// cell (through the selection when it is on), raises the change
// notifications and repaints. Scrolling sets the left column or top row and
// commits the same way. A refused move returns before anything is written.
#include "CUGCtrl.h"

#include "CUGCnrBtn.h"
#include "CUGDataSource.h"
#include "CUGGrid.h"
#include "CUGHScroll.h"
#include "CUGSideHdg.h"
#include "CUGTopHdg.h"
#include "CUGVScroll.h"

#include <algorithm>

namespace {

enum class Axis { Columns, Rows };

// A joined block as its first and last index along one axis.
struct Span {
    long start;
    long end;
};

// The block that (col, row) belongs to along `axis`, when joins are on and the
// cell is joined.
bool JoinedSpan(CUGCtrl& ctrl, int col, long row, Axis axis, Span& span)
{
    int endCol = 0;
    long endRow = 0;
    if (ctrl.GetJoinRange(col, row, endCol, endRow) != 0)
        return false;
    span = axis == Axis::Columns ? Span{col, endCol} : Span{row, endRow};
    return true;
}

// Where a move that lands inside a joined block goes instead. A mouse move
// takes the block's first cell. A key press must not get stuck inside the
// block: going forward it jumps past the block's end (or onto its start when
// it comes from before the block), going back it jumps before the block's
// start; when there is nothing beyond the block in that direction the target
// stays.
long StepOverSpan(long target, long from, const Span& span, long count, int moveKind)
{
    if (moveKind != CUGCtrl::MoveByKeyboard)
        return span.start;
    if (target > from) {
        if (from < span.start)
            return span.start;
        return span.end + 1 < count ? span.end + 1 : target;
    }
    if (target < from && from <= span.end)
        return span.start - 1 > 0 ? span.start - 1 : target;
    return target;
}

int ColumnWidthOf(const CUGCtrl& ctrl, long col)
{
    // Heading columns count with the default width so that a page walk back
    // over the start still ends; a zero default would never use up the room.
    if (col < 0)
        return std::max(ctrl.GridInfo->DefaultColWidth, 1);
    return ctrl.GetColumnWidth(static_cast<int>(col));
}

// The walk of a column page step from `from`: subtract widths from the room
// one column at a time, stepping after each, until the room is used up.
int WalkColumnPage(const CUGCtrl& ctrl, int from, int direction)
{
    const CUGGridInfo* gi = ctrl.GridInfo;
    int room = gi->GridWidth - gi->LockedWidth;
    int pos = from;
    if (room < 0)
        return pos;
    while (room >= 0) {
        room -= ColumnWidthOf(ctrl, pos);
        pos += direction;
    }
    return pos;
}

// The height a row page walk counts at `pos`: heading rows and rows from
// `pastEnd` on have the default height, which also keeps the walk finite.
int RowHeightOf(const CUGCtrl& ctrl, long pos, long pastEnd)
{
    if (pos < 0 || pos >= pastEnd)
        return std::max(ctrl.GridInfo->DefaultRowHeight, 1);
    return ctrl.GetRowHeight(pos);
}

// The walk of a row page step from `from`: subtract the row at the position,
// step, and go on while the next row still fits into what is left.
long WalkRowPage(const CUGCtrl& ctrl, long from, int direction, long pastEnd)
{
    const CUGGridInfo* gi = ctrl.GridInfo;
    int room = gi->GridHeight - gi->LockedHeight;
    long pos = from;
    if (room < 0)
        return pos;
    do {
        room -= RowHeightOf(ctrl, pos, pastEnd);
        pos += direction;
    } while (RowHeightOf(ctrl, pos, pastEnd) <= room && room >= 0);
    return pos;
}

// Clamps a target row to the sheet, first offering the data source and then
// the owner to add rows when it lies past the end; with `stepOverJoins` a
// row inside a joined block of the drag column follows StepOverSpan.
int ClampRow(CUGCtrl& ctrl, long& row, bool stepOverJoins)
{
    CUGGridInfo* gi = ctrl.GridInfo;
    if (row >= gi->RowCount) {
        long added = 0;
        if (gi->DataSource)
            gi->DataSource->NotifyRowsPastEnd(gi->RowCount, row - gi->RowCount + 1, &added);
        const long count = gi->RowCount;
        ctrl.NotifyRowsPastEnd(count, row - count + 1, added);
        row = count - 1;
        if (gi->DragRow == row)
            return 1;
    }
    if (row < 0)
        row = 0;
    // A sheet without rows has no row to go to.
    if (row >= gi->RowCount)
        return 1;
    Span span{};
    if (stepOverJoins && JoinedSpan(ctrl, gi->DragCol, row, Axis::Rows, span))
        row = StepOverSpan(row, gi->DragRow, span, gi->RowCount, gi->MoveKind);
    return 0;
}

// The cell the selection last settled on, when it has one on the sheet: a
// block may be set off the sheet, or the sheet may have shrunk since, and
// the current cell must stay on it.
bool LastSelectedCell(const CUGGridInfo* gi, int& col, long& row)
{
    return gi->MultiSelect && gi->MultiSelect->GetLastCell(&col, &row) == 0 && col >= 0
           && col < gi->ColumnCount && row >= 0 && row < gi->RowCount;
}

// A plain arrow key after a selection was extended starts again from the
// cell the selection last settled on.
void ReloadCurrentFromSelection(CUGGridInfo* gi)
{
    if (gi->MoveKind != CUGCtrl::MoveByKeyboard || GetKeyState(VK_SHIFT) < 0
        || GetKeyState(VK_CONTROL) < 0)
        return;
    int col = 0;
    long row = 0;
    if (LastSelectedCell(gi, col, row)) {
        gi->CurrentCol = col;
        gi->CurrentRow = static_cast<int>(row);
    }
}

}  // namespace

// --- Moves ---------------------------------------------------------------------

int CUGCtrl::GotoCell(int col, long row)
{
    CUGGridInfo* gi = GridInfo;
    if (col == gi->DragCol && row == gi->DragRow)
        return 0;

    // Callers pass a data column; one outside the sheet is refused rather
    // than made current, since no cell could be drawn or edited there.
    if (col < 0 || col >= gi->ColumnCount)
        return 1;
    // A vertical move within the drag column steps over joined blocks as
    // GotoRow does; in another column the target's own block decides below.
    if (ClampRow(*this, row, col == gi->DragCol) != 0)
        return 1;
    if (gi->JoinsEnabled)
        GetJoinStart(col, row);

    if (gi->DataSource
        && gi->DataSource->AskMoveCurrentCell(gi->CurrentCol, gi->CurrentRow, col, row) != 1)
        return 2;
    if (!AskMoveCurrentCell(gi->CurrentCol, gi->CurrentRow, col, row))
        return 2;

    const bool visible = col >= gi->LeftCol && col < gi->RightCol && row >= gi->TopRow
                         && row < gi->BottomRow;
    if (!visible && !AskMoveView(gi->LeftCol, gi->TopRow, col, row))
        return 2;
    gi->DragCol = col;
    gi->DragRow = row;

    ScrollToShowTargetColumn();
    ScrollToShowTargetRow();
    CommitCurrentCellMove();
    return 0;
}

int CUGCtrl::GotoColumn(int col)
{
    CUGGridInfo* gi = GridInfo;
    ReloadCurrentFromSelection(gi);
    if (col == gi->DragCol)
        return 0;
    if (ClampTargetColumn(col) != 0)
        return 1;
    if (col == gi->DragCol)
        return 0;

    if (gi->DataSource
        && gi->DataSource->AskMoveCurrentCell(gi->DragCol, gi->DragRow, col, gi->DragRow) != 1)
        return 2;
    if (!AskMoveCurrentCell(gi->DragCol, gi->DragRow, col, gi->DragRow))
        return 2;
    const bool visible = col >= gi->LeftCol && col < gi->RightCol;
    if (!visible && !AskMoveView(gi->LeftCol, gi->TopRow, col, gi->TopRow))
        return 2;
    gi->DragCol = col;

    ScrollToShowTargetColumn();
    CommitCurrentCellMove();
    return 0;
}

// Row moves are put to the owner only: data sources written against this
// control expect to be asked about cell and column moves alone.
int CUGCtrl::GotoRow(long row)
{
    CUGGridInfo* gi = GridInfo;
    ReloadCurrentFromSelection(gi);
    if (row == gi->DragRow)
        return 0;
    if (ClampTargetRow(row) != 0)
        return 1;
    if (row == gi->DragRow)
        return 0;

    if (!AskMoveCurrentCell(gi->DragCol, gi->DragRow, gi->DragCol, row))
        return 2;
    const bool visible = row >= gi->TopRow && row < gi->BottomRow;
    if (!visible && !AskMoveView(gi->LeftCol, gi->TopRow, gi->LeftCol, row))
        return 2;
    gi->DragRow = static_cast<int>(row);

    ScrollToShowTargetRow();
    CommitCurrentCellMove();
    return 0;
}

// --- Scrolling -------------------------------------------------------------------

int CUGCtrl::SetLeftColumn(int col)
{
    CUGGridInfo* gi = GridInfo;
    if (col == gi->LeftCol)
        return 0;
    ClampLeftColumn(col);
    if (!AskMoveView(gi->LeftCol, gi->TopRow, col, gi->TopRow))
        return 2;
    if (col != gi->LeftCol) {
        gi->LeftCol = col;
        CommitCurrentCellMove();
    }
    return 0;
}

int CUGCtrl::SetTopRow(long row)
{
    CUGGridInfo* gi = GridInfo;
    if (row == gi->TopRow)
        return 0;
    ClampTopRow(row);
    if (!AskMoveView(gi->LeftCol, gi->TopRow, gi->LeftCol, row))
        return 2;
    gi->TopRow = static_cast<int>(row);
    CommitCurrentCellMove();
    return 0;
}

// --- Steps -----------------------------------------------------------------------

int CUGCtrl::MoveCurrentColumn(int code)
{
    CUGGridInfo* gi = GridInfo;
    switch (code) {
    case StepBack:
        return GotoColumn(gi->DragCol - 1);
    case StepForward:
        return GotoColumn(gi->DragCol + 1);
    case StepPageBack:
        return GotoColumn(WalkColumnPage(*this, gi->DragCol, -1));
    case StepPageForward:
        return GotoColumn(WalkColumnPage(*this, gi->DragCol, 1));
    case StepFirst:
        return GotoColumn(0);
    case StepLast:
        return GotoColumn(gi->ColumnCount - 1);
    default:
        return 0;
    }
}

int CUGCtrl::MoveCurrentRow(int code)
{
    CUGGridInfo* gi = GridInfo;
    switch (code) {
    case StepBack:
        return GotoRow(gi->DragRow - 1);
    case StepForward:
        return GotoRow(gi->DragRow + 1);
    case StepPageBack:
        return GotoRow(WalkRowPage(*this, gi->DragRow, -1, gi->RowCount));
    case StepPageForward:
        return GotoRow(WalkRowPage(*this, gi->DragRow, 1, gi->RowCount));
    case StepFirst:
        return GotoRow(0);
    case StepLast:
        return GotoRow(gi->RowCount - 1);
    default:
        return 0;
    }
}

int CUGCtrl::MoveLeftColumn(int code)
{
    CUGGridInfo* gi = GridInfo;
    switch (code) {
    case StepBack:
        return SetLeftColumn(gi->LeftCol - 1);
    case StepForward:
        return SetLeftColumn(gi->LeftCol + 1);
    case StepPageBack:
        return SetLeftColumn(WalkColumnPage(*this, gi->LeftCol, -1));
    case StepPageForward:
        return SetLeftColumn(WalkColumnPage(*this, gi->LeftCol, 1));
    case StepFirst:
        return SetLeftColumn(0);
    case StepLast:
        return SetLeftColumn(gi->ColumnCount - 1);
    default:
        return 0;
    }
}

int CUGCtrl::MoveTopRow(int code)
{
    CUGGridInfo* gi = GridInfo;
    // Rows beyond the largest useful top row count with the default height:
    // a page forward near the end then lands on the maximum top row, where
    // the clamp keeps it.
    const long pastEnd = gi->MaxTopRow + 1L;
    switch (code) {
    case StepBack:
        return SetTopRow(gi->TopRow - 1L);
    case StepForward:
        return SetTopRow(gi->TopRow + 1L);
    case StepPageBack:
        return SetTopRow(WalkRowPage(*this, gi->TopRow, -1, pastEnd));
    case StepPageForward:
        return SetTopRow(WalkRowPage(*this, gi->TopRow, 1, pastEnd));
    case StepFirst:
        return SetTopRow(0);
    case StepLast:
        return SetTopRow(gi->RowCount - 1L);
    default:
        return 0;
    }
}

// --- Commit ----------------------------------------------------------------------

void CUGCtrl::CommitCurrentCellMove()
{
    CUGGridInfo* gi = GridInfo;

    // While an edit is open the selection must not grow under it.
    if (!gi->MultiSelectMode || m_editInProgress) {
        gi->CurrentCol = gi->DragCol;
        gi->CurrentRow = gi->DragRow;
    } else {
        // A move that extends the selection from a cell that was made current
        // before any block began (Shift with a key or a click, a drag from
        // the current cell) extends a block anchored at that cell.
        const bool extends =
            gi->MoveKind == MoveByDrag
            || (gi->MoveKind == MoveByKeyboard && GetKeyState(VK_SHIFT) < 0)
            || (gi->MoveKind == MoveByLeftButton && (gi->KeyFlags & MK_SHIFT)
                && !(gi->KeyFlags & MK_CONTROL));
        if (extends && gi->MultiSelect->GetBlockCount() == 0 && gi->CurrentCol >= 0
            && gi->CurrentRow >= 0)
            gi->MultiSelect->StartBlock(gi->CurrentCol, gi->CurrentRow);
        gi->MultiSelect->OnMove(gi->MoveKind, gi->DragCol, gi->DragRow, gi->KeyFlags);
        int col = gi->DragCol;
        long row = gi->DragRow;
        if (!LastSelectedCell(gi, col, row)) {
            col = gi->DragCol;
            row = gi->DragRow;
        }
        gi->CurrentCol = col;
        gi->CurrentRow = static_cast<int>(row);
    }

    const int previousCol = gi->PreviousCol;
    const int previousRow = gi->PreviousRow;
    const bool colChanged = gi->CurrentCol != previousCol;
    const bool rowChanged = gi->CurrentRow != previousRow;
    if (colChanged) {
        if (gi->DataSource)
            gi->DataSource->NotifyCurrentColumnChanged(previousCol, gi->CurrentCol);
        NotifyCurrentColumnChanged(previousCol, gi->CurrentCol);
    }
    if (rowChanged) {
        if (gi->DataSource)
            gi->DataSource->NotifyCurrentRowChanged(previousRow, gi->CurrentRow);
        NotifyCurrentRowChanged(previousRow, gi->CurrentRow);
    }
    if (colChanged || rowChanged)
        NotifyCurrentCellChanged(previousCol, gi->CurrentCol, previousRow, gi->CurrentRow);
    if (gi->LeftCol != gi->PreviousLeftCol)
        NotifyLeftColumnChanged(gi->PreviousLeftCol, gi->LeftCol);
    if (gi->TopRow != gi->PreviousTopRow)
        NotifyTopRowChanged(gi->PreviousTopRow, gi->TopRow);

    KeepTrackingWindowClear();

    if (colChanged || rowChanged) {
        // A cell of its own: a cell type may use the quick operations, which
        // go through the scratch cell.
        CUGCell cell;
        if (previousCol >= 0 && previousRow >= 0) {
            GetCell(previousCol, previousRow, &cell);
            GetCellType(cell.GetCellType())->OnCellKillFocus(previousCol, previousRow, &cell);
        }
        if (gi->CurrentCol >= 0 && gi->CurrentRow >= 0) {
            GetCell(gi->CurrentCol, gi->CurrentRow, &cell);
            GetCellType(cell.GetCellType())->OnCellSetFocus(gi->CurrentCol, gi->CurrentRow, &cell);
        }
    }

    if (GetSafeHwnd() && m_partsCreated && m_redrawEnabled) {
        m_grid->Update();
        m_sideHdg->Update();
        m_topHdg->Update();
        m_vScroll->Update();
        m_hScroll->Update();
        m_cnrBtn->Update();
    }

    gi->PreviousTopRow = gi->TopRow;
    gi->PreviousRow = gi->CurrentRow;
    gi->PreviousLeftCol = gi->LeftCol;
    gi->PreviousCol = gi->CurrentCol;
}

// --- Keeping the target in view ---------------------------------------------------

void CUGCtrl::ScrollToShowTargetColumn()
{
    CUGGridInfo* gi = GridInfo;
    if (gi->LeftCol > gi->DragCol)
        gi->LeftCol = std::max(gi->DragCol, gi->LockedCols);
    if (gi->DragCol <= gi->LeftCol)
        return;
    int room = gi->GridWidth - gi->LockedWidth;
    for (int col = gi->DragCol; col >= gi->LeftCol; --col) {
        room -= WidthForWalk(col);
        if (room < 0 && col < gi->MaxLeftCol) {
            // A column wider than the whole area still starts the view.
            gi->LeftCol = std::min(col + 1, gi->DragCol);
            return;
        }
    }
}

void CUGCtrl::ScrollToShowTargetRow()
{
    CUGGridInfo* gi = GridInfo;
    if (gi->TopRow > gi->DragRow)
        gi->TopRow = std::max(gi->DragRow, gi->LockedRows);
    if (gi->TopRow == gi->DragRow)
        return;
    int room = gi->GridHeight - gi->LockedHeight;
    if (gi->UniformRowHeight && gi->DefaultRowHeight > 0) {
        // A row higher than the whole area still starts the view.
        const long candidate =
            std::min<long>(gi->DragRow - room / gi->DefaultRowHeight + 1, gi->DragRow);
        if (gi->TopRow < candidate)
            gi->TopRow = static_cast<int>(candidate);
        return;
    }
    for (long row = gi->DragRow; row >= gi->TopRow; --row) {
        room -= HeightForWalk(row);
        if (room < 0) {
            gi->TopRow = static_cast<int>(std::min<long>(row + 1, gi->DragRow));
            return;
        }
    }
}

// The walk starts one past the last column (which counts 1 pixel wide) so
// that the last column is shown whole with the left column at the maximum.
void CUGCtrl::ComputeMaxLeftColumn()
{
    CUGGridInfo* gi = GridInfo;
    int room = gi->GridWidth - gi->LockedWidth;
    int maxLeft = gi->LockedCols;
    for (int col = gi->ColumnCount; col >= 0; --col) {
        room -= WidthForWalk(col);
        if (room < 0) {
            maxLeft = std::min(col + 1, gi->ColumnCount - 1);
            break;
        }
    }
    gi->MaxLeftCol = std::max(maxLeft, gi->LockedCols);
    if (gi->LeftCol < gi->LockedCols)
        gi->LeftCol = gi->LockedCols;
    else if (gi->LeftCol > gi->MaxLeftCol)
        gi->LeftCol = gi->MaxLeftCol;
}

// Whether a vertical scroll bar is needed changes with the maximum top row
// going between 0 and positive; the layout then shows or hides it.
void CUGCtrl::ComputeMaxTopRow()
{
    CUGGridInfo* gi = GridInfo;
    const int oldMax = gi->MaxTopRow;
    int room = gi->GridHeight - gi->LockedHeight;
    long maxTop = gi->LockedRows;
    for (long row = gi->RowCount; row >= 0; --row) {
        room -= HeightForWalk(row);
        if (room < 0) {
            maxTop = std::min<long>(row + 1, gi->RowCount - 1L);
            break;
        }
    }
    gi->MaxTopRow = static_cast<int>(std::max<long>(maxTop, gi->LockedRows));
    if (gi->TopRow < gi->LockedRows)
        gi->TopRow = gi->LockedRows;
    else if (gi->TopRow > gi->MaxTopRow)
        gi->TopRow = gi->MaxTopRow;
    if ((oldMax == 0) != (gi->MaxTopRow == 0))
        AdjustComponentSizes();
}

// --- Clamping ----------------------------------------------------------------------

int CUGCtrl::ClampTargetColumn(int& col)
{
    CUGGridInfo* gi = GridInfo;
    if (col >= gi->ColumnCount) {
        col = gi->ColumnCount - 1;
        if (gi->DragCol == col)
            return 1;
    }
    if (col < 0)
        col = 0;
    // A sheet without columns has no column to go to.
    if (col >= gi->ColumnCount)
        return 1;
    Span span{};
    if (JoinedSpan(*this, col, gi->DragRow, Axis::Columns, span))
        col = static_cast<int>(
            StepOverSpan(col, gi->DragCol, span, gi->ColumnCount, gi->MoveKind));
    return 0;
}

int CUGCtrl::ClampTargetRow(long& row)
{
    return ClampRow(*this, row, true);
}

int CUGCtrl::ClampLeftColumn(int& col)
{
    col = std::max(std::min(col, GridInfo->MaxLeftCol), GridInfo->LockedCols);
    return 0;
}

int CUGCtrl::ClampTopRow(long& row)
{
    row = std::max<long>(std::min<long>(row, GridInfo->MaxTopRow), GridInfo->LockedRows);
    return 0;
}

// --- Geometry ----------------------------------------------------------------------

// Heading indices answer the defaults; one past the end answers what
// GetColumnWidth and GetRowHeight give outside the grid (1 and 0), which
// the maximum left column and top row walks rely on.
int CUGCtrl::WidthForWalk(int col) const
{
    return col < 0 ? GridInfo->DefaultColWidth : GetColumnWidth(col);
}

int CUGCtrl::HeightForWalk(long row) const
{
    return row < 0 ? GridInfo->DefaultRowHeight : GetRowHeight(row);
}

int CUGCtrl::GetCellFromPoint(int x, int y, int& col, long& row)
{
    RECT rect;
    return GetCellFromPoint(x, y, col, row, rect);
}

int CUGCtrl::GetCellFromPoint(int x, int y, int& col, long& row, RECT& cellRect)
{
    CUGGridInfo* gi = GridInfo;
    if (x < 0 || x > gi->GridWidth || y < 0 || y > gi->GridHeight)
        return 1;

    // The locked columns come first on screen, then the columns from the left
    // column on; rows likewise.
    int foundCol = -1;
    int right = 0;
    for (int c = 0; c < gi->ColumnCount; ++c) {
        if (c >= gi->LockedCols && c < gi->LeftCol)
            c = gi->LeftCol;
        if (c >= gi->ColumnCount)
            break;
        const int width = GetColumnWidth(c);
        right += width;
        if (right > x) {
            foundCol = c;
            cellRect.left = right - width;
            cellRect.right = right;
            break;
        }
    }
    long foundRow = -1;
    int bottom = 0;
    for (long r = 0; r < gi->RowCount; ++r) {
        if (r >= gi->LockedRows && r < gi->TopRow)
            r = gi->TopRow;
        if (r >= gi->RowCount)
            break;
        const int height = GetRowHeight(r);
        bottom += height;
        if (bottom > y) {
            foundRow = r;
            cellRect.top = bottom - height;
            cellRect.bottom = bottom;
            break;
        }
    }
    if (foundCol < 0 || foundRow < 0)
        return 1;

    col = foundCol;
    row = foundRow;
    if (gi->JoinsEnabled) {
        int startCol = col;
        long startRow = row;
        if (GetJoinStart(startCol, startRow) == 0) {
            col = startCol;
            row = startRow;
            GetCellRect(col, row, cellRect);
        }
    }
    return 0;
}

int CUGCtrl::GetCellRect(int& col, long& row, RECT& rect)
{
    CUGGridInfo* gi = GridInfo;
    rect = RECT{0, 0, 0, 0};
    int endCol = col;
    long endRow = row;
    if (gi->JoinsEnabled) {
        int startCol = col;
        long startRow = row;
        if (GetJoinRange(startCol, startRow, endCol, endRow) == 0) {
            col = startCol;
            row = startRow;
        } else {
            endCol = col;
            endRow = row;
        }
    }

    // A cell scrolled off under the locked columns keeps its edges at the
    // locked boundary, so a joined block that is partly scrolled away
    // answers the part still shown.
    if (col >= gi->LockedCols)
        rect.left = rect.right = gi->LockedWidth;
    int sum = 0;
    for (int c = 0; c < gi->ColumnCount; ++c) {
        if (c >= gi->LockedCols && c < gi->LeftCol)
            c = gi->LeftCol;
        if (c >= gi->ColumnCount)
            break;
        if (c == col)
            rect.left = sum;
        sum += GetColumnWidth(c);
        if (c == endCol) {
            rect.right = sum;
            break;
        }
    }

    if (row >= gi->LockedRows)
        rect.top = rect.bottom = gi->LockedHeight;
    sum = 0;
    for (long r = 0; r < gi->RowCount; ++r) {
        if (r >= gi->LockedRows && r < gi->TopRow)
            r = gi->TopRow;
        if (r >= gi->RowCount)
            break;
        if (r == row)
            rect.top = sum;
        sum += GetRowHeight(r);
        if (r == endRow) {
            rect.bottom = sum;
            break;
        }
    }
    return 0;
}

// --- Joins -------------------------------------------------------------------------

int CUGCtrl::GetJoinStart(int& col, long& row)
{
    int endCol = 0;
    long endRow = 0;
    return GetJoinRange(col, row, endCol, endRow);
}

// A cell's join information says where its block's origin is, relative to
// the cell. Rows and columns inserted, deleted or moved through a block since
// it was joined leave cells whose origin no longer spans them, or no longer
// is an origin: such a cell is a cell of its own, since moving to that
// "origin" could leave the sheet.
int CUGCtrl::GetJoinRange(int& col, long& row, int& endCol, long& endRow)
{
    if (!GridInfo->JoinsEnabled)
        return 1;
    CUGCell cell;
    short origin = 0;
    int colOffset = 0;
    long rowOffset = 0;
    if (GetCellRaw(col, row, &cell) != 0 || cell.GetJoinInfo(&origin, &colOffset, &rowOffset) != 0)
        return 2;
    int startCol = col;
    long startRow = row;
    if (!origin) {
        startCol += colOffset;
        startRow += rowOffset;
        if (GetCellRaw(startCol, startRow, &cell) != 0
            || cell.GetJoinInfo(&origin, &colOffset, &rowOffset) != 0 || !origin)
            return 2;
    }
    if (col > startCol + colOffset || row > startRow + rowOffset || col < startCol
        || row < startRow)
        return 2;
    col = startCol;
    row = startRow;
    endCol = startCol + colOffset;
    endRow = startRow + rowOffset;
    return 0;
}

// --- Tracking window ---------------------------------------------------------------

// A null window ends the tracking, so that an owner can let go of a window
// before destroying it.
int CUGCtrl::SetTrackingWindow(CWnd* window)
{
    m_trackingWindow = window;
    if (!window)
        return 1;
    if (window->GetSafeHwnd())
        ::SetWindowPos(window->GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    return 0;
}

int CUGCtrl::SetTrackingWindowMode(int mode)
{
    GridInfo->TrackingWindowMode = mode;
    return 0;
}

// Keeps the tracking window off the drag cell. The overlap is tested in cell
// area coordinates, where the cell rectangle lives; the window is moved by
// the same offsets on the screen.
void CUGCtrl::KeepTrackingWindowClear()
{
    CUGGridInfo* gi = GridInfo;
    if (!m_trackingWindow || !m_trackingWindow->IsWindow() || !m_grid->GetSafeHwnd())
        return;

    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    RECT oldScreen;
    m_trackingWindow->GetWindowRect(&oldScreen);
    const int width = oldScreen.right - oldScreen.left;
    const int height = oldScreen.bottom - oldScreen.top;
    RECT window = oldScreen;
    m_grid->ScreenToClient(&window);
    int col = gi->DragCol;
    long row = gi->DragRow;
    RECT cell;
    GetCellRect(col, row, cell);

    RECT screen = oldScreen;
    bool move = false;
    if (gi->TrackingWindowMode == 1) {
        window = RECT{cell.right + 30, cell.top, cell.right + 30 + width, cell.top + height};
        screen = window;
        m_grid->ClientToScreen(&screen);
        move = true;
    }

    RECT overlap;
    if (::IntersectRect(&overlap, &window, &cell)) {
        const int right = cell.right - window.left + 5;
        const int down = cell.bottom - window.top + 5;
        const int left = cell.left - window.right - 5;
        const int up = cell.top - window.bottom - 5;
        if (screen.right + right < screenWidth) {
            ::OffsetRect(&screen, right, 0);
            move = true;
        } else if (screen.bottom + down < screenHeight) {
            ::OffsetRect(&screen, 0, down);
            move = true;
        } else if (screen.left + left > 0) {
            ::OffsetRect(&screen, left, 0);
            move = true;
        } else if (screen.bottom + up < screenHeight) {
            ::OffsetRect(&screen, 0, up);
            move = true;
        }
    }
    if (!move)
        return;

    NotifyTrackingWindowMoved(&oldScreen, &screen);
    RECT target = screen;
    if ((m_trackingWindow->GetStyle() & WS_CHILD) && m_trackingWindow->GetParent())
        m_trackingWindow->GetParent()->ScreenToClient(&target);
    m_trackingWindow->MoveWindow(&target, TRUE);
    m_trackingWindow->UpdateWindow();
    RedrawAll();
}
