#include "CUGMaskedEdit.h"
#include "EditingGrid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Lines = std::vector<std::string>;

namespace {

class CountingMaskedEdit : public CUGMaskedEdit {
public:
    int beeps = 0;

protected:
    void SoundBeep() override { ++beeps; }
};

// A masked edit on its own, in a plain window that is no grid.
struct LoneEdit {
    CWnd parent;
    CountingMaskedEdit edit;
    LoneEdit()
    {
        parent.CreateEx(0, nullptr, L"Mask", WS_POPUP | WS_VISIBLE, 0, 0, 200, 60, nullptr,
                        nullptr);
        edit.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 150, 20}, &parent, 1);
    }
};

const wchar_t kLit = CUGMaskedEdit::kOtherPosition;

}  // namespace

// What typing leaves in the edit: characters that do not fit the position
// under the caret are refused with a beep and the text stays as it was; a
// literal at the caret is typed first.
TEST(CUGMaskedEdit, TypingAcceptsOnlyWhatTheMaskPositionTakes)
{
    const struct {
        const wchar_t* mask;
        const wchar_t* before;  // selected in full before typing
        const wchar_t* typed;
        const wchar_t* after;
        int beeps;
    } cases[] = {
        {L"999999", L"", L"12a", L"12", 1},
        {L"999999", L"", L"1234567", L"123456", 1},
        {L"999999", L"", L"1 2", L"1 2", 0},
        {L"999999", L"123", L"a", L"123", 1},
        {L"999999", L"123", L"9", L"9", 0},
        {L"(000)", L"", L"1", L"(1", 0},
        {L"(000)", L"", L"12x3", L"(123", 1},
        {L"LL-00", L"", L"ab12", L"ab-12", 0},
        {L"LL-00", L"", L"1", L"", 1},
        {L"#?Aa", L"", L"+ b ", L"+ b ", 0},
        {L"#", L"", L"a", L"", 1},
        {L"A", L"", L"_", L"", 1},
        {L"&C", L"", L"_~", L"_~", 0},
        {L"\\(000", L"", L"1", L"(1", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::wstring(c.mask) + L" " + c.typed);
        LoneEdit lone;
        ::SetWindowTextW(lone.edit.m_hWnd, c.before);
        lone.edit.SetMask(c.mask);
        lone.edit.SetSel(0, -1);
        for (const wchar_t* p = c.typed; *p; ++p)
            ::SendMessageW(lone.edit.m_hWnd, WM_CHAR, *p, 1);
        EXPECT_EQ(EditingGrid::TextOf(lone.edit.m_hWnd), c.after);
        EXPECT_EQ(lone.edit.beeps, c.beeps);
    }
}

// Each position of the mask is an input or a literal; an escaped mask
// character is a literal.
TEST(CUGMaskedEdit, ApplyMaskFitsATextToTheMask)
{
    const struct {
        const wchar_t* mask;
        const wchar_t* text;
        const wchar_t* result;
    } cases[] = {
        {L"00", L"a1b2", L"12"},
        {L"(000)", L"12", L"(12"},
        {L"(000)", L"(123)", L"(123)"},
        {L"LL-00", L"ab12", L"ab-12"},
        {L"999999", L"12ab34567", L"123456"},
    };
    LoneEdit lone;
    for (const auto& c : cases) {
        lone.edit.SetMask(c.mask);
        EXPECT_EQ(lone.edit.ApplyMask(c.text), c.result) << c.mask << " " << c.text;
    }
    lone.edit.SetMask(L"\\(0\\9");
    EXPECT_EQ(lone.edit.GetInputMask().str(), (std::wstring{kLit, L'0', kLit}));
    EXPECT_EQ(lone.edit.GetLiteralMask().str(), (std::wstring{L'(', kLit, L'9'}));
    lone.edit.SetMask(L"");
    EXPECT_FALSE(lone.edit.IsMaskActive());
}

// In a grid that hands it over for column 1, whose cells carry "999999":
// the edit takes its grid from its parent, applies the cell's mask when it
// gets the focus, asks only the owner about characters, ignores Tab, goes
// on with Enter, Down and Up, cancels with Escape, and keeps its text when
// the focus leaves for another window.
TEST(CUGMaskedEdit, EditsAMaskedColumnOfTheGrid)
{
    EditingGrid g;
    CountingMaskedEdit masked;
    masked.Create(WS_CHILD, RECT{0, 0, 10, 10}, &g.grid, 300);
    EXPECT_EQ(masked.m_ctrl, &g.grid);
    CUGCell column;
    column.SetMask(L"999999");
    g.grid.SetColumnDefault(1, &column);
    g.grid.substituteEdit = &masked;
    g.grid.QuickSetText(1, 3, L"12ab");

    ASSERT_EQ(g.grid.StartEdit(1, 3, 0), 0);
    EXPECT_EQ(g.Focus(), masked.m_hWnd);
    EXPECT_EQ(EditingGrid::TextOf(masked.m_hWnd), L"12");
    g.grid.log.Clear();
    g.Type(L"5");
    EXPECT_EQ(g.grid.log.Lines(), (Lines{"AskEditKey 1 3 53"}));

    const struct {
        UINT key;
        long rowAfter;  // -1: the edit ended
    } keys[] = {{VK_TAB, 3}, {VK_RETURN, 4}, {VK_DOWN, 5}, {VK_UP, 4}, {VK_ESCAPE, -1}};
    for (const auto& k : keys) {
        ::SetWindowTextW(masked.m_hWnd, std::to_wstring(k.key).c_str());
        g.Key(k.key);
        EXPECT_EQ(g.grid.IsEditInProgress() ? g.grid.GetEditRow() : -1, k.rowAfter) << k.key;
    }
    EXPECT_EQ(g.CellText(1, 3), L"13");
    EXPECT_EQ(g.CellText(1, 4), L"40");
    EXPECT_EQ(g.CellText(1, 5), L"38");

    CWnd outside;
    outside.CreateEx(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE, 600, 400, 50, 20, nullptr, nullptr);
    ASSERT_EQ(g.grid.StartEdit(1, 6, '4'), 0);
    outside.SetFocus();
    EXPECT_EQ(g.CellText(1, 6), L"4");
}
