// CUGSideHdg: the row headings.
//
//   Geometry ...... GetHeadingCellRect, HitTestHeading, GetHeadingColumnWidth
//   Painting ...... OnPaint -> DrawHeadings; Update (follows the top row with
//                   ScrollDC), RepaintNow
//
// Rows are walked in display order: the locked rows first, then the scrolled
// ones from the top row on.
#include "CUGSideHdg.h"

#include "CBrush.h"
#include "CClientDC.h"
#include "CDC.h"
#include "CPaintDC.h"
#include "CUGCtrl.h"
#include "CUGGrid.h"
#include "CUGGridInfo.h"
#include "CellDCState.h"

#include <algorithm>
#include <cstdlib>

// --- Geometry -------------------------------------------------------------------

int CUGSideHdg::GetHeadingColumnWidth(int col) const
{
    const int k = -col;
    if (k < 1 || k > m_GI->RowHeadingCols)
        return 0;
    return m_GI->RowHeadingColWidths[k - 1];
}

void CUGSideHdg::GetHeadingCellRect(int col, long row, RECT& rect)
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

    // An unlocked row is found by walking the scrolled rows from the locked
    // boundary on; the locked ones would only add their height again.
    rect = {0, 0, m_GI->RowHeadingWidth, 0};
    int y = 0;
    long first = 0;
    if (row >= m_GI->LockedRows) {
        y = m_GI->LockedHeight;
        first = std::max<long>(m_GI->LockedRows, m_GI->TopRow);
        rect.top = rect.bottom = y;
    }
    for (long r = first; r < m_GI->RowCount; ++r) {
        if (r == m_GI->LockedRows && r < m_GI->TopRow)
            r = m_GI->TopRow;
        if (r == row)
            rect.top = y;
        y += m_ctrl->GetRowHeight(r);
        if (r == endRow) {
            rect.bottom = y;
            break;
        }
        if (y > m_GI->GridHeight && r > row)
            break;
    }

    int x = 0;
    for (int c = -m_GI->RowHeadingCols; c <= -1; ++c) {
        if (c == col)
            rect.left = x;
        x += GetHeadingColumnWidth(c);
        if (c == endCol) {
            rect.right = x;
            break;
        }
    }
}

int CUGSideHdg::HitTestHeading(POINT point, int& col, long& row, RECT& rect)
{
    col = -1;
    row = -1;
    long foundRow = -1;
    int y = 0;
    for (long r = 0; r < m_GI->RowCount; ++r) {
        if (r == m_GI->LockedRows && r < m_GI->TopRow)
            r = m_GI->TopRow;
        const int height = m_ctrl->GetRowHeight(r);
        if (y + height > point.y) {
            foundRow = r;
            rect.top = y;
            rect.bottom = y + height;
            break;
        }
        y += height;
        if (y > m_GI->GridHeight)
            break;
    }
    int foundCol = 0;
    int x = 0;
    for (int c = -m_GI->RowHeadingCols; c <= -1; ++c) {
        const int width = GetHeadingColumnWidth(c);
        if (x + width > point.x) {
            foundCol = c;
            rect.left = x;
            rect.right = x + width;
            break;
        }
        x += width;
    }
    if (foundRow < 0 || foundCol == 0)
        return 1;
    col = foundCol;
    row = foundRow;
    return 0;
}

// --- Painting -------------------------------------------------------------------

void CUGSideHdg::RepaintNow()
{
    int others = 0;
    for (int c = -1; c > -m_GI->RowHeadingCols; --c)
        others += GetHeadingColumnWidth(c);
    m_ctrl->SetColumnWidth(-m_GI->RowHeadingCols, std::max(m_GI->RowHeadingWidth - others, 0));
    Invalidate(TRUE);
    UpdateWindow();
}

