#include "CellRedrawList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <set>
#include <vector>

// Random additions, join marks and clears over a small area (headings and
// empty ranges, whose end lies before their start, included); after each step
// every cell in and around it answers as a plain list of ranges does.
TEST(CellRedrawList, RandomSequenceAnswersAsTheReference)
{
    std::mt19937 rng(20240611);
    auto pick = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    for (int round = 0; round < 40; ++round) {
        CellRedrawList list;
        std::vector<std::array<long, 4>> ranges;  // start col, start row, end col, end row
        std::set<std::pair<int, long>> joins;
        for (int step = 0; step < 60; ++step) {
            const int c0 = pick(-2, 12), r0 = pick(-2, 12), op = pick(0, 99);
            const int c1 = pick(0, 9) ? c0 + pick(0, 4) : c0 - 1, r1 = pick(0, 9) ? r0 + pick(0, 4) : r0 - 1;
            if (op < 80) {
                op < 60 ? list.AddRange(c0, r0, c1, r1) : list.AddCell(c0, r0);
                ranges.push_back({c0, r0, op < 60 ? c1 : c0, op < 60 ? r1 : r0});
            } else if (op < 95) {
                list.MarkJoinDrawn(c0, r0);
                joins.insert({c0, r0});
            } else {
                list.Clear();
                ranges.clear();
                joins.clear();
            }
            ASSERT_EQ(list.IsEmpty(), ranges.empty());
            for (int col = -3; col <= 18; ++col) {
                for (long row = -3; row <= 18; ++row) {
                    const bool listed = std::any_of(ranges.begin(), ranges.end(), [&](auto& r) {
                        return col >= r[0] && row >= r[1] && col <= r[2] && row <= r[3];
                    });
                    ASSERT_EQ(list.Contains(col, row), listed)
                        << "round " << round << " step " << step << " cell " << col << "," << row;
                    ASSERT_EQ(list.WasJoinDrawn(col, row), joins.count({col, row}) == 1);
                }
            }
        }
    }
}
