// CUGTopHdg: the column headings.
//
//   Geometry ...... GetHeadingCellRect, HitTestHeading, GetHeadingRowHeight
//   Painting ...... OnPaint -> DrawHeadings; Update, RepaintNow
//
// Columns are walked in display order: the locked columns first, then the
// scrolled ones from the left column on, as the cell area shows them.
#include "CUGTopHdg.h"

#include "CBrush.h"
#include "CDC.h"
#include "CPaintDC.h"
#include "CUGCtrl.h"
#include "CUGGrid.h"
#include "CUGGridInfo.h"
#include "CellDCState.h"

#include <algorithm>

BOOL CUGTopHdg::Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                       CWnd* parent, UINT id)
{
    return CWnd::Create(className, windowName, style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect,
                        parent, id);
}

// --- Geometry -------------------------------------------------------------------

int CUGTopHdg::GetHeadingRowHeight(long row) const
{
    const long k = -row;
    if (k < 1 || k > m_GI->ColumnHeadingRows)
        return 0;
    return m_GI->ColumnHeadingRowHeights[k - 1];
}

void CUGTopHdg::GetHeadingCellRect(int col, long row, RECT& rect)
{
    int endCol = col;
    long endRow = row;
    if (m_GI->JoinsEnabled) {
        int startCol = col;
        long startRow = row;
        if (m_ctrl->GetJoinRange(startCol, startRow, endCol, endRow) == 0) {
            col = startCol;
            row = startRow;
        }
    }

    // An unlocked column is found by walking the scrolled columns from the
    // locked boundary on; the locked ones would only add their width again.
    rect = {0, 0, 0, m_GI->ColumnHeadingHeight};
    int x = 0;
    int first = 0;
    if (col >= m_GI->LockedCols) {
        x = m_GI->LockedWidth;
        first = std::max(m_GI->LockedCols, m_GI->LeftCol);
        rect.left = rect.right = x;
    }
    for (int c = first; c < m_GI->ColumnCount; ++c) {
        if (c == m_GI->LockedCols && c < m_GI->LeftCol)
            c = m_GI->LeftCol;
        if (c == col)
            rect.left = x;
        x += m_ctrl->GetColumnWidth(c);
        if (c == endCol) {
            rect.right = x;
            break;
        }
    }

    int y = 0;
    for (long r = -m_GI->ColumnHeadingRows; r <= -1; ++r) {
        if (r == row)
            rect.top = y;
        y += GetHeadingRowHeight(r);
        if (r == endRow) {
            rect.bottom = y;
            break;
        }
    }
}

int CUGTopHdg::HitTestHeading(POINT point, int& col, long& row, RECT& rect)
{
    col = -1;
    row = -1;
    int foundCol = -1;
    int x = 0;
    for (int c = 0; c < m_GI->ColumnCount; ++c) {
        if (c == m_GI->LockedCols && c < m_GI->LeftCol)
            c = m_GI->LeftCol;
        const int width = m_ctrl->GetColumnWidth(c);
        if (x + width > point.x) {
            foundCol = c;
            rect.left = x;
            rect.right = x + width;
            break;
        }
        x += width;
    }
    long foundRow = 0;
    int y = 0;
    for (long r = -m_GI->ColumnHeadingRows; r <= -1; ++r) {
        const int height = GetHeadingRowHeight(r);
        if (y + height > point.y) {
            foundRow = r;
            rect.top = y;
            rect.bottom = y + height;
            break;
        }
        y += height;
    }
    if (foundCol < 0 || foundRow == 0)
        return 1;
    col = foundCol;
    row = foundRow;
    return 0;
}

// --- Painting -------------------------------------------------------------------

void CUGTopHdg::Update()
{
    if (m_GI->LeftCol != m_GI->PreviousLeftCol && GetSafeHwnd()) {
        Invalidate(TRUE);
        UpdateWindow();
    }
}

void CUGTopHdg::RepaintNow()
{
    int others = 0;
    for (long r = -1; r > -m_GI->ColumnHeadingRows; --r)
        others += GetHeadingRowHeight(r);
    m_ctrl->SetColumnHeadingRowHeight(-m_GI->ColumnHeadingRows,
                                      std::max(m_GI->ColumnHeadingHeight - others, 0));
    Invalidate(TRUE);
    UpdateWindow();
}

