#include "DemoDataSource.h"

#include "CUGCell.h"

std::wstring DemoDataSource::ColumnLetters(int col)
{
    std::wstring letters;
    for (int n = col + 1; n > 0; n = (n - 1) / 26)
        letters.insert(letters.begin(), static_cast<wchar_t>(L'A' + (n - 1) % 26));
    return letters;
}

int DemoDataSource::GetCell(int col, long row, CUGCell* cell)
{
    if (!cell)
        return 1;
    m_edits.GetCell(col, row, cell);
    if (cell->IsPropertySet(CUGCell::PropText))
        return 0;
    if (col < -1 || row < -1 || (col < 0 && row < 0))
        return 1;
    std::wstring text;
    if (row < 0)
        text = ColumnLetters(col);
    else if (col < 0)
        text = std::to_wstring(row + 1);
    else
        text = ColumnLetters(col) + std::to_wstring(row + 1);
    cell->SetText(text.c_str());
    if (col == m_namedLabelColumn && row >= 0)
        cell->SetLabel(text.c_str());
    return 0;
}

int DemoDataSource::SetCell(int col, long row, CUGCell* cell)
{
    return m_edits.SetCell(col, row, cell);
}

int DemoDataSource::DeleteCell(int col, long row)
{
    return m_edits.DeleteCell(col, row);
}

// Every computed cell has text, so the nearest non-empty cell to the left
// is the next column, unless the user emptied it.
int DemoDataSource::GetPrevNonBlankCol(int* col, long row)
{
    if (!col)
        return 1;
    CUGCell cell;
    for (int c = *col - 1; c >= 0; --c) {
        cell.ClearAll();
        GetCell(c, row, &cell);
        if (cell.GetTextLength() > 0) {
            *col = c;
            return 0;
        }
    }
    return 1;
}
