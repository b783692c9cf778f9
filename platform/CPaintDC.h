#pragma once

#include "CDC.h"

class CWnd;

// The DC of one WM_PAINT: BeginPaint when made, EndPaint when destroyed, with
// the objects it displaced selected back first.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    explicit CPaintDC(HWND wnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps = {};

protected:
    HWND m_hWnd = nullptr;
};
