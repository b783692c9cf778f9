// CUGEdit: the growing in-place edit window.
//
//   Focus .............. OnSetFocus (fresh flags, all text selected),
//                        OnKillFocus (-> CUGCtrl::FinishEdit)
//   Keys ............... OnKeyDown (the keys that end the edit), OnChar
//                        (AskEditKey), OnGetDlgCode
//   Growing ............ OnUpdate -> AutoSizeToText
//   Mouse .............. OnMouseActivate, OnSetCursor
#include "CUGEdit.h"

#include "CClientDC.h"
#include "CDC.h"
#include "CFont.h"
#include "CUGCtrl.h"
#include "CUGGridInfo.h"
#include "InPlaceEdit.h"

#include <algorithm>

namespace {

// Room kept after the text, so that the window grows a little before the
// caret reaches its edge rather than after.
constexpr wchar_t kGrowthMargin[] = L" X X";

int WindowHeight(const CWnd& wnd)
{
    RECT rect;
    wnd.GetWindowRect(&rect);
    return rect.bottom - rect.top;
}

}  // namespace

int CUGEdit::SetAutoSize(int flag)
{
    const int previous = AutoSize;
    AutoSize = flag != 0;
    return previous;
}

// --- Focus -----------------------------------------------------------------------

void CUGEdit::OnSetFocus(CWnd* oldWnd)
{
    InitialHeight = CurrentHeight = WindowHeight(*this);
    AutoSizeToText();
    CancelFlag = 0;
    ContinueFlag = 0;
    SetSel(0, -1);
    LastKey = 0;
    CEdit::OnSetFocus(oldWnd);
}

void CUGEdit::OnKillFocus(CWnd* newWnd)
{
    CEdit::OnKillFocus(newWnd);
    if (!m_ctrl || !m_ctrl->IsEditInProgress())
        return;
    if (m_ctrl->GridInfo && m_ctrl->GridInfo->CancelEditOnFocusLoss
        && !InPlaceEdit::IsGridWindow(m_ctrl, newWnd))
        CancelFlag = 1;
    InPlaceEdit::ReportFocusLoss(*this, m_ctrl, CancelFlag, ContinueFlag, NextCol, NextRow);
}

// --- Keys ------------------------------------------------------------------------

void CUGEdit::ContinueIn(int col, long row)
{
    NextCol = col;
    NextRow = static_cast<int>(row);
    ContinueFlag = 1;
    m_ctrl->SetFocus();
}

void CUGEdit::OnKeyDown(UINT ch, UINT repeatCount, UINT flags)
{
    LastKey = static_cast<int>(ch);
    if (!m_ctrl) {
        CEdit::OnKeyDown(ch, repeatCount, flags);
        return;
    }
    const int col = m_ctrl->GetEditCol();
    const long row = m_ctrl->GetEditRow();
    const bool oneLine = CurrentHeight == InitialHeight;
    switch (ch) {
    case VK_TAB:
        ContinueIn(::GetKeyState(VK_SHIFT) < 0 ? col - 1 : col + 1, row);
        break;
    case VK_RETURN:
        ContinueIn(col, row + 1);
        break;
    case VK_ESCAPE:
        CancelFlag = 1;
        ContinueFlag = 0;
        m_ctrl->SetFocus();
        break;
    case VK_UP:
    case VK_DOWN:
        if (oneLine)
            ContinueIn(col, ch == VK_UP ? row - 1 : row + 1);
        else
            CEdit::OnKeyDown(ch, repeatCount, flags);
        break;
    default:
        CEdit::OnKeyDown(ch, repeatCount, flags);
        break;
    }
}

void CUGEdit::OnChar(UINT ch, UINT repeatCount, UINT flags)
{
    UINT character = ch;
    if (!InPlaceEdit::OfferCharacter(*this, m_ctrl, true, character))
        return;
    DefWindowProc(WM_CHAR, character, MAKELPARAM(repeatCount, flags));
}

UINT CUGEdit::OnGetDlgCode()
{
    return InPlaceEdit::DialogCode(CEdit::OnGetDlgCode());
}

// --- Growing ---------------------------------------------------------------------

BOOL CUGEdit::OnUpdate()
{
    AutoSizeToText();
    return FALSE;
}

// The window grows to the right first, to the end of the cell that the text
// reaches; once the text wraps it takes the host's whole width and grows
// down, again to whole cells. It never shrinks during one edit and never
// leaves the host's client area.
void CUGEdit::AutoSizeToText()
{
    if (!AutoSize || !m_ctrl || !GetSafeHwnd())
        return;
    CWnd* host = m_ctrl->GetEditParent();
    if (!host || !host->GetSafeHwnd())
        return;

    CString text;
    GetWindowText(text);
    text += kGrowthMargin;

    RECT w;
    GetWindowRect(&w);
    host->ScreenToClient(&w);
    RECT c;
    host->GetClientRect(&c);

    RECT r = w;
    r.right = c.right;
    r.left += 2;
    {
        CClientDC dc(this);
        CFont* font = GetFont();
        CFont* previous = font && font->m_hObject ? dc.SelectObject(font) : nullptr;
        dc.DrawText(text, &r, DT_CALCRECT | DT_WORDBREAK);
        if (previous)
            dc.SelectObject(previous);
    }
    r.left -= 2;

    if (r.bottom >= c.bottom)
        r.bottom = c.bottom - 1;
    int col = 0;
    long row = 0;
    RECT cell{};
    if (r.right > w.right) {
        if (m_ctrl->GetCellFromPoint(r.right + 1, r.top + 1, col, row, cell) == 0)
            r.right = std::min(cell.right, c.right) - 1;
        else
            r.right = c.right - 1;
    }
    if (r.bottom > w.bottom) {
        r.right = c.right;
        if (m_ctrl->GetCellFromPoint(r.left + 1, r.bottom + 1, col, row, cell) == 0)
            r.bottom = cell.bottom - 1;
        else
            r.bottom = c.bottom - 1;
    }
    if (r.bottom >= c.bottom)
        r.bottom = c.bottom - 1;
    r.bottom = std::max(r.bottom, w.bottom);
    r.right = std::max(r.right, w.right);

    if (r.right == w.right && r.bottom == w.bottom)
        return;
    MoveWindow(&r, TRUE);
    // The host would otherwise paint its cells over the grown window.
    host->ValidateRect(&r);
    CurrentHeight = r.bottom - r.top;
}

// --- Mouse -----------------------------------------------------------------------

int CUGEdit::OnMouseActivate(CWnd* /*topParent*/, UINT /*hitTest*/, UINT /*message*/)
{
    return MA_ACTIVATE;
}

BOOL CUGEdit::OnSetCursor(CWnd* /*wnd*/, UINT /*hitTest*/, UINT /*message*/)
{
    ::SetCursor(::LoadCursorW(nullptr, IDC_IBEAM));
    return TRUE;
}
