#pragma once

#include "CUGCell.h"
#include "CUGDataSource.h"

#include <map>
#include <utility>
#include <vector>

// A data source that keeps its cells in a map, writes down which cells the
// control asked for and stored, and answers the row and column operations
// with what the test sets.
class RecordingSource : public CUGDataSource {
public:
    using Key = std::pair<int, long>;

    int appendRowAnswer = 0, insertRowAnswer = 0, deleteRowAnswer = 0;
    int appendColAnswer = 0, insertColAnswer = 0, deleteColAnswer = 0;
    int failSetCellInColumn = -1000;  // SetCell answers 1 for this column
    std::vector<Key> gets, sets;
    std::vector<int> columnOperations, sortColumns;  // the columns each operation got
    int sortFlags = -1;
    std::map<Key, CUGCell> cells;
    int AppendRow() override { return appendRowAnswer; }
    int InsertRow(long) override { return insertRowAnswer; }
    int DeleteRow(long) override { return deleteRowAnswer; }
    int AppendCol() override { return appendColAnswer; }
    int InsertCol(int col) override { return columnOperations.push_back(col), insertColAnswer; }
    int DeleteCol(int col) override { return columnOperations.push_back(col), deleteColAnswer; }
    int GetCell(int col, long row, CUGCell* cell) override
    {
        gets.push_back({col, row});
        const auto found = cells.find({col, row});
        return found == cells.end() ? 1 : (cell->AddInfoFrom(&found->second), 0);
    }
    int SetCell(int col, long row, CUGCell* cell) override
    {
        sets.push_back({col, row});
        return col == failSetCellInColumn ? 1 : (cells[{col, row}].CopyInfoFrom(cell), 0);
    }
    int SortBy(int* cols, int count, int flags) override
    {
        return sortColumns.assign(cols, cols + count), sortFlags = flags, 0;
    }
};
