#include "CPaintDC.h"

#include <cassert>

CPaintDC::CPaintDC(HWND wnd) : m_hWnd(wnd)
{
    assert(::IsWindow(wnd) && "CPaintDC: painting needs a window");
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    RestoreOriginalObjects();
    ::EndPaint(m_hWnd, &m_ps);
    m_hDC = nullptr;
}
