#pragma once

#include "CUGCtrl.h"
#include "DemoDataSource.h"

// The demo's grid: the demo data source for every column, headings from it.
class DemoGrid : public CUGCtrl {
public:
    DemoGrid(int columns, long rows) : m_columns(columns), m_rows(rows) {}

    void NotifySetup() override;
    // Scripts that drive the demo read where the current cell went from
    // standard output.
    void NotifyCurrentCellChanged(int oldCol, int newCol, long oldRow, long newRow) override;

private:
    DemoDataSource m_source;
    int m_columns;
    long m_rows;
};
