#include "MemoryCanvas.h"
#include "CUGCtrl.h"

#include <gtest/gtest.h>

#include <vector>

// An arrow is a triangle of columns of 7, 5, 3 and 1 pixels from one pixel
// behind its column a, inside the grid lines on the (highlight) background;
// a cell under 4 pixels wide inside its lines or of another style shows none.
TEST(CUGArrowType, StylesDrawTheirArrowsInTheTextColour)
{
    constexpr COLORREF Blue = RGB(0, 0, 255), Yellow = RGB(255, 255, 0), Green = RGB(0, 128, 0);
    const struct {
        long style = 16;  // -1: not set
        int width = 21, dir = 1;
        std::vector<int> arrows = {0};  // columns a from the centre
        int selected = 0, current = 0;
    } cases[] = {
        {.style = -1}, {.style = 0}, {.style = 48}, {.style = 32, .dir = -1},
        {.style = 64, .arrows = {-3, 3}}, {.style = 128, .dir = -1, .arrows = {-3, 3}},
        {.style = 256, .arrows = {}}, {.selected = 1}, {.current = 1},
        {.width = 4, .arrows = {}}, {.width = 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        CUGCtrl ctrl;
        CUGCell cell;
        cell.SetTextColor(Blue);
        cell.SetBackColor(Yellow);
        cell.SetHighlightBackColor(Green);
        cell.SetHighlightTextColor(Yellow);
        if (c.style >= 0)
            cell.SetCellTypeEx(c.style);
        MemoryCanvas picture(c.width, 20, RGB(255, 255, 255));
        MemoryCanvas expected(c.width, 20, c.selected || c.current ? Green : Yellow);
        expected.dc.FillSolidRect(c.width - 1, 0, 1, 20, RGB(220, 220, 220));
        expected.dc.FillSolidRect(0, 19, c.width, 1, RGB(220, 220, 220));
        RECT rect{0, 0, c.width, 20};
        ctrl.GetCellType(3)->OnDraw(&picture.dc, &rect, 0, 0, &cell, c.selected, c.current);
        const int cx = (c.width - 1) / 2, cy = 19 / 2;
        for (int a : c.arrows)
            for (int k = 0; k < 4; ++k)
                for (int y = cy - 3 + k; y <= cy + 3 - k; ++y)
                    ::SetPixel(expected.dc, cx + a + c.dir * (k - 1), y, Blue);
        EXPECT_EQ(picture.Differences(expected), 0);
    }
}
