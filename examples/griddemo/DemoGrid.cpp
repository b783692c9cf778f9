#include "DemoGrid.h"

#include "CUGTab.h"

#include <cstdio>
#include <string>

namespace {

// The control registers its drop-list, check-box and arrow types after
// the normal type, in this order.
constexpr int kDropListType = 1;
constexpr int kCheckBoxType = 2;
constexpr int kArrowType = 3;
constexpr wchar_t kFruit[] = L"Apple\nBanana\nCherry\nDate\n";
constexpr UINT kNumberEditId = 124;

std::wstring CellName(int col, long row)
{
    return DemoDataSource::ColumnLetters(col) + std::to_wstring(row + 1);
}

}  // namespace

void DemoGrid::NotifySetup()
{
    m_sourceIndex = AddDataSource(&m_source);
    // Find and replace look through every column, as in a spreadsheet.
    SetFindAllColumns(1);
    // The dialog font of the desktop, not the system's bold one.
    m_fontIndex = AddFontSimple(L"MS Shell Dlg", -11, FW_NORMAL);
    m_numberEdit.Create(WS_CHILD, RECT{0, 0, 0, 0}, this, kNumberEditId);
    if (m_sheets <= 1)
        return;
    SetSheetCount(m_sheets);
    for (int sheet = 0; sheet < m_sheets; ++sheet)
        GetTabs()->AddTab((L"Sheet" + std::to_wstring(sheet + 1)).c_str(), sheet);
}

void DemoGrid::NotifySheetSetup(int)
{
    SetDefaultDataSource(m_sourceIndex);
    SetDefaultFont(m_fontIndex);
    SetColumnCount(m_columns, FALSE);
    SetRowCount(m_rows, FALSE);
    SetRowHeadingWidth(m_rows >= 100000 ? 64 : 48);
    SetLockedColumns(m_lockedColumns);
    SetLockedRows(m_lockedRows);
    EnableColumnSwapping(1);
    EnableSelection(1);
    SetUpSpecialColumns();
    if (m_sheets > 1)
        SetTabWidth(200);
    AdjustComponentSizes();
}

// The texts stay the computed ones until the user edits them; only what the
// editors accept is special.
void DemoGrid::SetUpSpecialColumns()
{
    CUGCell cell;
    if (m_columns > kNumberColumn) {
        GetColumnDefault(kNumberColumn, &cell);
        cell.SetMask(L"999999");
        SetColumnDefault(kNumberColumn, &cell);
    }
    if (m_columns > kChoiceColumn) {
        GetColumnDefault(kChoiceColumn, &cell);
        cell.SetCellType(kDropListType);
        cell.SetLabel(kFruit);
        SetColumnDefault(kChoiceColumn, &cell);
    }
    if (m_columns > kCheckColumn) {
        GetColumnDefault(kCheckColumn, &cell);
        cell.SetCellType(kCheckBoxType);
        SetColumnDefault(kCheckColumn, &cell);
        // A box shows its label, so the column keeps showing the cells' names.
        m_source.SetNamedLabelColumn(kCheckColumn);
    }
    if (m_columns > kArrowColumn) {
        GetColumnDefault(kArrowColumn, &cell);
        cell.SetCellType(kArrowType);
        cell.SetCellTypeEx(CUGArrowType::StyleRight);
        SetColumnDefault(kArrowColumn, &cell);
    }
}

void DemoGrid::NotifySheetTabSelected(int tabId)
{
    SetSheetNumber(tabId);
    std::printf("sheet %d\n", tabId + 1);
    std::fflush(stdout);
}

void DemoGrid::NotifyCurrentCellChanged(int, int newCol, long, long newRow)
{
    std::printf("current cell %ls%ld\n", DemoDataSource::ColumnLetters(newCol).c_str(),
                newRow + 1);
    std::fflush(stdout);
}

void DemoGrid::NotifyTopRowChanged(long, long newRow)
{
    std::printf("top row %ld\n", newRow + 1);
    std::fflush(stdout);
}

void DemoGrid::NotifyColumnResized(int col, int* width)
{
    std::printf("column %ls width %d\n", DemoDataSource::ColumnLetters(col).c_str(), *width);
    std::fflush(stdout);
}

void DemoGrid::NotifyCellStoring(int col, long row, CUGCell* cell)
{
    // A cut stores its cells without any text at all.
    const wchar_t* text = cell->GetText();
    std::printf("stored %ls %ls\n", CellName(col, row).c_str(), text ? text : L"");
    std::fflush(stdout);
}

// A character that no cell type took starts the edit of the current cell
// with it, as in a spreadsheet.
void DemoGrid::NotifyCharacter(UINT* key, int handled)
{
    if (!handled && *key >= L' ' && *key != 127)
        StartEdit(GetCurrentCol(), GetCurrentRow(), static_cast<int>(*key));
}

void DemoGrid::NotifyKeyDown(UINT* key, int)
{
    if (*key == VK_F2) {
        StartEditCurrent();
        return;
    }
    if (::GetKeyState(VK_CONTROL) >= 0)
        return;
    int result = -1;
    const char* what = nullptr;
    switch (*key) {
    case 'C': result = Copy(), what = "copy"; break;
    case 'X': result = Cut(), what = "cut"; break;
    case 'V': result = Paste(), what = "paste"; break;
    case 'F': result = FindDialog(), what = "find"; break;
    case 'H': result = ReplaceDialog(), what = "replace"; break;
    default: return;
    }
    std::printf("%s %d\n", what, result);
    std::fflush(stdout);
}

int DemoGrid::NotifyCellTypeEvent(long typeIndex, int col, long row, long message, LONG_PTR param)
{
    if (message == CUGCheckBoxType::CheckBoxToggled) {
        std::printf("checked %ls %d\n", CellName(col, row).c_str(), static_cast<int>(param));
        std::fflush(stdout);
    }
    return CUGCtrl::NotifyCellTypeEvent(typeIndex, col, row, message, param);
}

void DemoGrid::NotifyCellDoubleClick(int col, long row, RECT*, POINT*, int handled)
{
    if (!handled && col >= 0 && row >= 0)
        StartEdit(col, row, 0);
}

int DemoGrid::AskEditStart(int col, long row, CWnd** edit)
{
    if (col == kNumberColumn && row >= 0 && m_numberEdit.GetSafeHwnd())
        *edit = &m_numberEdit;
    return 1;
}
