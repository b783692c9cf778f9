#include "CDC.h"
#include "CellDCState.h"

#include <gtest/gtest.h>

// Whatever one cell's drawing changes, the next cell starts from the state
// of the pass: changed objects and colours piece by piece, a clip region or
// a moved origin by the full restore, which saves again for the next cell.
TEST(CellDCState, EveryCellStartsFromThePassState)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    HDC h = dc.GetSafeHdc();
    HBITMAP bitmap = ::CreateCompatibleBitmap(h, 50, 50);
    HFONT passFont = ::CreateFontW(-11, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma");
    HFONT cellFont = ::CreateFontW(-20, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma");
    HGDIOBJ oldBitmap = ::SelectObject(h, bitmap), oldFont = ::SelectObject(h, passFont);
    const HGDIOBJ passPen = ::GetCurrentObject(h, OBJ_PEN);
    ::SetTextColor(h, RGB(1, 2, 3));
    RECT box, now;
    ::GetClipBox(h, &box);
    {
        CellDCState state(&dc);
        for (int cell = 0; cell < 4; ++cell) {
            ::SelectObject(h, cellFont);
            ::SelectObject(h, ::GetStockObject(WHITE_PEN));
            ::SetTextColor(h, RGB(200, 0, 0));
            ::SetBkMode(h, TRANSPARENT);
            ::SetTextAlign(h, TA_RIGHT);
            if (cell >= 2)
                ::IntersectClipRect(h, 10, 10, 20, 20);
            if (cell == 2)
                ::SetViewportOrgEx(h, 5, 5, nullptr);
            state.Restore();
            POINT origin;
            ::GetViewportOrgEx(h, &origin);
            ::GetClipBox(h, &now);
            EXPECT_TRUE(::GetCurrentObject(h, OBJ_FONT) == passFont
                        && ::GetCurrentObject(h, OBJ_PEN) == passPen && ::GetTextColor(h) == RGB(1, 2, 3)
                        && ::GetBkMode(h) == OPAQUE && ::GetTextAlign(h) == TA_LEFT
                        && ::EqualRect(&box, &now) && origin.x == 0)
                << "after cell " << cell;
        }
        ::SetTextColor(h, RGB(9, 9, 9));
    }
    EXPECT_EQ(::GetTextColor(h), RGB(1, 2, 3)) << "the pass ends as it began";
    ::SelectObject(h, oldFont);
    ::SelectObject(h, oldBitmap);
    ::DeleteObject(cellFont);
    ::DeleteObject(passFont);
    ::DeleteObject(bitmap);
}
