#include "CDC.h"

#include "CBitmap.h"
#include "CBrush.h"
#include "CFont.h"
#include "CPen.h"

#include <cassert>
#include <map>

namespace {

// Temporary wrappers of foreign DCs. The system draws on one user-interface
// thread only, so one table serves it.
std::map<HDC, std::unique_ptr<CDC>>& TemporaryDCs()
{
    static std::map<HDC, std::unique_ptr<CDC>> table;
    return table;
}

} // namespace

void CDC::DetachingDelete::operator()(CGdiObject* object) const
{
    object->Detach();
    delete object;
}

CDC::CDC() = default;

CDC::~CDC()
{
    if (m_hDC)
        DeleteDC();
}

BOOL CDC::Attach(HDC dc)
{
    assert(m_hDC == nullptr && "CDC::Attach: the CDC already holds a DC");
    if (dc == nullptr)
        return FALSE;
    m_hDC = dc;
    return TRUE;
}

HDC CDC::Detach()
{
    RestoreOriginalObjects();
    HDC dc = m_hDC;
    m_hDC = nullptr;
    return dc;
}

CDC* CDC::FromHandle(HDC dc)
{
    if (dc == nullptr)
        return nullptr;
    auto& table = TemporaryDCs();
    auto found = table.find(dc);
    if (found != table.end())
        return found->second.get();
    auto wrapper = std::make_unique<CDC>();
    wrapper->m_hDC = dc;
    return table.emplace(dc, std::move(wrapper)).first->second.get();
}

void CDC::DeleteTempMap()
{
    auto& table = TemporaryDCs();
    // The DCs belong to others: the wrappers let go of them untouched.
    for (auto& entry : table)
        entry.second->m_hDC = nullptr;
    table.clear();
}

BOOL CDC::CreateCompatibleDC(CDC* dc)
{
    return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr));
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr)
        return FALSE;
    return ::DeleteDC(Detach());
}

void CDC::RestoreOriginalObjects()
{
    for (HGDIOBJ& original : m_originals) {
        if (original && m_hDC)
            ::SelectObject(m_hDC, original);
        original = nullptr;
    }
}

int CDC::SaveDC()
{
    return ::SaveDC(m_hDC);
}

BOOL CDC::RestoreDC(int savedDC)
{
    return ::RestoreDC(m_hDC, savedDC);
}

CGdiObject* CDC::Wrap(Slot slot, HGDIOBJ handle)
{
    auto& wrappers = m_temporaries[static_cast<size_t>(slot)];
    for (const Temporary& wrapper : wrappers) {
        if (wrapper->m_hObject == handle)
            return wrapper.get();
    }
    Temporary wrapper;
    switch (slot) {
    case Slot::Pen: wrapper.reset(new CPen); break;
    case Slot::Brush: wrapper.reset(new CBrush); break;
    case Slot::Font: wrapper.reset(new CFont); break;
    case Slot::Bitmap: wrapper.reset(new CBitmap); break;
    case Slot::Count: assert(false && "CDC::Wrap: not a kind of object"); return nullptr;
    }
    wrapper->m_hObject = handle;
    wrappers.push_back(std::move(wrapper));
    return wrappers.back().get();
}

CGdiObject* CDC::Select(Slot slot, HGDIOBJ handle)
{
    if (m_hDC == nullptr || handle == nullptr)
        return nullptr;
    HGDIOBJ previous = ::SelectObject(m_hDC, handle);
    if (previous == nullptr || previous == HGDI_ERROR)
        return nullptr;
    HGDIOBJ& original = m_originals[static_cast<size_t>(slot)];
    if (original == nullptr)
        original = previous;
    return Wrap(slot, previous);
}

CPen* CDC::SelectObject(CPen* pen)
{
    return static_cast<CPen*>(Select(Slot::Pen, pen ? pen->m_hObject : nullptr));
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    return static_cast<CBrush*>(Select(Slot::Brush, brush ? brush->m_hObject : nullptr));
}

CFont* CDC::SelectObject(CFont* font)
{
    return static_cast<CFont*>(Select(Slot::Font, font ? font->m_hObject : nullptr));
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    return static_cast<CBitmap*>(Select(Slot::Bitmap, bitmap ? bitmap->m_hObject : nullptr));
}

