#pragma once

#include <string>

#include "CEdit.h"
#include "CFont.h"
#include "CStatic.h"
#include "CWnd.h"
#include "CommandLineEdit.h"
#include "DrawingWindow.h"

class ArxHost;

// The host's main window: the drawing window above, the command history and
// the command line below. A line starting with "(" or "'" is evaluated as
// LISP, "!name" shows a variable, and a word runs the command C:word that a
// LISP routine defined. Up and Down recall earlier lines.
class MainWindow : public CWnd {
public:
    explicit MainWindow(ArxHost& host);
    ~MainWindow() override;

    // Creates the window hidden; false when windows cannot be created.
    bool Create(const std::wstring& drawingName);
    // The drawing window, the window a module knows as the active document's.
    HWND DocumentHandle() const { return m_drawing.GetSafeHwnd(); }

    void Show();
    // Runs the message loop until the window is closed.
    int Run();
    // Appends text to the history (line feeds become new lines).
    void AppendHistory(const std::wstring& text);

protected:
    int OnCreate(LPCREATESTRUCTW createStruct) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnClose() override;
    void OnDestroy() override;

private:
    static LPCWSTR RegisterClassOnce();

    void RunCommand(const std::wstring& input);
    void ShowResults(const std::wstring& source);

    ArxHost& m_host;
    std::wstring m_drawingName;
    // Declared before the controls that show it, so that it outlives them.
    CFont m_font;
    DrawingWindow m_drawing;
    CEdit m_history;
    CStatic m_prompt;
    CommandLineEdit m_command;
};
