// The CWnd form of CPaintDC lives apart so that programs without windows of
// their own (the HWND form is enough for them) need no CWnd at link time.
#include "CPaintDC.h"

CPaintDC::CPaintDC(CWnd* wnd) : CPaintDC(AfxHwndOf(wnd))
{
}
