#pragma once

#include "CPen.h"
#include "CUGCell.h"
#include "CUGCellType.h"

// The check-box cell type: a small box followed by the cell's label. The
// value is the cell's text read as a number, checked when greater than 0; a
// click on the box or the space bar on the current cell toggles it between
// 1.000000 and 0.000000 and tells the owner (CheckBoxToggled).
//
// The pens are made from the system colours once, at construction.
class CUGCheckBoxType : public CUGCellType {
public:
    // Styles read from the cell's CellTypeEx.
    static constexpr long StyleSunken = 0x100;
    static constexpr long StyleRaised = 0x200;
    static constexpr long StyleTick = 0x1000;
    static constexpr long CheckBoxToggled = 53;

    CUGCheckBoxType();
    ~CUGCheckBoxType() override;

    const wchar_t* GetName() override;
    const GUID* GetTypeId() override;
    int OnLeftClick(int col, long row, int isDown, const RECT* cellRect,
                    const POINT* point) override;
    int OnDoubleClick(int col, long row, const RECT* cellRect, const POINT* point) override;
    int OnCharDown(int col, long row, UINT* character) override;
    void OnDraw(CDC* dc, RECT* rect, int col, long row, CUGCell* cell, int selected,
                int current) override;

    // The box of a cell rectangle: right and bottom exclusive as drawn.
    static RECT BoxOf(const RECT& rect);

private:
    // Stores `number` into (col, row) from the scratch cell and tells the
    // owner of the new state.
    void Store(int col, long row, double number);

    CPen m_shadowPen;
    CPen m_lightPen;
    CPen m_facePen;
    CUGCell m_scratch;
};
