#include "CUGMem.h"
#include "RecordingCtrl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The text stored at a cell, "-" when GetCell finds no cell.
std::wstring TextAt(CUGMem& mem, int col, long row)
{
    CUGCell cell;
    if (mem.GetCell(col, row, &cell) != 0)
        return L"-";
    const wchar_t* text = cell.GetText();
    return text ? text : L"(no text)";
}

void Put(CUGMem& mem, int col, long row, const wchar_t* text)
{
    CUGCell cell;
    cell.SetText(text);
    ASSERT_EQ(mem.SetCell(col, row, &cell), 0);
}

// The texts of column col over rows first..last.
std::vector<std::wstring> Column(CUGMem& mem, int col, long first, long last)
{
    std::vector<std::wstring> texts;
    for (long row = first; row <= last; ++row)
        texts.push_back(TextAt(mem, col, row));
    return texts;
}

using Texts = std::vector<std::wstring>;

}  // namespace

TEST(CUGMemCells, EmptySourceFindsNothingAndLeavesTheOutputAlone)
{
    CUGMem mem;
    CUGCell out;
    out.SetParam(3);
    EXPECT_EQ(mem.GetCell(0, 0, &out), 1);
    EXPECT_EQ(out.GetPropertyFlags(), CUGCell::PropParam);
    EXPECT_EQ(mem.DeleteCell(0, 0), 1);
    EXPECT_EQ(mem.InsertRow(0), 0);
    EXPECT_EQ(mem.DeleteRow(0), 0);
    EXPECT_EQ(mem.InsertCol(0), 1);
    EXPECT_EQ(mem.DeleteCol(0), 1);
    EXPECT_EQ(mem.SortByColumn(0, 0), 0);
    int col = 3;
    EXPECT_EQ(mem.GetPrevNonBlankCol(&col, 0), 1);
}

TEST(CUGMemSort, NumbersCompareByValueAndEqualRowsKeepTheirOrder)
{
    RecordingCtrl ctrl;
    CUGMem& mem = *ctrl.GridInfo->MemDataSource;
    const double values[] = {10, 9.5, -1, 10, 100};
    for (long row = 0; row < 5; ++row) {
        CUGCell cell;
        cell.SetNumber(values[row]);
        cell.SetParam(row);
        mem.SetCell(0, row, &cell);
    }
    EXPECT_EQ(mem.SortByColumn(0, 0), 0);
    std::vector<long> params;
    for (long row = 0; row < 5; ++row) {
        CUGCell cell;
        mem.GetCell(0, row, &cell);
        params.push_back(cell.GetParam());
    }
    EXPECT_EQ(params, (std::vector<long>{2, 1, 0, 3, 4}));
}

namespace {

// A comparison that never asks for a swap, counting how often it was asked.
class CountingCtrl : public RecordingCtrl {
public:
    int CompareCellsForSort(CUGCell*, CUGCell*, int) override
    {
        ++calls;
        return answer;
    }
    int calls = 0;
    int answer = -1;
};

}  // namespace

TEST(CUGMemSort, OnePassWhenNothingSwapsAndNoneForASingleRow)
{
    CountingCtrl ctrl;
    CUGMem& mem = *ctrl.GridInfo->MemDataSource;
    Put(mem, 0, 0, L"c");
    EXPECT_EQ(mem.SortByColumn(0, 0), 0);
    EXPECT_EQ(ctrl.calls, 0);

    Put(mem, 0, 1, L"b");
    Put(mem, 0, 2, L"a");
    Put(mem, 0, 3, L"d");
    EXPECT_EQ(mem.SortByColumn(0, 0), 0);
    EXPECT_EQ(ctrl.calls, 3);
    ctrl.calls = 0;
    ctrl.answer = 0;
    int cols[3] = {0, 1, 2};
    EXPECT_EQ(mem.SortBy(cols, 3, 0), 0);
    EXPECT_EQ(ctrl.calls, 9);  // all columns tie in each of three pairs
    EXPECT_EQ(Column(mem, 0, 0, 3), (Texts{L"c", L"b", L"a", L"d"}));
}

TEST(CUGMemOverflow, PrevNonBlankColFindsTheNearestTextToTheLeft)
{
    CUGMem mem;
    Put(mem, -1, 0, L"heading");
    Put(mem, 0, 0, L"");
    Put(mem, 1, 0, L"one");
    CUGCell noText;
    noText.SetParam(1);
    mem.SetCell(2, 0, &noText);
    Put(mem, 3, 0, L"three");
    mem.SetCell(5, 0, &noText);

    int col = 4;
    EXPECT_EQ(mem.GetPrevNonBlankCol(&col, 0), 0);
    EXPECT_EQ(col, 3);
    col = 3;  // never itself
    EXPECT_EQ(mem.GetPrevNonBlankCol(&col, 0), 0);
    EXPECT_EQ(col, 1);
    col = 9;  // beyond the row: the search starts at the last node
    EXPECT_EQ(mem.GetPrevNonBlankCol(&col, 0), 0);
    EXPECT_EQ(col, 3);
    col = 1;  // an empty text and the heading are not candidates
    EXPECT_EQ(mem.GetPrevNonBlankCol(&col, 0), 1);
    EXPECT_EQ(col, 1);
    col = 2;
    EXPECT_EQ(mem.GetPrevNonBlankCol(&col, 3), 1);

    // A row whose last node is empty gives nothing beyond it.
    Put(mem, 0, 1, L"x");
    mem.SetCell(1, 1, &noText);
    mem.DeleteCell(1, 1);
    col = 4;
    EXPECT_EQ(mem.GetPrevNonBlankCol(&col, 1), 1);
    col = 1;
    EXPECT_EQ(mem.GetPrevNonBlankCol(&col, 1), 0);
    EXPECT_EQ(col, 0);
}

TEST(CUGMemFind, FindFirstStartsAtTheTopAndUpperCasesTheCallersText)
{
    RecordingCtrl ctrl;
    ctrl.SetColumns(3);
    ctrl.GridInfo->RowCount = 3;
    CUGMem& mem = *ctrl.GridInfo->MemDataSource;
    Put(mem, 2, 0, L"Lot 7");
    Put(mem, 0, 1, L"lot 7");

    CString text(L"lot 7");
    int col = 2;
    long row = 2;
    EXPECT_EQ(mem.FindFirst(&text, &col, &row, 2), 0);
    EXPECT_EQ(text, L"LOT 7");
    EXPECT_EQ(col, 2);
    EXPECT_EQ(row, 0);

    CString exact(L"lot 7");
    col = 2;
    row = 2;
    EXPECT_EQ(mem.FindFirst(&exact, &col, &row, 8), 0);
    EXPECT_EQ(exact, L"lot 7");
    EXPECT_EQ(col, 0);
    EXPECT_EQ(row, 1);
}

// The default comparison takes the type of the first cell, so a check box
// and a text each sort after the other; sorting such a column still ends,
// with both cells kept.
TEST(CUGMemSort, ACheckBoxAndATextInOneColumnStillSort)
{
    RecordingCtrl ctrl;
    CUGMem& mem = *ctrl.GridInfo->MemDataSource;
    CUGCell box;
    box.SetBool(1);
    mem.SetCell(0, 0, &box);
    Put(mem, 0, 1, L"a");
    EXPECT_EQ(mem.SortByColumn(0, 0), 0);
    const Texts column = Column(mem, 0, 0, 1);
    EXPECT_TRUE(std::is_permutation(column.begin(), column.end(), Texts{L"1", L"a"}.begin()));
}
