#pragma once

#include "CBitmap.h"
#include "CDC.h"
#include "CFont.h"

// A memory DC over a top-down 32-bit DIB filled with one colour, with a
// font selected if one is given, for pixel checks of anything that paints
// through a CDC.
struct MemoryCanvas {
    CBitmap bitmap;  // declared first, so the DC holding it goes before it
    CDC dc;
    int width, height;
    MemoryCanvas(int width, int height, COLORREF fill, CFont* font = nullptr)
        : width(width), height(height)
    {
        dc.CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down, so rows read as on screen
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap.Attach(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, fill);
        if (font)
            dc.SelectObject(font);
    }
    COLORREF At(int x, int y) { return ::GetPixel(dc, x, y); }
    // Pixels of `rect` that differ from `other`, or from `colour` without one.
    int Differences(const RECT& rect, MemoryCanvas* other, COLORREF colour = 0)
    {
        int count = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                count += At(x, y) != (other ? other->At(x, y) : colour);
        return count;
    }
    int Differences(MemoryCanvas& other) { return Differences({0, 0, width, height}, &other); }
};
