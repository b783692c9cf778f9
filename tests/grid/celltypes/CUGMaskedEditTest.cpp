#include "CUGMaskedEdit.h"
#include "EditingGrid.h"

#include <gtest/gtest.h>

namespace {
struct CountingMaskedEdit : CUGMaskedEdit {
    int beeps = 0;
    void SoundBeep() override { ++beeps; }
};
}  // namespace

// Which characters each mask character takes; a fitted text has its literals
// in place and skips what its position does not take; \ escapes.
TEST(CUGMaskedEdit, ApplyMaskFitsATextToTheMask)
{
    CountingMaskedEdit edit;
    const struct { const wchar_t *mask, *takes; } classes[] = {
        {L"0", L"15"}, {L"9", L" 15"}, {L"#", L" 15+-"}, {L"L", L"aZ"}, {L"?", L" aZ"},
        {L"A", L"15aZ"}, {L"a", L" 15aZ"}, {L"&", L" 15aZ+-_~"}, {L"C", L" 15aZ+-_~"},
    };
    for (const auto& c : classes) {
        edit.SetMask(c.mask);
        for (const wchar_t* p = L" 15aZ+-_~"; *p; ++p) {
            const CString probe(*p, 1);
            EXPECT_EQ(edit.ApplyMask(probe), wcschr(c.takes, *p) ? probe : CString()) << char(*p);
        }
    }
    const struct { const wchar_t *mask, *text, *result; } cases[] = {
        {L"00", L"a1b2", L"12"}, {L"(000)", L"12", L"(12"}, {L"(000)", L"(123)", L"(123)"},
        {L"LL-00", L"ab12", L"ab-12"}, {L"999999", L"12ab34567", L"123456"},
    };
    for (const auto& c : cases) {
        edit.SetMask(c.mask);
        EXPECT_EQ(edit.ApplyMask(c.text), c.result) << c.mask << " " << c.text;
    }
    const wchar_t lit = CUGMaskedEdit::kOtherPosition;
    edit.SetMask(L"\\(0\\9");
    EXPECT_EQ(edit.GetInputMask().str() + edit.GetLiteralMask().str(),
              (std::wstring{lit, L'0', lit, L'(', lit, L'9'}));
    edit.SetMask(L"");
    EXPECT_FALSE(edit.IsMaskActive());
}

// In an edit outside a grid a refused character beeps and leaves the text
// and selection; a literal at the caret is typed first.
TEST(CUGMaskedEdit, TypingAcceptsOnlyWhatTheMaskPositionTakes)
{
    const struct { const wchar_t *mask, *before, *typed, *after; int beeps; } cases[] = {
        {L"999999", L"", L"12a", L"12", 1},   {L"999999", L"", L"1234567", L"123456", 1},
        {L"999999", L"123", L"a", L"123", 1}, {L"999999", L"123", L"9", L"9", 0},
        {L"(000)", L"", L"12x3", L"(123", 1}, {L"LL-00", L"", L"ab12", L"ab-12", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::wstring(c.mask) + L" " + c.typed);
        CWnd parent;
        parent.CreateEx(0, nullptr, L"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 60, nullptr, nullptr);
        CountingMaskedEdit edit;
        edit.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 150, 20}, &parent, 1);
        ::SetWindowTextW(edit.m_hWnd, c.before);
        edit.SetMask(c.mask);
        edit.SetSel(0, -1);
        for (const wchar_t* p = c.typed; *p; ++p)
            ::SendMessageW(edit.m_hWnd, WM_CHAR, *p, 1);
        EXPECT_EQ(EditingGrid::TextOf(edit.m_hWnd), c.after);
        EXPECT_EQ(edit.beeps, c.beeps);
    }
}

// Handed over for cells masked "999999", it takes the cell's mask with the
// focus, asks only the owner, ignores Tab, goes on with Enter, Down and Up,
// cancels with Escape, and keeps its text when the focus leaves the grid.
TEST(CUGMaskedEdit, EditsAMaskedColumnOfTheGrid)
{
    EditingGrid g;
    CountingMaskedEdit masked;
    masked.Create(WS_CHILD, RECT{0, 0, 10, 10}, &g.grid, 300);
    CUGCell column;
    column.SetMask(L"999999");
    g.grid.SetColumnDefault(1, &column);
    g.grid.substituteEdit = &masked;
    g.grid.QuickSetText(1, 3, L"12ab");
    ASSERT_EQ(g.grid.StartEdit(1, 3, 0), 0);
    EXPECT_EQ(EditingGrid::TextOf(g.Focus()), L"12");
    g.grid.log.Clear();
    g.Type(L"5");
    EXPECT_EQ(g.grid.log.Lines(), std::vector<std::string>{"AskEditKey 1 3 53"});
    std::string rows;  // the edit's row after each key; -1: the edit ended
    for (UINT key : {VK_TAB, VK_RETURN, VK_DOWN, VK_UP, VK_ESCAPE}) {
        ::SetWindowTextW(masked.m_hWnd, std::to_wstring(key).c_str());
        g.Key(key);
        rows += std::to_string(g.grid.IsEditInProgress() ? g.grid.GetEditRow() : -1) + " ";
    }
    EXPECT_EQ(rows, "3 4 5 4 -1 ");
    EXPECT_EQ(g.CellText(1, 3) + g.CellText(1, 4) + g.CellText(1, 5), L"134038");
    CWnd outside;
    outside.CreateEx(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE, 600, 400, 50, 20, nullptr, nullptr);
    ASSERT_EQ(g.grid.StartEdit(1, 6, '4'), 0);
    outside.SetFocus();
    EXPECT_EQ(g.CellText(1, 6), L"4");
}
