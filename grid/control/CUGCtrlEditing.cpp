// CUGCtrl: the in-place edit of one cell.
//
//   Start .............. StartEdit, StartEditCurrent, and their steps:
//                        ClearSelectionForEdit, EditPlacement, UsableEditWindow
//   Finish ............. FinishEdit -> HideEditWindow -> store ->
//                        NextEditCell -> the continue questions -> StartEdit
//   Cancel ............. CancelEdit
//
// Call flow of an edit: the owner calls StartEdit (typically from
// NotifyCharacter or NotifyCellDoubleClick); the cell becomes current, the
// sheet's data source and then the owner may refuse or hand over another
// edit window, and the edit window is shown over the cell with the focus.
// The edit window asks AskEditKey itself for every typed character. When it
// loses the focus it calls FinishEdit with its text and whether the user
// cancelled or asked to go on (Tab, Enter, arrows); FinishEdit asks
// AskEditFinish, stores the text through SetCell (so NotifyCellStoring runs)
// and, to go on, asks AskEditContinue and starts the edit of the next cell.
// The edit-in-progress flag stays set from the start of one edit through
// the start of the next, so the commit of the move to the next cell does not
// touch the selection and the cell area ignores the mouse.
#include "CUGCtrl.h"

#include "CUGDataSource.h"
#include "CUGGrid.h"
#include "CUGSideHdg.h"
#include "CUGTopHdg.h"

namespace {

// The window of `wnd`, when it still has one.
bool HasLiveWindow(const CWnd* wnd)
{
    return wnd && wnd->GetSafeHwnd() && ::IsWindow(wnd->GetSafeHwnd());
}

// A data source allows only with exactly 1; anything else refuses.
bool SourceAllows(int answer)
{
    return answer == 1;
}

}  // namespace

// --- Start -----------------------------------------------------------------------

int CUGCtrl::StartEditCurrent()
{
    return StartEdit(GridInfo->CurrentCol, GridInfo->CurrentRow, 0);
}

int CUGCtrl::StartEdit(int col, long row, int key)
{
    // The corner has no cell to edit, nor has a heading beyond its own rows
    // or columns or beside the sheet's; and without its part windows the
    // control has nothing to put an edit window into.
    CUGGridInfo* gi = GridInfo;
    const bool columnHeading = row < 0 && row >= -gi->ColumnHeadingRows && col >= 0
                               && col < gi->ColumnCount;
    const bool rowHeading = col < 0 && col >= -gi->RowHeadingCols && row >= 0
                            && row < gi->RowCount;
    if (((row < 0 || col < 0) && !columnHeading && !rowHeading) || !m_partsCreated)
        return 1;

    // An owner that starts another edit while one is open gets the open one
    // finished first, as if the user had left it, so the typed text is kept.
    if (m_editInProgress && !m_editClosing) {
        CString text;
        if (HasLiveWindow(m_editWindow))
            m_editWindow->GetWindowText(text);
        if (!FinishEdit(text, 0, 0, m_editCol, m_editRow))
            return 1;
    }

    m_editInProgress = 1;
    ClearSelectionForEdit(col, row);

    // Heading cells are never current; their edit leaves the current cell
    // where it is. A data cell is edited where the move arrived: the move
    // keeps to the rows of the sheet and to the origin of a joined block.
    const bool dataCell = col >= 0 && row >= 0;
    if (dataCell && (col != gi->CurrentCol || row != gi->CurrentRow)) {
        if (GotoCell(col, row) != 0) {
            m_editInProgress = 0;
            return 2;
        }
        col = gi->CurrentCol;
        row = gi->CurrentRow;
    }

    m_editCol = col;
    m_editRow = row;
    m_editCell.ClearAll();
    GetCell(col, row, &m_editCell);

    CUGCellType* type = GetCellType(
        m_editCell.IsPropertySet(CUGCell::PropCellType) ? m_editCell.GetCellType() : -1);
    if (!type->UsesDefaultEdit()) {
        m_editInProgress = 0;
        return 1;
    }

    RECT rect{};
    m_editParent = EditPlacement(col, row, rect);
    rect.right -= 1;
    rect.bottom -= 1;
    type->GetEditArea(&rect);

    if (m_editCell.IsPropertySet(CUGCell::PropReadOnly) && m_editCell.GetReadOnly()) {
        m_editInProgress = 0;
        return 1;
    }

    const wchar_t* text = m_editCell.GetText();
    m_editWindow = UsableEditWindow(gi->EditWindow);
    m_editWindow->SetWindowText(text);

    CWnd* edit = m_editWindow;
    if (!SourceAllows(gi->DataSource->AskEditStart(col, row, &edit))
        || !AskEditStart(col, row, &edit)) {
        m_editInProgress = 0;
        return 1;
    }
    // An edit window that the source or the owner handed over may have
    // been destroyed since they made it; the sheet's own one edits then.
    if (HasLiveWindow(edit))
        m_editWindow = edit;

    m_editWindow->SetWindowText(text);
    CFont* font = m_editCell.IsPropertySet(CUGCell::PropFont) ? m_editCell.GetFont()
                                                              : gi->DefaultFont;
    if (font)
        m_editWindow->SetFont(font, TRUE);

    m_editWindow->SetParent(m_editParent);
    m_editWindow->SetWindowPos(nullptr, rect.left, rect.top, rect.right - rect.left,
                               rect.bottom - rect.top, 0);
    m_editWindow->ShowWindow(SW_SHOW);
    m_editWindow->SetFocus();

    if (key >= 1)
        m_editWindow->SendMessage(WM_CHAR, static_cast<WPARAM>(key), 1);
    return 0;
}

