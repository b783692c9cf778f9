#include "CellDCState.h"
#include "MemoryCanvas.h"

#include <gtest/gtest.h>

// A cell type may leave its own pen, brush or font selected: the next cell
// starts with those the pass began with, and the cell type may delete its
// object, which no longer sits in the DC.
TEST(CellDCState, PutsBackThePenBrushAndFontACellLeftSelected)
{
    const struct {
        UINT kind;
        int stock;  // not the one a new DC starts with
    } cases[] = {{OBJ_PEN, WHITE_PEN}, {OBJ_BRUSH, GRAY_BRUSH}, {OBJ_FONT, ANSI_FIXED_FONT}};
    for (const auto& c : cases) {
        MemoryCanvas canvas(8, 8, RGB(255, 255, 255));
        const HGDIOBJ before = ::GetCurrentObject(canvas.dc, c.kind);
        CellDCState state(&canvas.dc);
        ::SelectObject(canvas.dc, ::GetStockObject(c.stock));
        ASSERT_NE(::GetCurrentObject(canvas.dc, c.kind), before);
        state.Restore();
        EXPECT_EQ(::GetCurrentObject(canvas.dc, c.kind), before) << c.kind;
    }
}
