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
#include "CUGGridInfo.h"

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

    rect = {0, 0, 0, m_GI->ColumnHeadingHeight};
    int x = 0;
    if (col >= m_GI->LockedCols) {
        x = m_GI->LockedWidth;
        rect.left = rect.right = x;
    }
    for (int c = 0; c < m_GI->ColumnCount; ++c) {
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
            if (m_GI->JoinsEnabled && m_ctrl->GetJoinStart(col, cellRow) == 0) {
                if (m_redrawList.WasJoinDrawn(col, cellRow))
                    continue;
                m_redrawList.MarkJoinDrawn(col, cellRow);
                GetHeadingCellRect(col, cellRow, rect);
                m_ctrl->GetCell(col, cellRow, &m_cell);
            }
            furthestRight = std::max<int>(furthestRight, rect.right);
            if (rect.right > rect.left && rect.bottom > rect.top) {
                const int selected = (col == m_pickedCol && m_dropPosition >= 0) ? 1 : 0;
                const int saved = dc->SaveDC();
                m_ctrl->GetCellType(m_cell.GetCellType())
                    ->OnDraw(dc, &rect, col, cellRow, &m_cell, selected, 0);
                dc->RestoreDC(saved);
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
