// paint_bench.exe: what painting the grid costs, against a Win32 ListView
// showing the same texts and against the floor of one FillRect and one
// ExtTextOut per cell. Run by hand under Wine:
//
//   ./lotgrid wine build/bin/paint_bench.exe
//
// Each figure is the median of many repaints into a visible window, flushed
// with GdiFlush so that the time includes what GDI queued.
#include "BenchClock.h"
#include "CUGCtrl.h"
#include "CUGGrid.h"
#include "CUGGridInfo.h"
#include "CUGVScroll.h"
#include "CWnd.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kColumns = 10;
constexpr int kRows = 30;
constexpr int kColumnWidth = 75;
constexpr int kRowHeight = 20;
constexpr int kRepeats = 60;

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The top-level windows of the bench: what a step leaves invalid in them is
// painted within the step's time, so deferred painting is not free.
std::vector<HWND> g_frames;

// Median time of `action` in microseconds.
double Median(const std::function<void()>& action, int repeats = kRepeats)
{
    std::vector<double> times;
    for (int i = 0; i < repeats + 5; ++i) {
        Pump();
        const double start = NowMs();
        action();
        for (HWND frame : g_frames)
            RedrawWindow(frame, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
        const double elapsed = 1e3 * (NowMs() - start);
        if (i >= 5)  // the first passes warm caches and fonts up
            times.push_back(elapsed);
    }
    return MedianOf(times);
}

std::wstring CellText(int col, long row)
{
    return std::wstring(1, static_cast<wchar_t>(L'A' + col)) + std::to_wstring(row + 1);
}

class BenchGrid : public CUGCtrl {
public:
    void NotifySetup() override
    {
        SetColumnCount(kColumns + 6, FALSE);
        SetRowCount(1000000, FALSE);
        SetDefaultRowHeight(kRowHeight);
        for (int col = 0; col < kColumns + 6; ++col) {
            SetColumnWidth(col, kColumnWidth);
            QuickSetText(col, -1, std::wstring(1, static_cast<wchar_t>(L'A' + col)).c_str());
        }
        for (long row = 0; row < 200; ++row) {
            for (int col = 0; col < kColumns + 6; ++col)
                QuickSetText(col, row, CellText(col, row).c_str());
        }
    }
};

HFONT BenchFont()
{
    static HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0,
                                    0, L"MS Sans Serif");
    return font;
}

// A visible top-level window with a client area of the given size.
HWND MakeFrame(CWnd& frame, const wchar_t* title, int width, int height)
{
    RECT outer{0, 0, width, height};
    AdjustWindowRectEx(&outer, WS_POPUP | WS_BORDER, FALSE, 0);
    frame.CreateEx(0, nullptr, title, WS_POPUP | WS_BORDER | WS_VISIBLE, 0, 0,
                   outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr);
    g_frames.push_back(frame.m_hWnd);
    return frame.m_hWnd;
}

}  // namespace

