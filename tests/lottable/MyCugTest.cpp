#include "LotGridDriver.h"
#include "MessageLog.h"
#include "MyCug.h"
#include "RecordingGrid.h"
#include "ScriptedHostCall.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

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
        static const char* names[] = {"Ok", "Save", "Load", "DeleteRow"};
        log.Add(std::string("Enable ") + names[static_cast<int>(button)] + (enable ? " 1" : " 0"));
        if (button == Button::DeleteRow)
            deleteEnabled = enable;
    }
    void ShowStatusMessage(const wchar_t* text) override { status = text; }
    void ClearStatusMessage() override { log.Add("ClearStatus"); }
    void AskToCancel() override { log.Add("AskToCancel"); }
    int IsCancelling() const override { return cancelling; }
};

struct LotGrid : MyCug {
    int beeps = 0;
    void SoundBeep(DWORD, DWORD) override { ++beeps; }
};

// A lot grid 800 pixels wide on layers "*", then the given ones, types T1
// and T2, and the given rows, set up as the dialog sets it up.
struct LotTable {
    ScriptedHostCall call;
    FakeDialog dialog;
    LotGrid grid;
    LotGridDriver drive{grid};
    std::unique_ptr<GridTestFrame> frame;

    LotTable(std::vector<MyCug::RecordResult> rows,
             std::vector<std::pair<const wchar_t*, const wchar_t*>> layers = {{L"A", L"3"},
                                                                              {L"B", L"4"}},
             int width = 800)
    {
        grid.Layers.Add(L"*");
        grid.Counts.Add(L"");
        grid.LayerUsed.Add(0);
        for (auto& layer : layers) {
            grid.Layers.Add(layer.first);
            grid.Counts.Add(layer.second);
            grid.LayerUsed.Add(0);
        }
        grid.TypeChoices = L"T1\nT2\n";
        for (auto& row : rows)
            grid.Results.Add(row);
        grid.MarkUsedLayers();
        grid.SetDialogHost(&dialog);
        ::SetCursorPos(1200, 1000);
        frame = std::make_unique<GridTestFrame>(grid, width, 300);
        dialog.log.Clear();
    }

    std::wstring Label(long row)
    {
        CUGCell cell;
        grid.GetCellRaw(0, row, &cell);
        return cell.GetLabel() ? cell.GetLabel() : L"";
    }
};

} // namespace

TEST(LotGridSetup, FourColumnsInEighthsHiddenRowHeadingsAndAGreyBlankRow)
{
    for (int width : {800, 803}) {
        LotTable t({{L"A", L"3", L"T1", L"1"}}, {{L"A", L"3"}, {L"B", L"4"}}, width);
        EXPECT_EQ(t.grid.GetColumnCount(), 4);
        const wchar_t* headings[] = {L"Layer", L"Quantity", L"Type", L"Numbering"};
        const int widths[] = {300, 100, 300, 100};
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(t.grid.CellText(c, -1), headings[c]);
            EXPECT_EQ(t.grid.GetColumnWidth(c), widths[c]) << "width " << width;
        }
        EXPECT_EQ(t.grid.GridInfo->RowHeadingWidth, 0);
        EXPECT_EQ(t.grid.AskResizeColumnHeading(), 0);

        ASSERT_EQ(t.grid.GetRowCount(), 2);
        EXPECT_EQ(t.drive.Row(0), L"A|3|T1|1");
        EXPECT_EQ(t.drive.Row(1), L"|||4");
        CUGCell preview;
        t.grid.GetCellRaw(3, 1, &preview);
        EXPECT_EQ(preview.GetReadOnly(), 1);
        EXPECT_EQ(preview.GetTextColor(), RGB(100, 100, 100));
        EXPECT_STREQ(preview.GetMask(), L"999999");
        EXPECT_EQ(t.Label(1), L"*\nB\n") << "A is used";
    }

    // No rows passed in: one "*" row holding every lot, no blank row.
    LotTable empty({});
    ASSERT_EQ(empty.grid.GetRowCount(), 1);
    EXPECT_EQ(empty.drive.Row(0), L"*|7||1");
}

