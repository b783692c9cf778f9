#include "CUGCtrl.h"
#include "CUGGrid.h"
#include "FreedMemoryPoison.h"
#include "RecordingGrid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Lines = std::vector<std::string>;

namespace {

CRect WindowRectIn(HWND window, HWND parent)
{
    CRect rect;
    GetWindowRect(window, &rect);
    return MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2), rect;
}

}  // namespace

// Creation makes every part a child with its id and style, the default edit
// hidden; the control wants every key, hands its focus to the cell area, and
// the owner hears of the setup once.
TEST(CUGCtrlCore, CreationMakesThePartsAndRaisesSetupThenSheetSetup)
{
    RecordingGrid grid;
    GridTestFrame frame(grid, 400, 300);
    EXPECT_TRUE(grid.GetStyle() & WS_CLIPCHILDREN);
    for (int id : {1, 2, 3, 4, 5, 6, 7})
        EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(grid.m_hWnd, id))) << "part " << id;
    EXPECT_TRUE(::GetWindowLongW(::GetDlgItem(grid.m_hWnd, 6), GWL_STYLE) & SBS_VERT);
    HWND edit = ::GetDlgItem(grid.m_hWnd, 123);
    ASSERT_TRUE(edit && !::IsWindowVisible(edit));
    EXPECT_EQ(::GetWindowLongW(edit, GWL_STYLE) & 0xFFFF0044u,
              0x40000000u | ES_MULTILINE | ES_AUTOVSCROLL);
    EXPECT_EQ(Lines(grid.log.Lines().end() - 2, grid.log.Lines().end()),
              (Lines{"Setup", "SheetSetup 0"}));
    EXPECT_EQ(grid.SendMessage(WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTALLKEYS);
    ::SetFocus(frame.m_hWnd), ::SetFocus(grid.m_hWnd);
    EXPECT_EQ(::GetFocus(), grid.GetCellArea()->m_hWnd);
}

// Attaching takes over a dialog's placeholder: its place and id stay and
// the grid's styles are added; a missing placeholder leaves all as it was.
TEST(CUGCtrlCore, AttachingTakesThePlaceholdersPlaceAndId)
{
    CWnd parent;
    parent.CreateEx(0, nullptr, L"Parent", WS_POPUP | WS_VISIBLE, 0, 0, 500, 400, nullptr, nullptr);
    HWND placeholder = CreateWindowExW(0, L"STATIC", L"Static", WS_CHILD | WS_VISIBLE, 20, 30, 300,
                                       200, parent.m_hWnd, reinterpret_cast<HMENU>(1000), nullptr,
                                       nullptr);
    RecordingGrid grid, missing;
    ASSERT_EQ(grid.AttachToDialogItem(&parent, 1000), 1);
    EXPECT_EQ(std::pair(grid.m_hWnd, grid.GetDlgCtrlID()), std::pair(placeholder, 1000));
    EXPECT_EQ(WindowRectIn(grid.m_hWnd, parent.m_hWnd).TopLeft(), CPoint(20, 30));
    EXPECT_EQ(grid.GetStyle() & 0x02810000u, 0x02810000u);
    EXPECT_NE(::GetDlgItem(grid.m_hWnd, 1), nullptr);
    EXPECT_EQ(grid.log.Lines().back(), "SheetSetup 0");
    EXPECT_EQ(missing.AttachToDialogItem(&parent, 999), 0);
    EXPECT_TRUE(!missing.GetSafeHwnd() && missing.log.Lines().empty());
}

