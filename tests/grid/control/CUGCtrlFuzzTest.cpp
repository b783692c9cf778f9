// A real grid in a window meets its public operations in an order nobody
// planned, with values inside and outside their ranges, while freed memory
// is poisoned. After every call the position fields of the current sheet
// must agree with the counts, with each other and with the places of the
// parts; a read of freed memory shows as a disagreement or as a fault.
#include "CString.h"
#include "CUGCnrBtn.h"
#include "CUGCtrl.h"
#include "CUGGrid.h"
#include "CUGHScroll.h"
#include "CUGSideHdg.h"
#include "CUGTab.h"
#include "CUGTopHdg.h"
#include "CUGVScroll.h"
#include "FreedMemoryPoison.h"
#include "Fuzz.h"
#include "RecordingGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>

namespace {

// Counts access violations in this program's own code. Wine swallows an
// exception in a window procedure that a sent message ran, so a stale read
// made while a part handles a message never reaches the crash watch; a
// first-chance handler still sees it.
class FaultCounter {
public:
    FaultCounter() : m_handler(::AddVectoredExceptionHandler(1, &OnException)) {}
    ~FaultCounter() { ::RemoveVectoredExceptionHandler(m_handler); }
    FaultCounter(const FaultCounter&) = delete;
    FaultCounter& operator=(const FaultCounter&) = delete;
    static LONG Faults() { return s_faults; }

private:
    static LONG CALLBACK OnException(EXCEPTION_POINTERS* info)
    {
        const EXCEPTION_RECORD& record = *info->ExceptionRecord;
        HMODULE module = nullptr;
        if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION
            && ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS
                                        | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                    static_cast<LPCWSTR>(record.ExceptionAddress), &module)
            && module == ::GetModuleHandleW(nullptr))
            ::InterlockedIncrement(&s_faults);
        return EXCEPTION_CONTINUE_SEARCH;
    }
    PVOID m_handler;
    static inline LONG s_faults = 0;
};

// A part with no width or height shows nothing, wherever the layout put it.
bool InsideOrEmpty(const RECT& r, const RECT& client)
{
    return r.right <= r.left || r.bottom <= r.top
           || (r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom);
}

// What disagrees in the current sheet's positions, or null.
const char* Inconsistency(CUGCtrl& grid)
{
    const CUGGridInfo& gi = *grid.GridInfo;
    if (gi.CurrentCol < -1 || gi.CurrentCol >= gi.ColumnCount || gi.DragCol >= gi.ColumnCount)
        return "the current column lies outside the columns";
    if (gi.CurrentRow < -1 || gi.CurrentRow >= gi.RowCount || gi.DragRow >= gi.RowCount)
        return "the current row lies outside the rows";
    if (gi.LockedCols < 0 || gi.LockedCols > gi.ColumnCount || gi.LockedRows < 0
        || gi.LockedRows > gi.RowCount)
        return "more columns or rows are locked than there are";
    if (gi.LeftCol < gi.LockedCols || gi.LeftCol > gi.MaxLeftCol
        || gi.MaxLeftCol > std::max(gi.ColumnCount - 1, gi.LockedCols))
        return "the left column lies outside the locked columns and its maximum";
    if (gi.TopRow < gi.LockedRows || gi.TopRow > gi.MaxTopRow
        || gi.MaxTopRow > std::max(gi.RowCount - 1, gi.LockedRows))
        return "the top row lies outside the locked rows and its maximum";
    if (gi.GridWidth != gi.CellAreaRect.right - gi.CellAreaRect.left
        || gi.GridHeight != gi.CellAreaRect.bottom - gi.CellAreaRect.top)
        return "the cell area's size is not its place's";

    struct Part {
        const CWnd* window;
        const CUGGridInfo* record;
        const RECT& place;
    };
    const Part parts[] = {
        {grid.GetCellArea(), grid.GetCellArea()->m_GI, gi.CellAreaRect},
        {grid.GetColumnHeading(), grid.GetColumnHeading()->m_GI, gi.ColumnHeadingRect},
        {grid.GetRowHeading(), grid.GetRowHeading()->m_GI, gi.RowHeadingRect},
        {grid.GetCornerButton(), grid.GetCornerButton()->m_GI, gi.CornerButtonRect},
        {grid.GetVScrollBar(), grid.GetVScrollBar()->m_GI, gi.VScrollRect},
        {grid.GetHScrollBar(), grid.GetHScrollBar()->m_GI, gi.HScrollRect},
        {grid.GetTabs(), grid.GetTabs()->m_GI, gi.TabRect}};
    RECT client;
    grid.GetClientRect(&client);
    // The layout keeps the parts inside only where the headings and bars
    // fit (a negative tab width puts the horizontal bar left of the edge).
    const bool fits = gi.RowHeadingWidth + gi.VScrollWidth <= client.right
                      && gi.ColumnHeadingHeight + gi.HScrollHeight <= client.bottom
                      && gi.TabWidth >= 0;
    for (const Part& part : parts) {
        if (part.record != &gi)
            return "a part reads another sheet's record";
        const RECT& r = part.place;
        RECT now;
        part.window->GetWindowRect(&now);
        ::MapWindowPoints(nullptr, grid.m_hWnd, reinterpret_cast<POINT*>(&now), 2);
        const RECT laid{r.left, r.top, std::max(r.left, r.right), std::max(r.top, r.bottom)};
        if (!::EqualRect(&laid, &now))
            return "a part is not where the layout put it";
        if (fits && !InsideOrEmpty(r, client))
            return "a part lies outside the control";
    }
    return nullptr;
}