// An edit works on one cell: the selection goes, and whatever it covered is
// painted unselected (unless it was only the cell being edited, which the
// edit window covers anyway).
void CUGCtrl::ClearSelectionForEdit(int col, long row)
{
    CUGGridInfo* gi = GridInfo;
    int left = gi->CurrentCol;
    long top = gi->CurrentRow;
    int right = gi->CurrentCol;
    long bottom = gi->CurrentRow;
    CUGBlockSelection* selection = gi->MultiSelect.get();
    if (selection) {
        int l = 0, r = 0;
        long t = 0, b = 0;
        if (selection->GetTotalRange(&l, &t, &r, &b) == 0) {
            left = l;
            top = t;
            right = r;
            bottom = b;
        }
        selection->ClearAll();
    }
    gi->DragCol = gi->CurrentCol;
    gi->DragRow = gi->CurrentRow;
    const bool onlyThisCell = left == col && right == col && top == row && bottom == row;
    if (!onlyThisCell && left >= 0 && top >= 0)
        RedrawRange(left, top, right, bottom);
}

// Where the edit window of (col, row) goes: the rectangle in the returned
// host window's client coordinates.
CWnd* CUGCtrl::EditPlacement(int col, long row, RECT& rect)
{
    if (row < 0) {
        m_topHdg->GetHeadingCellRect(col, row, rect);
        return m_topHdg.get();
    }
    if (col < 0) {
        m_sideHdg->GetHeadingCellRect(col, row, rect);
        return m_sideHdg.get();
    }
    int blockCol = col;
    long blockRow = row;
    GetCellRect(blockCol, blockRow, rect);
    return m_grid.get();
}

CWnd* CUGCtrl::UsableEditWindow(CWnd* edit)
{
    return HasLiveWindow(edit) ? edit : &m_defaultEdit;
}

// --- Finish ----------------------------------------------------------------------

int CUGCtrl::FinishEdit(const wchar_t* text, int cancel, int continueEditing, int nextCol,
                        long nextRow)
{
    // Hiding the edit window takes the focus from it, and its focus loss
    // reports here again: that report is about this very finish.
    if (m_editClosing)
        return 1;
    CUGGridInfo* gi = GridInfo;
    const int wasEditing = m_editInProgress;
    const int cancelled = wasEditing ? cancel : 1;
    if (!text)
        text = L"";

    if (!SourceAllows(gi->DataSource->AskEditFinish(m_editCol, m_editRow, m_editWindow, text,
                                                    cancelled))
        || !AskEditFinish(m_editCol, m_editRow, m_editWindow, text, cancelled))
        return wasEditing ? 0 : 1;

    HideEditWindow();

    if (!cancelled) {
        CUGCell cell;
        GetCellRaw(m_editCol, m_editRow, &cell);
        cell.SetText(text);
        SetCell(m_editCol, m_editRow, &cell);
    }

    // Nothing was open to go on from.
    if (!wasEditing || !continueEditing || m_editParent != m_grid.get()) {
        m_editInProgress = 0;
        return 1;
    }

    NextEditCell(nextCol, nextRow);
    if (!SourceAllows(gi->DataSource->AskEditContinue(m_editCol, m_editRow, &nextCol, &nextRow))
        || !AskEditContinue(m_editCol, m_editRow, &nextCol, &nextRow)) {
        m_editInProgress = 0;
        return 1;
    }
    // The edit being finished is still the open one until the next starts;
    // StartEdit must not finish it a second time.
    const int closing = m_editClosing;
    m_editClosing = 1;
    StartEdit(nextCol, nextRow, 0);
    m_editClosing = closing;
    return 1;
}

// Moves the focus out of the edit window first, so that keys do not go to a
// hidden window when the edit was ended by a call rather than by the user
// leaving it.
void CUGCtrl::HideEditWindow()
{
    const int closing = m_editClosing;
    m_editClosing = 1;
    if (HasLiveWindow(m_editWindow)) {
        if (::GetFocus() == m_editWindow->GetSafeHwnd() && m_grid->GetSafeHwnd())
            m_grid->SetFocus();
        m_editWindow->ShowWindow(SW_HIDE);
    }
    m_editClosing = closing;
}

// The cell the edit goes on in. A joined block is one cell for editing:
// going on from its origin skips the rest of it, and arriving inside a block
// edits the block's origin. Past an edge the edit wraps to the other edge of
// the same row or column.
void CUGCtrl::NextEditCell(int& nextCol, long& nextRow)
{
    CUGGridInfo* gi = GridInfo;
    const bool inside = nextCol >= 0 && nextCol < gi->ColumnCount && nextRow >= 0
                        && nextRow < gi->RowCount;
    int originCol = nextCol;
    long originRow = nextRow;
    int endCol = 0;
    long endRow = 0;
    if (inside && GetJoinRange(originCol, originRow, endCol, endRow) == 0) {
        if (m_editCol == originCol && nextCol > originCol && nextCol <= endCol)
            nextCol += endCol - originCol;
        else if (nextCol != originCol)
            nextCol = originCol;
        if (m_editRow != originRow && nextRow != originRow)
            nextRow = originRow;
        else if (nextRow > originRow && nextRow <= endRow)
            nextRow += endRow - originRow;
    }

    if (nextCol < 0)
        nextCol = gi->ColumnCount - 1;
    else if (nextCol >= gi->ColumnCount)
        nextCol = 0;
    if (nextRow < 0)
        nextRow = gi->RowCount - 1;
    else if (nextRow >= gi->RowCount)
        nextRow = 0;
}

// --- Cancel ----------------------------------------------------------------------

int CUGCtrl::CancelEdit()
{
    if (!m_editInProgress)
        return 0;
    m_editInProgress = 0;
    HideEditWindow();
    return 0;
}
