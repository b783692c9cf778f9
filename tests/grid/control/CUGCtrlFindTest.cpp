#include "CFindReplaceDialog.h"
#include "EditingGrid.h"
#include "ModalAnswerer.h"

#include <gtest/gtest.h>

#include <string>

// Column 0 holds "", "a", "ba", "A", "a"; each action runs from the current
// cell, and the column, the current cell and any message box are compared.
// One dialog is open at a time, its whole-word box relabelled.
TEST(CUGCtrlFind, DialogActionsFindAndReplaceOverTheSheet)
{
    const DWORD down = FR_DOWN, whole = FR_WHOLEWORD, cased = FR_MATCHCASE;
    const struct {
        long start;
        const wchar_t *find, *replace;
        DWORD flags;
        const wchar_t* column;  // rows 1 to 4, "|" after each
        long current;
        bool notFound;
    } cases[] = {
        {0, L"a", L"", down | FR_FINDNEXT, L"a|ba|A|a|", 1, false},
        {1, L"a", L"", down | whole | cased | FR_FINDNEXT, L"a|ba|A|a|", 4, false},
        {4, L"b", L"", FR_FINDNEXT, L"a|ba|A|a|", 2, false},
        {0, L"zz", L"", down | FR_FINDNEXT, L"a|ba|A|a|", 0, true},
        {2, L"a", L"x", down | FR_REPLACE, L"a|x|A|a|", 3, false},
        {0, L"a", L"ab", down | FR_REPLACEALL, L"a|ba|A|a|", 0, false},  // would find itself
        {0, L"a", L"a", down | whole | FR_REPLACEALL, L"a|ba|A|a|", 0, false},
        {0, L"a", L"ab", down | whole | cased | FR_REPLACEALL, L"ab|ba|A|ab|", 4, false},
        {0, L"a", L"A", down | whole | FR_REPLACEALL, L"A|ba|A|A|", 4, false},
        {0, L"q", L"r", down | FR_REPLACEALL, L"a|ba|A|a|", 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        EditingGrid g;
        const wchar_t* texts[] = {L"a", L"ba", L"A", L"a"};
        for (int i = 0; i < 4; ++i)
            g.grid.QuickSetText(0, i + 1, texts[i]);
        g.grid.GotoCell(0, c.start);
        ASSERT_EQ(g.grid.ReplaceDialog(), 0);
        ASSERT_EQ(g.grid.FindDialog(), 1);
        CFindReplaceDialog* dialog = g.grid.GetFindDialog();
        bool relabelled = false;
        for (HWND child = ::GetWindow(dialog->m_hWnd, GW_CHILD); child;
             child = ::GetWindow(child, GW_HWNDNEXT))
            relabelled |= EditingGrid::TextOf(child) == L"Match &entire cell text";
        EXPECT_TRUE(relabelled);
        lstrcpynW(dialog->m_szFindWhat, c.find, CFindReplaceDialog::kTextLength);
        lstrcpynW(dialog->m_szReplaceWith, c.replace, CFindReplaceDialog::kTextLength);
        dialog->m_fr.Flags = c.flags;
        {
            ModalAnswerer answerer({IDOK}, ModalAnswerer::MessageBoxesOnly);
            g.grid.SendMessage(CFindReplaceDialog::FindReplaceMessage(), 0,
                               reinterpret_cast<LPARAM>(&dialog->m_fr));
            ASSERT_EQ(answerer.seen.size(), c.notFound ? 1u : 0u);
            if (c.notFound) {
                EXPECT_EQ(answerer.seen[0].caption + L"|" + answerer.seen[0].text,
                          L"Not Found|Item not found");
            }
        }
        std::wstring column;
        for (int row = 1; row <= 4; ++row)
            column += g.CellText(0, row) + L"|";
        EXPECT_EQ(column + L"@" + std::to_wstring(g.grid.GetCurrentRow()),
                  c.column + (L"@" + std::to_wstring(c.current)));
        ::SendMessageW(dialog->m_hWnd, WM_COMMAND, IDCANCEL, 0);
        EXPECT_EQ(g.grid.GetFindDialog(), nullptr);
    }
}
