// arxhost.exe without expressions: the main window with the module loaded,
// its command line driven with window messages from this process.
#include <gtest/gtest.h>

#include "HostProcess.h"

namespace {

struct HostWindows {
    HWND main = nullptr;
    HWND command = nullptr;
    HWND history = nullptr;
};

BOOL CALLBACK FindMain(HWND window, LPARAM param)
{
    auto* found = reinterpret_cast<std::pair<DWORD, HWND>*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (process == found->first && std::wstring(name) == L"ArxHostMain" && IsWindowVisible(window)) {
        found->second = window;
        return FALSE;
    }
    return TRUE;
}

HostWindows WaitForWindows(DWORD processId)
{
    HostWindows windows;
    for (int i = 0; i < 600 && !windows.main; ++i) {
        std::pair<DWORD, HWND> found{processId, nullptr};
        EnumWindows(FindMain, reinterpret_cast<LPARAM>(&found));
        windows.main = found.second;
        if (!windows.main)
            Sleep(50);
    }
    for (HWND child = GetWindow(windows.main, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[64] = {};
        GetClassNameW(child, name, 64);
        if (_wcsicmp(name, L"Edit") != 0)
            continue;
        (GetWindowLongW(child, GWL_STYLE) & ES_READONLY ? windows.history : windows.command) = child;
    }
    return windows;
}

std::wstring Text(HWND window)
{
    int length = static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    return text;
}

// Types a line into the command line, presses Enter, and waits until the
// history holds `expected`.
bool Enter(const HostWindows& windows, const std::wstring& line, const std::wstring& expected)
{
    SendMessageW(windows.command, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line.c_str()));
    PostMessageW(windows.command, WM_KEYDOWN, VK_RETURN, 1);
    for (int i = 0; i < 800; ++i) {   // up to 20 s on a busy machine
        if (Text(windows.history).find(expected) != std::wstring::npos)
            return true;
        Sleep(25);
    }
    return false;
}

// Presses a key in the command line and waits until it shows `expected`.
bool Recall(const HostWindows& windows, UINT key, const std::wstring& expected)
{
    PostMessageW(windows.command, WM_KEYDOWN, key, 1);
    for (int i = 0; i < 400; ++i) {
        if (Text(windows.command) == expected)
            return true;
        Sleep(25);
    }
    return false;
}

TEST(ArxHostWindow, RunsTheCommandLineWithTheModuleAndTheDrawingsStartupRoutine)
{
    ScratchFolder folder;
    folder.Write(L"acaddoc.lsp", "(setq startup (strcat \"from \" (getvar \"DWGNAME\")))\r\n"
                                 "(defun c:hello () (princ \"hello\") (princ))\r\n");
    folder.Write(L"Site plan.dwg", "");
    HostProcess process({L"--drawing", folder.Path() + L"Site plan.dwg"});
    ASSERT_TRUE(process.Started());
    HostWindows windows = WaitForWindows(process.ProcessId());
    ASSERT_NE(windows.main, nullptr) << "no main window";
    ASSERT_NE(windows.command, nullptr);
    ASSERT_NE(windows.history, nullptr);

    EXPECT_TRUE(Enter(windows, L"(strcat \"lot\" \"s\")", L"Command: (strcat \"lot\" \"s\")\r\n\"lots\"\r\n"))
        << Text(windows.history).c_str();
    EXPECT_TRUE(Enter(windows, L"!startup", L"\"from Site plan.dwg\"\r\n"));
    EXPECT_TRUE(Enter(windows, L"(type lotdialog)", L"EXRXSUBR\r\n"));
    EXPECT_TRUE(Enter(windows, L"hello", L"Command: hello\r\nhello"));
    // The prompt after a message without a line end starts a line of its own.
    EXPECT_TRUE(Enter(windows, L"(car 1)",
                      L"hello\r\nCommand: (car 1)\r\n; error: bad argument type: listp: 1\r\n"));
    EXPECT_TRUE(Enter(windows, L"nosuch", L"Unknown command \"NOSUCH\""));

    // Up and Down walk back and forth through the lines entered.
    EXPECT_TRUE(Recall(windows, VK_UP, L"nosuch"));
    EXPECT_TRUE(Recall(windows, VK_UP, L"(car 1)"));
    EXPECT_TRUE(Recall(windows, VK_DOWN, L"nosuch"));
    EXPECT_TRUE(Recall(windows, VK_DOWN, L"")) << Text(windows.command).c_str();

    PostMessageW(windows.main, WM_CLOSE, 0, 0);
    HostProcess::Outcome run = process.Finish(20000);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.out, L"");
    // Errors go to the history and to standard error.
    EXPECT_EQ(run.err, L"; error: bad argument type: listp: 1\n");
}

}  // namespace
