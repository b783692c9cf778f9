// FindNext over every combination of its flags, against the search order:
// down one column the rows after the start, wrapping round to the start row;
// across columns every cell in reading order after the start, wrapping round
// to the start cell; backwards the same orders reversed.
#include "CUGMem.h"
#include "RecordingCtrl.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int K = 3;  // columns
constexpr long R = 4;  // rows

std::wstring Upper(std::wstring text)
{
    CString s(text);
    s.MakeUpper();
    return s.str();
}

class FindSheet : public ::testing::Test {
protected:
    void SetUp() override
    {
        ctrl.SetColumns(K);
        ctrl.GridInfo->RowCount = R;
        Put(0, 0, L"Apple");
        Put(1, 0, L"apple");
        PutWithoutText(2, 0);
        // Row 1 has no storage at all.
        Put(0, 2, L"pineapple");
        Put(1, 2, L"APPLE PIE");
        Put(2, 2, L"");
        Put(1, 3, L"apple");
        // Outside the searched area: a heading and a column beyond the count.
        Put(0, -1, L"apple");
        Put(K, 1, L"apple");
    }

    void Put(int col, long row, const wchar_t* text)
    {
        CUGCell cell;
        cell.SetText(text);
        mem().SetCell(col, row, &cell);
        texts[{col, row}] = text;
    }

    void PutWithoutText(int col, long row)
    {
        CUGCell cell;
        cell.SetParam(1);
        mem().SetCell(col, row, &cell);
        texts[{col, row}] = std::nullopt;
    }

    CUGMem& mem() { return *ctrl.GridInfo->MemDataSource; }

    bool Matches(int col, long row, const std::wstring& wanted, int flags) const
    {
        auto found = texts.find({col, row});
        if (found == texts.end() || !found->second)
            return false;
        std::wstring text = *found->second;
        std::wstring search = wanted;
        if (flags & CUGMem::FindIgnoreCase) {
            text = Upper(text);
            search = Upper(search);
        }
        if (flags & CUGMem::FindPartial)
            return text.find(search) != std::wstring::npos;
        return text == search;
    }

    // The cells in the order the search looks at them.
    static std::vector<std::pair<int, long>> SearchOrder(int col, long row, int flags)
    {
        std::vector<std::pair<int, long>> order;
        const bool backward = (flags & CUGMem::FindBackward) != 0;
        if (flags & CUGMem::FindAcrossColumns) {
            const long start = row * K + col;  // reading-order position
            for (long step = 1; step <= R * K; ++step) {
                long at = backward ? start - step : start + step;
                at = ((at % (R * K)) + R * K) % (R * K);
                order.emplace_back(static_cast<int>(at % K), at / K);
            }
        } else {
            for (long step = 1; step <= R; ++step) {
                long at = backward ? (row < 0 ? R - step : row - step) : row + step;
                at = ((at % R) + R) % R;
                order.emplace_back(col, at);
            }
        }
        return order;
    }

    RecordingCtrl ctrl;
    std::map<std::pair<int, long>, std::optional<std::wstring>> texts;
};

}  // namespace

TEST_F(FindSheet, EveryFlagCombinationFollowsTheSearchOrder)
{
    const std::wstring searches[] = {L"apple", L"APPLE", L"app", L"pie", L"", L"zzz"};
    int found = 0, missed = 0;
    for (int flags = 0; flags < 16; ++flags) {
        const bool across = (flags & CUGMem::FindAcrossColumns) != 0;
        std::vector<std::pair<int, long>> starts;
        if (across) {
            for (long row = 0; row < R; ++row)
                for (int col = 0; col < K; ++col)
                    starts.emplace_back(col, row);
            if (!(flags & CUGMem::FindBackward))
                starts.emplace_back(-1, 0);  // where FindFirst starts
        } else {
            for (int col = 0; col < K; ++col)
                for (long row = -1; row < R; ++row)
                    starts.emplace_back(col, row);
        }
        for (const std::wstring& search : searches) {
            for (const auto& [startCol, startRow] : starts) {
                std::ostringstream what;
                what << "flags " << flags << ", start (" << startCol << ", " << startRow
                     << "), search text of " << search.size() << " characters";
                SCOPED_TRACE(what.str());

                std::optional<std::pair<int, long>> expected;
                for (const auto& cell : SearchOrder(startCol, startRow, flags)) {
                    if (Matches(cell.first, cell.second, search, flags)) {
                        expected = cell;
                        break;
                    }
                }

                CString text(search);
                int col = startCol;
                long row = startRow;
                const int result = mem().FindNext(&text, &col, &row, flags);
                if (expected) {
                    ++found;
                    ASSERT_EQ(result, 0);
                    ASSERT_EQ(col, expected->first);
                    ASSERT_EQ(row, expected->second);
                } else {
                    ++missed;
                    ASSERT_EQ(result, 1);
                    ASSERT_EQ(col, startCol);
                    ASSERT_EQ(row, startRow);
                }
                ASSERT_EQ(text.str(), (flags & CUGMem::FindIgnoreCase) ? Upper(search) : search);
            }
        }
    }
    // The sheet gives both outcomes plenty of times.
    EXPECT_GT(found, 300);
    EXPECT_GT(missed, 300);
}

TEST_F(FindSheet, StartCellItselfIsFoundLastAndEmptySheetsGiveUp)
{
    // The only "pineapple" is the start cell: every other cell comes first.
    for (int flags : {1, 5, 9, 13}) {
        CString text(L"pineapple");
        int col = 0;
        long row = 2;
        EXPECT_EQ(mem().FindNext(&text, &col, &row, flags), 0) << "flags " << flags;
        EXPECT_EQ(col, 0);
        EXPECT_EQ(row, 2);
    }

    // With no rows, or one row searched down its column, the search ends.
    for (long rows : {0L, 1L}) {
        ctrl.GridInfo->RowCount = rows;
        for (int flags = 0; flags < 16; ++flags) {
            CString text(L"zzz");
            int col = 1;
            long row = 0;
            EXPECT_EQ(mem().FindNext(&text, &col, &row, flags), 1);
        }
    }
    ctrl.GridInfo->RowCount = R;
    ctrl.GridInfo->ColumnCount = 0;
    CString text(L"zzz");
    int col = -1;
    long row = 0;
    EXPECT_EQ(mem().FindFirst(&text, &col, &row, 8), 1);
}
