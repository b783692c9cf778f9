#include "DemoGrid.h"

void DemoGrid::NotifySetup()
{
    SetDefaultDataSource(AddDataSource(&m_source));
    SetColumnCount(m_columns, FALSE);
    SetRowCount(m_rows, FALSE);
    SetRowHeadingWidth(m_rows >= 100000 ? 64 : 48);
    AdjustComponentSizes();
}
