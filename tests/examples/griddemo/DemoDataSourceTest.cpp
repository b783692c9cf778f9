#include "CUGCtrl.h"
#include "CUGMem.h"
#include "DemoDataSource.h"
#include "Fuzz.h"

#include <gtest/gtest.h>

#include <string>

// The demo's source searches the texts it computes and the ones stored over
// them as a memory source holding every text would: the same hit or miss,
// from any start, with any flags. Stored texts include empty ones and cells
// that a cut left without any text.
TEST(DemoDataSource, FindsWhatAMemorySourceOfTheShownTextsFinds)
{
    constexpr int kCols = 4;
    constexpr long kRows = 30;
    CUGCtrl ctrl;
    ctrl.SetColumnCount(kCols);
    ctrl.SetRowCount(kRows);
    DemoDataSource demo;
    CUGMem shown;
    demo.SetOwner(&ctrl);
    shown.SetOwner(&ctrl);
    CUGCell cell;
    for (int col = 0; col < kCols; ++col) {
        for (long row = 0; row < kRows; ++row) {
            cell.ClearAll();
            demo.GetCell(col, row, &cell);
            EXPECT_EQ(std::wstring(cell.GetText()),
                      DemoDataSource::ColumnLetters(col) + std::to_wstring(row + 1));
            shown.SetCell(col, row, &cell);
        }
    }

    const wchar_t* const texts[] = {L"A1", L"a1", L"b2", L"1", L"C", L"D30", L"x", L"Ax", L""};
    FuzzRandom random(20240611);
    for (int step = 0; step < 3000; ++step) {
        const int col = static_cast<int>(random.Below(kCols));
        const long row = static_cast<long>(random.Below(kRows));
        if (random.OneIn(4)) {
            cell.ClearAll();
            if (!random.OneIn(4))
                cell.SetText(random.Pick(texts));
            demo.SetCell(col, row, &cell);
            shown.SetCell(col, row, &cell);
            continue;
        }
        const int flags = static_cast<int>(random.Below(16));
        const bool first = random.OneIn(3);
        CString demoText = random.Pick(texts), shownText = demoText;
        int demoCol = col, shownCol = col;
        long demoRow = row - static_cast<long>(random.OneIn(5)), shownRow = demoRow;
        const int demoFound = first ? demo.FindFirst(&demoText, &demoCol, &demoRow, flags)
                                    : demo.FindNext(&demoText, &demoCol, &demoRow, flags);
        const int shownFound = first ? shown.FindFirst(&shownText, &shownCol, &shownRow, flags)
                                     : shown.FindNext(&shownText, &shownCol, &shownRow, flags);
        ASSERT_EQ(demoFound, shownFound) << "step " << step;
        ASSERT_EQ(demoText, shownText) << "step " << step;
        if (shownFound == 0) {
            ASSERT_EQ(demoCol, shownCol) << "step " << step;
            ASSERT_EQ(demoRow, shownRow) << "step " << step;
        }
    }
}
