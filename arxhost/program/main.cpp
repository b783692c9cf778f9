// arxhost.exe: loads the application module, then evaluates the expressions
// and LISP files of the command line in order (one output line per -e), or,
// given none, opens the main window with its command line until it is closed
// (after loading the drawing's acaddoc.lsp, when there is one). Without
// --drawing the drawing is the one that arxhost.ini beside the program names,
// so that a double click on the program opens it.
//
// Exit codes: 0 after evaluation (errors in the LISP do not count), 1 when
// the module cannot be loaded or no window can be made, 2 for a command line
// that cannot be followed.
#include <windows.h>

#include <string>
#include <vector>

#include "ArxHost.h"
#include "HostOptions.h"
#include "HostSettings.h"
#include "MainWindow.h"

namespace {

// Each -e prints exactly one line: the value of its last form, or an empty
// line for no value; nothing when one of its forms failed (the error line is
// already on standard error).
void RunExpression(ArxHost& host, const std::wstring& expression)
{
    std::vector<ArxEvalResult> results = host.Evaluate(expression);
    for (const ArxEvalResult& result : results)
        if (result.kind == ArxEvalResult::Kind::Error)
            return;
    std::wstring line;
    if (!results.empty() && results.back().kind == ArxEvalResult::Kind::Value)
        line = results.back().text;
    host.WriteOut(line + L"\n");
}

int RunInteractive(ArxHost& host, MainWindow& window, const std::wstring& openError)
{
    host.SetWriters(
        [&window](const std::wstring& text) { window.AppendHistory(text); },
        [&window](const std::wstring& text) {
            window.AppendHistory(text);
            ArxHost::WriteStream(STD_ERROR_HANDLE, text);
        });
    window.Show();
    if (!openError.empty())
        host.WriteErr(L"; error: " + openError + L"\n");
    std::wstring routine = MainWindow::StartupRoutine(host);
    if (!routine.empty())
        host.EvaluateFile(routine);
    return window.Run();
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    std::vector<std::wstring> args(argv + 1, argv + argc);
    HostOptions options;
    try {
        options = HostOptions::Parse(args);
    } catch (const HostOptionsError& error) {
        ArxHost host;
        host.WriteErr(L"arxhost: " + error.Message() + L"\n" + HostOptions::Usage());
        return 2;
    }

    ArxHost host;
    if (options.help) {
        host.WriteOut(HostOptions::Usage());
        return 0;
    }
    // Without --drawing the drawing is the one that arxhost.ini beside the
    // program names, so that a double click on the program opens it. A
    // drawing that cannot be read is reported (in the window's history once
    // there is one) and the host goes on with an empty drawing.
    const std::wstring drawing = options.drawingPath.empty()
                                     ? HostSettings::Read(ArxHost::ProgramFolder()).drawing
                                     : options.drawingPath;
    std::wstring openError;
    if (!drawing.empty() && !host.OpenDrawing(drawing, openError) && !options.Interactive())
        host.WriteErr(L"; error: " + openError + L"\n");
    std::wstring drawingName = host.DrawingName();

    // The main window exists in every mode, hidden unless interactive, so
    // that a module's dialogs always have the host's window as their owner.
    MainWindow window(host);
    if (!window.Create(drawingName)) {
        host.WriteErr(L"arxhost: cannot create the main window (is there a display?)\n");
        return 1;
    }
    host.SetWindows(window.GetSafeHwnd(), window.DocumentHandle());

    std::wstring module = options.modulePath.empty() ? ArxHost::ProgramFolder() + L"lotgrid.arx"
                                                     : options.modulePath;
    std::wstring error;
    if (!host.LoadModule(module, error)) {
        host.WriteErr(L"arxhost: " + error + L"\n");
        return 1;
    }

    // Errors in expressions and files (an unreadable file included) are
    // reported on their own lines and do not change the exit code.
    int exitCode = 0;
    if (options.Interactive()) {
        exitCode = RunInteractive(host, window, openError);
    } else {
        for (const HostOptions::Item& item : options.items) {
            if (item.kind == HostOptions::Item::Kind::Expression)
                RunExpression(host, item.text);
            else
                host.EvaluateFile(item.text);
        }
    }
    host.UnloadModules();
    host.SetWindows(nullptr, nullptr);
    return exitCode;
}
