#pragma once

#include "CUGCtrl.h"

#include <vector>

// A grid control that records the repaints the model asks for, and lays out
// the current sheet's column table for the model to read.
class RecordingCtrl : public CUGCtrl {
public:
    struct Range {
        int startCol;
        long startRow;
        int endCol;
        long endRow;
        bool operator==(const Range&) const = default;
    };

    void RedrawAll() override { ++redrawAllCount; }
    void RedrawRange(int startCol, long startRow, int endCol, long endRow) override
    {
        ranges.push_back({startCol, startRow, endCol, endRow});
    }

    // Columns 0..count-1, each showing the data-source column of its index.
    void SetColumns(int count)
    {
        GridInfo->ColumnCount = count;
        GridInfo->Columns.clear();
        for (int col = 0; col < count; ++col) {
            CUGGridInfo::ColumnEntry entry;
            entry.DataSource = GridInfo->DataSource;
            entry.DataColumn = col;
            GridInfo->Columns.push_back(std::move(entry));
        }
    }

    std::vector<int> DataColumns() const
    {
        std::vector<int> result;
        for (const auto& entry : GridInfo->Columns)
            result.push_back(entry.DataColumn);
        return result;
    }

    void ClearRecord()
    {
        redrawAllCount = 0;
        ranges.clear();
    }

    int redrawAllCount = 0;
    std::vector<Range> ranges;
};
