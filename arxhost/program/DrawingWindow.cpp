#include "DrawingWindow.h"

namespace {

constexpr wchar_t kClassName[] = L"ArxHostDrawing";
constexpr COLORREF kBackground = RGB(33, 40, 48);
constexpr COLORREF kGrid = RGB(52, 60, 70);
constexpr COLORREF kAxisX = RGB(200, 60, 60);
constexpr COLORREF kAxisY = RGB(60, 180, 60);
constexpr int kGridStep = 40;

}  // namespace

void DrawingWindow::RegisterClassOnce()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = DrawingWindow::WindowProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hCursor = LoadCursorW(nullptr, IDC_CROSS);
    cls.lpszClassName = kClassName;
    registered = RegisterClassExW(&cls) != 0;
}

namespace {

void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

}  // namespace

DrawingWindow::~DrawingWindow()
{
    if (m_window && IsWindow(m_window))
        DestroyWindow(m_window);
}

bool DrawingWindow::Create(HWND parent, const std::wstring& drawingName)
{
    RegisterClassOnce();
    m_drawingName = drawingName;
    m_window = CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, drawingName.c_str(),
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                               nullptr, GetModuleHandleW(nullptr), this);
    return m_window != nullptr;
}

LRESULT CALLBACK DrawingWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<DrawingWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_PAINT:
        if (self) {
            self->OnPaint();
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        return 1;   // OnPaint fills everything
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void DrawingWindow::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_window, &paint);
    RECT client;
    GetClientRect(m_window, &client);

    HBRUSH background = CreateSolidBrush(kBackground);
    FillRect(dc, &client, background);
    DeleteObject(background);

    HPEN gridPen = CreatePen(PS_SOLID, 1, kGrid);
    HGDIOBJ oldPen = SelectObject(dc, gridPen);
    for (int x = kGridStep; x < client.right; x += kGridStep)
        Line(dc, x, 0, x, client.bottom);
    for (int y = client.bottom - kGridStep; y > 0; y -= kGridStep)
        Line(dc, 0, y, client.right, y);

    // The coordinate system icon in the lower left corner.
    HPEN xPen = CreatePen(PS_SOLID, 2, kAxisX);
    SelectObject(dc, xPen);
    Line(dc, 20, client.bottom - 20, 70, client.bottom - 20);
    HPEN yPen = CreatePen(PS_SOLID, 2, kAxisY);
    SelectObject(dc, yPen);
    Line(dc, 20, client.bottom - 20, 20, client.bottom - 70);
    SelectObject(dc, oldPen);
    DeleteObject(gridPen);
    DeleteObject(xPen);
    DeleteObject(yPen);

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(190, 190, 190));
    TextOutW(dc, 8, 6, m_drawingName.c_str(), static_cast<int>(m_drawingName.size()));
    EndPaint(m_window, &paint);
}
