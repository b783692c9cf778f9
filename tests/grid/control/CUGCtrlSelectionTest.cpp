#include "EditingGrid.h"
#include "Narrow.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// The text of a clipboard format up to its terminating zero.
template <typename Char>
std::basic_string<Char> ClipboardData(UINT format)
{
    std::basic_string<Char> text;
    if (!::OpenClipboard(nullptr))
        return text;
    if (HANDLE data = ::GetClipboardData(format)) {
        text = static_cast<const Char*>(::GlobalLock(data));
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return text;
}

void SetClipboard(const wchar_t* text)
{
    ASSERT_TRUE(::OpenClipboard(nullptr)) << "the clipboard must be free";
    ::EmptyClipboard();
    if (text) {
        const size_t size = (std::wcslen(text) + 1) * sizeof(wchar_t);
        HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
        std::memcpy(::GlobalLock(memory), text, size);
        ::GlobalUnlock(memory);
        ::SetClipboardData(CF_UNICODETEXT, memory);
    }
    ::CloseClipboard();
}

}  // namespace

// Copy writes TAB between fields and LF between rows in both formats (names
// outside the ANSI code page whole in the Unicode one), only the current cell
// with selection off; Cut also empties the cells; the selection goes.
TEST(CUGCtrlSelection, CopyAndCutWriteTheBlockAsSeparatedText)
{
    EditingGrid g;
    const wchar_t* texts[] = {L"a", L"b", L"c", L"d\te"};
    for (int i = 0; i < 4; ++i)
        g.grid.QuickSetText(1 + i % 2, 1 + i / 2, texts[i]);
    g.grid.QuickSetTextColor(2, 2, RGB(255, 0, 0));
    g.grid.QuickSetText(0, 0, L"\u0141\u00f3d\u017a \u03a9");
    ASSERT_EQ(g.grid.Copy(), 0);
    EXPECT_EQ(ClipboardData<wchar_t>(CF_UNICODETEXT), L"\u0141\u00f3d\u017a \u03a9");
    EXPECT_EQ(ClipboardData<char>(CF_TEXT).size(), 6u);
    g.grid.GotoCell(2, 1), g.grid.Copy();
    EXPECT_EQ(ClipboardData<char>(CF_TEXT), "b");
    for (bool cut : {false, true}) {
        g.grid.EnableSelection(1), g.grid.GotoCell(1, 1), g.grid.SelectRange(1, 1, 2, 2);
        ASSERT_EQ(cut ? g.grid.Cut() : g.grid.Copy(), 0);
        EXPECT_EQ(ClipboardData<char>(CF_TEXT), "a\tb\nc\td\te");
        EXPECT_EQ(ClipboardData<wchar_t>(CF_UNICODETEXT), L"a\tb\nc\td\te");
        EXPECT_EQ(g.grid.GridInfo->MultiSelect->GetBlockCount(), 0);
        EXPECT_EQ(g.CellText(1, 1), cut ? L"" : L"a");
    }
    CUGCell cell;
    g.grid.GetCellRaw(2, 2, &cell);
    EXPECT_FALSE(cell.IsPropertySet(CUGCell::PropTextColor));
}

// Paste writes from the current cell on, drops what falls past the sheet's
// edge and selects what it wrote, names outside the ANSI code page whole;
// an empty clipboard changes nothing.
TEST(CUGCtrlSelection, PasteFillsCellsFromTheCurrentCellWithinTheSheet)
{
    const struct {
        const wchar_t* text;
        int col, row;
        std::vector<std::wstring> expected;  // rows from `row` on, "|" after each cell
        int right, bottom;
    } cases[] = {
        {L"1\t2\r\n3\t4", 0, 0, {L"1|2||||", L"3|4||||"}, 1, 1},
        {L"x\t\ty", 0, 0, {L"x||y|||"}, 2, 0},
        {L"p\rq\n\nr\n", 1, 0, {L"|p||||", L"|q||||", L"|||||", L"|r||||", L"|||||"}, 1, 3},
        {L"no separators", 2, 5, {L"||no separators|||"}, 2, 5},
        {L"a\tb\tc\r\nd\te\tf", 4, 0, {L"||||a|", L"||||d|"}, 4, 1},
        {L"a\tb\nc\td\ne\tf", 3, 38, {L"|||a|b|", L"|||c|d|"}, 4, 39},
        {L"\u0141\u00f3d\u017a \u03a9", 3, 7, {L"|||\u0141\u00f3d\u017a \u03a9||"}, 3, 7},
    };
    EditingGrid empty;
    SetClipboard(nullptr);
    EXPECT_EQ(empty.grid.Paste(), 1);
    for (const auto& c : cases) {
        SCOPED_TRACE("pasting " + Narrow(c.text));
        EditingGrid g;
        SetClipboard(c.text);
        g.grid.EnableSelection(1), g.grid.GotoCell(c.col, c.row);
        ASSERT_EQ(g.grid.Paste(), 0);
        for (size_t i = 0; i < c.expected.size(); ++i) {
            std::wstring line;
            for (int col = 0; col < 5; ++col)
                line += g.CellText(col, c.row + static_cast<long>(i)) + L"|";
            EXPECT_EQ(line, c.expected[i]);
        }
        int left = 0, right = 0;
        long top = 0, bottom = 0;
        ASSERT_EQ(g.grid.GridInfo->MultiSelect->GetTotalRange(&left, &top, &right, &bottom), 0);
        EXPECT_EQ(std::tuple(left, top, right, bottom),
                  std::tuple(c.col, long{c.row}, c.right, long{c.bottom}));
        EXPECT_EQ(std::pair(g.grid.GetColumnCount(), g.grid.GetRowCount()), std::pair(5, 40L));
    }
}
