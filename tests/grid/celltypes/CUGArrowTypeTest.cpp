#include "MemoryCanvas.h"
#include "CUGCtrl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr COLORREF Blue = RGB(0, 0, 255), Yellow = RGB(255, 255, 0), Green = RGB(0, 128, 0);
constexpr COLORREF White = RGB(255, 255, 255);

struct Picture : MemoryCanvas {
    Picture(int width, int height) : MemoryCanvas(width, height, White) {}
};

}  // namespace

// The arrows' back strokes stand one pixel behind the column a, three
// pixels high above the centre: (cx - 1) for a right arrow, (cx + 1) for a
// left one, cx +- 3 shifted for the doubles. The arrow keeps the text
// colour on a highlighted cell; a cell under 4 pixels wide or of an
// unknown style shows only its background.
TEST(CUGArrowType, StylesDrawTheirArrowsInTheTextColour)
{
    struct Case {
        const char* what;
        int width;
        long style;  // -1: not set
        int selected;
        std::vector<int> strokes;  // x of the back strokes at cy - 3
    };
    const Case cases[] = {
        {"unset", 20, -1, 0, {9}},         {"right", 20, 16, 0, {9}},
        {"48", 20, 48, 0, {9}},            {"left", 20, 32, 0, {11}},
        {"double right", 20, 64, 0, {6, 12}}, {"double left", 20, 128, 0, {8, 14}},
        {"unknown", 20, 256, 0, {}},       {"selected", 20, 16, 1, {9}},
        {"narrow", 3, 16, 0, {}},
    };
    for (const Case& c : cases) {
        CUGCtrl ctrl;
        ctrl.GridInfo->GridLines = 0;
        CUGCellType* type = ctrl.GetCellType(3);
        CUGCell cell;
        cell.SetTextColor(Blue);
        cell.SetBackColor(Yellow);
        cell.SetHighlightBackColor(Green);
        cell.SetHighlightTextColor(Yellow);
        if (c.style >= 0)
            cell.SetCellTypeEx(c.style);
        Picture picture(c.width, 20);
        RECT rect{0, 0, c.width, 20};
        type->OnDraw(&picture.dc, &rect, 0, 0, &cell, c.selected, 0);
        const COLORREF back = c.selected ? Green : Yellow;
        for (int x = 0; x < c.width; ++x) {
            const bool stroke = std::find(c.strokes.begin(), c.strokes.end(), x) != c.strokes.end();
            EXPECT_EQ(picture.At(x, 7), stroke ? Blue : back) << c.what << " x " << x;
        }
        EXPECT_EQ(picture.At(0, 0), back) << c.what;
    }
}
