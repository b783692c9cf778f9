#include "CUGDropListType.h"
#include "CUGGrid.h"
#include "EditingGrid.h"
#include "MemoryCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {
// Column 2 offers a, b and c (d has no line feed after it) and the owner adds
// one; cell (2, 3), at (150, 60, 225, 80) in the cell area, reads "x" and is current.
struct DropGrid : EditingGrid {
    CUGDropListType* type = dynamic_cast<CUGDropListType*>(grid.GetCellType(1));
    HWND cells = grid.GetCellArea()->m_hWnd;
    DropGrid()
    {
        CUGCell column;
        column.SetCellType(1);
        column.SetLabel(L"a\nb\nc\nd");
        grid.SetColumnDefault(2, &column);
        grid.QuickSetText(2, 3, L"x");
        grid.addedChoice = L"added";
        grid.GotoCell(2, 3);
        grid.log.Clear();
    }
    HWND List() const { return type->GetListBox()->GetSafeHwnd(); }
    // A press and release on the cell, the release to the window with the mouse.
    void Click()
    {
        ::SendMessageW(cells, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(180, 70));
        POINT at{180, 70};
        HWND to = ::GetCapture() ? ::GetCapture() : cells;
        ::MapWindowPoints(cells, to, &at, 1);
        ::SendMessageW(to, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }
    // The open list's place and items, or the cell's text and the current
    // row; who has the focus; the cell that the type marks.
    std::string State()
    {
        RECT r{};
        ::GetWindowRect(List(), &r);
        ::MapWindowPoints(nullptr, cells, reinterpret_cast<POINT*>(&r), 2);
        const std::wstring text = CellText(2, 3);
        return (List() ? "list " + std::to_string(r.left) + " " + std::to_string(r.top) + " "
                             + std::to_string(r.right) + " of "
                             + std::to_string(::SendMessageW(List(), LB_GETCOUNT, 0, 0))
                       : std::string(text.begin(), text.end()) + " in row "
                             + std::to_string(grid.GetCurrentRow()))
               + (Focus() == List() ? ", focus list" : Focus() == cells ? ", focus cells" : "")
               + ", drop " + std::to_string(type->GetDropCol());
    }
};
}  // namespace

