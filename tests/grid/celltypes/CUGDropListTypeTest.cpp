#include "CStringArray.h"
#include "CUGDropListType.h"
#include "CUGGrid.h"
#include "EditingGrid.h"
#include "MemoryCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

// Column 2 holds drop-list cells with the choices a, b and c; cell (2, 3),
// at (150, 60, 225, 80) in the cell area, reads "x".
struct DropGrid : EditingGrid {
    CUGDropListType* type = dynamic_cast<CUGDropListType*>(grid.GetCellType(1));
    HWND cellArea = grid.GetCellArea()->m_hWnd;
    DropGrid()
    {
        CUGCell column;
        column.SetCellType(1);
        column.SetLabel(L"a\nb\nc\n");
        grid.SetColumnDefault(2, &column);
        grid.QuickSetText(2, 3, L"x");
        grid.addedChoice = L"added";
        grid.log.Clear();
    }
    HWND List() const { return type->GetListBox()->GetSafeHwnd(); }
    // A press and release on cell (2, 3); the release goes to whichever
    // window took the mouse, as the system sends it.
    void Click()
    {
        ::SendMessageW(cellArea, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(180, 70));
        POINT at{180, 70};
        HWND to = ::GetCapture() ? ::GetCapture() : cellArea;
        ::MapWindowPoints(cellArea, to, &at, 1);
        ::SendMessageW(to, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }
    void Keys(std::initializer_list<UINT> keys)
    {
        for (UINT key : keys)
            Key(key);
    }
    // What the user sees: the list's place and items and who has the focus,
    // or the cell's text and the current row; and the cell the type marks.
    std::string State()
    {
        char state[120];
        if (List()) {
            RECT r;
            ::GetWindowRect(List(), &r);
            ::MapWindowPoints(nullptr, cellArea, reinterpret_cast<POINT*>(&r), 2);
            std::snprintf(state, sizeof state, "list %ld %ld %ld, %d items, focus %s, drop %d",
                          r.left, r.top, r.right, int(::SendMessageW(List(), LB_GETCOUNT, 0, 0)),
                          Focus() == List() ? "list" : "elsewhere", type->GetDropCol());
        } else {
            std::snprintf(state, sizeof state, "%ls, row %ld, focus %s, drop %d",
                          CellText(2, 3).c_str(), grid.GetCurrentRow(),
                          Focus() == cellArea ? "cells" : "elsewhere", type->GetDropCol());
        }
        return state;
    }
};

constexpr char kOpen[] = "list 150 80 225, 4 items, focus list, drop 2";

}  // namespace

// Each line feed ends a choice; text after the last one is none.
TEST(CUGDropListType, LabelSplitsIntoChoicesEndedByLineFeeds)
{
    const struct { const wchar_t* label; std::vector<std::wstring> choices; } cases[] = {
        {L"one\ntwo\nthree\n", {L"one", L"two", L"three"}}, {L"one\ntwo\nthree", {L"one", L"two"}},
        {L"\n\n", {L"", L""}}, {L"alone", {}}, {L"", {}},
    };
    for (const auto& c : cases) {
        CStringArray choices;
        CUGDropListType::SplitChoices(c.label, choices);
        std::vector<std::wstring> got;
        for (int i = 0; i < choices.GetSize(); ++i)
            got.push_back(choices[i].str());
        EXPECT_EQ(got, c.choices) << c.label;
    }
}

