#pragma once

#include "CUGCtrl.h"
#include "DemoDataSource.h"

// The demo's grid: the demo data source for every column, headings from it.
class DemoGrid : public CUGCtrl {
public:
    DemoGrid(int columns, long rows) : m_columns(columns), m_rows(rows) {}

    void NotifySetup() override;

private:
    DemoDataSource m_source;
    int m_columns;
    long m_rows;
};
