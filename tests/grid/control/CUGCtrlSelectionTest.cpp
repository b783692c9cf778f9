#include "CString.h"
#include "EditingGrid.h"
#include "Narrow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <cwchar>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

// The bytes of a clipboard format up to its terminating zero, or "<none>".
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

void Select(EditingGrid& g, int left, long top, int right, long bottom)
{
    g.grid.EnableSelection(1);
    g.grid.GotoCell(left, top);
    g.grid.SelectRange(left, top, right, bottom);
}

}  // namespace

// Copy puts TAB between fields and LF between rows with nothing after the
// last field, in both formats; with selection off only the current cell
// goes. Cut leaves the copied cells empty of every property and the
// selection cleared.
TEST(CUGCtrlSelection, CopyAndCutWriteTheBlockAsSeparatedText)
{
    EditingGrid g;
    g.grid.QuickSetText(1, 1, L"a");
    g.grid.QuickSetText(2, 1, L"b");
    g.grid.QuickSetText(1, 2, L"c");
    g.grid.QuickSetText(2, 2, L"d\te");
    g.grid.QuickSetTextColor(2, 2, RGB(255, 0, 0));

    g.grid.GotoCell(2, 1);
    ASSERT_EQ(g.grid.Copy(), 0);
    EXPECT_EQ(ClipboardData<char>(CF_TEXT), "b");

    Select(g, 1, 1, 2, 2);
    ASSERT_EQ(g.grid.Copy(), 0);
    EXPECT_EQ(ClipboardData<char>(CF_TEXT), "a\tb\nc\td\te");
    EXPECT_EQ(ClipboardData<wchar_t>(CF_UNICODETEXT), L"a\tb\nc\td\te");
    EXPECT_EQ(g.grid.GridInfo->MultiSelect->GetBlockCount(), 0);
    EXPECT_EQ(g.CellText(1, 1), L"a");

    Select(g, 1, 1, 2, 2);
    ASSERT_EQ(g.grid.Cut(), 0);
    EXPECT_EQ(ClipboardData<char>(CF_TEXT), "a\tb\nc\td\te");
    CUGCell cell;
    g.grid.GetCellRaw(2, 2, &cell);
    EXPECT_FALSE(cell.IsPropertySet(CUGCell::PropTextColor));
    EXPECT_EQ(g.CellText(1, 1), L"");
    EXPECT_EQ(g.grid.GridInfo->MultiSelect->GetBlockCount(), 0);
}

// Paste writes from the current cell on, drops what falls past the sheet's
// edge and selects what it wrote.
TEST(CUGCtrlSelection, PasteFillsCellsFromTheCurrentCellWithinTheSheet)
{
    struct Case {
        const wchar_t* text;
        int col;
        long row;
        std::vector<std::wstring> expected;  // rows of the 5 x 40 sheet from `row` on, "|" between cells
        int right;
        long bottom;
    };
    const Case cases[] = {
        {L"1\t2\r\n3\t4", 0, 0, {L"1|2||||", L"3|4||||"}, 1, 1},
        {L"x\t\ty", 0, 0, {L"x||y|||"}, 2, 0},
        {L"p\rq\n\nr\n", 1, 0, {L"|p||||", L"|q||||", L"|||||", L"|r||||", L"|||||"}, 1, 3},
        {L"no separators", 2, 5, {L"||no separators|||"}, 2, 5},
        {L"a\tb\tc\r\nd\te\tf", 4, 0, {L"||||a|", L"||||d|"}, 4, 1},
        {L"a\tb\nc\td\ne\tf", 3, 38, {L"|||a|b|", L"|||c|d|"}, 4, 39},
    };
    for (const Case& c : cases) {
        EditingGrid g;
        SetClipboard(c.text);
        g.grid.EnableSelection(1);
        g.grid.GotoCell(c.col, c.row);
        ASSERT_EQ(g.grid.Paste(), 0);
        for (size_t i = 0; i < c.expected.size(); ++i) {
            std::wstring line;
            for (int col = 0; col < 5; ++col)
                line += g.CellText(col, c.row + static_cast<long>(i)) + L"|";
            EXPECT_EQ(line, c.expected[i]) << "pasting " << Narrow(c.text);
        }
        int left = 0, right = 0;
        long top = 0, bottom = 0;
        ASSERT_EQ(g.grid.GridInfo->MultiSelect->GetTotalRange(&left, &top, &right, &bottom), 0);
        EXPECT_EQ((std::vector<long>{left, top, right, bottom}),
                  (std::vector<long>{c.col, c.row, c.right, c.bottom}))
            << "pasting " << Narrow(c.text);
        EXPECT_EQ(g.grid.GetColumnCount(), 5);
        EXPECT_EQ(g.grid.GetRowCount(), 40);
    }
}

