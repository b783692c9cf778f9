// griddemo.exe: the grid control's showcase. A resizable window "Grid demo"
// with one grid of 26 columns and 1000 rows in which cell (c, r) shows its
// column letters and row number.
//
//   griddemo.exe [--cols N] [--rows N] [--sheets N] [--locked-cols N]
//                [--locked-rows N]
//
// With several sheets, tabs "Sheet1" ... "SheetN" switch between them.
// --locked-cols and --locked-rows keep the first N columns or rows in view
// while the others scroll (frozen panes).
//
// Exit codes: 0 when the window was closed, 1 when it could not be made,
// 2 for a command line that cannot be followed.
#include "CFindReplaceDialog.h"
#include "CUGTab.h"
#include "DemoFrame.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <string>

namespace {

struct Options {
    int columns = 26;
    long rows = 1000;
    int sheets = 1;
    int lockedColumns = 0;
    long lockedRows = 0;
};

constexpr long kMaxRows = 100000000L;

bool ParseCount(const wchar_t* text, long maximum, long& value)
{
    if (!text || !*text)
        return false;
    for (const wchar_t* p = text; *p; ++p) {
        if (!std::iswdigit(*p))
            return false;
    }
    wchar_t* end = nullptr;
    const long long parsed = std::wcstoll(text, &end, 10);
    if (parsed < 0 || parsed > maximum)
        return false;
    value = static_cast<long>(parsed);
    return true;
}

bool ParseOptions(int argc, wchar_t** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::wstring name = argv[i];
        long value = 0;
        if (i + 1 >= argc)
            return false;
        const wchar_t* text = argv[++i];
        if (name == L"--cols" && ParseCount(text, CUGCtrl::MaxColumns, value))
            options.columns = static_cast<int>(value);
        else if (name == L"--rows" && ParseCount(text, kMaxRows, value))
            options.rows = value;
        else if (name == L"--sheets" && ParseCount(text, CUGTab::MaxTabs, value) && value >= 1)
            options.sheets = static_cast<int>(value);
        else if (name == L"--locked-cols" && ParseCount(text, CUGCtrl::MaxColumns, value))
            options.lockedColumns = static_cast<int>(value);
        else if (name == L"--locked-rows" && ParseCount(text, kMaxRows, value))
            options.lockedRows = value;
        else
            return false;
    }
    // Only columns and rows that exist can be locked.
    return options.lockedColumns <= options.columns && options.lockedRows <= options.rows;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: griddemo.exe [--cols 0..%d] [--rows 0..%ld] [--sheets 1..%d]\n"
                     "                    [--locked-cols 0..cols] [--locked-rows 0..rows]\n",
                     CUGCtrl::MaxColumns, kMaxRows, CUGTab::MaxTabs);
        return 2;
    }
    DemoFrame frame(options.columns, options.rows, options.sheets);
    frame.Grid().LockLeadingCells(options.lockedColumns, options.lockedRows);
    if (!frame.CreateFrame()) {
        std::fprintf(stderr, "griddemo: the window could not be made\n");
        return 1;
    }
    // Scripts that drive the demo from outside address points in the
    // window; they need where its client area starts.
    RECT window;
    frame.GetWindowRect(&window);
    POINT origin{0, 0};
    frame.ClientToScreen(&origin);
    std::printf("client origin %ld %ld\n", origin.x - window.left, origin.y - window.top);
    RECT client;
    frame.GetClientRect(&client);
    std::printf("client size %ld %ld\n", client.right, client.bottom);
    std::fflush(stdout);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // The modeless find dialog takes its own keys (Tab, Enter, Escape).
        CFindReplaceDialog* find = frame.Grid().GetFindDialog();
        if (find && ::IsDialogMessageW(find->m_hWnd, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
