#pragma once

#include "CObject.h"
#include "CPoint.h"
#include "CRect.h"
#include "CSize.h"
#include "CString.h"

#include <windows.h>

#include <array>
#include <memory>
#include <vector>

class CBitmap;
class CBrush;
class CFont;
class CGdiObject;
class CPen;
class CWnd;

// The window handle of `wnd` (null for a null window). Defined with CWnd; the
// drawing contexts that take a CWnd* reach the window only through it.
HWND AfxHwndOf(const CWnd* wnd);

// A device context.
//
// Ownership: a CDC owns the HDC in m_hDC and deletes it when destroyed - the
// DC it made with CreateCompatibleDC or was given with Attach. CPaintDC and
// CClientDC give theirs back to the window instead. CDC::FromHandle answers a
// temporary wrapper that owns nothing.
//
// Selections: the first object of each kind (pen, brush, font, bitmap) that
// a CDC selects displaces the DC's original one; before the CDC lets go of
// its DC (destruction, DeleteDC, Detach, end of paint, release) it selects
// those originals back, so no object of the caller stays selected past the
// CDC's life. Callers still select their old objects back as usual.
//
// SelectObject answers the previously selected object as a wrapper of the
// matching class (CPen, CBrush, CFont, CBitmap) that this CDC owns: it names
// the handle, never deletes it, is the same wrapper for the same handle, and
// lives as long as the CDC. Select it back to restore the previous object.
class CDC : public CObject {
public:
    CDC();
    ~CDC() override;

    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }

    // Takes ownership of `dc`; the CDC must be empty.
    BOOL Attach(HDC dc);
    // Selects the original objects back and gives the handle up undeleted.
    HDC Detach();

    // A temporary wrapper for a DC that someone else owns (null for null).
    // It never deletes the DC nor touches its selections when it goes; it is
    // the same object for the same handle and lives until DeleteTempMap,
    // which the message loop calls when it is idle.
    static CDC* FromHandle(HDC dc);
    static void DeleteTempMap();

    // A memory DC compatible with the device of `dc` (the screen when null).
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();

    int SaveDC();
    BOOL RestoreDC(int savedDC);

    // Each answers the object it displaced, or null when nothing was selected.
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    CGdiObject* SelectStockObject(int index);

    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    // Draws with the current pen up to, but not including, the end point.
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }

    void FillRect(LPCRECT rect, CBrush* brush);
    // Fills with a solid colour through the background colour, which stays
    // set to `color` afterwards (as MFC leaves it).
    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(LPCRECT rect);
    BOOL Polygon(const POINT* points, int count);
    // Inverts a dotted frame; drawing it a second time removes it.
    void DrawFocusRect(LPCRECT rect);

    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCWSTR text, UINT count,
                    LPINT dxWidths);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text,
                    LPINT dxWidths);
    BOOL TextOut(int x, int y, LPCWSTR text, int count);
    BOOL TextOut(int x, int y, const CString& text);
    CSize GetTextExtent(LPCWSTR text, int count) const;
    CSize GetTextExtent(const CString& text) const;
    int DrawText(LPCWSTR text, int count, LPRECT rect, UINT format);
    int DrawText(const CString& text, LPRECT rect, UINT format);
    BOOL GetTextMetrics(LPTEXTMETRIC metrics) const;
    UINT SetTextAlign(UINT flags);

    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource,
                DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int xSource,
                    int ySource, int sourceWidth, int sourceHeight, DWORD rop);
    // The update region is taken as a region handle (null when not wanted).
    BOOL ScrollDC(int dx, int dy, LPCRECT scrollRect, LPCRECT clipRect, HRGN updateRegion,
                  LPRECT updateRect);

    // Each answers the previous setting.
    COLORREF SetTextColor(COLORREF color);
    COLORREF SetBkColor(COLORREF color);
    int SetBkMode(int mode);

    int GetDeviceCaps(int index) const;
    int IntersectClipRect(int x1, int y1, int x2, int y2);
    int IntersectClipRect(LPCRECT rect);
    int GetClipBox(LPRECT rect) const;

    HDC m_hDC = nullptr;

protected:
    // Puts the displaced original objects back into m_hDC and forgets them;
    // for subclasses before they give the DC back.
    void RestoreOriginalObjects();

private:
    enum class Slot { Pen, Brush, Font, Bitmap, Count };

    // Deletes a wrapper without deleting the handle it names.
    struct DetachingDelete {
        void operator()(CGdiObject* object) const;
    };
    using Temporary = std::unique_ptr<CGdiObject, DetachingDelete>;

    CGdiObject* Select(Slot slot, HGDIOBJ handle);
    CGdiObject* Wrap(Slot slot, HGDIOBJ handle);

    // The object of each kind that our first selection displaced.
    std::array<HGDIOBJ, static_cast<size_t>(Slot::Count)> m_originals{};
    std::array<std::vector<Temporary>, static_cast<size_t>(Slot::Count)> m_temporaries;
};
