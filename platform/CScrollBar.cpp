#include "CScrollBar.h"

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, L"SCROLLBAR", nullptr, style, rect, parent, id);
}
