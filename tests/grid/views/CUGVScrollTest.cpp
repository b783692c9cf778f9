// The scroll bars, the hint window and the sheet tabs of a grid in a
// 400 x 300 frame.
#include "CClientDC.h"
#include "CUGHScroll.h"
#include "CUGHint.h"
#include "CUGTab.h"
#include "CUGVScroll.h"
#include "RecordingGrid.h"

#include <gtest/gtest.h>

namespace {

struct Framed {
    RecordingGrid grid;
    GridTestFrame frame{grid, 400, 300};
    CUGVScroll* bar = grid.GetVScrollBar();
    // A sheet of 60 columns whose last possible top row is `maxTopRow`.
    explicit Framed(long maxTopRow, int lockedRows = 0)
    {
        grid.SetColumnCount(60);
        grid.SetRowCount(10);
        grid.SetLockedRows(lockedRows);
        grid.SetRowCount(maxTopRow + 1000);
        grid.SetRowCount(maxTopRow + 1000 - (grid.GridInfo->MaxTopRow - maxTopRow));
        bar->Update();
    }
};

}  // namespace

// Every code of both bars moves the sheet, unknown codes nothing, and the
// thumb then shows where the sheet is: the top row, or the left column
// counted from the first column after the locked ones.
TEST(ScrollBars, CodesMoveTheSheetAndTheThumbFollows)
{
    Framed f(480);
    CUGGridInfo* gi = f.grid.GridInfo;
    f.grid.SetLockedColumns(2);
    EXPECT_EQ(f.bar->GetToolTipWindow(), nullptr) << "no tips without scroll hints";
    const struct {
        bool vertical;
        UINT code;
        long low, high;  // where the top row or left column ends, from 20; -1: the last
    } cases[] = {
        {true, SB_LINEUP, 19, 19},    {true, SB_LINEDOWN, 21, 21},      {true, SB_PAGEUP, 0, 17},
        {true, SB_PAGEDOWN, 23, 480}, {true, SB_TOP, 0, 0},             {true, SB_BOTTOM, -1, -1},
        {true, SB_THUMBPOSITION, 30, 30}, {true, SB_BOTTOM + 1, 20, 20}, {false, SB_LINELEFT, 19, 19},
        {false, SB_LINERIGHT, 21, 21}, {false, SB_PAGELEFT, 2, 18},     {false, SB_PAGERIGHT, 22, 59},
        {false, SB_LEFT, 2, 2},       {false, SB_RIGHT, -1, -1},        {false, SB_THUMBPOSITION, 32, 32},
        {false, SB_RIGHT + 1, 20, 20},
    };
    for (const auto& test : cases) {
        f.grid.SetTopRow(20);
        f.grid.SetLeftColumn(20);
        test.vertical ? f.bar->OnScroll(test.code, 30) : f.grid.GetHScrollBar()->OnScroll(test.code, 30);
        const long at = test.vertical ? gi->TopRow : gi->LeftCol;
        const long last = test.vertical ? gi->MaxTopRow : gi->MaxLeftCol;
        EXPECT_GE(at, test.low < 0 ? last : test.low) << test.vertical << " code " << test.code;
        EXPECT_LE(at, test.high < 0 ? last : test.high) << test.vertical << " code " << test.code;
        EXPECT_EQ(f.bar->GetScrollPos(), gi->TopRow);
        EXPECT_EQ(f.grid.GetHScrollBar()->GetScrollPos(), gi->LeftCol - gi->LockedCols);
    }
}

// Above 1000 possible top rows the bar works in 1000 positions: its range,
// the top row a thumb position gives, and the thumb a top row gives.
TEST(ScrollBars, LongSheetsAreScaledToAThousandPositions)
{
    const struct {
        long maxTopRow;
        int lockedRows;
        UINT thumb;
        int rangeMax;  // -1: not scaled, page + maxTopRow - 1
        long topRow;
    } cases[] = {{999, 0, 500, -1, 500},      {1000, 0, 500, -1, 500},       {1001, 0, 1000, 1000, 1001},
                 {5000, 2, 500, 1000, 2500},  {999000, 0, 1000, 1000, 999000}, {999000, 0, 1, 1000, 999}};
    for (const auto& c : cases) {
        Framed f(c.maxTopRow, c.lockedRows);
        SCROLLINFO info{sizeof info, SIF_ALL};
        f.bar->GetScrollInfo(&info);
        EXPECT_EQ(info.nMin, c.lockedRows) << c.maxTopRow;
        EXPECT_EQ(info.nMax, c.rangeMax >= 0 ? c.rangeMax : int(info.nPage) + c.maxTopRow - 1) << c.maxTopRow;
        f.bar->OnScroll(SB_THUMBPOSITION, c.thumb);
        EXPECT_EQ(f.grid.GetTopRow(), c.topRow) << c.maxTopRow;
        EXPECT_EQ(f.bar->GetScrollPos(), c.maxTopRow > 1000 ? c.topRow * 1000 / c.maxTopRow : c.topRow);
    }
}

