#include "CBitmap.h"
#include "CDC.h"
#include "CStringArray.h"
#include "CUGDropListType.h"
#include "CUGGrid.h"
#include "EditingGrid.h"

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
// Afterwards the list is gone and the cell area has the focus.
TEST(CUGDropListType, ChoosingWritesTheItemUnlessRefused)
{
    const struct {
        const char* how;
        std::function<void(DropGrid&)> act;
        int allow;
        const wchar_t* text;
    } cases[] = {
        {"keys", [](DropGrid& d) { d.Key(VK_HOME); d.Key(VK_DOWN); d.Key(VK_RETURN); }, 1, L"b"},
        {"mouse",
         [](DropGrid& d) {
             const int h = static_cast<int>(::SendMessageW(d.List(), LB_GETITEMHEIGHT, 0, 0));
             const LPARAM at = MAKELPARAM(10, 2 * h + h / 2);
             ::SendMessageW(d.List(), WM_LBUTTONDOWN, MK_LBUTTON, at);
             ::SendMessageW(d.List(), WM_LBUTTONUP, 0, at);
         },
         1, L"c"},
        {"refused", [](DropGrid& d) { d.Key(VK_HOME); d.Key(VK_RETURN); }, 0, L"x"},
        {"Escape", [](DropGrid& d) { d.Key(VK_HOME); d.Key(VK_ESCAPE); }, 1, L"x"},
        {"Enter, nothing highlighted", [](DropGrid& d) { d.Key(VK_RETURN); }, 1, L"x"},
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
        EXPECT_EQ(d.type->GetDropCol(), -1);
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
