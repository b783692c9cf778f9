#include "DemoGrid.h"

#include "CUGTab.h"

#include <cstdio>
#include <string>

void DemoGrid::NotifySetup()
{
    m_sourceIndex = AddDataSource(&m_source);
    if (m_sheets <= 1)
        return;
    SetSheetCount(m_sheets);
    for (int sheet = 0; sheet < m_sheets; ++sheet)
        GetTabs()->AddTab((L"Sheet" + std::to_wstring(sheet + 1)).c_str(), sheet);
}

void DemoGrid::NotifySheetSetup(int)
{
    SetDefaultDataSource(m_sourceIndex);
    SetColumnCount(m_columns, FALSE);
    SetRowCount(m_rows, FALSE);
    SetRowHeadingWidth(m_rows >= 100000 ? 64 : 48);
    EnableColumnSwapping(1);
    if (m_sheets > 1)
        SetTabWidth(200);
    AdjustComponentSizes();
}

void DemoGrid::NotifySheetTabSelected(int tabId)
{
    SetSheetNumber(tabId);
    std::printf("sheet %d\n", tabId + 1);
    std::fflush(stdout);
}

void DemoGrid::NotifyCurrentCellChanged(int, int newCol, long, long newRow)
{
    std::printf("current cell %ls%ld\n", DemoDataSource::ColumnLetters(newCol).c_str(),
                newRow + 1);
    std::fflush(stdout);
}