// One random sequence of calls. It draws the arguments and writes each call
// down as it goes, so that a report (also of a crash or a hang within a
// call) shows the last calls up to the one at hand.
struct Calls {
    CUGCtrl& g;
    CWnd& frame;
    FuzzRandom random;
    std::wstring recent;
    const char* separator = "";

    void Note(const std::string& text) { recent.append(text.begin(), text.end()); }
    void Begin(long number, const char* name)
    {
        if (recent.size() > 500)
            recent.erase(0, recent.find(L'#', recent.size() - 500));
        Note("#" + std::to_string(number) + " " + name + "(");
        separator = "";
    }
    void End(int result) { Note(")=" + std::to_string(result) + "; "); }
    long Draw(long value)
    {
        Note(separator + std::to_string(value));
        separator = ", ";
        return value;
    }
    long In(long low, long high)
    {
        return Draw(low + static_cast<long>(random.Below(static_cast<size_t>(high - low + 1))));
    }
    // An index on or just beside an axis of `count` places, now and then far off.
    long Index(long count)
    {
        static const long distant[] = {LONG_MIN, -1000, 1000, 32000, 32001, 70000, LONG_MAX};
        return random.OneIn(20) ? Draw(random.Pick(distant)) : In(-2, count + 1);
    }
    long Col() { return Index(g.GetColumnCount()); }
    long Row() { return Index(g.GetRowCount()); }
    long CellCol() { return In(-2, g.GetColumnCount() + 1); }
    long CellRow() { return In(-2, g.GetRowCount() + 1); }
    // A count: mostly up to `usual`, now and then negative or `rare`.
    long Count(long usual, long rare)
    {
        const std::size_t kind = random.Below(16);
        return kind == 0 ? Draw(-1) : kind == 1 ? Draw(rare) : In(0, usual);
    }
    // A size: mostly up to `usual`, now and then negative or at its limit.
    long Amount(long usual, long limit)
    {
        const std::size_t kind = random.Below(16);
        return kind == 0 ? Draw(-1) : kind == 1 ? In(limit - 1, limit + 1) : In(0, usual);
    }
    long Flag() { return In(0, 1); }
    long Code() { return In(-1, 6); }
    const wchar_t* Text()
    {
        static const std::wstring longText(300, L'w');
        static const wchar_t* const texts[] = {L"",       L"a",  L"ab",           L"A",
                                               L"b\tc\nd", L"10", L"\x00E9\x20AC", L"1\r\n2",
                                               longText.c_str()};
        const wchar_t* text = random.Pick(texts);
        Note(separator + ("\"" + FuzzShow(text, 20) + "\""));
        separator = ", ";
        return text;
    }
    UINT Key()
    {
        static const long keys[] = {VK_LEFT, VK_RIGHT, VK_UP,  VK_DOWN,   VK_PRIOR,  VK_NEXT,
                                    VK_HOME, VK_END,   VK_TAB, VK_RETURN, VK_ESCAPE, VK_F2};
        return static_cast<UINT>(Draw(random.Pick(keys)));
    }
    HWND Focus() const { return ::GetFocus() ? ::GetFocus() : g.GetCellArea()->m_hWnd; }
};

struct Operation {
    const char* name;
    int (*call)(Calls&);
};

#define OP(name, ...) {name, [](Calls& r) -> int { __VA_ARGS__ }}

