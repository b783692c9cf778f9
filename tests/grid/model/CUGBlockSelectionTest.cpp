// The selection against a plain model of its rules: after each step of a
// seeded sequence of moves, block operations, clears and mode changes, the
// selected cells, the total range, the enumeration and the repaints agree.
#include "CUGBlockSelection.h"
#include "RecordingCtrl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>

namespace {

using Range = RecordingCtrl::Range;
using Cell = std::pair<int, long>;
using Sel = CUGBlockSelection;

Range Union(const Range& a, const Range& b)
{
    return {std::min(a.startCol, b.startCol), std::min(a.startRow, b.startRow),
            std::max(a.endCol, b.endCol), std::max(a.endRow, b.endRow)};
}

// Blocks in the order they were started, as anchor and moving corner; the
// last one is the one that extensions move, and its anchor is the last cell.
struct ReferenceSelection {
    int mode = Sel::ModeCells, counter = 0, fullRepaints = 0;
    bool pending = false;
    Cell lastMove{-1, -1};
    std::vector<std::pair<Cell, Cell>> blocks;
    std::vector<Range> ranges;

    bool Active() const { return mode & (Sel::ModeCells | Sel::ModeRows); }
    Range Bounds(const std::pair<Cell, Cell>& b) const  // row blocks span the 10 columns
    {
        const auto [anchor, corner] = b;
        const Range r = Union({anchor.first, anchor.second, anchor.first, anchor.second},
                              {corner.first, corner.second, corner.first, corner.second});
        return mode & Sel::ModeRows ? Range{0, r.startRow, 10, r.endRow} : r;
    }
    void Start(Cell cell)
    {
        if (!Active())
            return;
        blocks.push_back({cell, cell});
        ++counter;
        pending = true;
    }
    // The rows the moving corner crossed, then its columns, are repainted.
    int Extend(Cell to)
    {
        if (!Active() || blocks.empty())
            return Active();
        const auto [anchor, from] = blocks.back();
        const Range was = Bounds(blocks.back()), now = Bounds(blocks.back() = {anchor, to});
        counter += std::exchange(pending, false);
        if (from.second != to.second)
            ranges.push_back(Union({was.startCol, from.second, was.endCol, from.second},
                                   {now.startCol, to.second, now.endCol, to.second}));
        if (from.first != to.first)
            ranges.push_back(Union({from.first, was.startRow, from.first, was.endRow},
                                   {to.first, now.startRow, to.first, now.endRow}));
        return 0;
    }
    void Clear()
    {
        if (!Active())
            return;
        fullRepaints += counter > 1;
        blocks.clear();
        counter = 0;
        lastMove = {-1, -1};
    }
    // The last block containing the cell decides, or the first with bit 16.
    int Selected(Cell cell, int* index) const
    {
        int found = -1;
        for (int i = 0; Active() && i < int(blocks.size()); ++i) {
            const Range r = Bounds(blocks[i]);
            if (cell.first >= r.startCol && cell.first <= r.endCol && cell.second >= r.startRow
                && cell.second <= r.endRow && (found < 0 || !(mode & Sel::ModeFirstBlockWins)))
                found = *index = i;
        }
        return found >= 0;
    }
    std::optional<Range> Total() const
    {
        std::optional<Range> total;
        for (const auto& b : blocks)
            total = Union(total.value_or(Bounds(b)), Bounds(b));
        return total;
    }
    void Redraw()
    {
        if (Active() && Total())
            ranges.push_back(*Total());
    }
    void Move(int kind, Cell cell, int flags, bool shift, bool control)
    {
        int index = 0;
        const bool keyboard = kind == Sel::MoveKeyboard, left = kind == Sel::MoveLeftButton;
        if (!Active() || (cell == lastMove && kind != Sel::MoveRightButton)
            || (kind == Sel::MoveRightButton && Selected(cell, &index)))
            return;
        lastMove = left ? cell : lastMove;
        if (kind > Sel::MoveRightButton || (keyboard && shift)
            || (left && (flags & (MK_SHIFT | MK_CONTROL)) == MK_SHIFT))
            return void(Extend(cell));
        if (!(keyboard ? control : left && (flags & MK_CONTROL))) {
            Redraw();
            Clear();
        }
        Start(cell);
    }
};

}  // namespace

