#include "DialogScript.h"
#include "LotGridDriver.h"
#include "MessageLog.h"
#include "ScriptedHostCall.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>

namespace {

// The table's invariants; "" when they hold, else what is wrong.
std::string CheckTable(MyCug& grid)
{
    std::ostringstream fault;
    const long rows = grid.GetRowCount();
    int above = 0;
    for (long r = 0; r < rows; ++r) {
        const CString layer = grid.CellText(0, r);
        if (r > 0) {
            const int minimum = _wtoi(grid.CellText(3, r - 1)) + _wtoi(grid.CellText(1, r - 1));
            if (_wtoi(grid.CellText(3, r)) < minimum)
                fault << "row " << r << " starts before the end of the row above; ";
        }
        if (layer == L"*") {
            if (r != rows - 1)
                fault << "\"*\" in row " << r << " is not the last row; ";
            if (_wtoi(grid.CellText(1, r)) != grid.TotalCount - above)
                fault << "\"*\" holds " << _wtoi(grid.CellText(1, r)) << " of "
                      << grid.TotalCount - above << "; ";
        } else if (!layer.IsEmpty()) {
            above += _wtoi(grid.CellText(1, r));
        }
    }
    for (int j = 0; j < grid.Layers.GetSize(); ++j) {
        const CString& name = grid.Layers[j];
        if (name == L"*")
            continue;
        int shownIn = 0;
        for (long r = 0; r < rows; ++r) {
            if (grid.CellText(0, r) == name) {
                ++shownIn;
                continue;
            }
            CUGCell cell;
            grid.GetCellRaw(0, r, &cell);
            const std::wstring label = std::wstring(L"\n") + (cell.GetLabel() ? cell.GetLabel() : L"");
            if (grid.LayerUsed[j] && label.find(L"\n" + std::wstring(name) + L"\n") != std::wstring::npos)
                fault << "used layer " << j << " offered in row " << r << "; ";
        }
        if (shownIn > 1)
            fault << "layer " << j << " shown in " << shownIn << " rows; ";
        if (grid.LayerUsed[j] != (shownIn > 0 ? 1 : 0))
            fault << "layer " << j << " used flag " << grid.LayerUsed[j] << "; ";
    }
    return fault.str();
}

// The dialog answers every cancel question with No.
struct StayingDialog : ScriptedLotDialog {
    int AskCancelConfirmation() override
    {
        ++confirmationsAsked;
        return IDCANCEL;
    }
};

} // namespace

// Random presses, choices, digits, Delete Row, Enter, Tab and Escape on a
// running lot table dialog; after every step the table must be consistent
// and the dialog still open.
TEST(LotDialogMonkey, TenThousandRandomStepsKeepTheTableConsistent)
{
    constexpr unsigned kSeed = 20261207;
    constexpr int kSteps = 10000;
    ScriptedHostCall call;
    StayingDialog dialog;
    const wchar_t* layers[][2] = {{L"*", L""}, {L"A", L"3"}, {L"B", L"4"}, {L"C", L"2"},
                                  {L"D", L"6"}, {L"E", L"1"}};
    for (auto& layer : layers) {
        dialog.Grid.Layers.Add(layer[0]);
        dialog.Grid.Counts.Add(layer[1]);
        dialog.Grid.LayerUsed.Add(0);
    }
    dialog.Grid.TypeChoices = L"T1\nT2\n";
    dialog.Grid.Results.Add({L"A", L"3", L"T1", L"1"});
    dialog.Grid.MarkUsedLayers();
    ActiveLotDialog = &dialog;

    int stepsDone = 0;
    std::string failure;
    dialog.script = [&](ScriptedLotDialog& d) {
        MyCug& grid = d.Grid;
        LotGridDriver drive(grid);
        std::mt19937 random(kSeed);
        auto below = [&random](int n) { return static_cast<int>(random() % n); };
        for (int step = 0; step < kSteps && failure.empty(); ++step) {
            // Keys go where the focus is, which stays inside the grid: the
            // dialog's own buttons are pressed only by the Delete Row step.
            HWND focus = ::GetFocus();
            if (!focus || !::IsChild(grid.GetSafeHwnd(), focus)) {
                grid.GetCellArea()->SetFocus();
                focus = ::GetFocus();
            }
            const long rows = grid.GetRowCount();
            switch (below(8)) {
            case 0:
            case 1:
                drive.Click(below(4), below(static_cast<int>(rows)));
                break;
            case 2:
                // A choice in a Layer list, opened for it unless one is open.
                if (!drive.List())
                    drive.Click(0, below(static_cast<int>(rows)));
                if (HWND list = drive.List()) {
                    const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
                    drive.ChooseItem(count > 0 ? below(count) : 0);
                }
                break;
            case 3: {
                // Digits, mostly into a Numbering editor opened for them.
                if (below(4) && focus != grid.NumberEdit.GetSafeHwnd()) {
                    drive.Click(3, below(static_cast<int>(rows)));
                    focus = ::GetFocus();
                }
                const int digits = 1 + below(3);
                for (int i = 0; i < digits; ++i)
                    ::SendMessageW(focus, WM_CHAR, L'0' + below(10), 1);
                if (below(2))
                    ::SendMessageW(focus, WM_KEYDOWN, VK_RETURN, 1);
                break;
            }
            case 4:
                if (::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_DELETE_ROW)))
                    d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DELETE_ROW, BN_CLICKED),
                                  reinterpret_cast<LPARAM>(::GetDlgItem(d.m_hWnd, IDC_DELETE_ROW)));
                break;
            case 5:
                ::SendMessageW(focus, WM_KEYDOWN, VK_RETURN, 1);
                break;
            case 6:
                ::SendMessageW(focus, WM_KEYDOWN, VK_TAB, 1);
                break;
            default:
                ::SendMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 1);
                break;
            }
            // Now and then let the grid's timer come.
            if (step % 250 == 249)
                PumpMessagesFor(120);
            if (!::IsWindow(d.m_hWnd))
                failure = "the dialog went away";
            else
                failure = CheckTable(grid);
            stepsDone = step + 1;
        }
        d.EndDialog(IDABORT);
    };
    EXPECT_EQ(dialog.DoModal(), IDABORT);
    ActiveLotDialog = nullptr;
    EXPECT_EQ(failure, "") << "seed " << kSeed << ", after step " << stepsDone;
    EXPECT_EQ(stepsDone, kSteps) << "seed " << kSeed;
    EXPECT_GT(dialog.confirmationsAsked, 0) << "Escape reached the cancel question";
    EXPECT_GT(call.Alerts().size(), 0u) << "refused numbers were among the steps";
}
