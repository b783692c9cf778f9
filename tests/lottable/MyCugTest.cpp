#include "CClientDC.h"
#include "LotGridDriver.h"
#include "MessageLog.h"
#include "RecordingGrid.h"
#include "ScriptedHostCall.h"

#include <gtest/gtest.h>

#include <memory>

using Lines = std::vector<std::string>;

namespace {

// The dialog around the grid, as a log of what the grid asks of it.
struct FakeDialog : LotDialogHost {
    MessageLog log;
    std::wstring status;
    BOOL deleteEnabled = TRUE;
    int cancelling = 0;
    void EnableButton(Button button, BOOL enable) override
    {
        const char* names[] = {"Ok", "Save", "Load", "DeleteRow"};
        log.Add(std::string("Enable ") + names[static_cast<int>(button)] + (enable ? " 1" : " 0"));
        deleteEnabled = button == Button::DeleteRow ? enable : deleteEnabled;
    }
    void ShowStatusMessage(const wchar_t* text) override { status = text; }
    void ClearStatusMessage() override { log.Add("ClearStatus"); }
    void AskToCancel() override { log.Add("AskToCancel"); }
    int IsCancelling() const override { return cancelling; }
};

// A lot grid 803 pixels wide in a window, set up as the dialog sets it up on
// layers "*", A (3) and B (4) unless given others, types T1 and T2.
struct LotTable {
    struct Grid : MyCug {
        int beeps = 0;
        void SoundBeep(DWORD, DWORD) override { ++beeps; }
    };
    ScriptedHostCall call;
    FakeDialog dialog;
    Grid grid;
    LotGridDriver drive{grid};
    std::unique_ptr<GridTestFrame> frame;

    explicit LotTable(std::vector<MyCug::RecordResult> rows, const LayerCounts& layers = {{L"A", L"3"}, {L"B", L"4"}})
    {
        FillLotTable(grid, layers, rows);
        grid.SetDialogHost(&dialog);
        ::SetCursorPos(1200, 1000);
        frame = std::make_unique<GridTestFrame>(grid, 803, 300);
        dialog.log.Clear();
    }
    CUGCell Cell(int col, long row)
    {
        CUGCell cell;
        grid.GetCellRaw(col, row, &cell);
        return cell;
    }
    std::pair<COLORREF, COLORREF> Colours(int col, long row)
    {
        return {Cell(col, row).GetBackColor(), Cell(col, row).GetTextColor()};
    }
};

const std::pair<COLORREF, COLORREF> kCurrent{RGB(100, 100, 160), RGB(255, 255, 255)};
std::pair<COLORREF, COLORREF> Plain() { return {::GetSysColor(COLOR_WINDOW), RGB(0, 0, 0)}; }

} // namespace

TEST(LotGridSetup, FourColumnsInEighthsHiddenRowHeadingsAGreyBlankRowAndStarFirst)
{
    LotTable t({{L"A", L"3", L"T1", L"1"}});
    ASSERT_EQ(t.grid.GetColumnCount(), 4);
    EXPECT_EQ(t.drive.Row(-1), L"Layer|Quantity|Type|Numbering");
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(t.grid.GetColumnWidth(c), c % 2 ? 100 : 300);
    EXPECT_EQ(t.grid.GridInfo->RowHeadingWidth, 0);
    ASSERT_EQ(t.grid.GetRowCount(), 2);
    EXPECT_EQ(t.drive.Row(0) + L" " + t.drive.Row(1), L"A|3|T1|1 |||4");
    EXPECT_EQ(t.Cell(3, 1).GetReadOnly(), 1);
    EXPECT_EQ(t.Cell(3, 1).GetTextColor(), RGB(100, 100, 100));
    EXPECT_STREQ(t.Cell(3, 1).GetMask(), L"999999");
    EXPECT_STREQ(t.Cell(0, 1).GetLabel(), L"*\nB\n") << "A is used";
    // No rows: one "*" row of every lot; a layer before "*" gets "*" put first.
    LotTable empty({});
    ASSERT_EQ(empty.grid.GetRowCount(), 1);
    EXPECT_EQ(empty.drive.Row(0), L"*|7||1");
    empty.grid.Layers[0] = L"!pre";
    empty.grid.Layers[1] = L"*";
    empty.grid.NotifySetup();
    EXPECT_EQ(empty.grid.LayerChoices, L"*\n!pre\n*\nB\n");
}

