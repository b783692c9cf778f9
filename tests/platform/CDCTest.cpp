#include "CBitmap.h"
#include "CBrush.h"
#include "CClientDC.h"
#include "CDC.h"
#include "CFont.h"
#include "CPaintDC.h"
#include "CPen.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 160, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);

// A white off-screen picture of the screen's format, read back pixel by pixel.
struct Canvas {
    Canvas(int w = 40, int h = 40) : width(w), height(h)
    {
        CClientDC screen(static_cast<HWND>(nullptr));
        dc.CreateCompatibleDC(&screen);
        bitmap.CreateCompatibleBitmap(&screen, width, height);
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, White);
    }

    COLORREF At(int x, int y) const { return ::GetPixel(dc.m_hDC, x, y); }

    std::vector<COLORREF> Pixels() const
    {
        std::vector<COLORREF> all;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                all.push_back(At(x, y));
        return all;
    }

    int width, height;
    CBitmap bitmap; // outlives the DC it is selected into
    CDC dc;
};

} // namespace

TEST(CDCDrawing, FillsCoverTheirRectangleWithoutRightAndBottomEdges)
{
    Canvas canvas;
    CBrush red(Red);
    CRect rect(2, 3, 6, 8);
    canvas.dc.FillRect(&rect, &red);
    EXPECT_EQ(canvas.At(2, 3), Red);
    EXPECT_EQ(canvas.At(5, 7), Red);
    EXPECT_EQ(canvas.At(6, 3), White);
    EXPECT_EQ(canvas.At(2, 8), White);
    EXPECT_EQ(canvas.At(1, 3), White);

    canvas.dc.FillSolidRect(10, 10, 3, 2, Blue);
    EXPECT_EQ(canvas.At(10, 10), Blue);
    EXPECT_EQ(canvas.At(12, 11), Blue);
    EXPECT_EQ(canvas.At(13, 11), White);
    EXPECT_EQ(canvas.At(12, 12), White);
    // As in MFC, the fill colour stays the background colour.
    EXPECT_EQ(::GetBkColor(canvas.dc.m_hDC), Blue);
}

TEST(CDCDrawing, LineToStopsBeforeItsEndPointAndMoveToAnswersThePreviousPosition)
{
    Canvas canvas;
    CPen pen(PS_SOLID, 1, Green);
    CPen* old = canvas.dc.SelectObject(&pen);

    EXPECT_EQ(canvas.dc.MoveTo(1, 4), CPoint(0, 0));
    canvas.dc.LineTo(9, 4);
    for (int x = 1; x <= 8; ++x)
        EXPECT_EQ(canvas.At(x, 4), Green) << "x = " << x;
    EXPECT_EQ(canvas.At(9, 4), White);
    EXPECT_EQ(canvas.At(0, 4), White);
    EXPECT_EQ(canvas.At(4, 5), White);

    EXPECT_EQ(canvas.dc.MoveTo(CPoint(0, 0)), CPoint(9, 4));
    canvas.dc.SelectObject(old);
}

TEST(CDCDrawing, DrawFocusRectTwiceLeavesThePixelsAsTheyWere)
{
    Canvas canvas;
    canvas.dc.FillSolidRect(0, 0, 20, 40, Blue);
    const std::vector<COLORREF> before = canvas.Pixels();

    CRect rect(5, 5, 30, 25);
    canvas.dc.DrawFocusRect(&rect);
    EXPECT_NE(canvas.Pixels(), before);
    canvas.dc.DrawFocusRect(&rect);
    EXPECT_EQ(canvas.Pixels(), before);
}

