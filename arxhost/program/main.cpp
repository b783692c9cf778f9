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

bool FileExists(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

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

// The drawing's start-up routine, as the CAD host loads acaddoc.lsp when a
// drawing opens: the first found in the drawing's folder, the current folder,
// then the program's folder.
std::wstring StartupRoutine(const ArxHost& host)
{
    for (const std::wstring& folder :
         {host.DrawingPrefix(), std::wstring(), ArxHost::ProgramFolder()})
        if (FileExists(folder + L"acaddoc.lsp"))
            return folder + L"acaddoc.lsp";
    return {};
}

int RunInteractive(ArxHost& host, MainWindow& window)
{
    host.SetWriters(
        [&window](const std::wstring& text) { window.AppendHistory(text); },
        [&window](const std::wstring& text) {
            window.AppendHistory(text);
            ArxHost::WriteStream(STD_ERROR_HANDLE, text);
        });
    window.Show();
    std::wstring routine = StartupRoutine(host);
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
    std::wstring drawing = options.drawingPath.empty()
                               ? HostSettings::Read(ArxHost::ProgramFolder()).drawing
                               : options.drawingPath;
    if (!drawing.empty())
        host.SetDrawing(drawing);
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
        exitCode = RunInteractive(host, window);
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
