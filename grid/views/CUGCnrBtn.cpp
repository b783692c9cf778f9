#include "CUGCnrBtn.h"

#include "CDC.h"
#include "CPaintDC.h"
#include "CUGCtrl.h"
#include "CUGGridInfo.h"

#include <algorithm>

void CUGCnrBtn::RedrawAll()
{
    if (!GetSafeHwnd())
        return;
    Invalidate(TRUE);
    UpdateWindow();
}

// The corner is cell (-1, -1), drawn by its cell type like any heading.
void CUGCnrBtn::OnPaint()
{
    CPaintDC dc(this);
    // The corner reports itself as part of the column heading.
    m_ctrl->NotifyPaintSetup(&dc, nullptr, CUGCtrl::SectionColumnHeading);
    dc.SetBkColor(GetSysColor(COLOR_BTNFACE));
    m_ctrl->GetCell(-1, -1, &m_cell);
    CUGCellType* type = m_ctrl->GetCellType(m_cell.GetCellType());
    if (m_GI->DefaultFont)
        dc.SelectObject(m_GI->DefaultFont);
    RECT client;
    GetClientRect(&client);
    type->OnDraw(&dc, &client, -1, -1, &m_cell, 0, 0);
}

// --- Mouse: the corner sizes the whole heading height and width -------------------

void CUGCnrBtn::OnMouseMove(UINT flags, CPoint point)
{
    if (m_sizingActive) {
        if (m_sizingHeight) {
            int height = std::max<int>(point.y, 0);
            m_ctrl->NotifyColumnHeadingResizing(&height);
            m_ctrl->SetColumnHeadingHeight(height);
        }
        if (m_sizingWidth) {
            int width = std::max<int>(point.x, 0);
            m_ctrl->NotifyRowHeadingResizing(&width);
            m_ctrl->SetRowHeadingWidth(width);
        }
        m_ctrl->AdjustComponentSizes();
        return;
    }
    if ((flags & (MK_LBUTTON | MK_RBUTTON)) || m_GI->UserSizingMode < 1)
        return;
    m_atEdge = m_sizingHeight = m_sizingWidth = 0;
    RECT client;
    GetClientRect(&client);
    if (point.x > client.right - 4 && m_ctrl->AskResizeRowHeading()) {
        m_atEdge = m_sizingWidth = 1;
        SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
    } else if (point.y > client.bottom - 4 && m_ctrl->AskResizeColumnHeading()) {
        m_atEdge = m_sizingHeight = 1;
        SetCursor(LoadCursorW(nullptr, IDC_SIZENS));
    }
}

void CUGCnrBtn::OnLButtonDown(UINT /*flags*/, CPoint point)
{
    if (m_atEdge) {
        m_sizingActive = 1;
        SetCapture();
        return;
    }
    m_ctrl->NotifyCornerLeftButton(1, &m_GI->CornerButtonRect, &point, 0);
}

void CUGCnrBtn::OnLButtonUp(UINT /*flags*/, CPoint point)
{
    if (m_sizingActive) {
        m_sizingActive = 0;
        ::ReleaseCapture();
    }
    m_ctrl->NotifyCornerLeftButton(0, &m_GI->CornerButtonRect, &point, 0);
}

void CUGCnrBtn::OnLButtonDblClk(UINT /*flags*/, CPoint point)
{
    m_ctrl->NotifyCornerDoubleClick(&m_GI->CornerButtonRect, &point, 0);
}

void CUGCnrBtn::OnRButtonDown(UINT /*flags*/, CPoint point)
{
    m_ctrl->NotifyCornerRightButton(1, &m_GI->CornerButtonRect, &point, 0);
    if (m_GI->PopupMenuEnabled) {
        POINT screen = point;
        ClientToScreen(&screen);
        m_ctrl->ShowPopupMenu(-1, -1, &screen, CUGCtrl::SectionCorner);
    }
}

void CUGCnrBtn::OnRButtonUp(UINT /*flags*/, CPoint point)
{
    m_ctrl->NotifyCornerRightButton(0, &m_GI->CornerButtonRect, &point, 0);
}

BOOL CUGCnrBtn::OnSetCursor(CWnd* /*wnd*/, UINT /*hitTest*/, UINT /*message*/)
{
    if (m_atEdge && m_sizingWidth && m_sizingHeight)
        SetCursor(LoadCursorW(nullptr, IDC_SIZENWSE));
    else if (m_atEdge && m_sizingWidth)
        SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
    else if (m_atEdge && m_sizingHeight)
        SetCursor(LoadCursorW(nullptr, IDC_SIZENS));
    else
        SetCursor(m_GI->ArrowCursor);
    return TRUE;
}
