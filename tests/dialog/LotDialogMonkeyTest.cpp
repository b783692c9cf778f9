#include "LotGridDriver.h"
#include "MessageLog.h"
#include "ScriptedHostCall.h"
#include "ScriptedLotDialog.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <random>

// Random presses, choices, digits, Delete Row, Enter, Tab and Escape on a
// running lot table dialog.
TEST(LotDialogMonkey, TenThousandRandomStepsKeepTheTableConsistent)
{
    constexpr unsigned kSeed = 20261207;
    constexpr int kSteps = 10000;
    ScriptedHostCall call;
    ScriptedLotDialog dialog;
    dialog.confirmation = IDCANCEL;
    int stepsDone = 0;
    std::string failure;
    auto script = [&](ScriptedLotDialog& d) {
        MyCug& grid = d.Grid;
        LotGridDriver drive(grid);
        std::mt19937 random(kSeed);
        auto below = [&random](long n) { return static_cast<int>(random() % n); };
        for (int step = 0; step < kSteps && failure.empty(); ++step) {
            // Keys go where the focus is, which stays inside the grid: the
            // dialog's own buttons are pressed only by the Delete Row step.
            HWND focus = ::GetFocus();
            if (!focus || !::IsChild(grid.GetSafeHwnd(), focus)) {
                grid.GetCellArea()->SetFocus();
                focus = ::GetFocus();
            }
            const long rows = grid.GetRowCount();
            const int choice = below(8);
            switch (choice) {
            case 0:
            case 1:
                drive.Click(below(4), below(rows));
                break;
            case 2:
                // A choice in a Layer list, opened for it unless one is open.
                if (!drive.List())
                    drive.Click(0, below(rows));
                if (HWND list = drive.List()) {
                    const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
                    drive.ChooseItem(count > 0 ? below(count) : 0);
                }
                break;
            case 3:
                // Digits, mostly into a Numbering editor opened for them.
                if (below(4) && focus != grid.NumberEdit.GetSafeHwnd()) {
                    drive.Click(3, below(rows));
                    focus = ::GetFocus();
                }
                for (int i = 0, digits = 1 + below(3); i < digits; ++i)
                    ::SendMessageW(focus, WM_CHAR, L'0' + below(10), 1);
                if (below(2))
                    ::SendMessageW(focus, WM_KEYDOWN, VK_RETURN, 1);
                break;
            case 4:
                if (::IsWindowEnabled(::GetDlgItem(d.m_hWnd, IDC_DELETE_ROW)))
                    d.Click(IDC_DELETE_ROW);
                break;
            default: {
                const UINT keys[] = {VK_RETURN, VK_TAB, VK_ESCAPE};
                ::SendMessageW(focus, WM_KEYDOWN, keys[choice - 5], 1);
            }
            }
            // Now and then let the grid's timer come.
            if (step % 250 == 249)
                PumpMessagesFor(120);
            failure = ::IsWindow(d.m_hWnd) ? LotTableFaults(grid) : "the dialog went away";
            stepsDone = step + 1;
        }
        d.EndDialog(IDABORT);
    };
    EXPECT_EQ(dialog.Run({{L"A", L"3"}, {L"B", L"4"}, {L"C", L"2"}, {L"D", L"6"}, {L"E", L"1"}},
                         {{L"A", L"3", L"T1", L"1"}}, script), IDABORT);
    EXPECT_EQ(failure, "") << "seed " << kSeed << ", after step " << stepsDone;
    EXPECT_EQ(stepsDone, kSteps) << "seed " << kSeed;
    EXPECT_GT(dialog.cancellingWhenAsked.size(), 0u) << "Escape reached the cancel question";
    EXPECT_GT(call.Alerts().size(), 0u) << "refused numbers were among the steps";
}