int wmain()
{
    INITCOMMONCONTROLSEX init{sizeof init, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&init);

    // The grid: its cell area shows exactly 10 columns and 30 rows.
    BenchGrid grid;
    const int rowHeading = 40;
    const int columnHeading = 20;
    const int vBar = GetSystemMetrics(SM_CXVSCROLL);
    const int hBar = GetSystemMetrics(SM_CYHSCROLL);
    const int width = rowHeading + kColumns * kColumnWidth + vBar;
    const int height = columnHeading + kRows * kRowHeight + hBar;
    CWnd gridWindow;
    HWND gridFrame = MakeFrame(gridWindow, L"Grid", width, height);
    grid.CreateGrid(WS_CHILD | WS_VISIBLE, RECT{0, 0, width, height},
                    CWnd::FromHandle(gridFrame), 1000);
    grid.SetDefaultFont(grid.AddFontSimple(L"MS Sans Serif", -11, FW_NORMAL));
    grid.AdjustComponentSizes();
    Pump();
    CUGGrid* cellArea = grid.GetCellArea();
    const CUGGridInfo& gi = *grid.GridInfo;
    std::fprintf(stderr, "cell area %dx%d\n", gi.GridWidth, gi.GridHeight);

    const double gridFull = Median([&] { cellArea->RedrawAll(); });

    // The ListView of the same size, font and texts.
    CWnd listWindow;
    HWND listFrame = MakeFrame(listWindow, L"List", kColumns * kColumnWidth,
                               columnHeading + kRows * kRowHeight);
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0,
                                kColumns * kColumnWidth, columnHeading + kRows * kRowHeight,
                                listFrame, nullptr, nullptr, nullptr);
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(BenchFont()), TRUE);
    for (int col = 0; col < kColumns; ++col) {
        std::wstring title(1, static_cast<wchar_t>(L'A' + col));
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = kColumnWidth;
        column.pszText = title.data();
        SendMessageW(list, LVM_INSERTCOLUMNW, col, reinterpret_cast<LPARAM>(&column));
    }
    for (long row = 0; row < 200; ++row) {
        for (int col = 0; col < kColumns; ++col) {
            std::wstring text = CellText(col, row);
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = row;
            item.iSubItem = col;
            item.pszText = text.data();
            if (col == 0)
                SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
            else
                SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        }
    }
    Pump();
    const double listFull = Median([&] {
        InvalidateRect(list, nullptr, TRUE);
        UpdateWindow(list);
    });

    // The floor: one fill and one text per cell on the cell area's DC.
    const double floor = Median([&] {
        HDC dc = GetDC(cellArea->m_hWnd);
        HGDIOBJ oldFont = SelectObject(dc, BenchFont());
        HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        for (int row = 0; row < kRows; ++row) {
            for (int col = 0; col < kColumns; ++col) {
                const RECT cell{col * kColumnWidth, row * kRowHeight,
                                (col + 1) * kColumnWidth - 1, (row + 1) * kRowHeight - 1};
                FillRect(dc, &cell, white);
                const std::wstring text = CellText(col, row);
                ExtTextOutW(dc, cell.left + 4, cell.top + 1, ETO_CLIPPED, &cell, text.c_str(),
                            static_cast<UINT>(text.size()), nullptr);
            }
        }
        SelectObject(dc, oldFont);
        ReleaseDC(cellArea->m_hWnd, dc);
    });

    // What the system alone charges for moving a picture: a DC for the
    // window and one ScrollDC. A one-row scroll pays it twice, for the cell
    // area and the row heading.
    int direction = 1;
    const double scrollFloor = Median([&] {
        RECT client;
        cellArea->GetClientRect(&client);
        HDC dc = GetDC(cellArea->m_hWnd);
        direction = -direction;
        ScrollDC(dc, 0, kRowHeight * direction, &client, &client, nullptr, nullptr);
        ReleaseDC(cellArea->m_hWnd, dc);
    });
    cellArea->RedrawAll();

    // One row of scrolling: the picture moves, one strip is painted.
    long top = gi.TopRow;
    const double scroll = Median([&] { grid.SetTopRow(++top); });

    // Dragging the thumb over a million rows: each step jumps far, so the
    // view is painted anew rather than scrolled.
    grid.GridInfo->VScrollThumbMode = 1;
    grid.GetVScrollBar()->Update();
    UINT position = 0;
    const double thumbStep = Median([&] {
        position = (position + 37) % 1000;
        grid.GetVScrollBar()->OnScroll(SB_THUMBTRACK, position);
    });

    std::printf("full repaint %dx%d: grid %.0f us, listview %.0f us, ratio %.2f\n", kRows,
                kColumns, gridFull, listFull, gridFull / listFull);
    std::printf("gdi floor %dx%d: %.0f us, ratio %.2f\n", kRows, kColumns, floor,
                gridFull / floor);
    std::printf("one-row scroll: %.0f us, ratio to full repaint %.2f\n", scroll,
                scroll / gridFull);
    std::printf("scroll floor (GetDC and ScrollDC of one window): %.0f us, ratio to full repaint %.2f\n",
                scrollFloor, scrollFloor / gridFull);
    std::printf("thumb drag over 1000000 rows: %.0f us per step, ratio to full repaint %.2f\n",
                thumbStep, thumbStep / gridFull);
    return 0;
}
