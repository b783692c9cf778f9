#pragma once

#include "CWnd.h"

// The system STATIC control.
class CStatic : public CWnd {
public:
    BOOL Create(LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xffff);
};
