// The sheet tabs as they appear on the screen.
#include "CClientDC.h"
#include "CUGTab.h"
#include "RecordingGrid.h"

#include <gtest/gtest.h>

// The current tab, first in the strip, starts where the arrows end: its
// left edge slants from there at the top to 7 pixels further right at the
// bottom, where its bottom edge begins.
TEST(CUGTab, TheCurrentTabsLeftEdgeSlantsSevenPixels)
{
    RecordingGrid grid;
    GridTestFrame frame{grid, 400, 300};
    grid.SetColumnCount(60);
    grid.SetRowCount(100);
    grid.SetTabWidth(200);
    grid.AdjustComponentSizes();
    CUGTab* tabs = grid.GetTabs();
    tabs->AddTab(L"Plan", 1);
    tabs->AddTab(L"Lots", 2);
    tabs->RedrawAll();

    RECT arrows{};
    ::GetWindowRect(::GetWindow(tabs->m_hWnd, GW_CHILD), &arrows);
    ::MapWindowPoints(nullptr, tabs->m_hWnd, reinterpret_cast<POINT*>(&arrows), 2);
    RECT client{};
    tabs->GetClientRect(&client);
    ASSERT_GT(client.bottom, 8);
    CClientDC dc(tabs);
    auto firstBlack = [&](int y) {
        int x = arrows.right;
        while (x < client.right && ::GetPixel(dc, x, y) != RGB(0, 0, 0))
            ++x;
        return x - arrows.right;
    };
    EXPECT_EQ(firstBlack(0), 0);
    EXPECT_EQ(firstBlack(client.bottom - 1), 7);
}