void CUGTopHdg::OnPaint()
{
    CPaintDC dc(this);
    m_redrawList.AddRange(0, -m_GI->ColumnHeadingRows, m_GI->ColumnCount, 0);
    DrawHeadings(&dc);
    m_redrawList.Clear();
}

void CUGTopHdg::DrawHeadings(CDC* dc)
{
    m_ctrl->NotifyPaintSetup(dc, nullptr, CUGCtrl::SectionColumnHeading);
    if (m_GI->DefaultFont)
        dc->SelectObject(m_GI->DefaultFont);

    CellDCState dcState(dc);
    int furthestRight = 0;
    for (long row = -m_GI->ColumnHeadingRows; row <= -1; ++row) {
        for (int c = 0; c < m_GI->ColumnCount; ++c) {
            if (c == m_GI->LockedCols && c < m_GI->LeftCol)
                c = m_GI->LeftCol;
            if (!m_redrawList.Contains(c, row))
                continue;
            int col = c;
            long cellRow = row;
            RECT rect;
            GetHeadingCellRect(col, cellRow, rect);
            m_ctrl->GetCell(col, cellRow, &m_cell);
            if (m_GI->JoinsEnabled && m_cell.IsPropertySet(CUGCell::PropJoinInfo)
                && m_ctrl->GetJoinStart(col, cellRow) == 0) {
                if (m_redrawList.WasJoinDrawn(col, cellRow))
                    continue;
                m_redrawList.MarkJoinDrawn(col, cellRow);
                GetHeadingCellRect(col, cellRow, rect);
                m_ctrl->GetCell(col, cellRow, &m_cell);
            }
            furthestRight = std::max<int>(furthestRight, rect.right);
            if (rect.right > rect.left && rect.bottom > rect.top) {
                const int selected = (col == m_pickedCol && m_dropPosition >= 0) ? 1 : 0;
                m_ctrl->GetCellType(m_cell.GetCellType())
                    ->OnDraw(dc, &rect, col, cellRow, &m_cell, selected, 0);
                dcState.Restore();
            }
            if (rect.right > m_GI->GridWidth)
                break;
        }
    }

    if (furthestRight < m_GI->GridWidth) {
        const RECT rest{furthestRight, 0, m_GI->GridWidth, m_GI->ColumnHeadingHeight};
        CBrush brush(m_GI->HeadingDefaultCell.GetBackColor());
        dc->FillRect(&rest, &brush);
    }
}

// --- Mouse ----------------------------------------------------------------------

namespace {

constexpr int kEdgeDistance = 3;

enum EdgeKind { ColumnEdge = 0, HeadingRowEdge = 1 };

bool NearEdge(int position, int edge)
{
    return position > edge - kEdgeDistance && position < edge + kEdgeDistance;
}

}  // namespace

void CUGTopHdg::DetectEdge(CPoint point)
{
    CUGGridInfo* gi = m_GI;
    const int wasAtEdge = m_atEdge;
    m_atEdge = 0;

    int x = 0;
    for (int c = 0; c < gi->ColumnCount && x <= gi->GridWidth; ++c) {
        if (c == gi->LockedCols && c < gi->LeftCol)
            c = gi->LeftCol;
        x += m_ctrl->GetColumnWidth(c);
        if (!NearEdge(point.x, x))
            continue;
        // A hidden column right of the edge is the one pulled open.
        int col = c;
        if (c + 1 < gi->ColumnCount && m_ctrl->GetColumnWidth(c + 1) == 0)
            col = c + 1;
        if (!m_ctrl->AskResizeColumn(col))
            break;
        m_atEdge = 1;
        m_edgeKind = ColumnEdge;
        m_edgeIndex = col;
        m_startSize = m_ctrl->GetColumnWidth(col);
        m_startPosition = point.x;
        SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
        return;
    }

    int y = gi->ColumnHeadingHeight;
    for (int k = 0; k < gi->ColumnHeadingRows; ++k) {
        if (NearEdge(point.y, y)) {
            if (!m_ctrl->AskResizeColumnHeading())
                break;
            m_atEdge = 1;
            m_edgeKind = HeadingRowEdge;
            m_edgeIndex = k;
            m_startSize = GetHeadingRowHeight(-(k + 1));
            m_startPosition = point.y;
            m_startTotal = gi->ColumnHeadingHeight;
            SetCursor(LoadCursorW(nullptr, IDC_SIZENS));
            return;
        }
        y -= GetHeadingRowHeight(-(k + 1));
    }
    if (wasAtEdge)
        SetCursor(gi->ArrowCursor);
}

