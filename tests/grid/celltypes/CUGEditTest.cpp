#include "CClientDC.h"
#include "CFont.h"
#include "CUGEdit.h"
#include "EditingGrid.h"

#include <gtest/gtest.h>

#include <algorithm>

// After each character the edit ends where the cell that the text and " X X"
// reach ends; once wrapped it spans the cell area, grows down by whole rows,
// and Up and Down move the caret.
TEST(CUGEdit, GrowsCellByCellAsTheTextGetsLonger)
{
    EditingGrid g(12, 40);
    for (int col = 0; col < 12; ++col)
        g.grid.SetColumnWidth(col, 30);
    ASSERT_EQ(g.grid.StartEdit(1, 1, 0), 0);
    HWND edit = g.Focus(), cells = g.grid.GetCellArea()->m_hWnd;
    auto Rect = [&] {
        CRect rect;
        ::GetWindowRect(edit, &rect);
        ::MapWindowPoints(nullptr, cells, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    };
    CClientDC dc(edit);
    const LRESULT font = ::SendMessageW(edit, WM_GETFONT, 0, 0);
    dc.SelectObject(CFont::FromHandle(reinterpret_cast<HFONT>(font)));
    CRect client;
    ::GetClientRect(cells, &client);
    const CRect start = Rect();
    LONG right = 2 * 30 - 1;
    std::wstring typed;
    for (wchar_t ch : std::wstring(L"grow to whole cells then wrap onto a second line and down")) {
        typed += ch;
        g.Type(std::wstring(1, ch).c_str());
        SCOPED_TRACE(std::string(typed.begin(), typed.end()));
        const int needed = start.left + 2 + dc.GetTextExtent(CString((typed + L" X X").c_str())).cx;
        if (needed > client.right) {  // wrapped
            EXPECT_TRUE(Rect().right >= client.right - 1 && (Rect().bottom + 1) % 20 == 0);
            continue;
        }
        if (needed > right)
            right = std::min<LONG>(((needed + 1) / 30 + 1) * 30 - 1, client.right - 1);
        EXPECT_EQ(CPoint(Rect().right, Rect().bottom), CPoint(right, start.bottom));
    }
    ASSERT_GT(Rect().bottom, start.bottom) << "the text never wrapped";
    g.Key(VK_UP);
    DWORD caret = 0;
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
    EXPECT_LT(caret, typed.size());
    g.Key(VK_DOWN);
    EXPECT_TRUE(g.Focus() == edit && g.grid.GetEditRow() == 1);
}

// The first character replaces the selected text, Home moves the caret; the data
// source, then the owner, are asked; a refused finish keeps the edit and focus.
TEST(CUGEdit, TypedCharactersAreAskedForAndTheEndingKeysDropped)
{
    EditingGrid g;
    g.grid.refusedKey = L'x';
    g.grid.QuickSetText(1, 1, L"old");
    ASSERT_EQ(g.grid.StartEdit(1, 1, 0), 0);
    HWND edit = g.Focus();
    g.grid.log.Clear();
    g.Type(L"a");
    g.Key(VK_HOME);
    g.Type(L"\tb\rxc\x1b");
    EXPECT_EQ(EditingGrid::TextOf(edit), L"bca");
    std::vector<std::string> lines = g.grid.log.Lines();
    lines.resize(2);
    EXPECT_EQ(lines, (std::vector<std::string>{"Source AskEditKey 1 1 97", "AskEditKey 1 1 97"}));
    g.grid.allowEditFinish = 0;
    g.Key(VK_RETURN);
    EXPECT_TRUE(g.Focus() == edit && g.grid.IsEditInProgress() && g.grid.GetCurrentRow() == 1);
}
