// CUGMem: the memory data source.
//
// Sections: cursor moves; cell access (GetCell, SetCell, DeleteCell, Empty);
// rows and columns (InsertRow, DeleteRow, InsertCol, DeleteCol); find;
// sort; GetPrevNonBlankCol.
//
// Every public operation first walks the row cursor (SeekRow / SeekRowCreating)
// and then the cell cursor within that row (SeekCol / SeekColCreating); the
// column operations walk the row cursor back to the first row and visit every
// row in turn.
#include "CUGMem.h"

#include "CUGCtrl.h"
#include "CUGGridInfo.h"

#include <utility>

CUGMem::~CUGMem()
{
    Empty();
}

// --- Cursor moves -------------------------------------------------------------

void CUGMem::ResetCellCursor()
{
    m_cell = m_row ? m_row->First : nullptr;
    m_colIndex = 0;
}

int CUGMem::SeekRow(long row)
{
    if (!m_row)
        return 1;
    int result = 0;
    while (m_rowIndex < row) {
        if (!m_row->Next) {
            result = 1;
            break;
        }
        m_row = m_row->Next;
        ++m_rowIndex;
    }
    while (m_rowIndex > row) {
        if (!m_row->Prev) {
            result = 1;
            break;
        }
        m_row = m_row->Prev;
        --m_rowIndex;
    }
    ResetCellCursor();
    return result;
}

int CUGMem::SeekCol(int col)
{
    if (!m_cell)
        return 1;
    while (m_colIndex < col) {
        if (!m_cell->Next)
            return 1;
        m_cell = m_cell->Next;
        ++m_colIndex;
    }
    while (m_colIndex > col) {
        if (!m_cell->Prev)
            return 1;
        m_cell = m_cell->Prev;
        --m_colIndex;
    }
    return 0;
}

int CUGMem::NextRow()
{
    if (!m_row || !m_row->Next)
        return 1;
    m_row = m_row->Next;
    ++m_rowIndex;
    ResetCellCursor();
    return 0;
}

int CUGMem::PrevRow()
{
    if (!m_row || !m_row->Prev)
        return 1;
    m_row = m_row->Prev;
    --m_rowIndex;
    ResetCellCursor();
    return 0;
}

int CUGMem::NextCell()
{
    if (!m_cell || !m_cell->Next)
        return 1;
    m_cell = m_cell->Next;
    ++m_colIndex;
    return 0;
}

int CUGMem::PrevCell()
{
    if (!m_cell || !m_cell->Prev)
        return 1;
    m_cell = m_cell->Prev;
    --m_colIndex;
    return 0;
}

void CUGMem::SeekRowCreating(long row)
{
    if (!m_row) {
        m_row = m_rowPool.Allocate();
        m_rowIndex = 0;
    }
    while (m_rowIndex < row) {
        if (!m_row->Next) {
            RowNode* added = m_rowPool.Allocate();
            added->Prev = m_row;
            m_row->Next = added;
        }
        m_row = m_row->Next;
        ++m_rowIndex;
    }
    while (m_rowIndex > row) {
        if (!m_row->Prev) {
            RowNode* added = m_rowPool.Allocate();
            added->Next = m_row;
            m_row->Prev = added;
        }
        m_row = m_row->Prev;
        --m_rowIndex;
    }
    ResetCellCursor();
}

// Nodes created before column 0 hang off the column-0 node; only the first
// node of an empty row becomes the row's First.
void CUGMem::SeekColCreating(int col)
{
    if (!m_row->First) {
        m_row->First = m_cellPool.Allocate();
        ResetCellCursor();
    }
    while (m_colIndex < col) {
        if (!m_cell->Next) {
            CellNode* added = m_cellPool.Allocate();
            added->Prev = m_cell;
            m_cell->Next = added;
        }
        m_cell = m_cell->Next;
        ++m_colIndex;
    }
    while (m_colIndex > col) {
        if (!m_cell->Prev) {
            CellNode* added = m_cellPool.Allocate();
            added->Next = m_cell;
            m_cell->Prev = added;
        }
        m_cell = m_cell->Prev;
        --m_colIndex;
    }
}

void CUGMem::FreeRowCells(RowNode* row)
{
    CellNode* first = row->First;
    if (!first)
        return;
    for (CellNode* node = first->Prev; node;) {
        CellNode* prev = node->Prev;
        m_cellPool.Release(node);
        node = prev;
    }
    for (CellNode* node = first; node;) {
        CellNode* next = node->Next;
        m_cellPool.Release(node);
        node = next;
    }
    row->First = nullptr;
}

CUGCell* CUGMem::CellInRow(RowNode* row, int col)
{
    CellNode* node = row->First;
    for (int index = 0; node && index < col; ++index)
        node = node->Next;
    for (int index = 0; node && index > col; --index)
        node = node->Prev;
    return node ? node->Cell.get() : nullptr;
}

