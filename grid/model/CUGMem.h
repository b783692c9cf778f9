#pragma once

#include "CUGCell.h"
#include "CUGDataSource.h"
#include "CUGNodePool.h"

#include <memory>

// The grid's built-in data source: cells kept in memory.
//
// Storage is a doubly linked list of rows, each holding a doubly linked list
// of cells. A row's First points to its column-0 cell node; cells of negative
// columns (row headings) hang before it, and rows of negative index (column
// headings) before row 0, so headings are stored like any other cell.
//
// There is no index and no head: the row cursor is the only way in, and each
// access walks from the cursor to the target one node at a time, leaving the
// cursor there. Drawing and reading go row by row and left to right, so a
// sequential pass costs one step per cell. A moved row cursor always puts the
// cell cursor back on the row's column-0 node (index 0). Nothing is allocated
// for cells that were never written.
class CUGMem : public CUGDataSource {
public:
    // Search flags of FindFirst/FindNext.
    static constexpr int FindPartial = 1;
    static constexpr int FindIgnoreCase = 2;
    static constexpr int FindBackward = 4;
    static constexpr int FindAcrossColumns = 8;

    CUGMem() = default;
    ~CUGMem() override;

    int AppendRow() override;
    int InsertRow(long row) override;
    int AppendCol() override;
    int InsertCol(int col) override;
    int DeleteRow(long row) override;
    int DeleteCol(int col) override;
    int DeleteCell(int col, long row) override;
    int Empty() override;
    int GetCell(int col, long row, CUGCell* cell) override;
    int SetCell(int col, long row, CUGCell* cell) override;
    int FindFirst(CString* text, int* col, long* row, int flags) override;
    int FindNext(CString* text, int* col, long* row, int flags) override;
    int SortBy(int* cols, int count, int flags) override;
    int SortByColumn(int col, int flags) override;
    int GetPrevNonBlankCol(int* col, long row) override;

    virtual int Reserved41();

protected:
    struct CellNode {
        std::unique_ptr<CUGCell> Cell;  // null: the node exists, nothing stored
        CellNode* Next = nullptr;
        CellNode* Prev = nullptr;
    };
    struct RowNode {
        CellNode* First = nullptr;  // column 0; null while the row has no cells
        RowNode* Next = nullptr;
        RowNode* Prev = nullptr;
    };

    // Cursor moves: 0 when the cursor reached the target, 1 when the list
    // ended first (the cursor stays on the last node reached).
    int SeekRow(long row);
    int SeekCol(int col);
    int NextRow();
    int PrevRow();
    int NextCell();
    int PrevCell();

private:
    void ResetCellCursor();
    // Creates the row (and the rows between) or the cell node (and the nodes
    // between) when missing, leaving the cursor on it.
    void SeekRowCreating(long row);
    void SeekColCreating(int col);
    void FreeRowCells(RowNode* row);
    // The cell stored at col of a row, or null; walks from the row's column 0.
    static CUGCell* CellInRow(RowNode* row, int col);
    // The stored cell at (col, row) or null; moves the cursors.
    CUGCell* CellAt(int col, long row);
    // Shifts the data-source column of every grid column at or right of
    // `from` in the owner's column table by `delta`.
    void ShiftDataColumns(int from, int delta);

    CUGNodePool<RowNode> m_rowPool;
    CUGNodePool<CellNode> m_cellPool;

    RowNode* m_row = nullptr;
    long m_rowIndex = 0;
    CellNode* m_cell = nullptr;
    int m_colIndex = 0;

    int m_findCol = 0;
    long m_findRow = 0;
};
