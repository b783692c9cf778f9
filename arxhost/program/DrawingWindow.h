#pragma once

#include <windows.h>

#include <string>

// The drawing area of the main window: the window a module knows as the
// active drawing window. It shows an empty model space.
class DrawingWindow {
public:
    DrawingWindow() = default;
    ~DrawingWindow();
    DrawingWindow(const DrawingWindow&) = delete;
    DrawingWindow& operator=(const DrawingWindow&) = delete;

    bool Create(HWND parent, const std::wstring& drawingName);
    HWND Handle() const { return m_window; }

private:
    static void RegisterClassOnce();
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnPaint();

    HWND m_window = nullptr;
    std::wstring m_drawingName;
};
