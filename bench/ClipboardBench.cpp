// clipboard_bench.exe: what copying and pasting a block of 10000 rows by 26
// columns through the system clipboard costs. Run by hand under Wine:
//
//   ./lotgrid wine build/bin/clipboard_bench.exe
//
// Each figure is the median of a few runs on a grid in a hidden window;
// the goal for each is under 500 ms.
#include "BenchClock.h"
#include "CUGCtrl.h"
#include "CUGGridInfo.h"
#include "CString.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kColumns = 26;
constexpr long kRows = 10000;
constexpr int kRepeats = 5;

double Median(const std::function<void()>& prepare, const std::function<void()>& action)
{
    std::vector<double> times;
    for (int i = 0; i < kRepeats; ++i) {
        prepare();
        const double start = NowMs();
        action();
        times.push_back(NowMs() - start);
    }
    return MedianOf(times);
}

}  // namespace

int main()
{
    WNDCLASSW frameClass{};
    frameClass.lpfnWndProc = DefWindowProcW;
    frameClass.hInstance = GetModuleHandleW(nullptr);
    frameClass.lpszClassName = L"ClipboardBenchFrame";
    RegisterClassW(&frameClass);
    HWND frame = CreateWindowExW(0, L"ClipboardBenchFrame", L"clipboard bench", WS_OVERLAPPEDWINDOW,
                                 0, 0, 800, 600, nullptr, nullptr, frameClass.hInstance, nullptr);
    CUGCtrl grid;
    if (!grid.CreateGrid(WS_CHILD | WS_VISIBLE, RECT{0, 0, 780, 560}, CWnd::FromHandle(frame),
                         1)) {
        std::fprintf(stderr, "clipboard_bench: the grid could not be made\n");
        return 1;
    }
    grid.SetColumnCount(kColumns);
    grid.SetRowCount(kRows);
    for (long row = 0; row < kRows; ++row)
        for (int col = 0; col < kColumns; ++col)
            grid.QuickSetText(col, row,
                              (std::wstring(1, static_cast<wchar_t>(L'A' + col))
                               + std::to_wstring(row + 1))
                                  .c_str());
    grid.EnableSelection(1);
    auto selectAll = [&] {
        grid.GotoCell(0, 0);
        grid.SelectRange(0, 0, kColumns - 1, kRows - 1);
    };

    const double copy = Median(selectAll, [&] { grid.Copy(); });
    std::printf("copy %ldx%d cells: %.0f ms, ratio %.2f\n", kRows, kColumns, copy, copy / 500.0);

    const double paste = Median([&] { grid.GotoCell(0, 0); }, [&] { grid.Paste(); });
    std::printf("paste %ldx%d cells: %.0f ms, ratio %.2f\n", kRows, kColumns, paste,
                paste / 500.0);

    CString check;
    grid.ReadClipboardText(check);
    if (check.GetLength() < 10 || check.Right(7) != L"\tZ10000" || check.Left(3) != L"A1\t") {
        std::fprintf(stderr, "clipboard_bench: the round trip lost the last cell\n");
        return 1;
    }
    grid.DestroyWindow();
    DestroyWindow(frame);
    return 0;
}
