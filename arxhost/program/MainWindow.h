#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "DrawingWindow.h"

class ArxHost;

// The host's main window: the drawing window above, the command history and
// the command line below. A line starting with "(" or "'" is evaluated as
// LISP, "!name" shows a variable, and a word runs the command C:word that a
// LISP routine defined. Up and Down recall earlier lines.
class MainWindow {
public:
    explicit MainWindow(ArxHost& host);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window hidden; false when windows cannot be created.
    bool Create(const std::wstring& drawingName);
    HWND Handle() const { return m_window; }
    HWND DocumentHandle() const { return m_drawing.Handle(); }

    void Show();
    // Runs the message loop until the window is closed.
    int Run();
    // Appends text to the history (line feeds become new lines).
    void AppendHistory(const std::wstring& text);

private:
    static void RegisterClassOnce();
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CommandEditProc(HWND edit, UINT message, WPARAM wParam,
                                            LPARAM lParam);

    void OnCreate();
    void OnSize(int width, int height);
    void OnSetFocus();
    void OnClose();
    void OnDestroy();
    // Keys of the command line; true when handled here.
    bool OnCommandKeyDown(UINT key);

    void RunCommand(const std::wstring& input);
    void ShowResults(const std::wstring& source);

    ArxHost& m_host;
    HWND m_window = nullptr;
    DrawingWindow m_drawing;
    HWND m_history = nullptr;
    HWND m_prompt = nullptr;
    HWND m_command = nullptr;
    WNDPROC m_commandDefault = nullptr;
    HFONT m_font = nullptr;
    std::wstring m_drawingName;
    std::vector<std::wstring> m_lines;   // entered lines, oldest first
    size_t m_recall = 0;                 // position while recalling
};
