#include "CClientDC.h"
#include "CUGEdit.h"
#include "EditingGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

namespace {

RECT EditRect(EditingGrid& g)
{
    RECT rect;
    ::GetWindowRect(g.grid.GetDefaultEdit()->m_hWnd, &rect);
    ::MapWindowPoints(nullptr, g.grid.GetCellArea()->m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The width the text takes on one line in the edit's font.
int TextWidth(HWND edit, const std::wstring& text)
{
    CClientDC dc(edit);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(edit, WM_GETFONT, 0, 0)));
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, old);
    return size.cx;
}

}  // namespace

// In 30-pixel columns the edit grows to whole cells: after each character
// its right edge is the end of the cell that the text (and a margin of
// " X X") reaches, never less than before. Once the text no longer fits on
// one line the edit spans the cell area and grows down by whole rows; Up and
// Down then stay in the edit.
TEST(CUGEdit, GrowsCellByCellAsTheTextGetsLonger)
{
    constexpr int kWidth = 30;
    EditingGrid g(12, 40);
    for (int col = 0; col < 12; ++col)
        g.grid.SetColumnWidth(col, kWidth);
    ASSERT_EQ(g.grid.StartEdit(1, 1, 0), 0);
    HWND edit = g.Focus();
    RECT client;
    ::GetClientRect(g.grid.GetCellArea()->m_hWnd, &client);
    const RECT start = EditRect(g);
    EXPECT_EQ(start.right, 2 * kWidth - 1);

    const std::wstring sentence = L"grow to whole cells then wrap onto a second line and grow down";
    std::wstring typed;
    LONG expectedRight = start.right;
    bool wrapped = false;
    for (wchar_t ch : sentence) {
        typed += ch;
        g.Type(std::wstring(1, ch).c_str());
        const RECT now = EditRect(g);
        SCOPED_TRACE(std::string(typed.begin(), typed.end()));
        const int needed = start.left + 2 + TextWidth(edit, typed + L" X X");
        wrapped = wrapped || needed > client.right;
        if (!wrapped) {
            if (needed > expectedRight)
                expectedRight = std::min<LONG>(((needed + 1) / kWidth + 1) * kWidth - 1,
                                               client.right - 1);
            EXPECT_EQ(now.right, expectedRight);
            EXPECT_EQ(now.bottom, start.bottom);
        } else {
            EXPECT_GE(now.right, client.right - 1);
            EXPECT_EQ((now.bottom + 1) % 20, 0);
        }
    }
    ASSERT_GT(EditRect(g).bottom, start.bottom) << "the text never wrapped";
    g.Key(VK_UP);
    g.Key(VK_DOWN);
    EXPECT_EQ(g.Focus(), edit);
    EXPECT_EQ(g.grid.GetEditRow(), 1);
}

// Every typed character is offered to the data source, then to the owner;
// a refused one and Tab, Enter and Escape never go into the text.
TEST(CUGEdit, TypedCharactersAreAskedForAndTheEndingKeysDropped)
{
    EditingGrid g;
    g.grid.refusedKey = L'x';
    ASSERT_EQ(g.grid.StartEdit(1, 1, 0), 0);
    g.grid.log.Clear();
    g.Type(L"a\tb\rxc\x1b");
    EXPECT_EQ(EditingGrid::TextOf(g.Focus()), L"abc");
    const Lines& lines = g.grid.log.Lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Source AskEditKey 1 1 97");
    EXPECT_EQ(lines[1], "AskEditKey 1 1 97");
}