// The layout hides the scroll bars (keeping their sizes) only when everything
// fits and no tab area is shown; the owner sees the rectangles first. A size
// change lays the parts out again, the cell area taking what is left.
TEST(CUGCtrlCore, LayoutHidesScrollBarsOnlyWhenEverythingFits)
{
    RecordingGrid grid;
    GridTestFrame frame(grid, 400, 300);
    const CUGGridInfo& gi = *grid.GridInfo;
    const int v = gi.VScrollWidth, h = gi.HScrollHeight;
    grid.SetColumnCount(2), grid.SetRowCount(3), grid.log.Clear();
    grid.AdjustComponentSizes();
    EXPECT_EQ(std::tuple(gi.VScrollRect.right - gi.VScrollRect.left,
                         gi.HScrollRect.bottom - gi.HScrollRect.top, gi.VScrollWidth,
                         gi.HScrollHeight, gi.GridWidth),
              std::tuple(0L, 0L, v, h, 400 - gi.RowHeadingWidth));
    // Painting the last row offers the owner to add rows past it.
    EXPECT_EQ(grid.log.Lines(), (Lines{"Layout 40 20 400 300", "RowsPastEnd 3 1 0"}));
    grid.SetTabWidth(100), grid.AdjustComponentSizes();
    EXPECT_EQ(std::pair(gi.HScrollRect.bottom - gi.HScrollRect.top, gi.TabRect.right),
              std::pair(long{h}, 100L));
    grid.SetTabWidth(0), grid.SetRowCount(1000), grid.AdjustComponentSizes();
    EXPECT_EQ(std::pair(gi.VScrollRect.left, gi.GridHeight),
              std::pair(long{400 - v}, 300 - gi.ColumnHeadingHeight));

    grid.SetColumnCount(30), grid.log.Clear(), grid.MoveWindow(0, 0, 300, 200);
    char expected[64];
    std::snprintf(expected, sizeof expected, "Layout 40 20 %d %d", 300 - v, 200 - h);
    EXPECT_EQ(grid.log.Lines(), (Lines{expected}));
    EXPECT_EQ(WindowRectIn(grid.GetCellArea()->m_hWnd, grid.m_hWnd),
              CRect(40, 20, 300 - v, 200 - h));
}

// Each sheet keeps its own record: new ones are set up in turn, switching
// re-points the parts, and fewer sheets fall back to the last one left.
TEST(CUGCtrlCore, SheetsAreSetUpSwitchedAndRemoved)
{
    RecordingGrid grid;
    GridTestFrame frame(grid, 400, 300);
    CUGGridInfo* first = grid.GridInfo;
    grid.log.Clear();
    EXPECT_EQ(grid.SetSheetCount(0) + grid.SetSheetCount(CUGCtrl::MaxSheets + 1), 2);
    EXPECT_EQ(grid.SetSheetCount(3), 0);
    EXPECT_EQ(grid.log.Lines(), (Lines{"SheetSetup 1", "SheetSetup 2"}));
    EXPECT_EQ(std::pair(grid.GridInfo, grid.GetSheetNumber()), std::pair(first, 0));
    EXPECT_EQ(grid.SetSheetNumber(3), 1);
    EXPECT_EQ(grid.SetSheetNumber(2), 0);
    EXPECT_NE(grid.GridInfo, first);
    EXPECT_EQ(std::pair(grid.GetCellArea()->m_GI, CWnd::GetFocus()),
              std::pair(grid.GridInfo, static_cast<CWnd*>(grid.GetCellArea())));
    EXPECT_EQ(grid.SetSheetCount(2), 0);
    EXPECT_EQ(grid.GetSheetNumber(), 1);
    EXPECT_EQ(grid.GetCellArea()->m_GI, grid.GridInfo);
}

// Removing the current sheet first makes the last remaining sheet current and
// only then frees the removed sheet's record, which the parts, an open edit
// and the switch itself still read. With freed memory poisoned, a read of the
// freed record shows as a poisoned tab width or a crash.
TEST(CUGCtrlCore, RemovingTheCurrentSheetSwitchesBeforeItsRecordGoes)
{
    FreedMemoryPoison poison;
    for (bool editing : {true, false}) {
        SCOPED_TRACE(editing ? "an edit open" : "the focus outside the cell area");
        RecordingGrid grid;
        GridTestFrame frame(grid, 400, 300);
        grid.SetTabWidth(120);
        grid.SetSheetCount(3);
        grid.SetSheetNumber(2);
        grid.SetColumnCount(3);
        grid.SetRowCount(3);
        if (editing)
            ASSERT_EQ(grid.StartEdit(1, 1, 'x'), 0);
        else
            ::SetFocus(frame.m_hWnd);
        grid.log.Clear();

        EXPECT_EQ(grid.SetSheetCount(2), 0);
        EXPECT_EQ(grid.GetSheetNumber(), 1);
        EXPECT_EQ(grid.GridInfo->TabWidth, 120);
        EXPECT_EQ(grid.GetCellArea()->m_GI, grid.GridInfo);
        EXPECT_EQ(CWnd::GetFocus(), grid.GetCellArea());
        EXPECT_FALSE(grid.IsEditInProgress());
        // The edit ends first, on its own sheet, as any leaving of it would.
        const Lines first = editing ? Lines{"AskEditFinish 1 1 x 0", "CellStoring 1 1 x"}
                                    : Lines{"FocusGained 1"};
        const Lines& lines = grid.log.Lines();
        ASSERT_GE(lines.size(), first.size());
        EXPECT_EQ(Lines(lines.begin(), lines.begin() + first.size()), first);
    }
}
