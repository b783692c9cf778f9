#include "CBitmap.h"
#include "CBrush.h"
#include "CClientDC.h"
#include "CFont.h"
#include "CPen.h"

#include <gtest/gtest.h>

// Selections answer a wrapper of the previous object that never deletes it;
// Detach puts the DC's own objects back; a GDI object deletes only its own.
TEST(CDCSelection, SelectObjectAnswersThePreviousObjectAndDetachGivesBackTheOriginals)
{
    CClientDC screen(static_cast<HWND>(nullptr));
    HDC raw = ::CreateCompatibleDC(screen.m_hDC);
    const UINT kinds[4] = {OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP};
    HGDIOBJ originals[4];
    for (int i = 0; i < 4; ++i)
        originals[i] = ::GetCurrentObject(raw, kinds[i]);
    CPen a(PS_SOLID, 1, RGB(255, 0, 0)), b(PS_DASH, 1, RGB(0, 0, 255));
    CBrush brush(RGB(0, 160, 0));
    CFont font;
    font.CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, 4, 4);
    {
        CDC dc;
        ASSERT_TRUE(dc.Attach(raw));
        CPen* original = dc.SelectObject(&a);
        CPen* wrapperOfA = dc.SelectObject(&b);
        ASSERT_TRUE(original && wrapperOfA);
        EXPECT_EQ(original->m_hObject, originals[0]);
        EXPECT_EQ(wrapperOfA->m_hObject, a.m_hObject);
        EXPECT_EQ(dc.SelectObject(wrapperOfA)->m_hObject, b.m_hObject);
        EXPECT_EQ(::GetCurrentObject(raw, OBJ_PEN), a.m_hObject);
        dc.SelectObject(original);
        EXPECT_EQ(dc.SelectObject(&a), original) << "one wrapper per handle";
        EXPECT_EQ(dc.SelectObject(&brush)->m_hObject, originals[1]);
        CGdiObject* previousBrush = dc.SelectStockObject(WHITE_BRUSH);
        ASSERT_NE(dynamic_cast<CBrush*>(previousBrush), nullptr);
        EXPECT_EQ(previousBrush->m_hObject, brush.m_hObject);
        dc.SelectObject(&font);
        dc.SelectObject(&bitmap);
        EXPECT_EQ(dc.SelectObject(static_cast<CFont*>(nullptr)), nullptr);
        EXPECT_EQ(dc.Detach(), raw);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(::GetCurrentObject(raw, kinds[i]), originals[i]) << kinds[i];
    }
    EXPECT_EQ(::GetObjectType(a.m_hObject), static_cast<DWORD>(OBJ_PEN));
    EXPECT_EQ(::GetObjectType(brush.m_hObject), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(::GetObjectType(raw), static_cast<DWORD>(OBJ_MEMDC));
    ::DeleteDC(raw);
    HGDIOBJ owned = nullptr, released = brush.Detach();
    {
        CPen pen(PS_SOLID, 2, RGB(1, 2, 3));
        owned = pen.GetSafeHandle();
    }
    EXPECT_EQ(::GetObjectType(owned), 0u) << "the pen's handle went with it";
    EXPECT_EQ(brush.GetSafeHandle(), nullptr);
    CBrush adopter;
    EXPECT_TRUE(adopter.Attach(released));
    EXPECT_TRUE(adopter.DeleteObject());
    EXPECT_EQ(::GetObjectType(released), 0u);
    EXPECT_FALSE(adopter.DeleteObject()) << "nothing left to delete";
}