// Names outside the ANSI code page come back whole through the Unicode
// form, while the ANSI form holds the platform's conversion.
TEST(CUGCtrlSelection, UnicodeTextSurvivesACopyAndPaste)
{
    EditingGrid g;
    g.grid.QuickSetText(0, 0, L"\u0141\u00f3d\u017a \u03a9");
    ASSERT_EQ(g.grid.Copy(), 0);
    EXPECT_EQ(ClipboardData<wchar_t>(CF_UNICODETEXT), L"\u0141\u00f3d\u017a \u03a9");
    EXPECT_EQ(ClipboardData<char>(CF_TEXT).size(), 6u);
    g.grid.GotoCell(3, 7);
    ASSERT_EQ(g.grid.Paste(), 0);
    EXPECT_EQ(g.CellText(3, 7), L"\u0141\u00f3d\u017a \u03a9");
}

// An empty clipboard, or one that another thread holds open, leaves the
// cells as they were; afterwards the clipboard is free again.
TEST(CUGCtrlSelection, EmptyOrBusyClipboardChangesNothing)
{
    EditingGrid g;
    g.grid.QuickSetText(0, 0, L"kept");
    SetClipboard(nullptr);
    EXPECT_EQ(g.grid.Paste(), 1);
    EXPECT_EQ(g.CellText(0, 0), L"kept");

    SetClipboard(L"new");
    std::atomic<int> stage{0};
    std::thread holder([&] {
        if (::OpenClipboard(nullptr)) {
            stage = 1;
            while (stage != 2)
                ::Sleep(1);
            ::CloseClipboard();
        }
        stage = 3;
    });
    while (stage == 0)
        ::Sleep(1);
    ASSERT_EQ(stage.load(), 1) << "the other thread must hold the clipboard";
    EXPECT_EQ(g.grid.Paste(), 1);
    EXPECT_EQ(g.grid.Copy(), 1);
    EXPECT_EQ(g.CellText(0, 0), L"kept");
    stage = 2;
    holder.join();
    EXPECT_EQ(ClipboardData<wchar_t>(CF_UNICODETEXT), L"new");
    EXPECT_EQ(g.grid.Paste(), 0);
    EXPECT_EQ(g.CellText(0, 0), L"new");
}

// With selection on, a Shift click extends the block from the current cell
// and a Ctrl click adds a block beside it; the selected cells are painted
// with the highlight background.
TEST(CUGCtrlSelection, ShiftAndCtrlClicksSelectBlocks)
{
    EditingGrid g;
    g.grid.EnableSelection(1);
    HWND area = g.grid.GetCellArea()->m_hWnd;
    auto clickAt = [&](int x, int y, WPARAM flags) {
        ::SendMessageW(area, WM_LBUTTONDOWN, MK_LBUTTON | flags, MAKELPARAM(x, y));
        ::SendMessageW(area, WM_LBUTTONUP, flags, MAKELPARAM(x, y));
    };
    clickAt(10, 10, 0);         // (0, 0)
    clickAt(100, 30, MK_SHIFT); // (1, 1)
    clickAt(230, 70, MK_CONTROL); // (3, 3)
    CUGBlockSelection* selection = g.grid.GridInfo->MultiSelect.get();
    std::vector<std::pair<int, long>> cells;
    int col = 0;
    long row = 0;
    for (int more = selection->EnumFirstSelected(&col, &row); more == 0;
         more = selection->EnumNextSelected(&col, &row))
        cells.emplace_back(col, row);
    EXPECT_EQ(cells, (std::vector<std::pair<int, long>>{{0, 0}, {1, 0}, {0, 1}, {1, 1}, {3, 3}}));
    ::UpdateWindow(area);
    HDC dc = ::GetDC(area);
    const COLORREF selected = ::GetPixel(dc, 110, 5), plain = ::GetPixel(dc, 180, 5);
    ::ReleaseDC(area, dc);
    EXPECT_EQ(selected, ::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_NE(plain, selected);
}
