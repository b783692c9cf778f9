#include "CUGEdit.h"
#include "CUGGrid.h"
#include "CUGTopHdg.h"
#include "EditingGrid.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

namespace {

RECT RectIn(HWND window, HWND parent)
{
    RECT rect;
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Contains(const Lines& lines, const std::string& line)
{
    for (const std::string& l : lines)
        if (l == line)
            return true;
    return false;
}

}  // namespace

// The move to the cell commits first, then the data source and the owner
// are asked; the edit opens over the cell (one pixel inside its right and
// bottom grid line) with the cell's text, focused, and the selection is gone.
TEST(CUGCtrlEditing, StartMovesThenAsksSourceThenOwnerAndOpensOverTheCell)
{
    EditingGrid g;
    g.grid.QuickSetText(1, 2, L"old");
    g.grid.GridInfo->MultiSelect->SetMode(1);
    g.grid.GridInfo->MultiSelect->StartBlock(0, 0);
    g.grid.GridInfo->MultiSelect->ExtendBlock(2, 3);
    g.grid.log.Clear();

    ASSERT_EQ(g.grid.StartEdit(1, 2, 0), 0);
    EXPECT_EQ(g.grid.log.Lines(),
              (Lines{"AskMoveCurrentCell 0 0 1 2", "CurrentColumnChanged 0 1",
                     "CurrentRowChanged 0 2", "CurrentCellChanged 0 1 0 2",
                     "Source AskEditStart 1 2", "AskEditStart 1 2", "FocusLost 1"}));
    HWND edit = g.grid.GetDefaultEdit()->m_hWnd;
    EXPECT_TRUE(::IsWindowVisible(edit));
    EXPECT_EQ(g.Focus(), edit);
    EXPECT_EQ(::GetParent(edit), g.grid.GetCellArea()->m_hWnd);
    const RECT place = RectIn(edit, g.grid.GetCellArea()->m_hWnd), cell{75, 40, 149, 59};
    EXPECT_TRUE(::EqualRect(&place, &cell));
    EXPECT_EQ(EditingGrid::TextOf(edit), L"old");
    EXPECT_EQ(g.grid.GridInfo->MultiSelect->GetBlockCount(), 0);
    EXPECT_TRUE(g.grid.IsEditInProgress());
}

// Each refusal leaves no edit open; only a refused move keeps the current
// cell where it was.
TEST(CUGCtrlEditing, RefusedStartsOpenNothing)
{
    EditingGrid g;
    CUGCellType noEdit;
    noEdit.SetUseDefaultEdit(0);
    const int noEditType = g.grid.AddCellType(&noEdit);
    struct Case {
        const char* what;
        int col;
        long row;
        std::function<void()> arrange;
        int result;
        int currentCol;
        long currentRow;
    };
    const std::vector<Case> cases = {
        {"read-only cell", 1, 1, [&] { g.grid.QuickSetReadOnly(1, 1, 1); }, 1, 1, 1},
        {"type without edit", 2, 1, [&] { g.grid.QuickSetCellType(2, 1, noEditType); }, 1, 2, 1},
        {"source refuses", 3, 1, [&] { g.source.allowEditStart = 0; }, 1, 3, 1},
        {"source answers 2", 4, 1, [&] { g.source.allowEditStart = 2; }, 1, 4, 1},
        {"owner refuses", 1, 2, [&] { g.grid.allowEditStart = 0; }, 1, 1, 2},
        {"move refused", 2, 2, [&] { g.grid.allowMove = 0; }, 2, 1, 2},
        {"the corner", -1, -1, [] {}, 1, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g.source.allowEditStart = 1;
        g.grid.allowEditStart = 1;
        g.grid.allowMove = 1;
        c.arrange();
        EXPECT_EQ(g.grid.StartEdit(c.col, c.row, 0), c.result);
        EXPECT_FALSE(g.grid.IsEditInProgress());
        EXPECT_FALSE(::IsWindowVisible(g.grid.GetDefaultEdit()->m_hWnd));
        EXPECT_EQ(g.grid.GetCurrentCol(), c.currentCol);
        EXPECT_EQ(g.grid.GetCurrentRow(), c.currentRow);
    }
}

// Enter: finish (source, owner), store through SetCell, continue (source,
// owner), then the next edit's move and start, in this order.
TEST(CUGCtrlEditing, EnterFinishesStoresAndContinuesBelowInOrder)
{
    EditingGrid g;
    ASSERT_EQ(g.grid.StartEdit(1, 1, 'n'), 0);
    EXPECT_EQ(EditingGrid::TextOf(g.Focus()), L"n");
    g.Type(L"ew");
    g.grid.log.Clear();
    g.Key(VK_RETURN);
    EXPECT_EQ(g.grid.log.Lines(),
              (Lines{"Source AskEditFinish 1 1 new 0", "AskEditFinish 1 1 new 0",
                     "CellStoring 1 1 new", "Source AskEditContinue 1 1 1 2",
                     "AskEditContinue 1 1 1 2", "AskMoveCurrentCell 1 1 1 2",
                     "CurrentRowChanged 1 2", "CurrentCellChanged 1 1 1 2",
                     "Source AskEditStart 1 2", "AskEditStart 1 2"}));
    EXPECT_EQ(g.CellText(1, 1), L"new");
    EXPECT_EQ(g.grid.GetEditRow(), 2);
    EXPECT_EQ(g.Focus(), g.grid.GetDefaultEdit()->m_hWnd);
}

// A refused finish stores nothing and leaves the edit open, focused and with
// the user's text; once allowed, the same key goes on.
TEST(CUGCtrlEditing, RefusedFinishKeepsTheEditorOpen)
{
    EditingGrid g;
    ASSERT_EQ(g.grid.StartEdit(1, 1, 0), 0);
    HWND edit = g.Focus();
    ::SetWindowTextW(edit, L"bad");
    g.grid.allowEditFinish = 0;
    g.Key(VK_TAB);
    EXPECT_TRUE(g.grid.IsEditInProgress());
    EXPECT_EQ(g.Focus(), edit);
    EXPECT_TRUE(::IsWindowVisible(edit));
    EXPECT_EQ(EditingGrid::TextOf(edit), L"bad");
    EXPECT_FALSE(Contains(g.grid.log.Lines(), "CellStoring 1 1 bad"));
    EXPECT_EQ(g.grid.GetEditCol(), 1);

    g.grid.allowEditFinish = 1;
    g.Key(VK_TAB);
    EXPECT_EQ(g.CellText(1, 1), L"bad");
    EXPECT_EQ(g.grid.GetEditCol(), 2);
}

// Random walks of the keys that go on against a model of the wrap rules:
// Tab past the last column goes to column 0 of the same row, Shift+Tab
// before column 0 to the last column, Enter and Down past the last row to
// row 0, Up before row 0 to the last row. Every text lands in its own cell.
TEST(CUGCtrlEditing, ContinuingKeysWrapAtTheEdgesAgainstAModel)
{
    constexpr int kCols = 5;
    constexpr long kRows = 6;
    EditingGrid g(kCols, kRows);
    std::mt19937 random(4711);
    std::map<std::pair<int, long>, std::wstring> expected;
    int col = 0;
    long row = 0;
    ASSERT_EQ(g.grid.StartEdit(col, row, 0), 0);
    for (int step = 0; step < 150; ++step) {
        const std::wstring text = L"t" + std::to_wstring(step);
        ::SetWindowTextW(g.Focus(), text.c_str());
        expected[{col, row}] = text;
        switch (random() % 5) {
        case 0:
            g.Key(VK_TAB);
            col = (col + 1) % kCols;
            break;
        case 1: {
            HeldKeys shift{VK_SHIFT};
            g.Key(VK_TAB);
            col = (col + kCols - 1) % kCols;
            break;
        }
        case 2:
            g.Key(VK_RETURN);
            row = (row + 1) % kRows;
            break;
        case 3:
            g.Key(VK_DOWN);
            row = (row + 1) % kRows;
            break;
        default:
            g.Key(VK_UP);
            row = (row + kRows - 1) % kRows;
            break;
        }
        ASSERT_EQ(g.grid.GetEditCol(), col) << "step " << step;
        ASSERT_EQ(g.grid.GetEditRow(), row) << "step " << step;
        ASSERT_EQ(g.grid.GetCurrentCol(), col);
        ASSERT_EQ(g.grid.GetCurrentRow(), row);
    }
    for (const auto& [cell, text] : expected)
        EXPECT_EQ(g.CellText(cell.first, cell.second), text);
}

// A joined block is one cell for going on: leaving its origin skips the
// block, arriving inside it edits the origin.
TEST(CUGCtrlEditing, ContinuingTreatsAJoinedBlockAsOneCell)
{
    struct Case {
        int col;
        long row;
        UINT key;
        bool shift;
        const char* asked;  // the owner's AskEditContinue after the adjustment
    };
    const Case cases[] = {
        {1, 1, VK_TAB, false, "AskEditContinue 1 1 3 1"},
        {1, 1, VK_RETURN, false, "AskEditContinue 1 1 1 3"},
        {0, 2, VK_TAB, false, "AskEditContinue 0 2 1 1"},
        {3, 1, VK_TAB, true, "AskEditContinue 3 1 1 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.asked);
        EditingGrid g;
        g.grid.JoinCells(1, 1, 2, 2);
        ASSERT_EQ(g.grid.StartEdit(c.col, c.row, 0), 0);
        g.grid.log.Clear();
        {
            HeldKeys shift{c.shift ? VK_SHIFT : 0};
            g.Key(c.key);
        }
        EXPECT_TRUE(Contains(g.grid.log.Lines(), c.asked));
    }
}

// The ways an edit ends without its text: what is stored, whether the edit
// goes on, and whether anybody was asked.
TEST(CUGCtrlEditing, CancellingStoresNothing)
{
    struct Case {
        const char* what;
        std::function<void(EditingGrid&)> act;
        int editCol;  // where the edit went on, -1 when it ended
        bool asked;
    };
    CWnd outside;
    outside.CreateEx(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE, 600, 400, 50, 20, nullptr, nullptr);
    const std::vector<Case> cases = {
        {"Escape", [](EditingGrid& g) { g.Key(VK_ESCAPE); }, -1, true},
        {"cancelled finish that goes on",
         [](EditingGrid& g) { g.grid.FinishEdit(L"typed", 1, 1, 2, 3); }, 2, true},
        {"CancelEdit", [](EditingGrid& g) { g.grid.CancelEdit(); }, -1, false},
        {"focus to another window", [&](EditingGrid&) { outside.SetFocus(); }, -1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EditingGrid g;
        ASSERT_EQ(g.grid.StartEdit(1, 1, 0), 0);
        ::SetWindowTextW(g.Focus(), L"typed");
        g.grid.log.Clear();
        c.act(g);
        EXPECT_EQ(g.CellText(1, 1), L"");
        EXPECT_EQ(Contains(g.grid.log.Lines(), "AskEditFinish 1 1 typed 1"), c.asked);
        EXPECT_EQ(g.grid.IsEditInProgress(), c.editCol >= 0 ? 1 : 0);
        if (c.editCol >= 0)
            EXPECT_EQ(g.grid.GetEditCol(), c.editCol);
    }

    // Without cancel-on-focus-loss, leaving for another window keeps the
    // text; a finish with no edit open counts as cancelled.
    EditingGrid g;
    g.grid.SetCancelEditOnFocusLoss(0);
    ASSERT_EQ(g.grid.StartEdit(1, 1, 0), 0);
    ::SetWindowTextW(g.Focus(), L"kept");
    outside.SetFocus();
    EXPECT_EQ(g.CellText(1, 1), L"kept");
    EXPECT_EQ(g.grid.FinishEdit(L"late", 0, 1, 2, 2), 1);
    EXPECT_EQ(g.CellText(1, 1), L"kept");
    EXPECT_FALSE(g.grid.IsEditInProgress());

    // The next edit after an Escape starts with the cancel flag cleared.
    ASSERT_EQ(g.grid.StartEdit(2, 2, 'a'), 0);
    g.Key(VK_ESCAPE);
    ASSERT_EQ(g.grid.StartEdit(2, 2, 'z'), 0);
    g.Key(VK_RETURN);
    EXPECT_EQ(g.CellText(2, 2), L"z");
}

// An edit in a column heading sits in the heading, leaves the current cell
// alone, and ends with Enter instead of going on.
TEST(CUGCtrlEditing, HeadingEditNeverContinues)
{
    EditingGrid g;
    ASSERT_EQ(g.grid.StartEdit(1, -1, 0), 0);
    HWND edit = g.Focus();
    EXPECT_EQ(::GetParent(edit), g.grid.GetColumnHeading()->m_hWnd);
    EXPECT_EQ(g.grid.GetCurrentCol(), 0);
    ::SetWindowTextW(edit, L"Title");
    g.Key(VK_RETURN);
    EXPECT_TRUE(Contains(g.grid.log.Lines(), "CellStoring 1 -1 Title"));
    EXPECT_FALSE(g.grid.IsEditInProgress());
    EXPECT_FALSE(::IsWindowVisible(edit));
}

// The owner's edit window edits instead of the grid's; once its window is
// gone the grid's own takes over again. Starting another edit while one is
// open keeps what was typed in the first.
TEST(CUGCtrlEditing, SubstitutedEditWindowAndStartingWhileEditing)
{
    EditingGrid g;
    CUGEdit other;
    other.m_ctrl = &g.grid;
    other.Create(WS_CHILD | ES_AUTOHSCROLL, RECT{0, 0, 10, 10}, &g.grid, 200);
    g.grid.substituteEdit = &other;
    ASSERT_EQ(g.grid.StartEdit(1, 1, 0), 0);
    EXPECT_EQ(g.Focus(), other.m_hWnd);
    EXPECT_EQ(g.grid.GetEditWindow(), &other);
    ::SetWindowTextW(other.m_hWnd, L"first");

    ASSERT_EQ(g.grid.StartEdit(3, 3, 0), 0);
    EXPECT_EQ(g.CellText(1, 1), L"first");
    EXPECT_EQ(g.grid.GetEditCol(), 3);
    g.grid.CancelEdit();

    other.DestroyWindow();
    ASSERT_EQ(g.grid.StartEdit(2, 2, 0), 0);
    EXPECT_EQ(g.Focus(), g.grid.GetDefaultEdit()->m_hWnd);
}
