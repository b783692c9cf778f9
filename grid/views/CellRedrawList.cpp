#include "CellRedrawList.h"

#include <algorithm>

void CellRedrawList::AddRange(int startCol, long startRow, int endCol, long endRow)
{
    if (m_ranges.empty()) {
        m_box = {startCol, startRow, endCol, endRow};
    } else {
        m_box.StartCol = std::min(m_box.StartCol, startCol);
        m_box.StartRow = std::min(m_box.StartRow, startRow);
        m_box.EndCol = std::max(m_box.EndCol, endCol);
        m_box.EndRow = std::max(m_box.EndRow, endRow);
    }
    m_ranges.push_back({startCol, startRow, endCol, endRow});
}

void CellRedrawList::ExtendFirst(int startCol, long startRow, int endCol, long endRow)
{
    if (m_ranges.empty()) {
        AddRange(startCol, startRow, endCol, endRow);
        return;
    }
    Range& first = m_ranges.front();
    first.StartCol = std::min(first.StartCol, startCol);
    first.StartRow = std::min(first.StartRow, startRow);
    first.EndCol = std::max(first.EndCol, endCol);
    first.EndRow = std::max(first.EndRow, endRow);
    m_box.StartCol = std::min(m_box.StartCol, first.StartCol);
    m_box.StartRow = std::min(m_box.StartRow, first.StartRow);
    m_box.EndCol = std::max(m_box.EndCol, first.EndCol);
    m_box.EndRow = std::max(m_box.EndRow, first.EndRow);
}

bool CellRedrawList::Contains(int col, long row) const
{
    // The box turns away most cells of a partial repaint without a look at
    // the ranges, which matters because the painting pass asks for every
    // visible cell.
    if (m_ranges.empty() || col < m_box.StartCol || col > m_box.EndCol || row < m_box.StartRow
        || row > m_box.EndRow)
        return false;
    return std::any_of(m_ranges.begin(), m_ranges.end(), [col, row](const Range& range) {
        return col >= range.StartCol && col <= range.EndCol && row >= range.StartRow
               && row <= range.EndRow;
    });
}

bool CellRedrawList::WasJoinDrawn(int col, long row) const
{
    return std::any_of(m_joinsDrawn.begin(), m_joinsDrawn.end(),
                       [col, row](const Origin& origin) {
                           return origin.Col == col && origin.Row == row;
                       });
}

void CellRedrawList::MarkJoinDrawn(int col, long row)
{
    m_joinsDrawn.push_back({col, row});
}

void CellRedrawList::Clear()
{
    m_ranges.clear();
    m_joinsDrawn.clear();
    m_box = {0, 0, -1, -1};
}
