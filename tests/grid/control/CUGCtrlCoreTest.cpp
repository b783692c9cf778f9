#include "CUGCtrl.h"
#include "CUGGrid.h"
#include "RecordingGrid.h"

#include <gtest/gtest.h>

// Creation makes every part a child of the control with its identifier, and
// the default edit stays hidden.
TEST(CUGCtrlCore, CreationMakesThePartWindowsWithTheirIds)
{
    RecordingGrid grid;
    GridTestFrame frame(grid, 400, 300);
    ASSERT_TRUE(grid.GetSafeHwnd());
    for (int id : {1, 2, 3, 4, 5, 6, 7})
        EXPECT_NE(::GetDlgItem(grid.m_hWnd, id), nullptr) << "part " << id;
    HWND edit = ::GetDlgItem(grid.m_hWnd, 123);
    ASSERT_NE(edit, nullptr);
    EXPECT_FALSE(::IsWindowVisible(edit));
    EXPECT_EQ(::GetParent(grid.GetCellArea()->m_hWnd), grid.m_hWnd);
}
