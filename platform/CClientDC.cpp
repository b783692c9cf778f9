#include "CClientDC.h"

CClientDC::CClientDC(HWND wnd) : m_hWnd(wnd)
{
    m_hDC = ::GetDC(m_hWnd);
}

CClientDC::~CClientDC()
{
    RestoreOriginalObjects();
    if (m_hDC)
        ::ReleaseDC(m_hWnd, m_hDC);
    m_hDC = nullptr;
}
