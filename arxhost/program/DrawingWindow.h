#pragma once

#include <string>

#include "CWnd.h"

// The drawing area of the main window: the window a module knows as the
// active drawing window. It shows an empty model space.
class DrawingWindow : public CWnd {
public:
    // Creates the window as a child of `parent`, named after the drawing.
    bool Create(CWnd* parent, const std::wstring& drawingName);

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    static LPCWSTR RegisterClassOnce();

    std::wstring m_drawingName;
};