TEST(LotGridEditing, AChoiceFromTheKeyboardFreesTheRowsOwnLayer)
{
    LotTable t({{L"A", L"3", L"T1", L"1"}, {L"B", L"4", L"T1", L"4"}},
               {{L"A", L"3"}, {L"B", L"4"}, {L"C", L"5"}});
    t.drive.Click(0, 0);   // remembers A, opens the list of row 0
    ::SendMessageW(t.drive.List(), WM_KEYDOWN, VK_ESCAPE, 1);
    t.grid.GotoCell(0, 1);
    ::SendMessageW(t.drive.CellArea(), WM_KEYDOWN, VK_RETURN, 1);
    ASSERT_TRUE(t.drive.ChooseItem(1)) << "row 1 offers the free layers *, C";
    EXPECT_EQ(t.drive.Row(1), L"C|5|T1|4");
    EXPECT_EQ(t.grid.LayerChoices, L"*\nB\n") << "B is free again, A is not";
}

TEST(LotGridEditing, StarInTheFirstRowLeavesOneRowAndTheTimerThenEndsItsHighlight)
{
    LotTable t({{L"A", L"3", L"T1", L"1"}});
    t.drive.Click(0, 0);
    t.dialog.log.Clear();
    ASSERT_TRUE(t.drive.ChooseItem(0));
    EXPECT_EQ(t.drive.Row(0), L"*|7|T1|1");
    EXPECT_EQ(t.grid.GetRowCount(), 1);
    // The store disables Delete Row once only row 0 is left; the timer's
    // tick, not the store, gives the cell its plain colours back.
    EXPECT_EQ(t.dialog.log.Lines(), Lines{"Enable DeleteRow 0"});
    CUGCell cell;
    t.grid.GetCellRaw(0, 0, &cell);
    EXPECT_EQ(cell.GetBackColor(), RGB(100, 100, 160));
    PumpMessagesFor(250);
    EXPECT_EQ(t.dialog.log.Lines(), (Lines{"Enable DeleteRow 0", "Enable DeleteRow 0"}));
    t.grid.GetCellRaw(0, 0, &cell);
    EXPECT_EQ(cell.GetBackColor(), ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(cell.GetTextColor(), RGB(0, 0, 0));
}

TEST(LotGridEditing, OnlyTheCurrentCellOfARowWithALayerIsHighlightedAndDeletable)
{
    LotTable t({{L"A", L"3", L"T1", L"1"}});
    auto colours = [&t](int col, long row) {
        CUGCell cell;
        t.grid.GetCellRaw(col, row, &cell);
        return std::make_pair(cell.GetBackColor(), cell.GetTextColor());
    };
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    // The move to the cell, then the press: each enables the buttons and
    // Delete Row, in this order.
    t.drive.Click(1, 0);
    EXPECT_EQ(t.dialog.log.Lines(),
              (Lines{"Enable Ok 1", "Enable Save 1", "Enable Load 1", "Enable DeleteRow 1",
                     "ClearStatus", "Enable Ok 1", "Enable Save 1", "Enable Load 1",
                     "Enable DeleteRow 1", "ClearStatus"}));
    EXPECT_EQ(colours(1, 0), std::make_pair(RGB(100, 100, 160), RGB(255, 255, 255)));

    // The blank row: no highlight, Delete Row off, the old cell plain again.
    t.drive.Click(1, 1);
    EXPECT_FALSE(t.dialog.deleteEnabled);
    EXPECT_EQ(colours(1, 1), std::make_pair(window, RGB(0, 0, 0)));
    EXPECT_EQ(colours(1, 0), std::make_pair(window, RGB(0, 0, 0)));
}

TEST(LotGridNumbering, ARefusedEntryKeepsTheOldNumberAndReopensTheEditor)
{
    LotTable t({{L"A", L"3", L"T1", L"1"}, {L"B", L"4", L"T2", L"4"}});
    ASSERT_TRUE(t.drive.EnterNumber(1, L"2"));
    ASSERT_EQ(t.call.Alerts().size(), 1u);
    EXPECT_EQ(t.call.Alerts()[0],
              L"Value '2' is not correct\nYou must enter Number great or equal than '4'");
    EXPECT_EQ(t.grid.CellText(3, 1), L"4") << "the old number stays";
    EXPECT_EQ(t.grid.SkipNextLoad, 1);
    EXPECT_EQ(::GetFocus(), t.grid.NumberEdit.GetSafeHwnd()) << "the editor opens again";
    EXPECT_EQ(t.grid.GetEditRow(), 1);
    t.grid.CancelEdit();

    // The same number again, or a cancelled edit, is taken as it is.
    EXPECT_EQ(t.grid.AskEditFinish(3, 1, nullptr, L"4", 0), 1);
    EXPECT_EQ(t.grid.AskEditFinish(3, 1, nullptr, L"2", 1), 1);
    EXPECT_EQ(t.call.Alerts().size(), 1u);
    EXPECT_EQ(t.grid.SkipNextLoad, 0) << "cleared by the next end of a Numbering edit";

    // While the dialog is being cancelled nothing is checked.
    t.dialog.cancelling = 1;
    EXPECT_EQ(t.grid.AskEditFinish(3, 1, nullptr, L"2", 0), 0);
    EXPECT_EQ(t.call.Alerts().size(), 1u);
}

TEST(LotGridEditing, EscapeAsksTheDialogToCancel)
{
    LotTable t({{L"A", L"3", L"T1", L"1"}});
    ::SendMessageW(t.drive.CellArea(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(t.dialog.log.Lines(), Lines{"AskToCancel"});
}

TEST(LotResults, ZeroQuantityNeedsNoTypeAndRowsAfterTheFirstRowWithoutALayerAreIgnored)
{
    LotTable t({{L"A", L"0", L"", L"1"}, {L"", L"3", L"", L""}, {L"B", L"4", L"", L"0"}});
    EXPECT_EQ(t.grid.ValidateAndReturn(), 1);
    // Four grid rows: the one row list is not enclosed, and a chain that is
    // one list is that list for LISP.
    EXPECT_EQ(t.call.Value(), L"(\"A\" \"0\" \"\" \"1\")");
}

TEST(LotResults, FirstFaultyRowDecidesItsCellBecomesCurrentAndNothingGoesBack)
{
    const struct {
        const wchar_t* type;
        const wchar_t* number;
        const wchar_t* message;
        int beeps;
        int col;
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
        EXPECT_EQ(t.grid.IsEditInProgress(), c.col == 3) << "the Numbering editor opens";
    }
    LotTable blank({{L"", L"", L"", L""}});
    EXPECT_EQ(blank.grid.ValidateAndReturn(), 0);
    EXPECT_EQ(blank.dialog.status, L"Input is empty");
}

TEST(LotLayers, UsedLayersMatchExactlyAndStarLeadsTheChoices)
{
    LotTable t({{L"a", L"1", L"T", L"1"}, {L"B", L"1", L"T", L"2"}},
               {{L"!pre", L"1"}, {L"A", L"1"}, {L"B", L"1"}});
    // Layers: "*", "!pre", "A", "B" as given (unsorted on purpose).
    EXPECT_EQ(t.grid.LayerUsed[2], 0) << "a is not A";
    EXPECT_EQ(t.grid.LayerUsed[3], 1);
    t.grid.Layers[0] = L"!pre";
    t.grid.Layers[1] = L"*";
    t.grid.NotifySetup();
    EXPECT_EQ(t.grid.LayerChoices, L"*\n!pre\n*\nA\n") << "a layer before \"*\" gets \"*\" added";
}