// The list is the cell's width and (1.5 h) x (min(n, 8) + 1) high below the
// cell, moved up and left as far as it must to stay in the cell area.
TEST(CUGDropListType, ListRectangleFollowsTheChoicesAndStaysInTheCellArea)
{
    const struct { int choices, itemHeight; RECT cell, list; } cases[] = {
        {3, 12, {10, 20, 85, 40}, {10, 40, 85, 112}}, {0, 12, {10, 20, 85, 40}, {10, 40, 85, 58}},
        {10, 12, {10, 0, 85, 20}, {10, 20, 85, 182}}, {8, 13, {10, 0, 85, 20}, {10, 20, 85, 195}},
        {3, 12, {10, 160, 85, 180}, {10, 128, 85, 200}}, {8, 30, {10, 20, 85, 40}, {10, 0, 85, 200}},
        {3, 12, {260, 20, 335, 40}, {225, 40, 300, 112}}, {3, 12, {-20, 20, 320, 40}, {0, 40, 300, 112}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CRect(CUGDropListType::DropListRect(c.cell, {0, 0, 300, 200}, c.itemHeight,
                                                      c.choices)), CRect(c.list)) << c.choices;
}

// A press, Enter or Ctrl+Down opens the list under the cell with the focus,
// with the choice that the owner added as it opened; Down alone moves the
// current cell. A choice by keys or by mouse is written unless the owner
// refuses it; Escape and Enter without a highlighted item close the list
// unchanged.
TEST(CUGDropListType, OpensByPressEnterOrCtrlDownAndWritesTheChoiceUnlessRefused)
{
    auto Mouse = [](DropGrid& d, UINT message) {
        const int h = static_cast<int>(::SendMessageW(d.List(), LB_GETITEMHEIGHT, 0, 0));
        ::SendMessageW(d.List(), message, MK_LBUTTON, MAKELPARAM(10, 2 * h + h / 2));
    };
    const struct { std::function<void(DropGrid&)> open, choose; int allow; const char* state; }
    cases[] = {
        {[](DropGrid& d) { d.Click(); }, nullptr, 1, kOpen},
        {[](DropGrid& d) { HeldKeys control{VK_CONTROL}; d.Key(VK_DOWN); }, nullptr, 1, kOpen},
        {[](DropGrid& d) { d.Key(VK_DOWN); }, nullptr, 1, "x, row 4, focus cells, drop -1"},
        {nullptr, [](DropGrid& d) { d.Keys({VK_HOME, VK_DOWN, VK_RETURN}); }, 1, "b, row 3, focus cells, drop -1"},
        {nullptr, [&](DropGrid& d) { Mouse(d, WM_LBUTTONDOWN); Mouse(d, WM_LBUTTONUP); }, 1,
         "c, row 3, focus cells, drop -1"},
        {nullptr, [](DropGrid& d) { d.Keys({VK_HOME, VK_RETURN}); }, 0, "x, row 3, focus cells, drop -1"},
        {nullptr, [](DropGrid& d) { d.Keys({VK_HOME, VK_ESCAPE}); }, 1, "x, row 3, focus cells, drop -1"},
        {nullptr, [](DropGrid& d) { d.Key(VK_RETURN); }, 1, "x, row 3, focus cells, drop -1"},
    };
    int i = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(i++);
        DropGrid d;
        d.grid.GotoCell(2, 3);
        d.grid.allowCellTypeEvent = c.allow;
        if (c.open) {
            c.open(d);
        } else {
            d.Key(VK_RETURN);
            ASSERT_EQ(d.State(), kOpen);
            const auto& log = d.grid.log.Lines();
            EXPECT_NE(std::find(log.begin(), log.end(), "CellTypeEvent 1 2 3 100"), log.end());
            c.choose(d);
        }
        EXPECT_EQ(d.State(), c.state);
    }
}

// A list that lost the focus to a press elsewhere marks the cell (-2) so
// that the press does not reopen it; the press after that opens it again. A
// press outside a list that holds the mouse only closes it.
TEST(CUGDropListType, PressesCloseAndReopenTheList)
{
    DropGrid d;
    d.grid.GotoCell(2, 3);
    d.Click();
    ASSERT_EQ(d.State(), kOpen);
    ::SetFocus(d.cellArea);
    EXPECT_EQ(d.State(), "x, row 3, focus cells, drop -2");
    d.Click();
    EXPECT_EQ(d.State(), "x, row 3, focus cells, drop -1");
    d.Click();
    EXPECT_EQ(d.State(), kOpen);
    ::SetFocus(d.cellArea);
    d.Key(VK_RETURN);  // opened by key: the list keeps the mouse
    ASSERT_EQ(::GetCapture(), d.List());
    ::SendMessageW(d.List(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-30, -30));
    EXPECT_EQ(d.State(), "x, row 3, focus cells, drop -1");
}

