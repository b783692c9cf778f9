#include "CellRedrawList.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>
#include <vector>

namespace {

// The plainest model of the list: the ranges, searched one by one, with no
// bounding box; ExtendFirst widens the first range as the headings use it.
struct ReferenceList {
    struct Range {
        int startCol;
        long startRow;
        int endCol;
        long endRow;
    };
    std::vector<Range> ranges;
    std::set<std::pair<int, long>> joins;

    void Add(int c0, long r0, int c1, long r1) { ranges.push_back({c0, r0, c1, r1}); }
    void ExtendFirst(int c0, long r0, int c1, long r1)
    {
        if (ranges.empty()) {
            Add(c0, r0, c1, r1);
            return;
        }
        Range& first = ranges.front();
        first = {std::min(first.startCol, c0), std::min(first.startRow, r0),
                 std::max(first.endCol, c1), std::max(first.endRow, r1)};
    }
    bool Contains(int col, long row) const
    {
        for (const Range& r : ranges)
            if (col >= r.startCol && col <= r.endCol && row >= r.startRow && row <= r.endRow)
                return true;
        return false;
    }
};

}  // namespace

// Random additions, extensions, join marks and clears over a small area
// (heading indices -1 and -2 included, and empty ranges whose end lies before
// their start, as a column of a sheet without rows gives); after every step
// each cell of the area and around it answers as the reference does.
TEST(CellRedrawList, RandomSequenceAnswersAsTheReference)
{
    std::mt19937 random(20240611);
    auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };

    for (int round = 0; round < 40; ++round) {
        CellRedrawList list;
        ReferenceList reference;
        for (int step = 0; step < 60; ++step) {
            const int op = pick(0, 99);
            const int c0 = pick(-2, 12);
            const long r0 = pick(-2, 12);
            // Mostly proper ranges, sometimes an empty one.
            const int c1 = pick(0, 9) == 0 ? c0 - 1 : c0 + pick(0, 4);
            const long r1 = pick(0, 9) == 0 ? r0 - 1 : r0 + pick(0, 4);
            if (op < 45) {
                list.AddRange(c0, r0, c1, r1);
                reference.Add(c0, r0, c1, r1);
            } else if (op < 60) {
                list.AddCell(c0, r0);
                reference.Add(c0, r0, c0, r0);
            } else if (op < 85) {
                list.ExtendFirst(c0, r0, c1, r1);
                reference.ExtendFirst(c0, r0, c1, r1);
            } else if (op < 95) {
                list.MarkJoinDrawn(c0, r0);
                reference.joins.insert({c0, r0});
            } else {
                list.Clear();
                reference = ReferenceList{};
            }

            ASSERT_EQ(list.IsEmpty(), reference.ranges.empty()) << "round " << round;
            for (int col = -3; col <= 18; ++col) {
                for (long row = -3; row <= 18; ++row) {
                    ASSERT_EQ(list.Contains(col, row), reference.Contains(col, row))
                        << "round " << round << " step " << step << " cell " << col << ","
                        << row;
                    ASSERT_EQ(list.WasJoinDrawn(col, row), reference.joins.count({col, row}) == 1)
                        << "round " << round << " step " << step << " join " << col << ","
                        << row;
                }
            }
        }
    }
}
