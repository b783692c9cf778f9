#pragma once

#include <string>
#include <vector>

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
    // Opens another drawing (the command OPEN), fits the view to it and runs
    // its start-up routine; false with an error line when it cannot be read.
    bool OpenDrawing(const std::wstring& path);
    // The drawing's start-up routine, as the CAD host loads acaddoc.lsp when
    // a drawing opens: the first found in the drawing's folder, then the
    // current folder; empty when there is none.
    static std::wstring StartupRoutine(const ArxHost& host);
    // Runs the message loop until the window is closed.
    int Run();
    // Appends text to the history (line feeds become new lines).
    void AppendHistory(const std::wstring& text);

protected:
    int OnCreate(LPCREATESTRUCTW createStruct) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnSetFocus(CWnd* oldWnd) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint screenPoint) override;
    void OnClose() override;
    void OnDestroy() override;

private:
    static LPCWSTR RegisterClassOnce();

    void RunCommand(const std::wstring& input);
    void RunDrawingCommand(const std::vector<std::wstring>& words);
    void ShowResults(const std::wstring& source);
    void DrawingMayHaveChanged();

    ArxHost& m_host;
    std::wstring m_drawingName;
    // Declared before the controls that show it, so that it outlives them.
    CFont m_font;
    DrawingWindow m_drawing;
    CEdit m_history;
    CStatic m_prompt;
    CommandLineEdit m_command;
};