// The button: raised, sunken while pressed on the current cell, a line of
// the face colour left of it, and an arrow of rows of 5, 3 and 1 pixels
// centred on it; with style 0x200 a cell that is not current shows none.
// A held mouse presses it only while over it, edges included. A double click
// left of it is no press. The in-place edit leaves it uncovered.
TEST(CUGDropListType, ButtonDrawingPressingAndTheEditBesideIt)
{
    struct PressableDropList : CUGDropListType {
        void Press(int pressed) { ButtonPressed = pressed; }
    } type;
    DropGrid d;
    d.grid.AddCellType(&type);
    const int bw = type.GetButtonWidth(), left = 99 - bw;
    const int arrowX = left + (bw - 5) / 2, arrowY = (19 - 3) / 2;
    const COLORREF white = RGB(255, 255, 255), face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const struct { int current; long style; int pressed; bool button; COLORREF corner; } cases[] = {
        {0, 0, 0, true, light}, {1, 0, 1, true, shadow}, {0, 0, 1, true, light},
        {1, 0x200, 0, true, light}, {0, 0x200, 0, false, white},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.current * 100 + c.style + c.pressed * 10);
        MemoryCanvas canvas(100, 20, white);
        CUGCell cell;
        cell.SetText(L"text");
        cell.SetBackColor(white);
        if (c.style)
            cell.SetCellTypeEx(c.style);
        type.Press(c.pressed);
        RECT rect{0, 0, 100, 20};
        type.OnDraw(&canvas.dc, &rect, 0, 0, &cell, 0, c.current);
        EXPECT_EQ(canvas.At(left, 0), c.corner);
        EXPECT_EQ(canvas.At(left - 1, 10), c.button ? face : white);
        for (int y = arrowY - 1; y <= arrowY + 3; ++y)
            for (int x = arrowX - 1; x <= arrowX + 5; ++x) {
                const int row = y - arrowY;
                const bool black = row >= 0 && row < 3 && x >= arrowX + row && x < arrowX + 5 - row;
                EXPECT_EQ(canvas.At(x, y), black && c.button ? RGB(0, 0, 0) : c.button ? face : white)
                    << x << "," << y;
            }
    }

    const RECT cell{150, 60, 225, 80};
    POINT on{225 - bw, 60}, beside{224 - bw, 70};
    d.grid.GotoCell(2, 3);
    EXPECT_EQ(d.type->OnLeftClick(2, 3, 1, &cell, &on), 1);
    EXPECT_EQ(d.type->OnMouseMove(2, 3, &on, 0), 1);
    EXPECT_EQ(d.type->IsButtonPressed(), 0);
    d.type->OnMouseMove(2, 3, &on, MK_LBUTTON);
    EXPECT_EQ(d.type->IsButtonPressed(), 1);
    d.type->OnMouseMove(2, 3, &beside, MK_LBUTTON);
    EXPECT_EQ(d.type->IsButtonPressed(), 0);
    d.type->OnDoubleClick(2, 3, &cell, &on);
    EXPECT_NE(d.List(), nullptr);
    on.x += 1;
    d.type->OnDoubleClick(2, 3, &cell, &on);
    EXPECT_EQ(d.List(), nullptr) << "a second press closes the list";

    ASSERT_EQ(d.grid.StartEdit(2, 5, 0), 0);
    RECT edit;
    ::GetWindowRect(d.Focus(), &edit);
    EXPECT_EQ(edit.right - edit.left, 74 - (bw + 1));
}