TEST(CDCText, ExtTextOutOpaqueFillsItsRectangleAndClippedTextStaysInside)
{
    Canvas canvas(80, 40);
    canvas.dc.SelectStockObject(DEFAULT_GUI_FONT);
    EXPECT_EQ(canvas.dc.SetBkColor(Red), White);
    EXPECT_EQ(canvas.dc.SetTextColor(Blue), RGB(0, 0, 0));

    // No text: the rectangle alone, as cells clear their background.
    CRect rect(3, 4, 12, 9);
    canvas.dc.ExtTextOut(0, 0, ETO_OPAQUE, &rect, L"", 0, nullptr);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 15; ++x)
            EXPECT_EQ(canvas.At(x, y), rect.PtInRect(CPoint(x, y)) ? Red : White)
                << x << "," << y;

    // Text clipped to a narrow opaque cell: the background all over the
    // cell, glyphs inside it, nothing to the right of it.
    CRect cell(0, 15, 20, 35);
    canvas.dc.ExtTextOut(1, 16, ETO_OPAQUE | ETO_CLIPPED, &cell, CString(L"WWWWWWWW"), nullptr);
    EXPECT_EQ(canvas.At(0, 34), Red);
    EXPECT_EQ(canvas.At(19, 15), Red);
    bool glyphs = false;
    for (int y = cell.top; y < cell.bottom; ++y)
        for (int x = cell.left; x < cell.right; ++x)
            glyphs = glyphs || canvas.At(x, y) == Blue;
    EXPECT_TRUE(glyphs);
    for (int y = cell.top; y < cell.bottom; ++y)
        for (int x = cell.right; x < canvas.width; ++x)
            ASSERT_EQ(canvas.At(x, y), White) << x << "," << y;
}

TEST(CDCSelection, SelectObjectAnswersThePreviousObjectAndDetachGivesBackTheOriginals)
{
    CClientDC screen(static_cast<HWND>(nullptr));
    HDC raw = ::CreateCompatibleDC(screen.m_hDC);
    const HGDIOBJ originalPen = ::GetCurrentObject(raw, OBJ_PEN);
    const HGDIOBJ originalBrush = ::GetCurrentObject(raw, OBJ_BRUSH);
    const HGDIOBJ originalFont = ::GetCurrentObject(raw, OBJ_FONT);
    const HGDIOBJ originalBitmap = ::GetCurrentObject(raw, OBJ_BITMAP);

    CPen a(PS_SOLID, 1, Red), b(PS_DASH, 1, Blue);
    CBrush brush(Green);
    CFont font;
    font.CreatePointFont(100, L"Arial");
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, 4, 4);
    CPen* wrapperOfA = nullptr;
    {
        CDC dc;
        ASSERT_TRUE(dc.Attach(raw));
        CPen* original = dc.SelectObject(&a);
        ASSERT_NE(original, nullptr);
        EXPECT_EQ(original->m_hObject, originalPen);
        wrapperOfA = dc.SelectObject(&b);
        ASSERT_NE(wrapperOfA, nullptr);
        EXPECT_EQ(wrapperOfA->m_hObject, a.m_hObject);
        EXPECT_EQ(dc.SelectObject(wrapperOfA)->m_hObject, b.m_hObject);
        EXPECT_EQ(::GetCurrentObject(raw, OBJ_PEN), a.m_hObject);
        // One wrapper per handle: the original comes back as the same object.
        dc.SelectObject(original);
        EXPECT_EQ(dc.SelectObject(&a), original);

        EXPECT_EQ(dc.SelectObject(&brush)->m_hObject, originalBrush);
        CGdiObject* previousBrush = dc.SelectStockObject(WHITE_BRUSH);
        ASSERT_NE(dynamic_cast<CBrush*>(previousBrush), nullptr);
        EXPECT_EQ(previousBrush->m_hObject, brush.m_hObject);

        dc.SelectObject(&font);
        dc.SelectObject(&bitmap);
        EXPECT_EQ(dc.SelectObject(static_cast<CFont*>(nullptr)), nullptr);

        // Everything selected is still in; Detach puts the originals back.
        EXPECT_EQ(dc.Detach(), raw);
        EXPECT_EQ(::GetCurrentObject(raw, OBJ_PEN), originalPen);
        EXPECT_EQ(::GetCurrentObject(raw, OBJ_BRUSH), originalBrush);
        EXPECT_EQ(::GetCurrentObject(raw, OBJ_FONT), originalFont);
        EXPECT_EQ(::GetCurrentObject(raw, OBJ_BITMAP), originalBitmap);
    }
    // The wrappers the CDC answered never deleted the objects they named.
    EXPECT_EQ(::GetObjectType(a.m_hObject), static_cast<DWORD>(OBJ_PEN));
    EXPECT_EQ(::GetObjectType(brush.m_hObject), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(::GetObjectType(raw), static_cast<DWORD>(OBJ_MEMDC));
    ::DeleteDC(raw);
}

