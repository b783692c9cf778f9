#pragma once

#include "CUGCellType.h"

// The arrow cell type: a small arrow, or a double arrow, in the middle of
// the cell instead of text, in the cell's text colour even when the cell
// is highlighted. Its cells are never edited.
class CUGArrowType : public CUGCellType {
public:
    // Directions read from the cell's CellTypeEx; a cell without it shows
    // one arrow to the right.
    static constexpr long StyleRight = 16;
    static constexpr long StyleLeft = 32;
    static constexpr long StyleDoubleRight = 64;
    static constexpr long StyleDoubleLeft = 128;

    CUGArrowType() { m_useDefaultEdit = 0; }
    ~CUGArrowType() override;

    void OnDraw(CDC* dc, RECT* rect, int col, long row, CUGCell* cell, int selected,
                int current) override;
};