// While the thumb is dragged in live mode the sheet follows it; the thumb is
// where the sheet is once the drag ends, released or not. A three-position
// bar keeps its thumb in the middle.
TEST(ScrollBars, ThumbDragsAndTheThreePositionBar)
{
    Framed f(5000);
    f.grid.GridInfo->VScrollThumbMode = 1;
    f.bar->OnScroll(SB_THUMBTRACK, 700);
    EXPECT_EQ(f.grid.GetTopRow(), 3500);
    f.bar->OnScroll(SB_THUMBPOSITION, 700);
    EXPECT_EQ(f.bar->GetScrollPos(), 700);
    f.bar->OnScroll(SB_THUMBTRACK, 300);
    f.bar->OnScroll(SB_ENDSCROLL, 0);
    EXPECT_EQ(f.grid.GetTopRow(), 1500);
    EXPECT_EQ(f.bar->GetScrollPos(), 300);

    Framed three(480);
    three.grid.GridInfo->VScrollThumbMode = 2;
    three.bar->Update();
    SCROLLINFO info{sizeof info, SIF_ALL};
    three.bar->GetScrollInfo(&info);
    EXPECT_EQ(info.nMin * 100 + info.nMax * 10 + info.nPos, 21);
    three.bar->OnScroll(SB_LINEDOWN, 0);
    EXPECT_EQ(three.grid.GetTopRow(), 1);
}

// The hint keeps inside the control, is never narrower than its text and 4
// pixels or than asked, and shows its text on light yellow.
TEST(CUGHint, PlacementKeepsTheHintInsideTheControl)
{
    Framed f(10);
    CUGHint* hint = f.grid.GetHint();
    auto placed = [&](int placement, int x, int y, int minWidth) {
        hint->SetHintPlacement(placement);
        hint->MoveHintWindow(x, y, minWidth);
        RECT rect;
        hint->GetWindowRect(&rect);
        f.grid.ScreenToClient(&rect);
        return rect;
    };
    hint->SetHintText(L"", FALSE);
    EXPECT_EQ(placed(1, 100, 100, 0).right, 104);
    EXPECT_EQ(placed(1, 100, 100, 40).right, 140);
    hint->SetHintText(L"        ", FALSE);
    EXPECT_EQ(placed(4, 5, 100, 40).left, 0) << "centred at 5, moved into the control";
    EXPECT_EQ(::GetPixel(CClientDC(hint), 20, 5), RGB(255, 255, 224));
    const RECT corner = placed(2 | 16, 395, 5, 40);
    EXPECT_EQ(corner.right * 1000 + corner.top, 395000);
    EXPECT_TRUE(hint->IsWindowVisible());
    hint->HideHint();
    EXPECT_FALSE(hint->IsWindowVisible());
}

// Tabs: at most 64; the strip repaints when its arrows or a new current tab
// scroll it; the first one is current after the current one goes; each tab
// is a trapezoid whose slanted right edge still selects it.
TEST(CUGTab, TabsAreLimitedDeletedAndHitByTheirSlantedEdge)
{
    Framed f(10);
    CUGTab* tabs = f.grid.GetTabs();
    EXPECT_EQ(f.grid.GridInfo->TabRect.right, 0) << "with no width the strip takes no room";
    f.grid.SetTabWidth(250);
    f.grid.AdjustComponentSizes();
    for (int i = 0; i < CUGTab::MaxTabs; ++i)
        ASSERT_EQ(tabs->AddTab(L"Sheet", i), 0);
    EXPECT_EQ(tabs->AddTab(L"Sheet", 64) + tabs->InsertTab(0, L"Sheet", 64), 2);
    const LPARAM arrows = reinterpret_cast<LPARAM>(::GetDlgItem(tabs->m_hWnd, 100));
    for (int change = 0; change < 2; ++change) {
        ::ValidateRect(tabs->m_hWnd, nullptr);
        change ? tabs->SetCurrentTab(40) : ::SendMessageW(tabs->m_hWnd, WM_HSCROLL, SB_LINERIGHT, arrows);
        EXPECT_TRUE(::GetUpdateRect(tabs->m_hWnd, nullptr, FALSE)) << "the strip repaints";
    }
    for (int i = 3; i < CUGTab::MaxTabs; ++i)
        tabs->DeleteTab(i);
    EXPECT_EQ(tabs->SetCurrentTab(1) + tabs->DeleteTab(1), 2);
    EXPECT_EQ(tabs->GetCurrentTab(), 0);
    EXPECT_EQ(tabs->DeleteTab(1), 0);

    HDC screen = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(screen, ::CreateFontW(14, 0, 0, 0, 500, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial"));
    SIZE label{};
    ::GetTextExtentPoint32W(screen, L"Sheet", 5, &label);
    ::DeleteObject(::SelectObject(screen, old));
    ::ReleaseDC(nullptr, screen);
    const int firstRight = 2 * GetSystemMetrics(SM_CXHSCROLL) + label.cx + 10;
    const int lastRight = firstRight + label.cx + 10;
    tabs->RedrawAll();
    EXPECT_EQ(::GetPixel(CClientDC(tabs), lastRight + 9, 0), RGB(0, 0, 0)) << "the slant's top";
    EXPECT_EQ(::GetPixel(CClientDC(tabs), lastRight + 10, 0), GetSysColor(COLOR_BTNFACE));
    f.grid.log.Clear();
    for (int x : {firstRight + 2, firstRight + 3})
        ::SendMessageW(tabs->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
    EXPECT_EQ(f.grid.log.Lines(), (std::vector<std::string>{"SheetTabSelected 0", "SheetTabSelected 2"}));
}
