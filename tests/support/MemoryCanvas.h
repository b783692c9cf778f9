#pragma once

#include "CBitmap.h"
#include "CDC.h"

// A memory DC over a top-down 32-bit DIB filled with one colour, for pixel
// checks of anything that paints through a CDC.
struct MemoryCanvas {
    CBitmap bitmap;  // declared first, so the DC holding it goes before it
    CDC dc;
    MemoryCanvas(int width, int height, COLORREF fill)
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
    }
    COLORREF At(int x, int y) { return ::GetPixel(dc, x, y); }
};
