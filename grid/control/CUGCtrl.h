#pragma once

#include "CUGGridInfo.h"

#include <memory>
#include <vector>

class CUGCell;

// The grid control. It keeps one settings record per sheet and reaches cells
// only through data sources; its overridable notifications tell the owner
// what happens.
//
// So far the control holds its sheets and answers what the data model asks
// of it: counts, the current cell, the sort comparison and repainting.
class CUGCtrl {
public:
    CUGCtrl();
    virtual ~CUGCtrl();
    CUGCtrl(const CUGCtrl&) = delete;
    CUGCtrl& operator=(const CUGCtrl&) = delete;

    int GetColumnCount() const { return GridInfo->ColumnCount; }
    long GetRowCount() const { return GridInfo->RowCount; }
    int GetCurrentCol() const { return GridInfo->CurrentCol; }
    long GetCurrentRow() const { return GridInfo->CurrentRow; }

    // Repainting of the cell area; overridden where a grid must see what is
    // repainted.
    virtual void RedrawAll();
    virtual void RedrawRange(int startCol, long startRow, int endCol, long endRow);

    // Notifications.
    virtual int CompareCellsForSort(CUGCell* a, CUGCell* b, int flags);

    // The current sheet's record, shared with every part of the grid.
    CUGGridInfo* GridInfo = nullptr;

private:
    // Creates a sheet record bound to this control: its memory source and its
    // selection report to the control.
    std::unique_ptr<CUGGridInfo> CreateSheet();

    std::vector<std::unique_ptr<CUGGridInfo>> Sheets;
    int SheetNumber = 0;
};
