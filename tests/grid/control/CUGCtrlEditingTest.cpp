#include "CUGGrid.h"
#include "EditingGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

namespace {

bool Logged(const EditingGrid& g, const std::string& line)
{
    const Lines& lines = g.grid.log.Lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace

// The move commits first, then source and owner are asked; the edit opens
// focused over the cell (inside its grid lines) with its text, and the
// selection goes. A refusal opens nothing; only a refused move stays put.
TEST(CUGCtrlEditing, StartMovesThenAsksSourceThenOwnerAndOpensOverTheCell)
{
    EditingGrid g;
    g.grid.QuickSetText(1, 2, L"old");
    CUGBlockSelection& selection = *g.grid.GridInfo->MultiSelect;
    selection.SetMode(1), selection.StartBlock(0, 0), selection.ExtendBlock(2, 3);
    g.grid.log.Clear();
    ASSERT_EQ(g.grid.StartEdit(1, 2, 0), 0);
    EXPECT_EQ(g.grid.log.Lines(),
              (Lines{"AskMoveCurrentCell 0 0 1 2", "CurrentColumnChanged 0 1",
                     "CurrentRowChanged 0 2", "CurrentCellChanged 0 1 0 2",
                     "Source AskEditStart 1 2", "AskEditStart 1 2", "FocusLost 1"}));
    HWND edit = g.grid.GetDefaultEdit()->m_hWnd;
    EXPECT_TRUE(g.grid.IsEditInProgress() && ::IsWindowVisible(edit) && g.Focus() == edit);
    EXPECT_EQ(::GetParent(edit), g.grid.GetCellArea()->m_hWnd);
    CRect place;
    ::GetWindowRect(edit, &place);
    ::MapWindowPoints(nullptr, g.grid.GetCellArea()->m_hWnd, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place, CRect(75, 40, 149, 59));
    EXPECT_EQ(EditingGrid::TextOf(edit), L"old");
    EXPECT_EQ(selection.GetBlockCount(), 0);
    g.grid.CancelEdit();

    CUGCellType noEdit;
    noEdit.SetUseDefaultEdit(0);
    const int noEditType = g.grid.AddCellType(&noEdit);
    const struct {
        int col;
        long row;
        std::function<void()> arrange;
        int result, currentCol;
        long currentRow;
    } refusals[] = {
        {1, 1, [&] { g.grid.QuickSetReadOnly(1, 1, 1); }, 1, 1, 1},
        {2, 1, [&] { g.grid.QuickSetCellType(2, 1, noEditType); }, 1, 2, 1},
        {3, 1, [&] { g.source.allowEditStart = 0; }, 1, 3, 1},
        {4, 1, [&] { g.source.allowEditStart = 2; }, 1, 4, 1},
        {1, 2, [&] { g.grid.allowEditStart = 0; }, 1, 1, 2},
        {2, 2, [&] { g.grid.allowMove = 0; }, 2, 1, 2},
        {-1, -1, [] {}, 1, 1, 2},  // the corner
    };
    for (const auto& c : refusals) {
        g.source.allowEditStart = g.grid.allowEditStart = g.grid.allowMove = 1, c.arrange();
        EXPECT_EQ(g.grid.StartEdit(c.col, c.row, 0), c.result) << c.col << "," << c.row;
        EXPECT_FALSE(g.grid.IsEditInProgress() || ::IsWindowVisible(edit));
        EXPECT_EQ(std::pair(g.grid.GetCurrentCol(), g.grid.GetCurrentRow()),
                  std::pair(c.currentCol, c.currentRow));
    }
}

// The starting key is the first input; Enter finishes, stores and goes on
// below, asking in this order. A refused finish keeps the edit open and
// focused with the user's text; once allowed, the edit goes on.
TEST(CUGCtrlEditing, EnterFinishesStoresAndContinuesBelowInOrder)
{
    EditingGrid g;
    ASSERT_EQ(g.grid.StartEdit(1, 1, 'n'), 0);
    g.Type(L"ew");
    g.grid.log.Clear();
    g.Key(VK_RETURN);
    EXPECT_EQ(g.grid.log.Lines(),
              (Lines{"Source AskEditFinish 1 1 new 0", "AskEditFinish 1 1 new 0",
                     "CellStoring 1 1 new", "Source AskEditContinue 1 1 1 2",
                     "AskEditContinue 1 1 1 2", "AskMoveCurrentCell 1 1 1 2",
                     "CurrentRowChanged 1 2", "CurrentCellChanged 1 1 1 2",
                     "Source AskEditStart 1 2", "AskEditStart 1 2"}));
    EXPECT_EQ(g.CellText(1, 1) + std::to_wstring(g.grid.GetEditRow()), L"new2");
    HWND edit = g.Focus();
    ::SetWindowTextW(edit, L"bad");
    g.grid.allowEditFinish = 0;
    g.Key(VK_TAB);
    EXPECT_TRUE(g.grid.IsEditInProgress() && ::IsWindowVisible(edit) && g.Focus() == edit);
    EXPECT_EQ(EditingGrid::TextOf(edit), L"bad");
    EXPECT_EQ(g.CellText(1, 2) + std::to_wstring(g.grid.GetEditCol()), L"1");
    g.grid.allowEditFinish = 1;
    g.Key(VK_TAB);
    EXPECT_EQ(g.CellText(1, 2) + std::to_wstring(g.grid.GetEditCol()), L"bad2");
}

// Going on wraps at the edges (Tab to column 0 of the row, Shift+Tab to the
// last column, Enter and Down to row 0, Up to the last row), and a joined
// block is one cell, in the first column as in any other: leaving its
// origin skips it, arriving inside edits it.
TEST(CUGCtrlEditing, ContinuingWrapsAtTheEdgesAndTreatsAJoinedBlockAsOne)
{
    const std::tuple<int, long, UINT, int, const char*> cases[] = {
        {4, 1, VK_TAB, 0, "AskEditContinue 4 1 0 1"},
        {0, 1, VK_TAB, VK_SHIFT, "AskEditContinue 0 1 4 1"},
        {1, 39, VK_RETURN, 0, "AskEditContinue 1 39 1 0"},
        {3, 39, VK_DOWN, 0, "AskEditContinue 3 39 3 0"},
        {1, 0, VK_UP, 0, "AskEditContinue 1 0 1 39"},
        {1, 1, VK_TAB, 0, "AskEditContinue 1 1 3 1"},
        {1, 1, VK_RETURN, 0, "AskEditContinue 1 1 1 3"},
        {0, 2, VK_TAB, 0, "AskEditContinue 0 2 1 1"},
        {3, 1, VK_TAB, VK_SHIFT, "AskEditContinue 3 1 1 1"},
        {0, 5, VK_UP, 0, "AskEditContinue 0 5 0 3"},
        {0, 3, VK_RETURN, 0, "AskEditContinue 0 3 0 5"}};
    for (const auto& [col, row, key, held, asked] : cases) {
        EditingGrid g;
        g.grid.JoinCells(1, 1, 2, 2);
        g.grid.JoinCells(0, 3, 0, 4);
        ASSERT_EQ(g.grid.StartEdit(col, row, 0), 0);
        HeldKeys keys{held};
        g.Key(key);
        EXPECT_TRUE(Logged(g, asked)) << asked;
        EXPECT_EQ(g.grid.IsEditInProgress(), 1) << asked;
    }
}

// Escape, a cancelled finish, CancelEdit and leaving the window store
// nothing; without cancel-on-focus-loss leaving keeps the text; a finish
// with no edit open counts as cancelled.
TEST(CUGCtrlEditing, CancellingStoresNothing)
{
    CWnd outside;
    outside.CreateEx(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE, 600, 400, 50, 20, nullptr, nullptr);
    const struct {
        std::function<void(EditingGrid&)> act;
        int editCol;  // where the edit went on, -1 when it ended
        bool asked;
    } cases[] = {
        {[](EditingGrid& g) { g.Key(VK_ESCAPE); }, -1, true},
        {[](EditingGrid& g) { g.grid.FinishEdit(L"typed", 1, 1, 2, 3); }, 2, true},
        {[](EditingGrid& g) { g.grid.CancelEdit(); }, -1, false},
        {[&](EditingGrid&) { outside.SetFocus(); }, -1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        EditingGrid g;
        ASSERT_EQ(g.grid.StartEdit(1, 1, 0), 0);
        ::SetWindowTextW(g.Focus(), L"typed");
        g.grid.log.Clear();
        c.act(g);
        EXPECT_EQ(g.CellText(1, 1), L"");
        EXPECT_EQ(Logged(g, "AskEditFinish 1 1 typed 1"), c.asked);
        EXPECT_EQ(g.grid.IsEditInProgress() ? g.grid.GetEditCol() : -1, c.editCol);
    }
    EditingGrid g;
    g.grid.SetCancelEditOnFocusLoss(0);
    ASSERT_EQ(g.grid.StartEdit(1, 1, 0), 0);
    ::SetWindowTextW(g.Focus(), L"kept");
    outside.SetFocus();
    EXPECT_EQ(g.grid.FinishEdit(L"late", 0, 1, 2, 2), 1);
    EXPECT_EQ(g.CellText(1, 1), L"kept");
    EXPECT_FALSE(g.grid.IsEditInProgress());
}
