// arxhost.exe run as a user runs it: a command line in, one output line per
// -e, error lines and an exit code out; without expressions, its main window
// driven with messages. The LISP files it is given are in arxhost-files\.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <regex>

namespace {

std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH];
    std::wstring program(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return program.substr(0, program.find_last_of(L"\\/") + 1);
}

const std::wstring kFiles = ProgramFolder() + L"arxhost-files\\";
// The folder as a LISP string literal shows it.
const std::wstring kFilesInLisp = std::regex_replace(kFiles, std::wregex(L"\\\\"), L"\\\\");

// One argument quoted as the C runtime splits a command line again: a run
// of backslashes doubled before a quote, which is escaped, or at the end.
std::wstring Quote(const std::wstring& arg)
{
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos)
        return arg;
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t ch : arg) {
        if (ch == L'"')
            quoted.append(backslashes + 1, L'\\');
        backslashes = ch == L'\\' ? backslashes + 1 : 0;
        quoted += ch;
    }
    return quoted.append(backslashes, L'\\') + L"\"";
}

struct HostRun {
    DWORD exitCode = ~0u;
    std::wstring out, err;
};

// Runs arxhost.exe (beside the test program) in `folder` until it ends, at
// most a minute; `meanwhile` gets its process id first. Standard output and
// error go to files that vanish when closed, UTF-8 as the host writes them.
HostRun RunHost(const std::vector<std::wstring>& args, const std::wstring& folder = L"",
                const std::function<void(DWORD)>& meanwhile = nullptr)
{
    std::wstring commandLine = Quote(ProgramFolder() + L"arxhost.exe");
    for (const std::wstring& arg : args)
        commandLine += L" " + Quote(arg);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    for (HANDLE* file : {&startup.hStdOutput, &startup.hStdError}) {
        wchar_t name[MAX_PATH];
        GetTempFileNameW(temp, L"arx", 0, name);
        *file = CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            &inherit, CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    }
    PROCESS_INFORMATION process{};
    HostRun run;
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                       folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
        if (meanwhile)
            meanwhile(process.dwProcessId);
        if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0)
            TerminateProcess(process.hProcess, 1), WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &run.exitCode);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    for (auto [file, text] :
         {std::pair{startup.hStdOutput, &run.out}, std::pair{startup.hStdError, &run.err}}) {
        std::string bytes(GetFileSize(file, nullptr), '\0');
        SetFilePointer(file, 0, nullptr, FILE_BEGIN);
        DWORD got = 0;
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
        text->resize(got);   // no more UTF-16 units than UTF-8 bytes
        text->resize(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), got, text->data(), got));
        CloseHandle(file);
    }
    return run;
}

TEST(ArxHostProgram, CommandLinesGiveTheirOutputLinesAndExitCode)
{
    const std::wstring missing = ProgramFolder() + L"no-such-module.arx";
    const std::wstring library = ProgramFolder() + L"arxcore.dll";
    // Arguments, current folder, exit code, standard output and error (of
    // which "..." ends what is known).
    const std::tuple<std::vector<std::wstring>, std::wstring, DWORD, std::wstring, std::wstring>
        cases[] = {
        // A value in print form, an empty line for no value, the last value
        // of several forms; a failed expression prints no line.
        {{L"-e", L"(list 1 \"a\" (quote (b . 2)))", L"-e", L"(princ)", L"-e", L"1 2", L"-e",
          L"(+ 1", L"-e", L"(foo 1)", L"-e", L")", L"-e", std::wstring(20000, L'(') + L"x", L"-e",
          L"6"},
         L"", 0, L"(1 \"a\" (B . 2))\n\n2\n6\n",
         L"; error: malformed list on input\n; error: no function definition: FOO\n"
         L"; error: extra right paren on input\n"
         L"; error: malformed list on input: nested too deeply\n"},
        // Files and expressions in order, each seeing what the others defined.
        {{L"-e", L"(setq n 2)", kFiles + L"routine.lsp", L"-e", L"(twice n)",
          kFiles + L"missing.lsp", kFiles + L"runaway.lsp", L"-e", L"n"},
         L"", 0, L"2\nloaded and on20\n|after10\n",
         L"; error: no function definition: UNDEFINED\n; error: LOAD failed: \""
              + kFilesInLisp + L"missing.lsp\"\n; error: stack overflow\n"},
        {{L"-e", L"(strcat (getvar \"DWGPREFIX\") (getvar \"DWGNAME\"))"}, kFiles, 0,
         L"\"" + kFilesInLisp + L"Drawing1.dwg\"\n", L""},
        // LOAD finds a routine beside the drawing when the current folder has none.
        {{L"--drawing", kFiles + L"site.dwg", L"-e", L"(setq n 1)", L"-e", L"(load \"routine\")", L"-e",
          L"(twice n)"},
         L"", 0, L"1\nloaded 10\n", L"; error: no function definition: UNDEFINED\n"},
        {{L"--module", missing, L"-e", L"1"}, L"", 1, L"",
         L"arxhost: cannot load module \"" + missing + L"\"..."},
        {{L"--module", library, L"-e", L"1"}, L"", 1, L"",
         L"arxhost: \"" + library + L"\" is no application module: it does not export "
                                    L"acrxEntryPoint\n"},
        {{L"-e"}, L"", 2, L"", L"arxhost: option -e needs a value\nusage: arxhost.exe..."}};
    for (const auto& [args, folder, exitCode, out, err] : cases) {
        HostRun run = RunHost(args, folder);
        EXPECT_EQ(run.exitCode, exitCode);
        EXPECT_EQ(run.out, out);
        EXPECT_EQ(run.err.substr(0, err.find(L"...")), err.substr(0, err.find(L"...")));
    }
}