CUGCell* CUGMem::CellAt(int col, long row)
{
    if (SeekRow(row) != 0 || SeekCol(col) != 0)
        return nullptr;
    return m_cell->Cell.get();
}

// --- Cell access ------------------------------------------------------------

// The stored cell is laid over the caller's cell, so whatever the caller put
// there first (the column's defaults) shows where the stored cell sets nothing.
int CUGMem::GetCell(int col, long row, CUGCell* cell)
{
    if (!cell || !m_row)
        return 1;
    if (SeekRow(row) != 0 || SeekCol(col) != 0 || !m_cell->Cell)
        return 1;
    cell->AddInfoFrom(m_cell->Cell.get());
    return 0;
}

int CUGMem::SetCell(int col, long row, CUGCell* cell)
{
    if (!cell)
        return 1;
    SeekRowCreating(row);
    SeekColCreating(col);
    if (!m_cell->Cell)
        m_cell->Cell = std::make_unique<CUGCell>();
    m_cell->Cell->CopyInfoFrom(cell);
    return 0;
}

int CUGMem::DeleteCell(int col, long row)
{
    if (SeekRow(row) != 0 || SeekCol(col) != 0)
        return 1;
    m_cell->Cell.reset();
    ResetCellCursor();
    return 0;
}

int CUGMem::Empty()
{
    m_cellPool.Clear();
    m_rowPool.Clear();
    m_row = nullptr;
    m_rowIndex = 0;
    m_cell = nullptr;
    m_colIndex = 0;
    return -1;
}

// --- Rows and columns -----------------------------------------------------------

// Rows are created on demand by SetCell, so appending has nothing to do.
int CUGMem::AppendRow()
{
    return 0;
}

int CUGMem::AppendCol()
{
    return 0;
}

int CUGMem::InsertRow(long row)
{
    if (SeekRow(row) != 0)
        return 0;
    RowNode* added = m_rowPool.Allocate();
    added->Next = m_row;
    added->Prev = m_row->Prev;
    if (m_row->Prev)
        m_row->Prev->Next = added;
    m_row->Prev = added;
    ++m_rowIndex;  // the cursor's row is now one further down
    return 0;
}

int CUGMem::DeleteRow(long row)
{
    if (SeekRow(row) != 0)
        return 0;
    RowNode* dead = m_row;
    FreeRowCells(dead);
    if (dead->Prev)
        dead->Prev->Next = dead->Next;
    if (dead->Next)
        dead->Next->Prev = dead->Prev;
    if (dead->Next) {
        m_row = dead->Next;  // takes over the deleted row's index
    } else if (dead->Prev) {
        m_row = dead->Prev;
        m_rowIndex = row - 1;
    } else {
        m_row = nullptr;
        m_rowIndex = 0;
    }
    m_rowPool.Release(dead);
    ResetCellCursor();
    return 0;
}

int CUGMem::InsertCol(int col)
{
    if (!m_row)
        return 1;
    // The source's column is located through the grid column that shows it.
    int position = col;
    if (Owner && Owner->GridInfo) {
        const auto& columns = Owner->GridInfo->Columns;
        for (size_t i = 0; i < columns.size(); ++i) {
            if (columns[i].DataColumn == col) {
                position = static_cast<int>(i);
                break;
            }
        }
    }
    while (PrevRow() == 0) {
    }
    do {
        if (SeekCol(position) == 0) {
            CellNode* at = m_cell;
            CellNode* added = m_cellPool.Allocate();
            added->Next = at;
            added->Prev = at->Prev;
            if (at->Prev)
                at->Prev->Next = added;
            at->Prev = added;
            if (at == m_row->First)
                m_row->First = added;
        }
    } while (NextRow() == 0);
    ResetCellCursor();
    ShiftDataColumns(position, +1);
    return 0;
}

// A row's last node is emptied rather than removed, so the rows keep their
// length; any other node is unlinked.
int CUGMem::DeleteCol(int col)
{
    if (!m_row)
        return 1;
    while (PrevRow() == 0) {
    }
    do {
        if (SeekCol(col) == 0) {
            CellNode* dead = m_cell;
            if (dead->Next) {
                if (dead->Prev)
                    dead->Prev->Next = dead->Next;
                dead->Next->Prev = dead->Prev;
                if (dead == m_row->First)
                    m_row->First = dead->Next;
                m_cellPool.Release(dead);
            } else {
                dead->Cell.reset();
            }
            ResetCellCursor();
        }
    } while (NextRow() == 0);
    ResetCellCursor();
    ShiftDataColumns(col, -1);
    return 0;
}