// Counts stay small: a copy goes through the cells of the whole span of
// the selected blocks and the current cell, the memory source sorts its
// rows by bubble sort and keeps a node for every row and column up to a cell
// written, so on sheets of thousands of rows or columns a copy or a sort
// takes minutes or hours, as they are meant to. Cells written, joined or
// selected lie on the sheet or just beside it: the memory source would make
// the rows up to row two billion. The arguments of a call are drawn in the
// order of the declarations, which C++ fixes, not in that of a call's
// arguments, which it leaves to the compiler.
const Operation kOperations[] = {
    OP("SetColumnCount", int n = r.Count(40, 32001); return r.g.SetColumnCount(n, r.Flag());),
    OP("SetRowCount", int n = r.Count(60, 300); return r.g.SetRowCount(n, r.Flag());),
    OP("AppendColumn", return r.g.AppendColumn();),
    OP("AppendRow", return r.g.AppendRow();),
    OP("InsertColumn", return r.g.InsertColumn(r.Col());),
    OP("InsertRow", return r.g.InsertRow(r.Row());),
    OP("DeleteColumn", return r.g.DeleteColumn(r.Col());),
    OP("DeleteRow", return r.g.DeleteRow(r.Row());),
    OP("MoveColumn", int c = r.Col(), to = r.Col(); return r.g.MoveColumn(c, to, r.Flag());),
    OP("SetSheetCount", return r.g.SetSheetCount(r.In(-1, 5));),
    OP("SetSheetNumber", int n = r.In(-1, 5); return r.g.SetSheetNumber(n, r.Flag());),
    OP("SetColumnWidth", int c = r.Col(); return r.g.SetColumnWidth(c, r.Amount(200, 1024));),
    OP("SetRowHeight", long row = r.Row(); return r.g.SetRowHeight(row, r.Amount(60, 1024));),
    OP("SetDefaultColumnWidth", return r.g.SetDefaultColumnWidth(r.Amount(150, 1024));),
    OP("SetDefaultRowHeight", return r.g.SetDefaultRowHeight(r.Amount(60, 1024));),
    OP("SetUniformRowHeight", return r.g.SetUniformRowHeight(r.Flag());),
    OP("SetLockedColumns", return r.g.SetLockedColumns(r.Col());),
    OP("SetLockedRows", return r.g.SetLockedRows(r.Row());),
    OP("SetRowHeadingWidth", return r.g.SetRowHeadingWidth(r.Amount(80, 1024));),
    OP("SetColumnHeadingHeight", return r.g.SetColumnHeadingHeight(r.Amount(40, 1024));),
    OP("SetVScrollWidth", return r.g.SetVScrollWidth(r.Amount(30, 1024));),
    OP("SetHScrollHeight", return r.g.SetHScrollHeight(r.Amount(30, 1024));),
    OP("SetTabWidth", return r.g.SetTabWidth(r.Amount(200, 1024));),
    OP("BestFitColumns", int c = r.CellCol(), last = r.CellCol(), rows = r.In(-1, 50);
       return r.g.BestFitColumns(c, last, rows, r.Flag());),
    OP("FitColumnsToWidth", int c = r.Col(); return r.g.FitColumnsToWidth(c, r.Col());),
    OP("MoveWindow", int w = r.In(0, 320); r.g.MoveWindow(0, 0, w, r.In(0, 240)); return 0;),
    OP("JoinCells", int c = r.Col(), row = r.Row(), c2 = r.CellCol();
       return r.g.JoinCells(c, row, c2, r.CellRow());),
    OP("UnjoinCells", int c = r.Col(); return r.g.UnjoinCells(c, r.Row());),
    OP("EnableJoins", return r.g.EnableJoins(r.Flag());),
    OP("QuickSetText", int c = r.CellCol(), row = r.CellRow();
       return r.g.QuickSetText(c, row, r.Text());),
    OP("QuickSetCellType", int c = r.CellCol(), row = r.CellRow();
       return r.g.QuickSetCellType(c, row, r.In(-1, 4));),
    OP("QuickSetReadOnly", int c = r.CellCol(), row = r.CellRow();
       return r.g.QuickSetReadOnly(c, row, r.Flag());),
    OP("GotoCell", int c = r.Col(); return r.g.GotoCell(c, r.Row());),
    OP("GotoColumn", return r.g.GotoColumn(r.Col());),
    OP("GotoRow", return r.g.GotoRow(r.Row());),
    OP("SetLeftColumn", return r.g.SetLeftColumn(r.Col());),
    OP("SetTopRow", return r.g.SetTopRow(r.Row());),
    OP("MoveCurrentColumn", return r.g.MoveCurrentColumn(r.Code());),
    OP("MoveCurrentRow", return r.g.MoveCurrentRow(r.Code());),
    OP("MoveLeftColumn", return r.g.MoveLeftColumn(r.Code());),
    OP("MoveTopRow", return r.g.MoveTopRow(r.Code());),
    OP("ResetCurrentCell", r.g.ResetCurrentCell(); return 0;),
    // Input as the user gives it, where the focus is, and the focus taken away.
    OP("key", return static_cast<int>(::SendMessageW(r.Focus(), WM_KEYDOWN, r.Key(), 1));),
    OP("character", return static_cast<int>(::SendMessageW(r.Focus(), WM_CHAR, L'q', 1));),
    OP("click", HWND area = r.g.GetCellArea()->m_hWnd; long x = r.In(0, 240), y = r.In(0, 180);
       LPARAM at = MAKELPARAM(x, y);
       ::SendMessageW(area, WM_LBUTTONDOWN, MK_LBUTTON, at);
       return static_cast<int>(::SendMessageW(area, WM_LBUTTONUP, 0, at));),
    OP("focus elsewhere", ::SetFocus(r.frame.m_hWnd); return 0;),
    OP("StartEdit", int c = r.Col(), row = r.Row(); return r.g.StartEdit(c, row, r.Flag() * 'k');),
    OP("StartEditCurrent", return r.g.StartEditCurrent();),
    OP("FinishEdit", const wchar_t* text = r.Text(); int cancel = r.Flag(), go = r.Flag();
       int c = r.Col(); return r.g.FinishEdit(text, cancel, go, c, r.Row());),
    OP("CancelEdit", return r.g.CancelEdit();),
    OP("EnableSelection", return r.g.EnableSelection(r.In(0, 3));),
    OP("SetRowSelection", return r.g.SetRowSelection(r.Flag());),
    OP("SelectCell", int c = r.CellCol(); return r.g.SelectCell(c, r.CellRow());),
    OP("SelectRange", int c = r.CellCol(), row = r.CellRow(), c2 = r.CellCol();
       return r.g.SelectRange(c, row, c2, r.CellRow());),
    OP("ClearSelection", return r.g.ClearSelection();),
    OP("Copy", return r.g.Copy();),
    OP("Cut", return r.g.Cut();),
    OP("Paste", return r.g.Paste();),
    OP("PasteText", CString text(r.Text()); return r.g.PasteText(text);),
    // Find as the find dialog does it, without its message box.
    OP("find", CString text(r.Text()); int c = r.g.GetCurrentCol(), flags = r.In(0, 15);
       long row = r.g.GetCurrentRow();
       int found = r.Flag() ? r.g.FindInDataSource(&text, &c, &row, flags)
                            : r.g.FindFirstInDataSource(&text, &c, &row, flags);
       return found == 0 ? r.g.GotoCell(c, row) : found;),
    OP("SortByColumn", int c = r.Col(); return r.g.SortByColumn(c, r.In(0, 3));),
    OP("SortByColumns", int cols[] = {r.Col(), r.Col()}; int n = r.In(0, 2);
       return r.g.SortByColumns(cols, n, 0);),
};

}  // namespace

