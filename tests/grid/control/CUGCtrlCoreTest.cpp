#include "CUGCtrl.h"
#include "CUGGrid.h"
#include "FreedMemoryPoison.h"
#include "RecordingGrid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Lines = std::vector<std::string>;

namespace {

// A plain parent window with a static placeholder, as a dialog template
// would leave it.
struct PlaceholderParent {
    CWnd parent;
    HWND placeholder = nullptr;
    PlaceholderParent()
    {
        parent.CreateEx(0, nullptr, L"Parent", WS_POPUP | WS_VISIBLE, 0, 0, 500, 400, nullptr,
                        nullptr);
        placeholder = CreateWindowExW(0, L"STATIC", L"Static", WS_CHILD | WS_VISIBLE | SS_LEFT,
                                      20, 30, 300, 200, parent.m_hWnd,
                                      reinterpret_cast<HMENU>(1000), nullptr, nullptr);
    }
};

RECT WindowRectIn(HWND window, HWND parent)
{
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

// Creation makes every part a child of the control with its identifier and
// style; the default edit stays hidden, and the owner hears of the setup once.
TEST(CUGCtrlCore, CreationMakesThePartsAndRaisesSetupThenSheetSetup)
{
    RecordingGrid grid;
    GridTestFrame frame(grid, 400, 300);
    ASSERT_TRUE(grid.GetSafeHwnd());
    EXPECT_TRUE(grid.GetStyle() & WS_CLIPCHILDREN);
    for (int id : {1, 2, 3, 4, 5, 6, 7})
        EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(grid.m_hWnd, id))) << "part " << id;
    EXPECT_TRUE(::GetWindowLongW(::GetDlgItem(grid.m_hWnd, 6), GWL_STYLE) & SBS_VERT);
    HWND edit = ::GetDlgItem(grid.m_hWnd, 123);
    ASSERT_NE(edit, nullptr);
    EXPECT_FALSE(::IsWindowVisible(edit));
    EXPECT_EQ(::GetWindowLongW(edit, GWL_STYLE) & 0xFFFF0000, 0x40000000u);
    EXPECT_EQ(::GetWindowLongW(edit, GWL_STYLE) & (ES_MULTILINE | ES_AUTOVSCROLL),
              ES_MULTILINE | ES_AUTOVSCROLL);

    const Lines& lines = grid.log.Lines();
    const Lines setup(lines.end() - 2, lines.end());
    EXPECT_EQ(setup, (Lines{"Setup", "SheetSetup 0"}));
}

// Attaching takes over the placeholder's window: its place and id stay, the
// grid's styles are added, and a missing placeholder leaves everything as it
// was.
TEST(CUGCtrlCore, AttachingTakesThePlaceholdersPlaceAndId)
{
    PlaceholderParent dialog;
    RecordingGrid grid;
    ASSERT_EQ(grid.AttachToDialogItem(&dialog.parent, 1000), 1);
    EXPECT_EQ(grid.m_hWnd, dialog.placeholder);
    EXPECT_EQ(grid.GetDlgCtrlID(), 1000);
    const RECT place = WindowRectIn(grid.m_hWnd, dialog.parent.m_hWnd);
    EXPECT_EQ(place.left, 20);
    EXPECT_EQ(place.top, 30);
    EXPECT_EQ(grid.GetStyle() & 0x02810000u, 0x02810000u);
    EXPECT_NE(::GetDlgItem(grid.m_hWnd, 1), nullptr);
    EXPECT_EQ(grid.log.Lines().back(), "SheetSetup 0");

    RecordingGrid missing;
    EXPECT_EQ(missing.AttachToDialogItem(&dialog.parent, 999), 0);
    EXPECT_EQ(missing.GetSafeHwnd(), nullptr);
    EXPECT_TRUE(missing.log.Lines().empty());
}

// The layout gives the scroll bars no room when everything fits and no tab
// area is shown, keeps their configured sizes, and never hides the
// horizontal bar beside a tab area. The owner sees the rectangles first.
TEST(CUGCtrlCore, LayoutHidesScrollBarsOnlyWhenEverythingFits)
{
    RecordingGrid grid;
    GridTestFrame frame(grid, 400, 300);
    const int vWidth = grid.GridInfo->VScrollWidth;
    const int hHeight = grid.GridInfo->HScrollHeight;

    grid.SetColumnCount(2);
    grid.SetRowCount(3);
    grid.log.Clear();
    grid.AdjustComponentSizes();
    const CUGGridInfo& gi = *grid.GridInfo;
    EXPECT_EQ(gi.VScrollRect.right - gi.VScrollRect.left, 0);
    EXPECT_EQ(gi.HScrollRect.bottom - gi.HScrollRect.top, 0);
    EXPECT_EQ(gi.VScrollWidth, vWidth);
    EXPECT_EQ(gi.HScrollHeight, hHeight);
    EXPECT_EQ(gi.GridWidth, 400 - gi.RowHeadingWidth);
    // Painting the last row offers the owner to add rows past it.
    EXPECT_EQ(grid.log.Lines(), (Lines{"Layout 40 20 400 300", "RowsPastEnd 3 1 0"}));

    grid.SetTabWidth(100);
    grid.AdjustComponentSizes();
    EXPECT_EQ(gi.HScrollRect.bottom - gi.HScrollRect.top, hHeight);
    EXPECT_EQ(gi.TabRect.right, 100);

    grid.SetTabWidth(0);
    grid.SetRowCount(1000);
    grid.AdjustComponentSizes();
    EXPECT_EQ(gi.VScrollRect.left, 400 - vWidth);
    EXPECT_EQ(gi.GridHeight, 300 - gi.ColumnHeadingHeight);
}