void CUGMem::ShiftDataColumns(int from, int delta)
{
    if (!Owner || !Owner->GridInfo)
        return;
    for (auto& column : Owner->GridInfo->Columns) {
        if (column.DataColumn >= from)
            column.DataColumn += delta;
    }
}

// --- Find -----------------------------------------------------------------------

int CUGMem::FindFirst(CString* text, int* col, long* row, int flags)
{
    if (!col || !row)
        return 1;
    if (flags & FindAcrossColumns) {
        *col = -1;
        *row = 0;
    } else {
        *row = -1;
    }
    return FindNext(text, col, row, flags);
}

namespace {

bool TextMatches(const CUGCell* cell, const CString& wanted, int flags)
{
    if (!cell || !cell->IsPropertySet(CUGCell::PropText))
        return false;
    CString text = cell->GetText();
    if (flags & CUGMem::FindIgnoreCase)
        text.MakeUpper();
    if (flags & CUGMem::FindPartial)
        return text.str().find(wanted.str()) != std::wstring::npos;
    return text == wanted;
}

}  // namespace

// Searches from the cell after (col, row), wrapping at the sheet's ends. Every
// move into another row counts; the search gives up when the count reaches
// R + 1, which is after every cell was looked at once.
int CUGMem::FindNext(CString* text, int* col, long* row, int flags)
{
    if (!text || !col || !row)
        return 1;
    const long rowCount = Owner ? Owner->GetRowCount() : 0;
    const int colCount = Owner ? Owner->GetColumnCount() : 0;
    if (flags & FindIgnoreCase)
        text->MakeUpper();  // the caller sees the text as it was searched

    const bool across = (flags & FindAcrossColumns) != 0;
    const bool backward = (flags & FindBackward) != 0;
    int c = *col;
    long r = *row;
    long rowsCounted = 0;
    auto step = [&] {
        if (across) {
            c += backward ? -1 : 1;
            if (c < 0 || c > colCount - 1) {
                c = backward ? colCount - 1 : 0;
                r += backward ? -1 : 1;
                ++rowsCounted;
            } else {
                return;
            }
        } else {
            r += backward ? -1 : 1;
            ++rowsCounted;
        }
        if (r > rowCount - 1)
            r = 0;
        else if (r < 0)
            r = rowCount - 1;
    };

    step();
    while (rowsCounted <= rowCount) {
        if (TextMatches(CellAt(c, r), *text, flags)) {
            m_findCol = *col = c;
            m_findRow = *row = r;
            return 0;
        }
        step();
    }
    m_findCol = c;
    m_findRow = r;
    return 1;
}

// --- Sort -----------------------------------------------------------------------

// A bubble sort over the rows from 0 down: the row nodes stay where they are
// and swap their cell lists, so the heading rows above row 0 never move and
// rows that compare equal keep their order. One pass per row sorts any
// order; the passes stop there, since a comparison need not be an order
// (the default one compares a check box and a text by the first cell's type,
// and both ways round it asks for a swap).
int CUGMem::SortBy(int* cols, int count, int flags)
{
    if (SeekRow(0) != 0)
        return 0;
    RowNode* const firstRow = m_row;
    if (!firstRow->Next)
        return 0;
    if (!Owner || (count > 0 && !cols))
        return 1;

    long passesLeft = 0;
    for (RowNode* row = firstRow; row; row = row->Next)
        ++passesLeft;
    bool swapped = true;
    while (swapped && passesLeft-- > 0) {
        swapped = false;
        for (RowNode* upper = firstRow; upper->Next; upper = upper->Next) {
            RowNode* lower = upper->Next;
            for (int i = 0; i < count; ++i) {
                const int result = Owner->CompareCellsForSort(CellInRow(upper, cols[i]),
                                                              CellInRow(lower, cols[i]), flags);
                if (result == 0)
                    continue;
                if (result > 0) {
                    std::swap(upper->First, lower->First);
                    swapped = true;
                }
                break;
            }
        }
    }
    m_row = firstRow;
    m_rowIndex = 0;
    ResetCellCursor();
    return 0;
}

int CUGMem::SortByColumn(int col, int flags)
{
    return SortBy(&col, 1, flags);
}

// --- Overflow support -------------------------------------------------------------

// Finds the nearest cell left of col whose text could run into col. When the
// row ends before col the search starts at the row's last node.
int CUGMem::GetPrevNonBlankCol(int* col, long row)
{
    if (!col || SeekRow(row) != 0)
        return 1;
    if (SeekCol(*col) != 0 && (!m_cell || !m_cell->Cell))
        return 1;
    while (m_cell && m_colIndex >= 0) {
        if (m_colIndex != *col && m_cell->Cell && m_cell->Cell->GetTextLength() > 0) {
            *col = m_colIndex;
            return 0;
        }
        if (PrevCell() != 0)
            break;
    }
    return 1;
}

int CUGMem::Reserved41()
{
    return -1;
}