// Down alone moves on; a choice is written unless refused; Escape or Enter
// without an item closes; a list closed by a press elsewhere marks the cell
// (-2) so that this press does not reopen it; a press outside only closes.
TEST(CUGDropListType, PressesAndKeysOpenTheListAndChooseUnlessRefused)
{
    auto Mouse = [](DropGrid& d, int item, bool release = false) {
        const int h = static_cast<int>(::SendMessageW(d.List(), LB_GETITEMHEIGHT, 0, 0));
        ::SendMessageW(d.List(), release ? WM_LBUTTONUP : WM_LBUTTONDOWN, MK_LBUTTON,
                       MAKELPARAM(10, item * h + h / 2));
    };
    const std::string open = "list 150 80 225 of 4, focus list, drop 2";
    const std::string closed = "x in row 3, focus cells, drop -1";
    const struct { std::function<void(DropGrid&)> act; int allow; std::string state; } cases[] = {
        {[](DropGrid& d) { d.Click(); }, 1, open},
        {[](DropGrid& d) { d.Key(VK_RETURN); }, 1, open},
        {[](DropGrid& d) { HeldKeys control{VK_CONTROL}; d.Key(VK_DOWN); }, 1, open},
        {[](DropGrid& d) { d.Key(VK_DOWN); }, 1, "x in row 4, focus cells, drop -1"},
        {[](DropGrid& d) { d.Key(VK_RETURN); d.Key(VK_HOME); d.Key(VK_DOWN); d.Key(VK_RETURN); }, 1,
         "b in row 3, focus cells, drop -1"},
        {[&](DropGrid& d) { d.Key(VK_RETURN); Mouse(d, 2); Mouse(d, 2, true); }, 1,
         "c in row 3, focus cells, drop -1"},
        {[](DropGrid& d) { d.Key(VK_RETURN); d.Key(VK_HOME); d.Key(VK_RETURN); }, 0, closed},
        {[](DropGrid& d) { d.Key(VK_RETURN); d.Key(VK_HOME); d.Key(VK_ESCAPE); }, 1, closed},
        {[](DropGrid& d) { d.Key(VK_RETURN); d.Key(VK_RETURN); }, 1, closed},
        {[](DropGrid& d) { d.Click(); ::SetFocus(d.cells); }, 1,
         "x in row 3, focus cells, drop -2"},
        {[](DropGrid& d) { d.Click(); ::SetFocus(d.cells); d.Click(); }, 1, closed},
        {[](DropGrid& d) { d.Click(); ::SetFocus(d.cells); d.Click(); d.Click(); }, 1, open},
        {[&](DropGrid& d) { d.Key(VK_RETURN); Mouse(d, -3); }, 1, closed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        DropGrid d;
        d.grid.allowCellTypeEvent = c.allow;
        c.act(d);
        EXPECT_EQ(d.State(), c.state);
        const auto& log = d.grid.log.Lines();
        if (c.state == open) {
            EXPECT_NE(std::find(log.begin(), log.end(), "CellTypeEvent 1 2 3 100"), log.end());
        }
    }
}

// Sunken only pressed on the current cell, a face-coloured line left of it,
// an arrow of rows of 5, 3 and 1 pixels; none off the current cell with the
// style 0x200. Held, it is pressed while the mouse is over it, edges in.
TEST(CUGDropListType, ButtonIsDrawnRaisedOrSunkenAndPressedOnlyUnderTheMouse)
{
    struct PressableDropList : CUGDropListType { void Press(int p) { ButtonPressed = p; } } type;
    DropGrid d;
    d.grid.AddCellType(&type);
    const int bw = type.GetButtonWidth(), left = 99 - bw, ax = left + (bw - 5) / 2, ay = 8;
    const COLORREF white = RGB(255, 255, 255), face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
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
        cell.SetCellTypeEx(c.style);
        type.Press(c.pressed);
        RECT rect{0, 0, 100, 20};
        type.OnDraw(&canvas.dc, &rect, 0, 0, &cell, 0, c.current);
        const COLORREF back = c.button ? face : white;
        EXPECT_EQ(canvas.At(left, 0), c.corner);
        EXPECT_EQ(canvas.At(left - 1, 10), back);
        for (int y = ay - 1; y <= ay + 3; ++y)
            for (int x = ax - 1; x <= ax + 5; ++x) {
                const int row = y - ay;
                const bool arrow = row >= 0 && row < 3 && x >= ax + row && x < ax + 5 - row;
                EXPECT_EQ(canvas.At(x, y), arrow && c.button ? RGB(0, 0, 0) : back) << x << y;
            }
    }
    const RECT cell{150, 60, 225, 80};
    POINT on{225 - bw, 60}, beside{224 - bw, 70};
    EXPECT_EQ(d.type->OnLeftClick(2, 3, 1, &cell, &on), 1);
    std::string pressed;  // answer and state: no button held, held over it, held beside it
    for (auto [at, keys] : {std::pair{on, 0u}, {on, 1u}, {beside, 1u}}) {  // 1: MK_LBUTTON
        pressed += std::to_string(d.type->OnMouseMove(2, 3, &at, keys));
        pressed += std::to_string(d.type->IsButtonPressed());
    }
    EXPECT_EQ(pressed, "100100");
    d.type->OnDoubleClick(2, 3, &cell, &on);
    EXPECT_NE(d.List(), nullptr);
    on.x += 1;
    d.type->OnDoubleClick(2, 3, &cell, &on);
    EXPECT_EQ(d.List(), nullptr);
}
