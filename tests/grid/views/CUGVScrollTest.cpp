#include "CUGCtrl.h"
#include "CUGHScroll.h"
#include "CUGHint.h"
#include "CUGTab.h"
#include "CUGVScroll.h"
#include "RecordingGrid.h"

#include <gtest/gtest.h>

namespace {

// Sets the row count so that the maximum top row becomes `maxTopRow`.
void SetMaxTopRow(CUGCtrl& grid, long maxTopRow)
{
    grid.SetRowCount(maxTopRow + 1000);
    const long slack = grid.GridInfo->MaxTopRow - maxTopRow;
    grid.SetRowCount(maxTopRow + 1000 - slack);
    ASSERT_EQ(grid.GridInfo->MaxTopRow, maxTopRow);
}

}  // namespace

// Above 1000 possible top rows the bar works in 1000 positions: its range,
// the top row a thumb position gives, and the thumb a top row gives.
TEST(CUGVScroll, LongSheetsAreScaledToAThousandPositions)
{
    struct Case {
        long maxTopRow;
        int lockedRows;
        UINT thumb;
        int rangeMin, rangeMax;
        long topRow;
    };
    const Case cases[] = {
        {999, 0, 500, 0, -1, 500},      // not scaled: the range ends at page + max - 1
        {1000, 0, 500, 0, -1, 500},     // exactly 1000 is not scaled either
        {1001, 0, 1000, 0, 1000, 1001}, // the last position reaches the last top row
        {5000, 0, 500, 0, 1000, 2500},
        {5000, 2, 500, 2, 1000, 2500},
        {999000, 0, 1000, 0, 1000, 999000},
        {999000, 0, 1, 0, 1000, 999},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.maxTopRow);
        RecordingGrid grid;
        GridTestFrame frame(grid, 400, 300);
        grid.SetColumnCount(3);
        grid.SetRowCount(10);
        grid.SetLockedRows(c.lockedRows);
        SetMaxTopRow(grid, c.maxTopRow);
        CUGVScroll* bar = grid.GetVScrollBar();
        bar->Update();
        SCROLLINFO info{sizeof info, SIF_ALL};
        bar->GetScrollInfo(&info);
        EXPECT_EQ(info.nMin, c.rangeMin);
        if (c.rangeMax >= 0)
            EXPECT_EQ(info.nMax, c.rangeMax);
        else
            EXPECT_EQ(info.nMax, static_cast<int>(info.nPage) + c.maxTopRow - 1);
        bar->OnScroll(SB_THUMBPOSITION, c.thumb);
        EXPECT_EQ(grid.GetTopRow(), c.topRow);
        EXPECT_EQ(bar->GetScrollPos(), c.maxTopRow > 1000
                                           ? static_cast<int>(c.topRow * 1000.0 / c.maxTopRow)
                                           : c.topRow);
    }
}

// While the thumb is dragged in live mode the sheet follows it; the
// thumb is where the sheet is once the drag ends, released or not.
TEST(CUGVScroll, LiveThumbDragEndsWithTheThumbAtTheTopRow)
{
    RecordingGrid grid;
    GridTestFrame frame(grid, 400, 300);
    grid.SetColumnCount(3);
    SetMaxTopRow(grid, 5000);
    grid.GridInfo->VScrollThumbMode = 1;
    CUGVScroll* bar = grid.GetVScrollBar();
    bar->Update();

    bar->OnScroll(SB_THUMBTRACK, 700);
    EXPECT_EQ(grid.GetTopRow(), 3500);
    bar->OnScroll(SB_THUMBPOSITION, 700);
    EXPECT_EQ(bar->GetScrollPos(), 700);

    bar->OnScroll(SB_THUMBTRACK, 300);
    bar->OnScroll(SB_ENDSCROLL, 0);
    EXPECT_EQ(grid.GetTopRow(), 1500);
    EXPECT_EQ(bar->GetScrollPos(), 300);

    bar->OnScroll(SB_LINEDOWN, 0);
    bar->OnScroll(SB_PAGEDOWN, 0);
    EXPECT_EQ(bar->GetScrollPos(), static_cast<int>(grid.GetTopRow() * 1000L / 5000));
}

