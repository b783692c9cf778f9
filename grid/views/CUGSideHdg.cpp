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
#include "CUGGridInfo.h"

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

    rect = {0, 0, m_GI->RowHeadingWidth, 0};
    int y = 0;
    if (row >= m_GI->LockedRows) {
        y = m_GI->LockedHeight;
        rect.top = rect.bottom = y;
    }
    for (long r = 0; r < m_GI->RowCount; ++r) {
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

    CClientDC dc(this);
    if (std::labs(shift) > gi->GridHeight) {
        m_redrawList.ExtendFirst(-gi->RowHeadingCols, 0, 0, gi->RowCount);
    } else if (shift != 0) {
        RECT client;
        GetClientRect(&client);
        client.top += gi->LockedHeight;
        dc.ScrollDC(0, -static_cast<int>(shift), &client, &client, nullptr, nullptr);
        if (shift > 0)
            m_redrawList.ExtendFirst(-gi->RowHeadingCols, m_bottomRow, 0, gi->RowCount);
        else
            m_redrawList.ExtendFirst(-gi->RowHeadingCols, 0, 0, gi->PreviousTopRow);
    }
    m_redrawList.ExtendFirst(-gi->RowHeadingCols, gi->PreviousRow, -1, gi->PreviousRow);
    m_redrawList.ExtendFirst(-gi->RowHeadingCols, gi->CurrentRow, -1, gi->CurrentRow);
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
            if (gi->JoinsEnabled && m_ctrl->GetJoinStart(col, row) == 0) {
                if (m_redrawList.WasJoinDrawn(col, row))
                    continue;
                m_redrawList.MarkJoinDrawn(col, row);
                GetHeadingCellRect(col, row, rect);
                m_ctrl->GetCell(col, row, &m_cell);
            }
            if (rect.right > rect.left && rect.bottom > rect.top) {
                const int saved = dc->SaveDC();
                m_ctrl->GetCellType(m_cell.GetCellType())
                    ->OnDraw(dc, &rect, col, row, &m_cell, 0, 0);
                dc->RestoreDC(saved);
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
