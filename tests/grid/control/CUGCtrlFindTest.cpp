#include "CFindReplaceDialog.h"
#include "EditingGrid.h"
#include "ModalAnswerer.h"
#include "Narrow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Finds the dialog's child with the given text.
HWND ChildWithText(HWND dialog, const wchar_t* text)
{
    struct Search {
        const wchar_t* text;
        HWND found;
    } search{text, nullptr};
    ::EnumChildWindows(
        dialog,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t buffer[128] = {};
            ::GetWindowTextW(child, buffer, 128);
            if (std::wstring(buffer) == s->text) {
                s->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

// Each row: column 0 of the sheet holds "", "a", "ba", "A", "a"; the
// dialog's action runs from the current cell, and the column, the current
// cell and any message box are compared afterwards.
TEST(CUGCtrlFind, DialogActionsFindAndReplaceOverTheSheet)
{
    struct Case {
        const char* what;
        long start;
        const wchar_t* find;
        const wchar_t* replace;
        DWORD flags;
        const wchar_t* column;  // rows 1 to 4, "|" after each
        long current;
        bool notFound;
    };
    const DWORD down = FR_DOWN, whole = FR_WHOLEWORD, cased = FR_MATCHCASE;
    const Case cases[] = {
        {"find partial", 0, L"a", L"", down | FR_FINDNEXT, L"a|ba|A|a|", 1, false},
        {"find whole cased", 1, L"a", L"", down | whole | cased | FR_FINDNEXT, L"a|ba|A|a|", 4,
         false},
        {"find backward", 4, L"b", L"", FR_FINDNEXT, L"a|ba|A|a|", 2, false},
        {"miss", 0, L"zz", L"", down | FR_FINDNEXT, L"a|ba|A|a|", 0, true},
        {"replace then find", 2, L"a", L"x", down | FR_REPLACE, L"a|x|A|a|", 3, false},
        {"all, partial, contained", 0, L"a", L"ab", down | FR_REPLACEALL, L"a|ba|A|a|", 0, false},
        {"all, same text", 0, L"a", L"a", down | whole | FR_REPLACEALL, L"a|ba|A|a|", 0, false},
        {"all, whole cased", 0, L"a", L"ab", down | whole | cased | FR_REPLACEALL,
         L"ab|ba|A|ab|", 4, false},
        {"all, finds itself again", 0, L"a", L"A", down | whole | FR_REPLACEALL, L"A|ba|A|A|", 4,
         false},
        {"all, none", 0, L"q", L"r", down | FR_REPLACEALL, L"a|ba|A|a|", 0, true},
    };
    for (const Case& c : cases) {
        EditingGrid g;
        const wchar_t* texts[] = {L"a", L"ba", L"A", L"a"};
        for (int i = 0; i < 4; ++i)
            g.grid.QuickSetText(0, i + 1, texts[i]);
        g.grid.GotoCell(0, c.start);
        ASSERT_EQ(g.grid.ReplaceDialog(), 0);
        CFindReplaceDialog* dialog = g.grid.GetFindDialog();
        ASSERT_NE(dialog, nullptr);
        lstrcpynW(dialog->m_szFindWhat, c.find, CFindReplaceDialog::kTextLength);
        lstrcpynW(dialog->m_szReplaceWith, c.replace, CFindReplaceDialog::kTextLength);
        dialog->m_fr.Flags = c.flags;
        {
            ModalAnswerer answerer({IDOK}, ModalAnswerer::MessageBoxesOnly);
            g.grid.SendMessage(CFindReplaceDialog::FindReplaceMessage(), 0,
                               reinterpret_cast<LPARAM>(&dialog->m_fr));
            ASSERT_EQ(answerer.seen.size(), c.notFound ? 1u : 0u) << c.what;
            if (c.notFound) {
                EXPECT_EQ(answerer.seen[0].text, L"Item not found");
                EXPECT_EQ(answerer.seen[0].caption, L"Not Found");
            }
        }
        std::wstring column;
        for (int row = 1; row <= 4; ++row)
            column += g.CellText(0, row) + L"|";
        EXPECT_EQ(Narrow(column), Narrow(c.column)) << c.what;
        EXPECT_EQ(g.grid.GetCurrentRow(), c.current) << c.what;
        ::DestroyWindow(dialog->m_hWnd);
    }
}

// One dialog at a time, with the whole-word box relabelled; closing it lets
// the next one open.
TEST(CUGCtrlFind, OneDialogAtATimeWithTheCellOption)
{
    EditingGrid g;
    ASSERT_EQ(g.grid.FindDialog(), 0);
    HWND dialog = g.grid.GetFindDialog()->m_hWnd;
    EXPECT_NE(ChildWithText(dialog, L"Match &entire cell text"), nullptr);
    EXPECT_EQ(g.grid.ReplaceDialog(), 1);
    ::SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(g.grid.GetFindDialog(), nullptr);
    ASSERT_EQ(g.grid.ReplaceDialog(), 0);
    ::DestroyWindow(g.grid.GetFindDialog()->m_hWnd);
}