// A three-position bar keeps its thumb in the middle; codes past SB_BOTTOM
// change nothing.
TEST(CUGVScroll, ThreePositionModeAndUnknownCodes)
{
    RecordingGrid grid;
    GridTestFrame frame(grid, 400, 300);
    grid.SetColumnCount(3);
    grid.SetRowCount(500);
    grid.GridInfo->VScrollThumbMode = 2;
    CUGVScroll* bar = grid.GetVScrollBar();
    bar->Update();
    SCROLLINFO info{sizeof info, SIF_ALL};
    bar->GetScrollInfo(&info);
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 2);
    EXPECT_EQ(info.nPos, 1);

    grid.log.Clear();
    bar->OnScroll(SB_ENDSCROLL, 0);
    EXPECT_EQ(grid.GetTopRow(), 0);
    EXPECT_EQ(grid.GridInfo->MoveKind, 0);
    bar->OnScroll(SB_LINEDOWN, 0);
    EXPECT_EQ(grid.GetTopRow(), 1);
}

// The hint keeps inside the control and is never narrower than asked.
TEST(CUGHint, PlacementKeepsTheHintInsideTheControl)
{
    RecordingGrid grid;
    GridTestFrame frame(grid, 400, 300);
    CUGHint* hint = grid.GetHint();
    auto placed = [&] {
        RECT rect;
        hint->GetWindowRect(&rect);
        grid.ScreenToClient(&rect);
        return rect;
    };
    hint->SetHintText(L"", FALSE);
    hint->SetHintPlacement(1);
    hint->MoveHintWindow(100, 100, 0);
    EXPECT_EQ(placed().right - placed().left, 4);
    hint->MoveHintWindow(100, 100, 40);
    EXPECT_EQ(placed().right - placed().left, 40);

    hint->SetHintPlacement(4);
    hint->MoveHintWindow(5, 100, 40);
    EXPECT_EQ(placed().left, 0);
    hint->SetHintPlacement(2 | 16);
    hint->MoveHintWindow(395, 5, 40);
    EXPECT_EQ(placed().right, 395);
    EXPECT_EQ(placed().top, 0);
    EXPECT_TRUE(hint->IsWindowVisible());
    hint->HideHint();
    EXPECT_FALSE(hint->IsWindowVisible());
}

// Tabs: at most 64, the first one current after the current one goes, and
// the slanted right edge of a tab still selects it.
TEST(CUGTab, TabsAreLimitedDeletedAndHitByTheirSlantedEdge)
{
    RecordingGrid grid;
    GridTestFrame frame(grid, 400, 300);
    grid.SetColumnCount(3);
    grid.SetRowCount(3);
    CUGTab* tabs = grid.GetTabs();
    for (int i = 0; i < CUGTab::MaxTabs; ++i)
        ASSERT_EQ(tabs->AddTab(L"Sheet", i), 0);
    EXPECT_EQ(tabs->AddTab(L"Sheet", 64), 1);
    EXPECT_EQ(tabs->InsertTab(0, L"Sheet", 64), 1);

    for (int i = 3; i < CUGTab::MaxTabs; ++i)
        tabs->DeleteTab(i);
    EXPECT_EQ(tabs->GetTabCount(), 3);
    EXPECT_EQ(tabs->SetCurrentTab(1), 1);
    EXPECT_EQ(tabs->DeleteTab(1), 1);
    EXPECT_EQ(tabs->GetCurrentTab(), 0);
    EXPECT_EQ(tabs->DeleteTab(1), 0);

    // With no width the strip takes no room.
    EXPECT_EQ(grid.GridInfo->TabRect.right, 0);
    grid.SetTabWidth(250);
    grid.AdjustComponentSizes();
    EXPECT_EQ(grid.GridInfo->TabRect.right, 250);

    RECT strip;
    tabs->GetClientRect(&strip);
    const int arrows = 2 * GetSystemMetrics(SM_CXHSCROLL);
    HDC screen = GetDC(nullptr);
    HFONT font = CreateFontW(14, 0, 0, 0, 500, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial");
    HGDIOBJ old = SelectObject(screen, font);
    SIZE label{};
    GetTextExtentPoint32W(screen, L"Sheet", 5, &label);
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    const int firstRight = arrows + label.cx + 10;
    grid.log.Clear();
    SendMessageW(tabs->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(firstRight + 2, 5));
    SendMessageW(tabs->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(firstRight + 2, 5));
    EXPECT_EQ(grid.log.Lines(), (std::vector<std::string>{"SheetTabSelected 0"}));
    SendMessageW(tabs->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(firstRight + 3, 5));
    EXPECT_EQ(grid.log.Lines().back(), "SheetTabSelected 2");
}