// "*" takes the lots the rows above leave and removes the rows below; only a
// lone row loses its highlight and Delete Row, at the timer's tick.
TEST(LotGridEditing, StarRemovesTheRowsBelowAndTheTimerThenEndsOnlyALoneRowsHighlight)
{
    LotTable t({{L"A", L"3", L"T1", L"1"}, {L"B", L"4", L"T2", L"4"}});
    t.drive.Click(0, 1);
    ASSERT_TRUE(t.drive.ChooseItem(0));
    PumpMessagesFor(250);
    EXPECT_EQ(t.drive.Row(1), L"*|4|T2|4");
    EXPECT_EQ(t.grid.GetRowCount(), 2);
    EXPECT_TRUE(t.dialog.deleteEnabled);
    t.drive.Click(0, 1);   // the last row's Layer cell again: it stays highlighted
    EXPECT_EQ(t.Colours(0, 1), kCurrent);
    t.drive.ChooseItem(-1);
    t.drive.Click(0, 0);
    t.dialog.log.Clear();
    ASSERT_TRUE(t.drive.ChooseItem(1)) << "A's own list: A, *, B";
    EXPECT_EQ(t.drive.Row(0), L"*|7|T1|1");
    EXPECT_EQ(t.grid.GetRowCount(), 1);
    EXPECT_EQ(t.dialog.log.Lines(), Lines{"Enable DeleteRow 0"});
    EXPECT_EQ(t.Colours(0, 0), kCurrent);
    PumpMessagesFor(250);
    EXPECT_EQ(t.dialog.log.Lines(), (Lines{"Enable DeleteRow 0", "Enable DeleteRow 0"}));
    EXPECT_EQ(t.Colours(0, 0), Plain());
    EXPECT_EQ(LotTableFaults(t.grid), "");
}