// Scrolls the picture with the top row and paints only the rows that came
// into view and the rows of the old and the new current cell.
void CUGSideHdg::Update()
{
    CUGGridInfo* gi = m_GI;
    if (!GetSafeHwnd())
        return;
    if (gi->TopRow == gi->PreviousTopRow && gi->CurrentRow == gi->PreviousRow)
        return;
    if (::GetUpdateRect(m_hWnd, nullptr, FALSE)) {
        UpdateWindow();
        return;
    }

    long shift = 0;
    if (gi->TopRow != gi->PreviousTopRow) {
        const long from = std::min(gi->TopRow, gi->PreviousTopRow);
        const long to = std::max(gi->TopRow, gi->PreviousTopRow);
        for (long r = from; r < to && std::labs(shift) <= gi->GridHeight; ++r)
            shift += m_ctrl->GetRowHeight(r);
        if (gi->TopRow < gi->PreviousTopRow)
            shift = -shift;
    }

    // The uncovered strip and the headings of the old and the new current
    // row are kept as ranges of their own: merged into one they would span
    // every row between the current row and the strip, and a one-row scroll
    // would repaint the whole heading.
    CClientDC dc(this);
    if (std::labs(shift) > gi->GridHeight) {
        m_redrawList.AddRange(-gi->RowHeadingCols, 0, 0, gi->RowCount);
    } else if (shift != 0) {
        RECT client;
        GetClientRect(&client);
        client.top += gi->LockedHeight;
        dc.ScrollDC(0, -static_cast<int>(shift), &client, &client, nullptr, nullptr);
        if (shift > 0)
            m_redrawList.AddRange(-gi->RowHeadingCols, m_bottomRow, 0, gi->RowCount);
        else
            m_redrawList.AddRange(-gi->RowHeadingCols, 0, 0, gi->PreviousTopRow);
    }
    m_redrawList.AddRange(-gi->RowHeadingCols, gi->PreviousRow, -1, gi->PreviousRow);
    m_redrawList.AddRange(-gi->RowHeadingCols, gi->CurrentRow, -1, gi->CurrentRow);
    DrawHeadings(&dc);
    m_redrawList.Clear();
    ValidateRect(nullptr);
}

void CUGSideHdg::OnPaint()
{
    CPaintDC dc(this);
    m_redrawList.AddRange(-m_GI->RowHeadingCols, 0, 0, m_GI->RowCount);
    DrawHeadings(&dc);
    m_redrawList.Clear();
}

void CUGSideHdg::DrawHeadings(CDC* dc)
{
    CUGGridInfo* gi = m_GI;
    m_ctrl->NotifyPaintSetup(dc, nullptr, CUGCtrl::SectionRowHeading);
    if (gi->DefaultFont)
        dc->SelectObject(gi->DefaultFont);

    CellDCState dcState(dc);
    m_bottomRow = gi->RowCount;
    int y = 0;
    for (long r = 0; r < gi->RowCount; ++r) {
        if (r == gi->LockedRows && r < gi->TopRow)
            r = gi->TopRow;
        const int height = m_ctrl->GetRowHeight(r);
        if (height <= 0)
            continue;
        int x = 0;
        for (int c = -gi->RowHeadingCols; c <= -1; ++c) {
            const int width = GetHeadingColumnWidth(c);
            RECT rect{x, y, x + width, y + height};
            x += width;
            if (!m_redrawList.Contains(c, r))
                continue;
            int col = c;
            long row = r;
            m_ctrl->GetCell(col, row, &m_cell);
            if (gi->JoinsEnabled && m_cell.IsPropertySet(CUGCell::PropJoinInfo)
                && m_ctrl->GetJoinStart(col, row) == 0) {
                if (m_redrawList.WasJoinDrawn(col, row))
                    continue;
                m_redrawList.MarkJoinDrawn(col, row);
                GetHeadingCellRect(col, row, rect);
                m_ctrl->GetCell(col, row, &m_cell);
            }
            if (rect.right > rect.left && rect.bottom > rect.top) {
                m_ctrl->GetCellType(m_cell.GetCellType())
                    ->OnDraw(dc, &rect, col, row, &m_cell, 0, 0);
                dcState.Restore();
            }
        }
        y += height;
        if (y > gi->GridHeight) {
            m_bottomRow = r;
            break;
        }
    }

    if (y < gi->GridHeight) {
        const RECT rest{0, y, gi->RowHeadingWidth, gi->GridHeight};
        CBrush brush(gi->HeadingDefaultCell.GetBackColor());
        dc->FillRect(&rest, &brush);
    }
}

