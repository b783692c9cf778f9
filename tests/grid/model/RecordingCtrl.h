#pragma once

#include "CUGCtrl.h"

#include <vector>

// A grid control without windows that records the repaints the model asks
// for and reads back the data-source column of each grid column.
class RecordingCtrl : public CUGCtrl {
public:
    struct Range {
        int startCol;
        long startRow;
        int endCol;
        long endRow;
        bool operator==(const Range&) const = default;
    };
    int redrawAllCount = 0;
    std::vector<Range> ranges;

    void RedrawAll() override { ++redrawAllCount; }
    void RedrawRange(int startCol, long startRow, int endCol, long endRow) override
    {
        ranges.push_back({startCol, startRow, endCol, endRow});
    }
    std::vector<int> DataColumns() const
    {
        std::vector<int> result;
        for (const auto& entry : GridInfo->Columns)
            result.push_back(entry.DataColumn);
        return result;
    }
};
