#pragma once

#include "CWnd.h"
#include "DemoGrid.h"

// The demo's resizable top-level window "Grid demo"; the grid fills it.
class DemoFrame : public CWnd {
public:
    DemoFrame(int columns, long rows, int sheets) : m_grid(columns, rows, sheets) {}

    BOOL CreateFrame();
    DemoGrid& Grid() { return m_grid; }

protected:
    int OnCreate(LPCREATESTRUCTW createStruct) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnDestroy() override;

private:
    DemoGrid m_grid;
};