// --- Mouse ----------------------------------------------------------------------

namespace {

constexpr int kEdgeDistance = 3;

enum EdgeKind { HeadingColumnEdge = 0, RowEdge = 1 };

bool NearEdge(int position, int edge)
{
    return position > edge - kEdgeDistance && position < edge + kEdgeDistance;
}

}  // namespace

void CUGSideHdg::DetectEdge(CPoint point)
{
    CUGGridInfo* gi = m_GI;
    const int wasAtEdge = m_atEdge;
    m_atEdge = 0;

    int x = gi->RowHeadingWidth;
    for (int k = 0; k < gi->RowHeadingCols; ++k) {
        if (NearEdge(point.x, x)) {
            if (!m_ctrl->AskResizeRowHeading())
                break;
            m_atEdge = 1;
            m_edgeKind = HeadingColumnEdge;
            m_edgeIndex = k;
            m_startSize = GetHeadingColumnWidth(-(k + 1));
            m_startPosition = point.x;
            m_startTotal = gi->RowHeadingWidth;
            SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
            return;
        }
        x -= GetHeadingColumnWidth(-(k + 1));
    }

    int y = 0;
    for (long r = 0; r < gi->RowCount && y <= gi->GridHeight; ++r) {
        if (r == gi->LockedRows && r < gi->TopRow)
            r = gi->TopRow;
        y += m_ctrl->GetRowHeight(r);
        if (!NearEdge(point.y, y))
            continue;
        // A hidden row below the edge is the one pulled open.
        long row = r;
        if (r + 1 < gi->RowCount && m_ctrl->GetRowHeight(r + 1) == 0)
            row = r + 1;
        if (!m_ctrl->AskResizeRow(row))
            break;
        m_atEdge = 1;
        m_edgeKind = RowEdge;
        m_edgeIndex = static_cast<int>(row);
        m_startSize = m_ctrl->GetRowHeight(row);
        m_startPosition = point.y;
        if (gi->UniformRowHeight && gi->DefaultRowHeight > 0)
            m_rowsAbove = point.y / gi->DefaultRowHeight;
        SetCursor(LoadCursorW(nullptr, IDC_SIZENS));
        return;
    }
    if (wasAtEdge)
        SetCursor(gi->ArrowCursor);
}

void CUGSideHdg::MoveTrackingLine(const RECT& rect)
{
    CUGGrid* cellArea = m_ctrl->GetCellArea();
    if (m_trackingRect.top != -1)
        cellArea->InvertTrackingRect(m_trackingRect);
    cellArea->InvertTrackingRect(rect);
    m_trackingRect = rect;
}

void CUGSideHdg::EraseTrackingLine()
{
    if (m_trackingRect.top == -1)
        return;
    m_ctrl->GetCellArea()->InvertTrackingRect(m_trackingRect);
    m_trackingRect = {0, -1, 0, -1};
}

void CUGSideHdg::DragSizing(CPoint point)
{
    CUGGridInfo* gi = m_GI;
    if (m_edgeKind == RowEdge) {
        int height = std::max(m_startSize + static_cast<int>(point.y - m_startPosition), 0);
        if (gi->UniformRowHeight) {
            const int y = std::max<int>(point.y, 1);
            height = m_rowsAbove < 1 ? y : y / static_cast<int>(m_rowsAbove);
        }
        m_ctrl->NotifyRowResizing(m_edgeIndex, &height);
        m_ctrl->SetRowHeight(m_edgeIndex, height);
        if (gi->UserSizingMode > 1) {
            m_ctrl->RedrawAll();
        } else {
            RepaintNow();
            MoveTrackingLine(RECT{0, point.y - 1, gi->GridWidth, point.y + 1});
        }
        return;
    }
    const int delta = point.x - m_startPosition;
    gi->RowHeadingColWidths[m_edgeIndex] = std::max(m_startSize + delta, 0);
    int total = std::max(m_startTotal + delta, 0);
    m_ctrl->NotifyRowHeadingResizing(&total);
    gi->RowHeadingWidth = total;
    m_ctrl->AdjustComponentSizes();
}

