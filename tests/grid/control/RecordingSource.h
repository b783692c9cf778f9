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

    int appendRowAnswer = 0;
    int insertRowAnswer = 0;
    int appendColAnswer = 0;
    int insertColAnswer = 0;
    int deleteRowAnswer = 0;
    int deleteColAnswer = 0;
    int failSetCellInColumn = -1000;  // SetCell answers 1 for this column

    std::vector<Key> gets;
    std::vector<Key> sets;
    std::vector<int> columnOperations;  // the column each column operation got
    std::vector<int> sortColumns;
    int sortFlags = -1;
    std::map<Key, CUGCell> cells;

    int AppendRow() override { return appendRowAnswer; }
    int InsertRow(long) override { return insertRowAnswer; }
    int AppendCol() override { return appendColAnswer; }
    int InsertCol(int col) override
    {
        columnOperations.push_back(col);
        return insertColAnswer;
    }
    int DeleteRow(long) override { return deleteRowAnswer; }
    int DeleteCol(int col) override
    {
        columnOperations.push_back(col);
        return deleteColAnswer;
    }
    int GetCell(int col, long row, CUGCell* cell) override
    {
        gets.push_back({col, row});
        auto found = cells.find({col, row});
        if (found == cells.end())
            return 1;
        cell->AddInfoFrom(&found->second);
        return 0;
    }
    int SetCell(int col, long row, CUGCell* cell) override
    {
        sets.push_back({col, row});
        if (col == failSetCellInColumn)
            return 1;
        cells[{col, row}].CopyInfoFrom(cell);
        return 0;
    }
    int SortBy(int* cols, int count, int flags) override
    {
        sortColumns.assign(cols, cols + count);
        sortFlags = flags;
        return 0;
    }
};
