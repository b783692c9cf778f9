#include "DemoGrid.h"

#include <cstdio>

void DemoGrid::NotifySetup()
{
    SetDefaultDataSource(AddDataSource(&m_source));
    SetColumnCount(m_columns, FALSE);
    SetRowCount(m_rows, FALSE);
    SetRowHeadingWidth(m_rows >= 100000 ? 64 : 48);
    AdjustComponentSizes();
}

void DemoGrid::NotifyCurrentCellChanged(int, int newCol, long, long newRow)
{
    std::printf("current cell %ls%ld\n", DemoDataSource::ColumnLetters(newCol).c_str(),
                newRow + 1);
    std::fflush(stdout);
}
