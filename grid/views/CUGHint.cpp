// CUGHint: a one-line popup shown beside the scroll bar thumb.
#include "CUGHint.h"

#include "AfxRegisterClass.h"
#include "CClientDC.h"
#include "CDC.h"
#include "CFont.h"
#include "CUGCtrl.h"

#include <algorithm>

namespace {

constexpr wchar_t kHintClass[] = L"HintWnd";

HINSTANCE ModuleOfThisCode()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS
                           | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ModuleOfThisCode), &module);
    return module;
}

}  // namespace

int CUGHint::CreateHintWindow(CUGCtrl* owner, HBRUSH backgroundBrush)
{
    m_ctrl = owner;
    WNDCLASSW wc{};
    wc.style = CS_SAVEBITS | CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ModuleOfThisCode();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = backgroundBrush ? backgroundBrush
                                       : reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
    wc.lpszClassName = kHintClass;
    if (!AfxRegisterClass(&wc))
        return 0;
    if (!CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kHintClass, L"", WS_POPUP | WS_BORDER, 0,
                  0, 0, 0, nullptr, nullptr))
        return 0;
    m_text.Empty();
    m_textColor = 0;
    m_backColor = RGB(255, 255, 224);
    m_placement = 1;
    m_textAlignment = 1;
    m_font = nullptr;
    CClientDC dc(this);
    m_lineHeight = dc.GetTextExtent(L"X", 1).cy;
    return 1;
}

void CUGHint::HideHint()
{
    if (GetSafeHwnd())
        ShowWindow(SW_HIDE);
}

void CUGHint::ShowHint()
{
    if (GetSafeHwnd() && !IsWindowVisible())
        ShowWindow(SW_SHOWNA);
}

void CUGHint::SetHintText(const wchar_t* text, int redraw)
{
    m_text = text ? text : L"";
    if (redraw && GetSafeHwnd())
        Invalidate(TRUE);
}

void CUGHint::SetHintFont(CFont* font)
{
    m_font = font;
    if (!GetSafeHwnd())
        return;
    CClientDC dc(this);
    if (m_font)
        dc.SelectObject(m_font);
    m_lineHeight = dc.GetTextExtent(L"Xy", 2).cy + 3;
}

// Places the hint against (x, y) in the control's client coordinates as the
// placement flags say, kept inside the control.
void CUGHint::MoveHintWindow(int x, int y, int minWidth)
{
    if (!GetSafeHwnd() || !m_ctrl)
        return;
    int width = 0;
    {
        CClientDC dc(this);
        if (m_font)
            dc.SelectObject(m_font);
        width = std::max<int>(dc.GetTextExtent(m_text).cx + 4, minWidth);
    }
    const int height = m_lineHeight;

    RECT rect{};
    if (m_placement & 4) {
        rect.left = x - width / 2;
        rect.right = rect.left + width;
    } else if (m_placement & 2) {
        rect.right = x;
        rect.left = x - width;
    } else {
        rect.left = x;
        rect.right = rect.left + width;
    }
    if (m_placement & 32) {
        rect.top = y - height / 2;
        rect.bottom = rect.top + height;
    } else if (m_placement & 16) {
        rect.bottom = y;
        rect.top = y - height;
    } else {
        rect.top = y;
        rect.bottom = rect.top + height;
    }

    RECT client;
    m_ctrl->GetClientRect(&client);
    if (rect.left < 0)
        OffsetRect(&rect, -rect.left, 0);
    if (rect.top < 0)
        OffsetRect(&rect, 0, -rect.top);
    if (rect.right > client.right)
        OffsetRect(&rect, client.right - rect.right, 0);
    if (rect.bottom > client.bottom)
        OffsetRect(&rect, 0, client.bottom - rect.bottom);

    m_ctrl->ClientToScreen(&rect);
    HideHint();
    MoveWindow(&rect, TRUE);
    ShowHint();
    SendMessage(WM_PAINT);
}

void CUGHint::OnPaint()
{
    {
        CClientDC dc(this);
        if (m_font)
            dc.SelectObject(m_font);
        dc.SetTextColor(m_textColor);
        dc.SetBkColor(m_backColor);
        dc.SetBkMode(OPAQUE);
        RECT client;
        GetClientRect(&client);
        dc.DrawText(m_text, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    ValidateRect(nullptr);
}
