#pragma once

#include "CUGCtrl.h"
#include "DemoDataSource.h"

// The demo's grid: every sheet shows the demo data source's content, its
// columns can be moved by their headings, and with several sheets the tabs
// "Sheet1" ... "SheetN" switch between them.
class DemoGrid : public CUGCtrl {
public:
    DemoGrid(int columns, long rows, int sheets)
        : m_columns(columns), m_rows(rows), m_sheets(sheets)
    {
    }

    void NotifySetup() override;
    void NotifySheetSetup(int sheet) override;
    void NotifySheetTabSelected(int tabId) override;
    // Scripts that drive the demo read where the current cell went from
    // standard output.
    void NotifyCurrentCellChanged(int oldCol, int newCol, long oldRow, long newRow) override;

private:
    DemoDataSource m_source;
    int m_sourceIndex = -1;
    int m_columns;
    long m_rows;
    int m_sheets;
};