void CUGSideHdg::EndSizing()
{
    CUGGridInfo* gi = m_GI;
    EraseTrackingLine();
    if (m_edgeKind == RowEdge) {
        int height = m_ctrl->GetRowHeight(m_edgeIndex);
        m_ctrl->NotifyRowResized(m_edgeIndex, &height);
        m_ctrl->SetRowHeight(m_edgeIndex, height);
    } else {
        m_ctrl->NotifyRowHeadingResized(&gi->RowHeadingWidth);
    }
    m_ctrl->AdjustComponentSizes();
    m_sizingActive = 0;
    m_trackingRect = {0, -1, 0, -1};
    ::ReleaseCapture();
}

void CUGSideHdg::OnMouseMove(UINT flags, CPoint point)
{
    if (m_sizingActive) {
        DragSizing(point);
        return;
    }
    if (!(flags & (MK_LBUTTON | MK_RBUTTON)) && m_GI->UserSizingMode >= 1)
        DetectEdge(point);
}

void CUGSideHdg::OnLButtonDown(UINT /*flags*/, CPoint point)
{
    m_ctrl->FocusCellArea();
    if (m_atEdge) {
        m_sizingActive = 1;
        SetCapture();
        return;
    }
    int col = -1;
    long row = -1;
    RECT rect{};
    if (HitTestHeading(point, col, row, rect) != 0)
        return;
    const int handled =
        m_ctrl->GetCellTypeOf(col, row)->OnLeftClick(col, row, 1, &rect, &point);
    m_ctrl->NotifyRowHeadingLeftButton(col, row, 1, &rect, &point, handled);
}

void CUGSideHdg::OnLButtonUp(UINT /*flags*/, CPoint point)
{
    if (m_sizingActive) {
        EndSizing();
        return;
    }
    int col = -1;
    long row = -1;
    RECT rect{};
    if (HitTestHeading(point, col, row, rect) != 0)
        return;
    const int handled =
        m_ctrl->GetCellTypeOf(col, row)->OnLeftClick(col, row, 0, &rect, &point);
    m_ctrl->NotifyRowHeadingLeftButton(col, row, 0, &rect, &point, handled);
}

void CUGSideHdg::OnLButtonDblClk(UINT /*flags*/, CPoint point)
{
    int col = -1;
    long row = -1;
    RECT rect{};
    if (HitTestHeading(point, col, row, rect) != 0)
        return;
    const int handled = m_ctrl->GetCellTypeOf(col, row)->OnDoubleClick(col, row, &rect, &point);
    m_ctrl->NotifyRowHeadingDoubleClick(col, row, &rect, &point, handled);
}

void CUGSideHdg::OnRButtonDown(UINT /*flags*/, CPoint point)
{
    m_ctrl->FocusCellArea();
    int col = -1;
    long row = -1;
    RECT rect{};
    if (HitTestHeading(point, col, row, rect) == 0) {
        const int handled =
            m_ctrl->GetCellTypeOf(col, row)->OnRightClick(col, row, 1, &rect, &point);
        m_ctrl->NotifyRowHeadingRightButton(col, row, 1, &rect, &point, handled);
    }
    if (m_GI->PopupMenuEnabled) {
        POINT screen = point;
        ClientToScreen(&screen);
        m_ctrl->ShowPopupMenu(col, row, &screen, CUGCtrl::SectionRowHeading);
    }
}

void CUGSideHdg::OnRButtonUp(UINT /*flags*/, CPoint point)
{
    int col = -1;
    long row = -1;
    RECT rect{};
    if (HitTestHeading(point, col, row, rect) != 0)
        return;
    const int handled =
        m_ctrl->GetCellTypeOf(col, row)->OnRightClick(col, row, 0, &rect, &point);
    m_ctrl->NotifyRowHeadingRightButton(col, row, 0, &rect, &point, handled);
}

BOOL CUGSideHdg::OnSetCursor(CWnd* /*wnd*/, UINT /*hitTest*/, UINT /*message*/)
{
    if (m_atEdge)
        SetCursor(LoadCursorW(nullptr, m_edgeKind == RowEdge ? IDC_SIZENS : IDC_SIZEWE));
    else
        SetCursor(m_GI->ArrowCursor);
    return TRUE;
}
