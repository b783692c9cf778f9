#pragma once

#include "CDC.h"

class CWnd;

// The client-area DC of a window (of the whole screen for a null window):
// GetDC when made, ReleaseDC when destroyed, with the objects it displaced
// selected back first.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
    explicit CClientDC(HWND wnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd = nullptr;
};