void CUGTopHdg::MoveTrackingLine(const RECT& rect)
{
    CUGGrid* cellArea = m_ctrl->GetCellArea();
    if (m_trackingRect.left != -1)
        cellArea->InvertTrackingRect(m_trackingRect);
    cellArea->InvertTrackingRect(rect);
    m_trackingRect = rect;
}

void CUGTopHdg::EraseTrackingLine()
{
    if (m_trackingRect.left == -1)
        return;
    m_ctrl->GetCellArea()->InvertTrackingRect(m_trackingRect);
    m_trackingRect = {-1, 0, -1, 0};
}

void CUGTopHdg::DragSizing(CPoint point)
{
    CUGGridInfo* gi = m_GI;
    if (m_edgeKind == ColumnEdge) {
        const int x = std::max<int>(point.x, m_startPosition - m_startSize);
        int width = m_startSize + (x - m_startPosition);
        m_ctrl->NotifyColumnResizing(m_edgeIndex, &width);
        m_ctrl->SetColumnWidth(m_edgeIndex, width);
        if (gi->UserSizingMode > 1) {
            m_ctrl->RedrawAll();
        } else {
            RepaintNow();
            MoveTrackingLine(RECT{x - 1, 0, x + 1, gi->GridHeight});
        }
        return;
    }
    const int delta = point.y - m_startPosition;
    gi->ColumnHeadingRowHeights[m_edgeIndex] = std::max(m_startSize + delta, 0);
    int total = std::max(m_startTotal + delta, 0);
    m_ctrl->NotifyColumnHeadingResizing(&total);
    gi->ColumnHeadingHeight = total;
    m_ctrl->AdjustComponentSizes();
}

void CUGTopHdg::EndSizing()
{
    CUGGridInfo* gi = m_GI;
    if (m_edgeKind == ColumnEdge) {
        int width = m_ctrl->GetColumnWidth(m_edgeIndex);
        m_ctrl->NotifyColumnResized(m_edgeIndex, &width);
        if (width != m_ctrl->GetColumnWidth(m_edgeIndex))
            m_ctrl->SetColumnWidth(m_edgeIndex, width);
    } else {
        m_ctrl->NotifyColumnHeadingResized(&gi->ColumnHeadingHeight);
    }
    EraseTrackingLine();
    m_ctrl->GetCellArea()->Invalidate(TRUE);
    m_ctrl->AdjustComponentSizes();
    m_sizingActive = 0;
    m_trackingRect = {-1, 0, -1, 0};
    ::ReleaseCapture();
}

void CUGTopHdg::DragColumnMove(CPoint point)
{
    CUGGridInfo* gi = m_GI;
    if (point.x < 0 || point.x > gi->GridWidth) {
        // Beyond either end the columns scroll under the held heading until
        // the pointer moves again or the button is released.
        EraseTrackingLine();
        for (;;) {
            m_ctrl->MoveLeftColumn(point.x > gi->GridWidth ? CUGCtrl::StepForward
                                                           : CUGCtrl::StepBack);
            MSG msg;
            bool leave = false;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
                if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
                    leave = true;
                    break;
                }
                if (!GetMessageW(&msg, nullptr, 0, 0))
                    return;
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            if (leave || GetCapture() != this)
                return;
        }
    }

    int col = -1;
    long row = -1;
    RECT rect{};
    if (HitTestHeading(point, col, row, rect) != 0)
        return;
    if (col == m_pickedCol && m_dropPosition < 0)
        return;
    int target = col;
    int lineX = rect.left;
    if (point.x - rect.left > (rect.right - rect.left) / 2) {
        target = col + 1;
        lineX = rect.right;
    }
    target = std::min(target, gi->ColumnCount);
    if (m_dropPosition < 0) {
        m_dropPosition = target;
        RepaintNow();
    }
    m_dropPosition = target;
    MoveTrackingLine(RECT{lineX, 0, lineX + 2, gi->GridHeight});
}

void CUGTopHdg::OnMouseMove(UINT flags, CPoint point)
{
    if (m_sizingActive) {
        DragSizing(point);
        return;
    }
    if (m_pickedCol >= 0 && (flags & MK_LBUTTON)) {
        if (m_GI->ColumnMoveEnabled)
            DragColumnMove(point);
        return;
    }
    if (!(flags & (MK_LBUTTON | MK_RBUTTON)) && m_GI->UserSizingMode >= 1)
        DetectEdge(point);
}

