// The CWnd form of CClientDC lives apart so that programs without windows of
// their own (the HWND form is enough for them) need no CWnd at link time.
#include "CClientDC.h"

CClientDC::CClientDC(CWnd* wnd) : CClientDC(AfxHwndOf(wnd))
{
}
