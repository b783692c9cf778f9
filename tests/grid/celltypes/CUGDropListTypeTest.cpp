#include "CBitmap.h"
#include "CDC.h"
#include "CStringArray.h"
#include "CUGDropListType.h"
#include "CUGGrid.h"
#include "EditingGrid.h"
#include "Fuzz.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

namespace {

bool Contains(const Lines& lines, const std::string& line)
{
    for (const std::string& l : lines)
        if (l == line)
            return true;
    return false;
}

// Column 2 holds drop-list cells with the choices a, b and c; cell (2, 3)
// reads "x".
struct DropGrid : EditingGrid {
    CUGDropListType* type = nullptr;
    HWND cellArea = nullptr;

    DropGrid()
    {
        type = dynamic_cast<CUGDropListType*>(grid.GetCellType(1));
        CUGCell column;
        column.SetCellType(1);
        column.SetLabel(L"a\nb\nc\n");
        grid.SetColumnDefault(2, &column);
        grid.QuickSetText(2, 3, L"x");
        cellArea = grid.GetCellArea()->m_hWnd;
        grid.log.Clear();
    }
    HWND List() const { return type->GetListBox()->GetSafeHwnd(); }
    // A press and release at (x, y) of the cell area; the release goes to
    // whichever window took the mouse, as the system sends it.
    void Click(int x, int y)
    {
        ::SendMessageW(cellArea, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        POINT at{x, y};
        HWND to = ::GetCapture() ? ::GetCapture() : cellArea;
        ::MapWindowPoints(cellArea, to, &at, 1);
        ::SendMessageW(to, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }
    void ClickCell23() { Click(180, 70); }
};

}  // namespace

TEST(CUGDropListType, LabelSplitsIntoChoicesEndedByLineFeeds)
{
    const struct {
        const wchar_t* label;
        std::vector<std::wstring> choices;
    } cases[] = {
        {L"one\ntwo\nthree\n", {L"one", L"two", L"three"}},
        {L"one\ntwo\nthree", {L"one", L"two"}},
        {L"\n\n", {L"", L""}},
        {L"alone", {}},
        {L"", {}},
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
    const RECT client{0, 0, 300, 200};
    const struct {
        int choices;
        int itemHeight;
        RECT cell;
        RECT list;
    } cases[] = {
        {3, 12, {10, 20, 85, 40}, {10, 40, 85, 112}},
        {0, 12, {10, 20, 85, 40}, {10, 40, 85, 58}},
        {10, 12, {10, 0, 85, 20}, {10, 20, 85, 182}},
        {8, 13, {10, 0, 85, 20}, {10, 20, 85, 195}},
        {3, 12, {10, 160, 85, 180}, {10, 128, 85, 200}},
        {8, 30, {10, 20, 85, 40}, {10, 0, 85, 200}},
        {3, 12, {260, 20, 335, 40}, {225, 40, 300, 112}},
        {3, 12, {-20, 20, 320, 40}, {0, 40, 300, 112}},
    };
    for (const auto& c : cases) {
        const RECT got = CUGDropListType::DropListRect(c.cell, client, c.itemHeight, c.choices);
        EXPECT_TRUE(::EqualRect(&got, &c.list))
            << c.choices << " choices: " << got.left << "," << got.top << "," << got.right << ","
            << got.bottom;
    }
}

// A press, Enter or Ctrl+Down opens the list under the cell with the focus;
// Down alone moves the current cell.
TEST(CUGDropListType, OpensByPressEnterOrCtrlDown)
{
    const struct {
        const char* how;
        std::function<void(DropGrid&)> act;
        bool opens;
    } cases[] = {
        {"press", [](DropGrid& d) { d.ClickCell23(); }, true},
        {"Enter",
         [](DropGrid& d) {
             d.grid.GotoCell(2, 3);
             d.Key(VK_RETURN);
         },
         true},
        {"Ctrl+Down",
         [](DropGrid& d) {
             d.grid.GotoCell(2, 3);
             HeldKeys control{VK_CONTROL};
             d.Key(VK_DOWN);
         },
         true},
        {"Down",
         [](DropGrid& d) {
             d.grid.GotoCell(2, 3);
             d.Key(VK_DOWN);
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        DropGrid d;
        d.grid.addedChoice = L"added";
        c.act(d);
        ASSERT_EQ(d.List() != nullptr, c.opens);
        if (!c.opens) {
            EXPECT_EQ(d.grid.GetCurrentRow(), 4);
            continue;
        }
        EXPECT_EQ(d.Focus(), d.List());
        EXPECT_TRUE(Contains(d.grid.log.Lines(), "CellTypeEvent 1 2 3 100"));
        EXPECT_EQ(::SendMessageW(d.List(), LB_GETCOUNT, 0, 0), 4);
        RECT list;
        ::GetWindowRect(d.List(), &list);
        ::MapWindowPoints(nullptr, d.cellArea, reinterpret_cast<POINT*>(&list), 2);
        EXPECT_EQ(list.left, 150);
        EXPECT_EQ(list.top, 80);
        EXPECT_EQ(list.right, 225);
        EXPECT_EQ(d.type->GetDropCol(), 2);
    }
}

// A choice by keys or by mouse is written unless the owner refuses it;
// Escape and Enter without a highlighted item close the list unchanged.
// Afterwards the list is gone and the cell area has the focus. A list closed
// by a key counts as one that lost the focus (-2): the next press on the
// cell only clears that, where after a choice it opens the list again.
TEST(CUGDropListType, ChoosingWritesTheItemUnlessRefused)
{
    const struct {
        const char* how;
        std::function<void(DropGrid&)> act;
        int allow;
        const wchar_t* text;
        int dropCol;
    } cases[] = {
        {"keys", [](DropGrid& d) { d.Key(VK_HOME); d.Key(VK_DOWN); d.Key(VK_RETURN); }, 1, L"b", -1},
        {"mouse",
         [](DropGrid& d) {
             const int h = static_cast<int>(::SendMessageW(d.List(), LB_GETITEMHEIGHT, 0, 0));
             const LPARAM at = MAKELPARAM(10, 2 * h + h / 2);
             ::SendMessageW(d.List(), WM_LBUTTONDOWN, MK_LBUTTON, at);
             ::SendMessageW(d.List(), WM_LBUTTONUP, 0, at);
         },
         1, L"c", -1},
        {"refused", [](DropGrid& d) { d.Key(VK_HOME); d.Key(VK_RETURN); }, 0, L"x", -1},
        {"Escape", [](DropGrid& d) { d.Key(VK_HOME); d.Key(VK_ESCAPE); }, 1, L"x", -2},
        {"Enter, nothing highlighted", [](DropGrid& d) { d.Key(VK_RETURN); }, 1, L"x", -2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        DropGrid d;
        d.grid.GotoCell(2, 3);
        d.Key(VK_RETURN);
        ASSERT_NE(d.List(), nullptr);
        d.grid.allowCellTypeEvent = c.allow;
        c.act(d);
        EXPECT_EQ(d.CellText(2, 3), c.text);
        EXPECT_EQ(d.List(), nullptr);
        EXPECT_EQ(d.Focus(), d.cellArea);
        EXPECT_EQ(d.type->GetDropCol(), c.dropCol);
        d.ClickCell23();
        EXPECT_EQ(d.List() != nullptr, c.dropCol == -1);
    }
}

// A list that lost the focus to a press elsewhere marks the cell (-2) so
// that the press does not reopen it; the press after that opens it again. A
// press outside a list that holds the mouse only closes it.
TEST(CUGDropListType, PressesCloseAndReopenTheList)
{
    DropGrid d;
    d.ClickCell23();
    ASSERT_NE(d.List(), nullptr);
    ::SetFocus(d.cellArea);
    EXPECT_EQ(d.List(), nullptr);
    EXPECT_EQ(d.type->GetDropCol(), -2);
    d.ClickCell23();
    EXPECT_EQ(d.List(), nullptr);
    EXPECT_EQ(d.type->GetDropCol(), -1);
    d.ClickCell23();
    ASSERT_NE(d.List(), nullptr);

    ::SetFocus(d.cellArea);
    d.Key(VK_RETURN);  // opened by key: the list keeps the mouse
    ASSERT_NE(d.List(), nullptr);
    ASSERT_EQ(::GetCapture(), d.List());
    ::SendMessageW(d.List(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-30, -30));
    EXPECT_EQ(d.List(), nullptr);
    EXPECT_EQ(d.type->GetDropCol(), -1);
    EXPECT_EQ(d.CellText(2, 3), L"x");
}

// The button: raised, sunken while pressed on the current cell, with its
// arrow; with style 0x200 a cell that is not current shows none. The
// in-place edit leaves it uncovered.
TEST(CUGDropListType, ButtonDrawingAndTheEditBesideIt)
{
    struct PressableDropList : CUGDropListType {
        void Press(int pressed) { ButtonPressed = pressed; }
    };
    DropGrid d;
    PressableDropList type;
    d.grid.AddCellType(&type);
    const int bw = type.GetButtonWidth();
    const RECT rect{0, 0, 100, 20};
    const int buttonLeft = 99 - bw;
    const int arrowX = buttonLeft + (bw - 5) / 2, arrowY = (19 - 3) / 2;
    const COLORREF white = RGB(255, 255, 255);
    const struct {
        int current;
        long style;
        int pressed;
        bool button;
        COLORREF corner;  // the button's top left pixel
    } cases[] = {
        {0, 0, 0, true, ::GetSysColor(COLOR_BTNHIGHLIGHT)},
        {1, 0, 1, true, ::GetSysColor(COLOR_BTNSHADOW)},
        {0, 0, 1, true, ::GetSysColor(COLOR_BTNHIGHLIGHT)},
        {1, 0x200, 0, true, ::GetSysColor(COLOR_BTNHIGHLIGHT)},
        {0, 0x200, 0, false, white},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.current * 100 + c.style + c.pressed * 10);
        HDC screen = ::GetDC(nullptr);
        CBitmap bitmap;  // outlives the DC it is selected into
        bitmap.Attach(::CreateCompatibleBitmap(screen, 100, 20));
        CDC dc;
        dc.Attach(::CreateCompatibleDC(screen));
        ::ReleaseDC(nullptr, screen);
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(&rect, white);
        CUGCell cell;
        cell.SetText(L"text");
        cell.SetBackColor(white);
        if (c.style)
            cell.SetCellTypeEx(c.style);
        type.Press(c.pressed);
        RECT drawRect = rect;
        type.OnDraw(&dc, &drawRect, 0, 0, &cell, 0, c.current);
        EXPECT_EQ(::GetPixel(dc, arrowX, arrowY) == RGB(0, 0, 0), c.button);
        EXPECT_EQ(::GetPixel(dc, arrowX + 2, arrowY + 2) == RGB(0, 0, 0), c.button);
        EXPECT_EQ(::GetPixel(dc, buttonLeft, 0), c.corner);
    }

    ASSERT_EQ(d.grid.StartEdit(2, 5, 0), 0);
    RECT edit;
    ::GetWindowRect(d.Focus(), &edit);
    EXPECT_EQ(edit.right - edit.left, 74 - (d.type->GetButtonWidth() + 1));
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
    ::MapWindowPoints(nullptr, d.cellArea, reinterpret_cast<POINT*>(&rect), 2);
    const HWND plain = ::CreateWindowExW(0, L"LISTBOX", nullptr, WS_CHILD | WS_BORDER | WS_VSCROLL,
                                         rect.left, rect.top, rect.right - rect.left,
                                         rect.bottom - rect.top, d.cellArea, nullptr, nullptr, nullptr);
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
        ::SetFocus(d.cellArea);
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