// The move to a cell, then the press: each enables the buttons and Delete
// Row, in this order. Escape asks the dialog to cancel.
TEST(LotGridEditing, OnlyTheCurrentCellOfARowWithALayerIsHighlightedAndDeletable)
{
    LotTable t({{L"A", L"3", L"T1", L"1"}});
    t.drive.Click(1, 0);
    const Lines enable{"Enable Ok 1", "Enable Save 1", "Enable Load 1", "Enable DeleteRow 1", "ClearStatus"};
    Lines twice = enable;
    twice.insert(twice.end(), enable.begin(), enable.end());
    EXPECT_EQ(t.dialog.log.Lines(), twice);
    EXPECT_EQ(t.Colours(1, 0), kCurrent);
    t.drive.Click(1, 1);
    EXPECT_FALSE(t.dialog.deleteEnabled);
    EXPECT_EQ(t.Colours(1, 1), Plain());
    EXPECT_EQ(t.Colours(1, 0), Plain());
    t.dialog.log.Clear();
    ::SendMessageW(t.drive.CellArea(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(t.dialog.log.Lines(), Lines{"AskToCancel"});
}

// The same number, a cancelled edit, or any entry while the dialog is being
// cancelled is taken as it is, and clears the flag that ignores a Load.
TEST(LotGridNumbering, ARefusedEntryKeepsTheOldNumberAndReopensTheEditor)
{
    LotTable t({{L"A", L"3", L"T1", L"1"}, {L"B", L"4", L"T2", L"4"}});
    ASSERT_TRUE(t.drive.EnterNumber(1, L"2"));
    EXPECT_EQ(t.call.Alerts(),
              std::vector<std::wstring>{L"Value '2' is not correct\nYou must enter Number great or equal than '4'"});
    EXPECT_EQ(t.grid.CellText(3, 1), L"4");
    EXPECT_EQ(LotTableFaults(t.grid), "");
    EXPECT_EQ(t.grid.SkipNextLoad, 1);
    EXPECT_EQ(::GetFocus(), t.grid.NumberEdit.GetSafeHwnd());
    EXPECT_EQ(t.grid.GetEditRow(), 1);
    t.grid.CancelEdit();
    EXPECT_EQ(t.grid.AskEditFinish(3, 1, nullptr, L"4", 0), 1);
    EXPECT_EQ(t.grid.AskEditFinish(3, 1, nullptr, L"2", 1), 1);
    EXPECT_EQ(t.grid.SkipNextLoad, 0);
    t.dialog.cancelling = 1;
    EXPECT_EQ(t.grid.AskEditFinish(3, 1, nullptr, L"2", 0), 0);
    EXPECT_EQ(t.call.Alerts().size(), 1u);
}

// A quantity of 0 needs no type, and the first row without a layer ends the
// table.
TEST(LotResults, FirstFaultyRowDecidesItsCellBecomesCurrentAndNothingGoesBack)
{
    const struct {
        const wchar_t* type;
        const wchar_t* number;
        const wchar_t* message;
        int beeps, col;
    } cases[] = {
        {L"", L"4", L"Type is absent", 1, 2},
        {L"T2", L"", L"Number is absent", 1, 3},
        {L"T2", L"0", L"Number cannot to be '0'", 0, 3},
    };
    for (const auto& c : cases) {
        LotTable t({{L"A", L"3", L"T1", L"1"}, {L"B", L"4", c.type, c.number}});
        EXPECT_EQ(t.grid.ValidateAndReturn(), 0);
        EXPECT_FALSE(t.call.HasValue());
        EXPECT_EQ(t.dialog.status, c.message);
        EXPECT_EQ(t.grid.beeps, c.beeps);
        EXPECT_EQ(t.grid.Results.GetSize(), 1) << "the rows before the fault";
        EXPECT_EQ(t.grid.GetCurrentCol(), c.col);
        EXPECT_EQ(t.grid.GetCurrentRow(), 1);
        EXPECT_EQ(t.grid.IsEditInProgress(), c.col == 3);
    }
    LotTable blank({{L"", L"", L"", L""}});
    EXPECT_EQ(blank.grid.ValidateAndReturn(), 0);
    EXPECT_EQ(blank.dialog.status, L"Input is empty");
    // Four grid rows: the one row list is not enclosed, and a chain that is
    // one list is that list for LISP.
    LotTable t({{L"A", L"0", L"", L"1"}, {L"", L"3", L"", L""}, {L"B", L"4", L"", L"0"}});
    EXPECT_EQ(t.grid.ValidateAndReturn(), 1);
    EXPECT_EQ(t.call.Value(), L"(\"A\" \"0\" \"\" \"1\")");
}

// "*" chosen in the blank last row gives it a layer; the next press on its
// current cell highlights the cell on the screen too, though the press moved
// nothing and so left the grid nothing to repaint.
TEST(LotGridEditing, TheHighlightOfANewlyLayeredRowReachesTheScreen)
{
    LotTable t({{L"A", L"3", L"T1", L"1"}});
    t.drive.Click(0, 1);
    ASSERT_TRUE(t.drive.ChooseItem(0)) << "*";
    PumpMessagesFor(250);
    int col = 0;
    long row = 1;
    RECT cell{};
    t.grid.GetCellRect(col, row, cell);
    ASSERT_EQ(::GetPixel(CClientDC(t.grid.GetCellArea()), cell.left + 3, cell.bottom - 3), Plain().first);
    t.grid.NotifyCellLeftButton(0, 1, 1, nullptr, nullptr, 0);
    EXPECT_EQ(::GetPixel(CClientDC(t.grid.GetCellArea()), cell.left + 3, cell.bottom - 3), kCurrent.first);
}
