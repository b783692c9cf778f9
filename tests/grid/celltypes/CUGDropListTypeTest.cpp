#include "CUGDropListType.h"
#include "CUGGrid.h"
#include "EditingGrid.h"
#include "Fuzz.h"
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
// without an item closes the list as a loss of the focus does: a list closed
// so marks the cell (-2), the next press on it only clears the mark, and the
// one after opens the list again; a press outside only closes.
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
        {[](DropGrid& d) { d.Key(VK_RETURN); d.Key(VK_HOME); d.Key(VK_ESCAPE); }, 1, "x in row 3, focus cells, drop -2"},
        {[](DropGrid& d) { d.Key(VK_RETURN); d.Key(VK_ESCAPE); d.Click(); }, 1, closed},
        {[](DropGrid& d) { d.Key(VK_RETURN); d.Key(VK_RETURN); }, 1, "x in row 3, focus cells, drop -2"},
        {[](DropGrid& d) { d.Key(VK_RETURN); d.Key(VK_RETURN); d.Click(); d.Click(); }, 1, open},
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

// The open list moves its selection as a plain list box of the same size,
// font and items does under the same keys: after each first key from a
// freshly opened list, a seeded sequence of navigation keys and typed first
// letters is compared key by key. With nothing selected yet, End reaches
// the last item and Page Down the foot of the page; the other keys select
// the first item, a typed letter the first item that begins with it.
TEST(CUGDropListType, KeysMoveTheOpenListAsAPlainListBox)
{
    static const wchar_t* const items[] = {L"ash", L"birch", L"beech", L"cedar", L"elm",
                                           L"fir", L"hazel", L"larch", L"lime",  L"maple",
                                           L"oak", L"pine",  L"rowan", L"yew"};
    struct Press {
        UINT key;
        wchar_t typed;
    };
    static const Press presses[] = {{VK_HOME, 0}, {VK_END, 0},  {VK_PRIOR, 0}, {VK_NEXT, 0},
                                    {VK_UP, 0},   {VK_DOWN, 0}, {'B', L'b'},   {'L', L'l'},
                                    {'Y', L'y'},  {'Q', L'q'},  {'A', L'a'}};
    auto press = [](HWND to, const Press& p) {
        ::SendMessageW(to, WM_KEYDOWN, p.key, 1);
        if (p.typed)
            ::SendMessageW(to, WM_CHAR, p.typed, 1);
    };
    auto selected = [](HWND list) { return ::SendMessageW(list, LB_GETCURSEL, 0, 0); };

    DropGrid d;
    d.grid.addedChoice = nullptr;
    CUGCell column;
    column.SetCellType(1);
    CString label;
    for (const wchar_t* item : items)
        label += CString(item) + L"\n";
    column.SetLabel(label);
    d.grid.SetColumnDefault(2, &column);
    d.grid.GotoCell(2, 1);
    d.Key(VK_RETURN);
    ASSERT_NE(d.List(), nullptr);
    RECT rect;
    ::GetWindowRect(d.List(), &rect);
    ::MapWindowPoints(nullptr, d.cells, reinterpret_cast<POINT*>(&rect), 2);
    const HWND plain = ::CreateWindowExW(0, L"LISTBOX", nullptr, WS_CHILD | WS_BORDER | WS_VSCROLL,
                                         rect.left, rect.top, rect.right - rect.left,
                                         rect.bottom - rect.top, d.cells, nullptr, nullptr, nullptr);
    ::SendMessageW(plain, WM_SETFONT, ::SendMessageW(d.List(), WM_GETFONT, 0, 0), 0);
    for (const wchar_t* item : items)
        ::SendMessageW(plain, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    RECT client;
    ::GetClientRect(plain, &client);
    const LRESULT page = client.bottom / ::SendMessageW(plain, LB_GETITEMHEIGHT, 0, 0);
    ASSERT_GT(page, 2);
    ASSERT_LT(page, 13) << "the list scrolls";

    const struct {
        Press first;
        LRESULT selects;
    } starts[] = {{{VK_END, 0}, 13},  {{VK_NEXT, 0}, page - 1}, {{VK_HOME, 0}, 0}, {{VK_PRIOR, 0}, 0},
                  {{VK_DOWN, 0}, 0},  {{VK_UP, 0}, 0},          {{'L', L'l'}, 7}};
    FuzzRandom random(20260311);
    for (const auto& start : starts) {
        SCOPED_TRACE(start.first.key);
        ::SetFocus(d.cells);
        d.Key(VK_RETURN);
        const HWND list = d.List();
        ASSERT_NE(list, nullptr);
        press(list, start.first);
        ASSERT_EQ(selected(list), start.selects);
        ::SendMessageW(plain, LB_SETCURSEL, static_cast<WPARAM>(start.selects), 0);
        ::SendMessageW(plain, LB_SETTOPINDEX, ::SendMessageW(list, LB_GETTOPINDEX, 0, 0), 0);
        std::string keys;
        for (int i = 0; i < 40; ++i) {
            const Press& p = random.Pick(presses);
            keys += std::to_string(p.key) + " ";
            press(list, p);
            press(plain, p);
            ASSERT_EQ(d.List(), list) << "after keys " << keys;
            ASSERT_EQ(selected(list), selected(plain)) << "after keys " << keys;
            ASSERT_EQ(::SendMessageW(list, LB_GETTOPINDEX, 0, 0),
                      ::SendMessageW(plain, LB_GETTOPINDEX, 0, 0))
                << "after keys " << keys;
        }
    }
    ::DestroyWindow(plain);
}