CGdiObject* CDC::SelectStockObject(int index)
{
    HGDIOBJ stock = ::GetStockObject(index);
    switch (::GetObjectType(stock)) {
    case OBJ_PEN: return Select(Slot::Pen, stock);
    case OBJ_BRUSH: return Select(Slot::Brush, stock);
    case OBJ_FONT: return Select(Slot::Font, stock);
    default: return nullptr;
    }
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT previous = {0, 0};
    ::MoveToEx(m_hDC, x, y, &previous);
    return CPoint(previous);
}

BOOL CDC::LineTo(int x, int y)
{
    return ::LineTo(m_hDC, x, y);
}

void CDC::FillRect(LPCRECT rect, CBrush* brush)
{
    assert(brush && "CDC::FillRect: a brush is needed");
    ::FillRect(m_hDC, rect, static_cast<HBRUSH>(brush->m_hObject));
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color)
{
    ::SetBkColor(m_hDC, color);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
{
    CRect rect(x, y, x + cx, y + cy);
    FillSolidRect(&rect, color);
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    return ::Rectangle(m_hDC, x1, y1, x2, y2);
}

BOOL CDC::Rectangle(LPCRECT rect)
{
    return ::Rectangle(m_hDC, rect->left, rect->top, rect->right, rect->bottom);
}

BOOL CDC::Polygon(const POINT* points, int count)
{
    return ::Polygon(m_hDC, points, count);
}

void CDC::DrawFocusRect(LPCRECT rect)
{
    ::DrawFocusRect(m_hDC, rect);
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCWSTR text, UINT count,
                     LPINT dxWidths)
{
    return ::ExtTextOutW(m_hDC, x, y, options, rect, text, count, dxWidths);
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text,
                     LPINT dxWidths)
{
    return ExtTextOut(x, y, options, rect, text.GetString(),
                      static_cast<UINT>(text.GetLength()), dxWidths);
}

BOOL CDC::TextOut(int x, int y, LPCWSTR text, int count)
{
    return ::TextOutW(m_hDC, x, y, text, count);
}

BOOL CDC::TextOut(int x, int y, const CString& text)
{
    return TextOut(x, y, text.GetString(), text.GetLength());
}

CSize CDC::GetTextExtent(LPCWSTR text, int count) const
{
    SIZE size = {0, 0};
    ::GetTextExtentPoint32W(m_hDC, text, count, &size);
    return CSize(size);
}

CSize CDC::GetTextExtent(const CString& text) const
{
    return GetTextExtent(text.GetString(), text.GetLength());
}

int CDC::DrawText(LPCWSTR text, int count, LPRECT rect, UINT format)
{
    return ::DrawTextW(m_hDC, text, count, rect, format);
}

int CDC::DrawText(const CString& text, LPRECT rect, UINT format)
{
    return DrawText(text.GetString(), text.GetLength(), rect, format);
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC metrics) const
{
    return ::GetTextMetricsW(m_hDC, metrics);
}

UINT CDC::SetTextAlign(UINT flags)
{
    return ::SetTextAlign(m_hDC, flags);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource,
                 DWORD rop)
{
    return ::BitBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, xSource,
                    ySource, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* source, int xSource,
                     int ySource, int sourceWidth, int sourceHeight, DWORD rop)
{
    return ::StretchBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr,
                        xSource, ySource, sourceWidth, sourceHeight, rop);
}

BOOL CDC::ScrollDC(int dx, int dy, LPCRECT scrollRect, LPCRECT clipRect, HRGN updateRegion,
                   LPRECT updateRect)
{
    return ::ScrollDC(m_hDC, dx, dy, scrollRect, clipRect, updateRegion, updateRect);
}

COLORREF CDC::SetTextColor(COLORREF color)
{
    return ::SetTextColor(m_hDC, color);
}

COLORREF CDC::SetBkColor(COLORREF color)
{
    return ::SetBkColor(m_hDC, color);
}

int CDC::SetBkMode(int mode)
{
    return ::SetBkMode(m_hDC, mode);
}

int CDC::GetDeviceCaps(int index) const
{
    return ::GetDeviceCaps(m_hDC, index);
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    return ::IntersectClipRect(m_hDC, x1, y1, x2, y2);
}

int CDC::IntersectClipRect(LPCRECT rect)
{
    return IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom);
}

int CDC::GetClipBox(LPRECT rect) const
{
    return ::GetClipBox(m_hDC, rect);
}