// Waits up to 20 s, for a busy machine.
template <class Condition> bool Within(Condition done)
{
    for (int i = 0; i < 800; ++i, Sleep(25))
        if (done())
            return true;
    return false;
}

// The text of another process's control: only a message brings it here.
std::wstring Text(HWND window)
{
    wchar_t text[8192];
    return {text, static_cast<size_t>(SendMessageW(window, WM_GETTEXT, std::size(text),
                                                   reinterpret_cast<LPARAM>(text)))};
}

// The main window of the host whose process id is given, once it shows:
// lines typed into its command line with Enter show in the history, and Up
// and Down walk back and forth through the lines entered.
void DriveMainWindow(DWORD processId)
{
    HWND main = nullptr;
    DWORD owner = 0;
    ASSERT_TRUE(Within([&] {
        while ((main = FindWindowExW(nullptr, main, L"ArxHostMain", nullptr)))
            if (GetWindowThreadProcessId(main, &owner) && owner == processId
                && IsWindowVisible(main))
                return true;
        return false;
    })) << "no main window";
    HWND command = FindWindowExW(main, nullptr, L"Edit", nullptr);
    HWND history = FindWindowExW(main, command, L"Edit", nullptr);
    if (GetWindowLongW(command, GWL_STYLE) & ES_READONLY)
        std::swap(command, history);

    // The drawing area shows its coordinate system icon, read back from the
    // screen: the red X axis along the foot of the area.
    HWND area = FindWindowExW(main, nullptr, L"ArxHostDrawing", nullptr);
    RECT client{};
    GetClientRect(area, &client);
    POINT axis{45, client.bottom - 20};
    ClientToScreen(area, &axis);
    HDC screen = GetDC(nullptr);
    EXPECT_TRUE(Within([&] { return GetPixel(screen, axis.x, axis.y) == RGB(200, 60, 60); }));
    ReleaseDC(nullptr, screen);

    const std::tuple<UINT, const wchar_t*, const wchar_t*> steps[] = {
        {VK_RETURN, L"(strcat \"lot\" \"s\")", L"Command: (strcat \"lot\" \"s\")\r\n\"lots\"\r\n"},
        {VK_RETURN, L"!startup", L"\"from Site plan.dwg\"\r\n"},
        {VK_RETURN, L"(type lotdialog)", L"EXRXSUBR\r\n"},
        {VK_RETURN, L"hello", L"Command: hello\r\nhello"},
        // The prompt after a message without a line end starts a line of its own.
        {VK_RETURN, L"(car 1)", L"hello\r\nCommand: (car 1)\r\n; error: bad argument type: listp: 1\r\n"},
        {VK_RETURN, L"nosuch", L"Unknown command \"NOSUCH\""},
        {VK_UP, nullptr, L"nosuch"}, {VK_UP, nullptr, L"(car 1)"},
        {VK_DOWN, nullptr, L"nosuch"}, {VK_DOWN, nullptr, L""}};
    for (auto [key, line, shown] : steps) {
        if (line)
            SendMessageW(command, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line));
        PostMessageW(command, WM_KEYDOWN, key, 1);
        EXPECT_TRUE(Within([&, line = line, shown = shown] {
            return line ? Text(history).find(shown) != std::wstring::npos : Text(command) == shown;
        })) << Text(line ? history : command);
    }
    PostMessageW(main, WM_CLOSE, 0, 0);
}

TEST(ArxHostWindow, RunsTheCommandLineWithTheModuleAndTheDrawingsStartupRoutine)
{
    HostRun run = RunHost({L"--drawing", kFiles + L"Site plan.dwg"}, L"", DriveMainWindow);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.out, L"");
    // Errors go to the history and to standard error.
    EXPECT_EQ(run.err, L"; error: bad argument type: listp: 1\n");
}

}  // namespace
