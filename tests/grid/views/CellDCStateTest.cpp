#include "CDC.h"
#include "CellDCState.h"

#include <gtest/gtest.h>

// Whatever one cell's drawing changes, the next cell starts from the state
// of the pass: changed objects and colours piece by piece, a clip region or
// a moved origin by the full restore.
TEST(CellDCState, EveryCellStartsFromThePassState)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    HDC h = dc.GetSafeHdc();
    HBITMAP bitmap = ::CreateCompatibleBitmap(h, 50, 50);
    HGDIOBJ oldBitmap = ::SelectObject(h, bitmap);
    HFONT passFont = ::CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                                   L"Tahoma");
    HFONT cellFont = ::CreateFontW(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                                   L"Tahoma");
    HGDIOBJ oldFont = ::SelectObject(h, passFont);
    ::SetTextColor(h, RGB(1, 2, 3));
    {
        CellDCState state(&dc);
        RECT box;
        ::GetClipBox(h, &box);

        ::SelectObject(h, cellFont);
        ::SelectObject(h, ::GetStockObject(BLACK_PEN));
        ::SetTextColor(h, RGB(200, 0, 0));
        ::SetBkMode(h, TRANSPARENT);
        ::SetTextAlign(h, TA_RIGHT);
        state.Restore();
        EXPECT_EQ(::GetCurrentObject(h, OBJ_FONT), passFont);
        EXPECT_EQ(::GetTextColor(h), RGB(1, 2, 3));
        EXPECT_EQ(::GetBkMode(h), OPAQUE);
        EXPECT_EQ(::GetTextAlign(h), static_cast<UINT>(TA_LEFT));

        ::IntersectClipRect(h, 10, 10, 20, 20);
        ::SetViewportOrgEx(h, 5, 5, nullptr);
        ::SelectObject(h, cellFont);
        state.Restore();
        RECT after;
        ::GetClipBox(h, &after);
        EXPECT_TRUE(::EqualRect(&box, &after));
        POINT origin;
        ::GetViewportOrgEx(h, &origin);
        EXPECT_EQ(origin.x, 0);
        EXPECT_EQ(::GetCurrentObject(h, OBJ_FONT), passFont);

        // The fallback saves again, so a second clipped cell is undone too.
        ::IntersectClipRect(h, 0, 0, 5, 5);
        state.Restore();
        ::GetClipBox(h, &after);
        EXPECT_TRUE(::EqualRect(&box, &after));
        ::SetTextColor(h, RGB(9, 9, 9));
    }
    EXPECT_EQ(::GetTextColor(h), RGB(1, 2, 3)) << "the pass ends as it began";
    ::SelectObject(h, oldFont);
    ::SelectObject(h, oldBitmap);
    ::DeleteObject(cellFont);
    ::DeleteObject(passFont);
    ::DeleteObject(bitmap);
}
