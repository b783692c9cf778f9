#include "DemoFrame.h"

BOOL DemoFrame::CreateFrame()
{
    return CreateEx(0, nullptr, L"Grid demo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 720,
                    520, nullptr, nullptr);
}

int DemoFrame::OnCreate(LPCREATESTRUCTW createStruct)
{
    if (CWnd::OnCreate(createStruct) == -1)
        return -1;
    RECT client;
    GetClientRect(&client);
    if (!m_grid.CreateGrid(WS_CHILD | WS_VISIBLE | WS_TABSTOP, client, this, 1000))
        return -1;
    m_grid.SetFocus();
    return 0;
}

void DemoFrame::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (m_grid.GetSafeHwnd())
        m_grid.MoveWindow(0, 0, cx, cy, TRUE);
}

void DemoFrame::OnSetFocus(CWnd*)
{
    if (m_grid.GetSafeHwnd())
        m_grid.SetFocus();
}

void DemoFrame::OnDestroy()
{
    PostQuitMessage(0);
    CWnd::OnDestroy();
}