void CUGTopHdg::OnLButtonDown(UINT /*flags*/, CPoint point)
{
    m_ctrl->FocusCellArea();
    SetCapture();
    if (m_atEdge) {
        m_sizingActive = 1;
        return;
    }
    int col = -1;
    long row = -1;
    RECT rect{};
    if (HitTestHeading(point, col, row, rect) != 0)
        return;
    if (m_GI->ColumnMoveEnabled && m_ctrl->AskColumnDragStart(col))
        m_pickedCol = col;
    const int handled =
        m_ctrl->GetCellTypeOf(col, row)->OnLeftClick(col, row, 1, &rect, &point);
    m_ctrl->NotifyColumnHeadingLeftButton(col, row, 1, &rect, &point, handled);
}

void CUGTopHdg::OnLButtonUp(UINT /*flags*/, CPoint point)
{
    if (m_sizingActive) {
        EndSizing();
        return;
    }
    if (m_pickedCol >= 0) {
        const int picked = m_pickedCol;
        const int drop = m_dropPosition;
        EraseTrackingLine();
        if (drop >= 0) {
            const int to = picked < drop ? drop - 1 : drop;
            if (m_ctrl->AskColumnMove(picked, to))
                m_ctrl->MoveColumn(picked, drop, 1);
            m_dropPosition = -1;
            m_ctrl->RedrawAll();
        }
    }
    m_pickedCol = -1;
    m_dropPosition = -1;
    m_trackingRect = {-1, 0, -1, 0};
    ::ReleaseCapture();

    int col = -1;
    long row = -1;
    RECT rect{};
    if (HitTestHeading(point, col, row, rect) != 0)
        return;
    const int handled =
        m_ctrl->GetCellTypeOf(col, row)->OnLeftClick(col, row, 0, &rect, &point);
    m_ctrl->NotifyColumnHeadingLeftButton(col, row, 0, &rect, &point, handled);
}

void CUGTopHdg::OnLButtonDblClk(UINT /*flags*/, CPoint point)
{
    if (m_atEdge && m_edgeKind == ColumnEdge && m_GI->BestFitOnDoubleClick) {
        m_ctrl->BestFitColumns(m_edgeIndex, m_edgeIndex, 20, 1);
        DetectEdge(point);
        return;
    }
    int col = -1;
    long row = -1;
    RECT rect{};
    if (HitTestHeading(point, col, row, rect) != 0)
        return;
    const int handled = m_ctrl->GetCellTypeOf(col, row)->OnDoubleClick(col, row, &rect, &point);
    m_ctrl->NotifyColumnHeadingDoubleClick(col, row, &rect, &point, handled);
}

void CUGTopHdg::OnRButtonDown(UINT /*flags*/, CPoint point)
{
    m_ctrl->FocusCellArea();
    int col = -1;
    long row = -1;
    RECT rect{};
    if (HitTestHeading(point, col, row, rect) == 0) {
        const int handled =
            m_ctrl->GetCellTypeOf(col, row)->OnRightClick(col, row, 1, &rect, &point);
        m_ctrl->NotifyColumnHeadingRightButton(col, row, 1, &rect, &point, handled);
    }
    if (m_GI->PopupMenuEnabled) {
        POINT screen = point;
        ClientToScreen(&screen);
        m_ctrl->ShowPopupMenu(col, row, &screen, CUGCtrl::SectionColumnHeading);
    }
}

void CUGTopHdg::OnRButtonUp(UINT /*flags*/, CPoint point)
{
    int col = -1;
    long row = -1;
    RECT rect{};
    if (HitTestHeading(point, col, row, rect) != 0)
        return;
    const int handled =
        m_ctrl->GetCellTypeOf(col, row)->OnRightClick(col, row, 0, &rect, &point);
    m_ctrl->NotifyColumnHeadingRightButton(col, row, 0, &rect, &point, handled);
}

BOOL CUGTopHdg::OnSetCursor(CWnd* /*wnd*/, UINT /*hitTest*/, UINT /*message*/)
{
    if (m_atEdge)
        SetCursor(LoadCursorW(nullptr, m_edgeKind == ColumnEdge ? IDC_SIZEWE : IDC_SIZENS));
    else
        SetCursor(m_GI->ArrowCursor);
    return TRUE;
}