// A size change lays the parts out again, with the cell area taking what
// the headings and bars leave.
TEST(CUGCtrlCore, SizingLaysThePartsOutAgain)
{
    RecordingGrid grid;
    GridTestFrame frame(grid, 400, 300);
    grid.SetColumnCount(30);
    grid.SetRowCount(100);
    grid.log.Clear();
    grid.MoveWindow(0, 0, 300, 200);
    const CUGGridInfo& gi = *grid.GridInfo;
    const int v = gi.VScrollWidth;
    const int h = gi.HScrollHeight;
    char expected[64];
    std::snprintf(expected, sizeof expected, "Layout 40 20 %d %d", 300 - v, 200 - h);
    EXPECT_EQ(grid.log.Lines(), (Lines{expected}));
    const RECT area = WindowRectIn(grid.GetCellArea()->m_hWnd, grid.m_hWnd);
    EXPECT_EQ(area.left, 40);
    EXPECT_EQ(area.top, 20);
    EXPECT_EQ(area.right, 300 - v);
    EXPECT_EQ(area.bottom, 200 - h);
}

// Each sheet keeps its own record: new sheets are set up in turn, the current
// one stays current, switching re-points the parts, and shrinking the count
// below the current sheet falls back to the last one left.
TEST(CUGCtrlCore, SheetsAreSetUpSwitchedAndRemoved)
{
    RecordingGrid grid;
    GridTestFrame frame(grid, 400, 300);
    CUGGridInfo* first = grid.GridInfo;
    grid.log.Clear();
    EXPECT_EQ(grid.SetSheetCount(0), 1);
    EXPECT_EQ(grid.SetSheetCount(CUGCtrl::MaxSheets + 1), 1);
    EXPECT_EQ(grid.SetSheetCount(3), 0);
    EXPECT_EQ(grid.log.Lines(), (Lines{"SheetSetup 1", "SheetSetup 2"}));
    EXPECT_EQ(grid.GridInfo, first);
    EXPECT_EQ(grid.GetSheetNumber(), 0);

    EXPECT_EQ(grid.SetSheetNumber(3), 1);
    EXPECT_EQ(grid.SetSheetNumber(2), 0);
    EXPECT_NE(grid.GridInfo, first);
    EXPECT_EQ(grid.GetCellArea()->m_GI, grid.GridInfo);
    EXPECT_EQ(CWnd::GetFocus(), grid.GetCellArea());

    EXPECT_EQ(grid.SetSheetCount(2), 0);
    EXPECT_EQ(grid.GetSheetNumber(), 1);
    EXPECT_EQ(grid.GetCellArea()->m_GI, grid.GridInfo);
}

// Menu commands reach the owner with the cell the menu was opened for; the
// menu is refused while it is disabled or the owner says no.
TEST(CUGCtrlCore, PopupMenuIsAskedForAndReportsItsCommands)
{
    RecordingGrid grid;
    GridTestFrame frame(grid, 400, 300);
    EXPECT_EQ(grid.AddMenuItem(1001, L"First"), 0);
    EXPECT_EQ(grid.AddMenuItem(-1, nullptr), 0);
    POINT point{50, 50};
    EXPECT_EQ(grid.ShowPopupMenu(1, 2, &point, 1), 1);
    grid.EnablePopupMenu(1);
    grid.allowMenu = 0;
    grid.log.Clear();
    EXPECT_EQ(grid.ShowPopupMenu(1, 2, &point, 1), 2);
    EXPECT_EQ(grid.log.Lines(), (Lines{"AskMenuStart 1 2 1"}));

    grid.log.Clear();
    grid.SendMessage(WM_COMMAND, MAKEWPARAM(999, 0), 0);
    grid.SendMessage(WM_COMMAND, MAKEWPARAM(1001, 0), 0);
    EXPECT_EQ(grid.log.Lines(), (Lines{"MenuCommand -1 -1 0 1001"}));
    EXPECT_EQ(grid.RemoveMenuItem(1001), 0);
    EXPECT_EQ(grid.RemoveMenuItem(1001), 1);
}

// The control wants every key and hands its focus to the cell area.
TEST(CUGCtrlCore, TheControlWantsAllKeysAndPassesTheFocusOn)
{
    RecordingGrid grid;
    GridTestFrame frame(grid, 400, 300);
    EXPECT_EQ(grid.SendMessage(WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTALLKEYS);
    ::SetFocus(frame.m_hWnd);
    ::SetFocus(grid.m_hWnd);
    EXPECT_EQ(::GetFocus(), grid.GetCellArea()->m_hWnd);
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
