#include "DrawingWindow.h"

#include <algorithm>
#include <cmath>

#include "AfxRegisterClass.h"
#include "ArxHost.h"
#include "CPaintDC.h"

namespace {

constexpr wchar_t kClassName[] = L"ArxHostDrawing";
constexpr COLORREF kBackground = RGB(33, 40, 48);
constexpr COLORREF kAxisX = RGB(200, 60, 60);
constexpr COLORREF kAxisY = RGB(60, 180, 60);
constexpr COLORREF kName = RGB(190, 190, 190);
// One wheel notch zooms by a quarter, as CAD programs do by default.
constexpr double kWheelFactor = 1.25;
// The extents fill the window but for a margin of this share.
constexpr double kExtentsFill = 0.95;

void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

}  // namespace

// The window's own class gives it the cross-hair cursor of a drawing area and
// middle-button double clicks; it has no background brush: OnPaint fills all.
LPCWSTR DrawingWindow::RegisterClassOnce()
{
    WNDCLASSW cls{};
    cls.style = CS_DBLCLKS;
    cls.lpfnWndProc = ::DefWindowProcW;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hCursor = LoadCursorW(nullptr, IDC_CROSS);
    cls.lpszClassName = kClassName;
    AfxRegisterClass(&cls);
    return kClassName;
}

bool DrawingWindow::Create(CWnd* parent, const std::wstring& drawingName)
{
    m_drawingName = drawingName;
    return CreateEx(WS_EX_CLIENTEDGE, RegisterClassOnce(), drawingName.c_str(),
                    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, CRect(), parent, 0)
           != FALSE;
}

void DrawingWindow::DrawingOpened(const std::wstring& drawingName)
{
    m_drawingName = drawingName;
    if (GetSafeHwnd())
        SetWindowText(drawingName.c_str());
    ZoomExtents();
}

void DrawingWindow::ZoomExtents()
{
    CRect client;
    if (GetSafeHwnd())
        GetClientRect(&client);
    m_fitted = client.Width() > 0 && client.Height() > 0;
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    if (!m_host.DrawingExtents(minX, minY, maxX, maxY)) {
        // Nothing to fit: the origin near the lower left corner, a unit a pixel.
        m_scale = 1;
        m_centreX = client.Width() / 2.0 - 40;
        m_centreY = client.Height() / 2.0 - 40;
    } else {
        double width = maxX - minX, height = maxY - minY;
        double scaleX = width > 0 ? client.Width() * kExtentsFill / width : 0;
        double scaleY = height > 0 ? client.Height() * kExtentsFill / height : 0;
        m_scale = scaleX > 0 && scaleY > 0 ? std::min(scaleX, scaleY) : std::max(scaleX, scaleY);
        if (!(m_scale > 0) || !std::isfinite(m_scale))
            m_scale = 1;
        m_centreX = (minX + maxX) / 2;
        m_centreY = (minY + maxY) / 2;
    }
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

void DrawingWindow::RefreshIfChanged()
{
    if (GetSafeHwnd() && m_host.DrawingRevision() != m_paintedRevision)
        Invalidate(FALSE);
}

BOOL DrawingWindow::OnEraseBkgnd(CDC*)
{
    return TRUE;   // OnPaint fills everything
}

void DrawingWindow::OnSize(UINT type, int cx, int cy)
{
    if (!m_fitted && cx > 0 && cy > 0)
        ZoomExtents();
    CWnd::OnSize(type, cx, cy);
}

// The picture is made in a memory bitmap and shown at once: no flicker, and
// GDI draws into memory much faster than into a window.
void DrawingWindow::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (client.Width() <= 0 || client.Height() <= 0)
        return;
    HDC memory = CreateCompatibleDC(dc.GetSafeHdc());
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = client.Width();
    info.bmiHeader.biHeight = -client.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc.GetSafeHdc(), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (memory && bitmap) {
        HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
        PaintInto(memory, client);
        BitBlt(dc.GetSafeHdc(), 0, 0, client.Width(), client.Height(), memory, 0, 0, SRCCOPY);
        SelectObject(memory, oldBitmap);
    } else {
        PaintInto(dc.GetSafeHdc(), client);
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (memory)
        DeleteDC(memory);
}

void DrawingWindow::PaintInto(HDC dc, const RECT& client)
{
    HBRUSH background = CreateSolidBrush(kBackground);
    FillRect(dc, &client, background);
    DeleteObject(background);

    m_host.PaintDrawing(dc, client, m_centreX, m_centreY, m_scale);
    m_paintedRevision = m_host.DrawingRevision();

    // The coordinate system icon in the lower left corner.
    HPEN xPen = CreatePen(PS_SOLID, 2, kAxisX);
    HPEN yPen = CreatePen(PS_SOLID, 2, kAxisY);
    HGDIOBJ oldPen = SelectObject(dc, xPen);
    Line(dc, 20, client.bottom - 20, 70, client.bottom - 20);
    SelectObject(dc, yPen);
    Line(dc, 20, client.bottom - 20, 20, client.bottom - 70);
    SelectObject(dc, oldPen);
    DeleteObject(xPen);
    DeleteObject(yPen);

    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour = SetTextColor(dc, kName);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    UINT oldAlign = SetTextAlign(dc, TA_LEFT | TA_TOP);
    TextOutW(dc, 8, 6, m_drawingName.c_str(), static_cast<int>(m_drawingName.size()));
    SetTextAlign(dc, oldAlign);
    SelectObject(dc, oldFont);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

// The drawing point under the pointer stays where it is.
BOOL DrawingWindow::OnMouseWheel(UINT, short delta, CPoint screenPoint)
{
    CPoint point = screenPoint;
    ScreenToClient(&point);
    CRect client;
    GetClientRect(&client);
    double factor = std::pow(kWheelFactor, delta / static_cast<double>(WHEEL_DELTA));
    double midX = client.Width() / 2.0, midY = client.Height() / 2.0;
    double x = m_centreX + (point.x - midX) / m_scale;
    double y = m_centreY - (point.y - midY) / m_scale;
    m_scale = std::clamp(m_scale * factor, 1e-12, 1e12);
    m_centreX = x - (point.x - midX) / m_scale;
    m_centreY = y + (point.y - midY) / m_scale;
    Invalidate(FALSE);
    return TRUE;
}

void DrawingWindow::OnMButtonDown(UINT, CPoint point)
{
    m_panning = true;
    m_panFrom = point;
    m_panCentreX = m_centreX;
    m_panCentreY = m_centreY;
    SetCapture();
}

void DrawingWindow::OnMouseMove(UINT flags, CPoint point)
{
    if (m_panning) {
        m_centreX = m_panCentreX - (point.x - m_panFrom.x) / m_scale;
        m_centreY = m_panCentreY + (point.y - m_panFrom.y) / m_scale;
        Invalidate(FALSE);
        return;
    }
    CWnd::OnMouseMove(flags, point);
}

void DrawingWindow::OnMButtonUp(UINT, CPoint)
{
    if (m_panning)
        ReleaseCapture();
    m_panning = false;
}

void DrawingWindow::OnCaptureChanged(CWnd*)
{
    m_panning = false;
}

void DrawingWindow::OnMButtonDblClk(UINT, CPoint)
{
    ZoomExtents();
}
