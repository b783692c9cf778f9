// CUGLstBox: the open list of a drop-list cell.
//
//   Focus .............. OnSetFocus (takes the mouse), OnKillFocus (the
//                        window goes)
//   Mouse .............. OnLButtonDown (outside the list closes it),
//                        OnLButtonUp (chooses), OnMouseActivate
//   Keys ............... OnKeyDown (Enter chooses, Escape closes, the list
//                        box's own navigation), OnGetDlgCode
//   Choosing ........... ChooseCurrentItem -> DropListChosen -> SetCell
#include "CUGLstBox.h"

#include "CUGCell.h"
#include "CUGCtrl.h"
#include "CUGDropListType.h"
#include "CUGGrid.h"

// --- Focus -------------------------------------------------------------------------

// The list takes the mouse while it is open, so that the release of the
// press that opened it, and a press outside it, come here.
void CUGLstBox::OnSetFocus(CWnd* oldWnd)
{
    CListBox::OnSetFocus(oldWnd);
    ::ReleaseCapture();
    SetCapture();
    ListOpen = 1;
    Choosing = 0;
}

// The window exists only while the list is open; losing the focus closes it.
// Unless the list closed on purpose, the user clicked away, and the drop
// cell is marked so that the same press does not open the list again.
void CUGLstBox::OnKillFocus(CWnd* newWnd)
{
    if (GetCapture() == this)
        ::ReleaseCapture();
    CListBox::OnKillFocus(newWnd);
    DestroyWindow();
    ListOpen = 0;
    if (!Choosing && ColumnRef && RowRef) {
        *ColumnRef = -2;
        *RowRef = -2;
    }
    Choosing = 0;
    if (m_ctrl && m_ctrl->GetCellArea() && m_ctrl->GetCellArea()->GetSafeHwnd())
        m_ctrl->GetCellArea()->UpdateWindow();
}

void CUGLstBox::ReturnFocusToGrid()
{
    CUGGrid* cellArea = m_ctrl ? m_ctrl->GetCellArea() : nullptr;
    if (cellArea && cellArea->GetSafeHwnd())
        cellArea->SetFocus();
    else
        DestroyWindow();
}

// Escape, and Enter with nothing selected, close the list as losing the
// focus does: the drop cell is marked (-2), so the next press on a drop cell
// only ends that mark and the press after it opens a list again.
void CUGLstBox::CloseByKey()
{
    ListOpen = 0;
    ReturnFocusToGrid();
}

void CUGLstBox::CloseWithoutChoice()
{
    ListOpen = 0;
    if (ColumnRef && RowRef) {
        *ColumnRef = -1;
        *RowRef = -1;
    }
    Choosing = 1;
    ReturnFocusToGrid();
}

// --- Mouse -------------------------------------------------------------------------

void CUGLstBox::OnLButtonDown(UINT /*flags*/, CPoint point)
{
    RECT client;
    GetClientRect(&client);
    if (::PtInRect(&client, point)) {
        Default();
        return;
    }
    // With the mouse taken, a press on the list's own scroll bar arrives as
    // a press outside the items; it goes to the scroll bar as it would have
    // without the capture.
    POINT screen = point;
    ClientToScreen(&screen);
    RECT window;
    GetWindowRect(&window);
    if (::PtInRect(&window, screen)) {
        ::ReleaseCapture();
        const LPARAM at = MAKELPARAM(screen.x, screen.y);
        const LRESULT hit = SendMessage(WM_NCHITTEST, 0, at);
        SendMessage(WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit), at);
        return;
    }
    // Anywhere else the press only closes the list: the list box would
    // otherwise pick the item nearest to it.
    CloseWithoutChoice();
}

void CUGLstBox::OnLButtonUp(UINT /*flags*/, CPoint /*point*/)
{
    Default();
    if (GetCapture() == this)
        ::ReleaseCapture();
    if (GetCurSel() != LB_ERR)
        ChooseCurrentItem();
}

int CUGLstBox::OnMouseActivate(CWnd* /*topParent*/, UINT /*hitTest*/, UINT /*message*/)
{
    return MA_ACTIVATE;
}

// --- Keys --------------------------------------------------------------------------

void CUGLstBox::OnKeyDown(UINT ch, UINT repeatCount, UINT flags)
{
    switch (ch) {
    case VK_ESCAPE:
        CloseByKey();
        break;
    case VK_RETURN:
        if (GetCurSel() != LB_ERR)
            ChooseCurrentItem();
        else
            CloseByKey();
        break;
    case VK_END:
    case VK_NEXT:
        // With nothing selected, a list box answers any navigation key by
        // selecting the item under its caret, the first, so End and Page Down
        // would stop there. They go on from that item instead, as they do
        // once something is selected; the other keys' first press selects
        // the first item anyway.
        if (GetCurSel() == LB_ERR)
            SetCurSel(static_cast<int>(SendMessage(LB_GETCARETINDEX)));
        CListBox::OnKeyDown(ch, repeatCount, flags);
        break;
    default:
        CListBox::OnKeyDown(ch, repeatCount, flags);
        break;
    }
}

UINT CUGLstBox::OnGetDlgCode()
{
    return CListBox::OnGetDlgCode() | DLGC_WANTARROWS | DLGC_WANTALLKEYS;
}

// --- Choosing ----------------------------------------------------------------------

void CUGLstBox::ChooseCurrentItem()
{
    if (!m_ctrl || !ColumnRef || !RowRef)
        return;
    const int col = *ColumnRef;
    const long row = *RowRef;
    Choosing = 1;
    CString text;
    const int index = GetCurSel();
    if (index != LB_ERR)
        GetText(index, text);
    if (m_ctrl->NotifyCellTypeEvent(TypeIndex, col, row, CUGDropListType::DropListChosen,
                                    reinterpret_cast<LONG_PTR>(&text))) {
        CUGCell cell;
        m_ctrl->GetCellRaw(col, row, &cell);
        cell.SetText(text);
        m_ctrl->SetCell(col, row, &cell);
        m_ctrl->RedrawCell(col, row);
    }
    ListOpen = 0;
    *ColumnRef = -1;
    *RowRef = -1;
    ReturnFocusToGrid();
}