// What the random run relies on: a read of a freed record meets the poison.
TEST(CUGCtrlFuzz, AReadOfAFreedSheetRecordShows)
{
    FreedMemoryPoison poison;
    auto record = std::make_unique<CUGGridInfo>();
    volatile CUGGridInfo* stale = record.get();
    record.reset();
    EXPECT_EQ(stale->ColumnCount, FreedMemoryPoison::PoisonedInt);
}

TEST(CUGCtrlFuzz, RandomOperationsKeepThePositionsConsistent)
{
    FreedMemoryPoison poison;
    FaultCounter faults;
    FuzzWatch watch("CUGCtrlFuzz");
    // Fifteen runs of 2,000 calls stay within a minute under Wine; ./lotgrid
    // fuzz N runs N times as many, and `fuzz 4` passes 100,000 calls.
    const int cases = 15 * FuzzScale();
    constexpr long callsPerCase = 2000;
    int failures = 0;
    for (int i = 0; i < cases && failures < 3; ++i) {
        const std::uint64_t seed = FuzzSeed(20261215, static_cast<std::uint64_t>(i));
        CUGCtrl grid;
        GridTestFrame frame(grid, 240, 180);
        grid.SetColumnCount(6);
        grid.SetRowCount(30);
        Calls calls{grid, frame, FuzzRandom(seed), {}};
        for (long call = 1; call <= callsPerCase; ++call) {
            const Operation& op = calls.random.Pick(kOperations);
            calls.Begin(call, op.name);
            watch.Begin(seed, &calls.recent);
            const LONG faultsBefore = FaultCounter::Faults();
            calls.End(op.call(calls));
            const char* fault = FaultCounter::Faults() != faultsBefore
                                    ? "an access violation in the grid's code"
                                    : Inconsistency(grid);
            if (fault) {
                ++failures;
                ADD_FAILURE() << "seed " << seed << ", call " << call << ": " << fault
                              << "\nlast calls: "
                              << std::string(calls.recent.begin(), calls.recent.end());
                break;
            }
        }
        grid.CancelEdit();
    }
}
