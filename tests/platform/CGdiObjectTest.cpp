#include "CBrush.h"
#include "CClientDC.h"
#include "CFont.h"
#include "CPen.h"

#include <gtest/gtest.h>

TEST(CGdiObject, DeletesWhatItOwnsAndNothingItGaveUp)
{
    HGDIOBJ owned = nullptr;
    {
        CPen pen(PS_SOLID, 2, RGB(1, 2, 3));
        owned = pen.GetSafeHandle();
        ASSERT_NE(owned, nullptr);
        LOGPEN description = {};
        EXPECT_EQ(pen.GetObject(sizeof description, &description),
                  static_cast<int>(sizeof description));
        EXPECT_EQ(description.lopnWidth.x, 2);
        EXPECT_EQ(description.lopnColor, RGB(1, 2, 3));
    }
    EXPECT_EQ(::GetObjectType(owned), 0u) << "the pen's handle went with it";

    HGDIOBJ released = nullptr;
    {
        CBrush brush(RGB(9, 9, 9));
        released = brush.Detach();
        EXPECT_EQ(brush.GetSafeHandle(), nullptr);
    }
    EXPECT_EQ(::GetObjectType(released), static_cast<DWORD>(OBJ_BRUSH));

    CBrush adopter;
    EXPECT_TRUE(adopter.Attach(released));
    EXPECT_TRUE(adopter.DeleteObject());
    EXPECT_EQ(::GetObjectType(released), 0u);
    EXPECT_FALSE(adopter.DeleteObject()) << "nothing left to delete";
}

TEST(CGdiObject, PointFontHeightFollowsTheDeviceResolution)
{
    CClientDC screen(static_cast<HWND>(nullptr));
    const int dpi = screen.GetDeviceCaps(LOGPIXELSY);
    ASSERT_GT(dpi, 0);

    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, L"Arial", &screen));
    LOGFONT description = {};
    ASSERT_TRUE(font.GetLogFont(&description));
    // 12 points are 12/72 of an inch, asked for as a character height.
    EXPECT_EQ(description.lfHeight, -((dpi * 12 + 36) / 72));
    EXPECT_STREQ(description.lfFaceName, L"Arial");
    EXPECT_EQ(description.lfCharSet, DEFAULT_CHARSET);

    CFont onScreen;
    ASSERT_TRUE(onScreen.CreatePointFont(120, L"Arial"));
    LOGFONT same = {};
    onScreen.GetLogFont(&same);
    EXPECT_EQ(same.lfHeight, description.lfHeight);
}
