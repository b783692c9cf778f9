#pragma once

#include <vector>

// The cells a view repaints in its next painting pass: ranges in the order
// they were added, their bounding box for a quick rejection, and the origins
// of the joined blocks already painted in the current pass (a block is
// painted once, from whichever of its cells the pass meets first).
class CellRedrawList {
public:
    // Both ends inclusive.
    void AddRange(int startCol, long startRow, int endCol, long endRow);
    void AddCell(int col, long row) { AddRange(col, row, col, row); }
    // Adds the range when the list is empty, then widens the first range
    // (and the box) to take the given one in: the headings merge all they
    // add into one range this way.
    void ExtendFirst(int startCol, long startRow, int endCol, long endRow);
    bool Contains(int col, long row) const;
    bool IsEmpty() const { return m_ranges.empty(); }

    bool WasJoinDrawn(int col, long row) const;
    void MarkJoinDrawn(int col, long row);

    void Clear();

private:
    struct Range {
        int StartCol;
        long StartRow;
        int EndCol;
        long EndRow;
    };
    struct Origin {
        int Col;
        long Row;
    };

    std::vector<Range> m_ranges;
    Range m_box{0, 0, -1, -1};
    std::vector<Origin> m_joinsDrawn;
};