TEST(CDCSelection, FromHandleWrapsAForeignDCWithoutTakingIt)
{
    CClientDC screen(static_cast<HWND>(nullptr));
    HDC raw = ::CreateCompatibleDC(screen.m_hDC);
    CDC* wrapper = CDC::FromHandle(raw);
    ASSERT_NE(wrapper, nullptr);
    EXPECT_EQ(wrapper->GetSafeHdc(), raw);
    EXPECT_EQ(CDC::FromHandle(raw), wrapper);
    EXPECT_EQ(CDC::FromHandle(nullptr), nullptr);
    CDC::DeleteTempMap();
    EXPECT_EQ(::GetObjectType(raw), static_cast<DWORD>(OBJ_MEMDC));
    ::DeleteDC(raw);
}

namespace {

// A window with a DC of its own, so the DC's selections can be inspected
// after a CPaintDC or CClientDC has given it back.
LRESULT CALLBACK OwnDCWindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        CPen pen(PS_SOLID, 1, Red); // outlives the DC it is selected into
        CPaintDC dc(wnd);
        dc.SelectObject(&pen); // deliberately not selected back
        CRect all;
        ::GetClientRect(wnd, &all);
        dc.FillSolidRect(&all, Blue);
        return 0;
    }
    return ::DefWindowProcW(wnd, message, wParam, lParam);
}

HWND CreateOwnDCWindow()
{
    static const ATOM atom = [] {
        WNDCLASSW wc = {};
        wc.style = CS_OWNDC;
        wc.lpfnWndProc = OwnDCWindowProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"CDCTestOwnDC";
        return ::RegisterClassW(&wc);
    }();
    EXPECT_NE(atom, 0);
    return ::CreateWindowExW(0, L"CDCTestOwnDC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 40,
                             nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

} // namespace

TEST(CDCWindow, PaintAndClientDCsGiveTheWindowItsDCBackAsTheyFoundIt)
{
    HWND wnd = CreateOwnDCWindow();
    ASSERT_NE(wnd, nullptr);
    HDC own = ::GetDC(wnd);
    const HGDIOBJ originalPen = ::GetCurrentObject(own, OBJ_PEN);
    const HGDIOBJ originalFont = ::GetCurrentObject(own, OBJ_FONT);
    ::ReleaseDC(wnd, own);

    ::InvalidateRect(wnd, nullptr, FALSE);
    ::UpdateWindow(wnd);
    RECT pending;
    EXPECT_FALSE(::GetUpdateRect(wnd, &pending, FALSE)) << "EndPaint validates the window";

    CFont font;
    {
        CClientDC dc(wnd);
        EXPECT_EQ(dc.m_hDC, own);
        EXPECT_EQ(::GetPixel(dc.m_hDC, 10, 10), Blue);
        font.CreatePointFont(90, L"Arial", &dc);
        dc.SelectObject(&font);
        EXPECT_EQ(::GetCurrentObject(dc.m_hDC, OBJ_FONT), font.m_hObject);
    }
    own = ::GetDC(wnd);
    EXPECT_EQ(::GetCurrentObject(own, OBJ_PEN), originalPen);
    EXPECT_EQ(::GetCurrentObject(own, OBJ_FONT), originalFont);
    ::ReleaseDC(wnd, own);
    ::DestroyWindow(wnd);
}