TEST(CUGBlockSelection, RandomMovesAgreeWithTheSelectionRules)
{
    RecordingCtrl ctrl;
    ctrl.SetColumnCount(10);
    Sel& sel = *ctrl.GridInfo->MultiSelect;
    sel.SetMode(Sel::ModeCells);
    ReferenceSelection ref;
    std::mt19937 rng(20240611);
    auto pick = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    const int modes[] = {0, Sel::ModeCells, Sel::ModeRows, Sel::ModeCells | Sel::ModeFirstBlockWins,
                         Sel::ModeRows | Sel::ModeFirstBlockWins};
    for (int step = 0; step < 4000; ++step) {
        const int op = pick(0, 99);
        const Cell cell{pick(0, 6), pick(0, 6)};  // a small area, so that moves often meet
        SCOPED_TRACE(testing::Message() << "step " << step << ", operation " << op << " at " << cell.first);
        ctrl.ranges.clear();
        ctrl.redrawAllCount = ref.fullRepaints = 0;
        ref.ranges.clear();
        if (op < 2) {
            ref.Clear();
            ASSERT_EQ(sel.SetMode(ref.mode = modes[pick(0, 4)]), 0);
        } else if (op < 5) {
            ASSERT_EQ(sel.ClearAll(), 0);
            ref.Clear();
        } else if (op < 8) {
            ASSERT_EQ(sel.StartBlock(cell.first, cell.second), 0);
            ref.Start(cell);
        } else if (op < 11) {
            ASSERT_EQ(sel.ExtendBlock(cell.first, cell.second), ref.Extend(cell));
        } else {
            // Shift and Ctrl for the keyboard moves are in the thread's state.
            const int kind = pick(0, 4), flags = pick(0, 3) * MK_SHIFT;  // MK_CONTROL is 2 * MK_SHIFT
            BYTE keys[256] = {};
            keys[VK_SHIFT] = pick(0, 2) ? 0 : 0x80;
            keys[VK_CONTROL] = pick(0, 2) ? 0 : 0x80;
            SetKeyboardState(keys);
            ASSERT_EQ(sel.OnMove(kind, cell.first, cell.second, flags), 0);
            ref.Move(kind, cell, flags, keys[VK_SHIFT], keys[VK_CONTROL]);
            keys[VK_SHIFT] = keys[VK_CONTROL] = 0;
            SetKeyboardState(keys);
        }
        ASSERT_EQ(ctrl.ranges, ref.ranges);
        ASSERT_EQ(ctrl.redrawAllCount, ref.fullRepaints);
        ASSERT_EQ(sel.GetBlockCount(), ref.counter);

        std::vector<Cell> selected;
        for (long r = -1; r <= 11; ++r) {
            for (int c = -1; c <= 11; ++c) {
                int index = -1, expectedIndex = -1;
                ASSERT_EQ(sel.IsSelected(c, r, &index), ref.Selected({c, r}, &expectedIndex));
                ASSERT_EQ(index, expectedIndex) << "at " << c << "," << r;
                if (index >= 0)
                    selected.emplace_back(c, r);
            }
        }
        const bool current = ref.Active() && !ref.blocks.empty();
        Range total{-9, -9, -9, -9}, untouched = total;
        Cell last{-9, -9};
        ASSERT_EQ(sel.GetTotalRange(&total.startCol, &total.startRow, &total.endCol, &total.endRow),
                  !ref.Active() ? 1 : current ? 0 : 2);
        ASSERT_EQ(sel.GetLastCell(&last.first, &last.second), !current);
        ASSERT_EQ(total, ref.Total().value_or(untouched));
        ASSERT_EQ(last, current ? ref.blocks.back().first : Cell(-9, -9));

        // Enumeration visits the selected cells row by row; the current cell
        // stands for an empty selection.
        const Cell at{ctrl.GridInfo->CurrentCol = pick(-1, 12), ctrl.GridInfo->CurrentRow = pick(-1, 12)};
        std::vector<Cell> visited;
        for (int more = sel.EnumFirstSelected(&last.first, &last.second); more == 0;
             more = sel.EnumNextSelected(&last.first, &last.second))
            visited.push_back(last);
        ASSERT_EQ(sel.EnumNextSelected(&last.first, &last.second), 1);
        ASSERT_EQ(visited, current ? selected : std::vector<Cell>{at});
    }
}
