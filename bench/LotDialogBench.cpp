// lot_bench.exe: what the lot table dialog costs the user in waiting. Run by
// hand under Wine:
//
//   ./lotgrid wine build/bin/lot_bench.exe
//
//   LOTDIALOG call to dialog visible: the LISP call of LOTDIALOG (twelve
//     layers, three rows) until the dialog and everything in it has painted,
//     against a bare modal dialog of the same template.
//   lot grid with 1000 layers: the setup of a grid of 1000 layers with 500
//     of them in rows, and one layer chosen in its blank row (quantity,
//     every row's choices, the next blank row, the numbering).
#include "BenchClock.h"
#include "ArxHost.h"
#include "CDialog.h"
#include "CWnd.h"
#include "LotDialogCommand.h"
#include "MyCug.h"
#include "arx/acutads.h"
#include "arx/adscodes.h"
#include "resource.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

// Watches the next modal dialog of this thread: the end of the last paint
// of it or of any window inside it is when it became visible. The dialog is
// ended once it has been quiet for a while.
class DialogWatch {
public:
    DialogWatch()
    {
        s_watch = this;
        m_hook = ::SetWindowsHookExW(WH_CALLWNDPROCRET, Hook, nullptr, ::GetCurrentThreadId());
    }
    ~DialogWatch()
    {
        ::UnhookWindowsHookEx(m_hook);
        s_watch = nullptr;
    }
    DialogWatch(const DialogWatch&) = delete;
    DialogWatch& operator=(const DialogWatch&) = delete;

    double lastPaint = 0;

private:
    static constexpr UINT_PTR kQuietTimer = 0x5151;

    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HC_ACTION && s_watch) {
            const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
            HWND top = ::GetAncestor(message->hwnd, GA_ROOT);
            if (message->message == WM_INITDIALOG && !s_watch->m_dialog) {
                s_watch->m_dialog = message->hwnd;
                ::SetTimer(message->hwnd, kQuietTimer, 300, EndQuietDialog);
            }
            if (top && top == s_watch->m_dialog
                && (message->message == WM_PAINT || message->message == WM_NCPAINT
                    || message->message == WM_ERASEBKGND))
                s_watch->lastPaint = NowMs();
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static void CALLBACK EndQuietDialog(HWND dialog, UINT, UINT_PTR timer, DWORD)
    {
        ::KillTimer(dialog, timer);
        ::EndDialog(dialog, IDCANCEL);
    }

    static DialogWatch* s_watch;
    HHOOK m_hook = nullptr;
    HWND m_dialog = nullptr;
};
DialogWatch* DialogWatch::s_watch = nullptr;

// (layers) (types) (counts) (rows) as LOTDIALOG takes them.
resbuf* LotArguments(const std::vector<std::wstring>& layers, const std::vector<std::wstring>& counts,
                     const std::vector<std::vector<std::wstring>>& rows)
{
    resbuf* chain = acutBuildList(RTLB, 0);
    resbuf* tail = chain;
    auto add = [&tail](resbuf* node) {
        tail->rbnext = node;
        while (tail->rbnext)
            tail = tail->rbnext;
    };
    for (const std::wstring& layer : layers)
        add(acutBuildList(RTSTR, layer.c_str(), 0));
    add(acutBuildList(RTLE, RTLB, RTSTR, L"Detached", RTSTR, L"Terraced", RTLE, RTLB, 0));
    for (const std::wstring& count : counts)
        add(acutBuildList(RTSTR, count.c_str(), 0));
    add(acutBuildList(RTLE, RTLB, 0));
    for (const auto& row : rows)
        add(acutBuildList(RTLB, RTSTR, row[0].c_str(), RTSTR, row[1].c_str(), RTSTR,
                          row[2].c_str(), RTSTR, row[3].c_str(), RTLE, 0));
    add(acutBuildList(RTLE, 0));
    return chain;
}

double LotDialogToVisible(ArxHost& host, const resbuf* args)
{
    DialogWatch watch;
    const double start = NowMs();
    host.BeginCall(0, args);
    LotDialogCommand();
    host.EndCall();
    return watch.lastPaint - start;
}

double BareDialogToVisible()
{
    DialogWatch watch;
    const double start = NowMs();
    CDialog dialog(IDD_LOT_TABLE, nullptr);
    dialog.DoModal();
    return watch.lastPaint - start;
}

// The grid in a frame of the dialog's grid size.
class GridFrame : public CWnd {
public:
    explicit GridFrame(MyCug& grid)
    {
        CreateEx(0, nullptr, L"lot bench", WS_POPUP | WS_VISIBLE, 0, 0, 640, 400, nullptr,
                 nullptr);
        grid.CreateGrid(WS_CHILD | WS_VISIBLE, RECT{0, 0, 627, 370}, this, 1000);
    }
    ~GridFrame() override { DestroyWindow(); }
};

void FillThousandLayers(MyCug& grid)
{
    grid.Layers.Add(L"*");
    grid.Counts.Add(L"");
    grid.LayerUsed.Add(0);
    int number = 1;
    for (int i = 0; i < 1000; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"LOT-%04d", i);
        grid.Layers.Add(name);
        grid.Counts.Add(L"3");
        grid.LayerUsed.Add(0);
        if (i < 500) {
            wchar_t first[16];
            swprintf(first, 16, L"%d", number);
            grid.Results.Add({name, L"3", L"Detached", first});
            number += 3;
        }
    }
    grid.TypeChoices = L"Detached\nTerraced\n";
    grid.MarkUsedLayers();
}

} // namespace

int wmain()
{
    ArxHost host;
    host.Script().active = true;
    host.SetWriters([](const std::wstring&) {}, [](const std::wstring&) {});

    std::vector<std::wstring> layers, counts;
    for (int i = 0; i < 12; ++i) {
        layers.push_back(L"LOT-" + std::wstring(1, static_cast<wchar_t>(L'A' + i)));
        counts.push_back(std::to_wstring(3 + i));
    }
    resbuf* args = LotArguments(layers, counts,
                                {{L"LOT-A", L"3", L"Detached", L"1"},
                                 {L"LOT-B", L"4", L"Terraced", L"4"},
                                 {L"LOT-C", L"5", L"Detached", L"8"}});
    std::vector<double> lot, bare;
    for (int i = 0; i < 9; ++i) {
        lot.push_back(LotDialogToVisible(host, args));
        bare.push_back(BareDialogToVisible());
    }
    acutRelRb(args);
    const double lotMs = MedianOf(lot), bareMs = MedianOf(bare);
    std::printf("LOTDIALOG call to dialog visible: %.1f ms, ratio %.2f\n", lotMs, lotMs / bareMs);

    std::vector<double> setup, choose;
    for (int i = 0; i < 5; ++i) {
        MyCug grid;
        FillThousandLayers(grid);
        GridFrame frame(grid);   // the control's creation runs the setup once
        double start = NowMs();
        grid.NotifySetup();
        setup.push_back(NowMs() - start);

        const long blank = grid.GetRowCount() - 1;
        CUGCell cell;
        start = NowMs();
        grid.GetCellRaw(0, blank, &cell);
        cell.SetText(L"LOT-0700");
        grid.SetCell(0, blank, &cell);
        choose.push_back(NowMs() - start);
    }
    std::printf("lot grid with 1000 layers: setup %.1f ms, choose a layer %.1f ms\n",
                MedianOf(setup), MedianOf(choose));
    return 0;
}
