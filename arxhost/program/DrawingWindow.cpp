#include "DrawingWindow.h"

#include "AfxRegisterClass.h"
#include "CBrush.h"
#include "CPaintDC.h"
#include "CPen.h"

namespace {

constexpr wchar_t kClassName[] = L"ArxHostDrawing";
constexpr COLORREF kBackground = RGB(33, 40, 48);
constexpr COLORREF kGrid = RGB(52, 60, 70);
constexpr COLORREF kAxisX = RGB(200, 60, 60);
constexpr COLORREF kAxisY = RGB(60, 180, 60);
constexpr COLORREF kName = RGB(190, 190, 190);
constexpr int kGridStep = 40;

void Line(CDC& dc, int x1, int y1, int x2, int y2)
{
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
}

}  // namespace

// The window's own class gives it the cross-hair cursor of a drawing area;
// it has no background brush because OnPaint fills everything.
LPCWSTR DrawingWindow::RegisterClassOnce()
{
    WNDCLASSW cls{};
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

BOOL DrawingWindow::OnEraseBkgnd(CDC*)
{
    return TRUE;   // OnPaint fills everything
}

void DrawingWindow::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);

    CBrush background(kBackground);
    dc.FillRect(&client, &background);

    CPen gridPen(PS_SOLID, 1, kGrid);
    CPen xPen(PS_SOLID, 2, kAxisX);
    CPen yPen(PS_SOLID, 2, kAxisY);
    CPen* oldPen = dc.SelectObject(&gridPen);
    for (int x = kGridStep; x < client.right; x += kGridStep)
        Line(dc, x, 0, x, client.bottom);
    for (int y = client.bottom - kGridStep; y > 0; y -= kGridStep)
        Line(dc, 0, y, client.right, y);

    // The coordinate system icon in the lower left corner.
    dc.SelectObject(&xPen);
    Line(dc, 20, client.bottom - 20, 70, client.bottom - 20);
    dc.SelectObject(&yPen);
    Line(dc, 20, client.bottom - 20, 20, client.bottom - 70);
    dc.SelectObject(oldPen);

    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(kName);
    dc.TextOut(8, 6, m_drawingName.c_str(), static_cast<int>(m_drawingName.size()));
}
