#include "DemoDataSource.h"

#include "CString.h"
#include "CUGCell.h"
#include "CUGCtrl.h"

#include <windows.h>

namespace {

void AppendColumnLetters(int col, std::wstring& out)
{
    const size_t start = out.size();
    for (int n = col + 1; n > 0; n = (n - 1) / 26)
        out.insert(out.begin() + static_cast<std::ptrdiff_t>(start),
                   static_cast<wchar_t>(L'A' + (n - 1) % 26));
}

void AppendRowNumber(long row, std::wstring& out)
{
    wchar_t digits[16];
    int count = 0;
    for (unsigned long n = static_cast<unsigned long>(row) + 1; n > 0; n /= 10)
        digits[count++] = static_cast<wchar_t>(L'0' + n % 10);
    while (count > 0)
        out.push_back(digits[--count]);
}

bool TextMatches(std::wstring& shown, const CString& wanted, int flags)
{
    if ((flags & CUGMem::FindIgnoreCase) && !shown.empty())
        CharUpperBuffW(shown.data(), static_cast<DWORD>(shown.size()));
    if (flags & CUGMem::FindPartial)
        return shown.find(wanted.str()) != std::wstring::npos;
    return shown == wanted.str();
}

}  // namespace

std::wstring DemoDataSource::ColumnLetters(int col)
{
    std::wstring letters;
    AppendColumnLetters(col, letters);
    return letters;
}

int DemoDataSource::GetCell(int col, long row, CUGCell* cell)
{
    if (!cell)
        return 1;
    if (m_edits.GetCell(col, row, cell) == 0)
        return 0;
    if (col < -1 || row < -1 || (col < 0 && row < 0))
        return 1;
    std::wstring text;
    if (col >= 0)
        AppendColumnLetters(col, text);
    if (row >= 0)
        AppendRowNumber(row, text);
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

bool DemoDataSource::ShownText(int col, long row, std::wstring& text)
{
    text.clear();
    if (m_edits.GetCell(col, row, &m_scratch) == 0) {
        const wchar_t* stored = m_scratch.GetText();
        if (stored)
            text = stored;
        m_scratch.ClearAll();
        return stored != nullptr;
    }
    AppendColumnLetters(col, text);
    AppendRowNumber(row, text);
    return true;
}

int DemoDataSource::FindFirst(CString* text, int* col, long* row, int flags)
{
    if (!col || !row)
        return 1;
    if (flags & CUGMem::FindAcrossColumns) {
        *col = -1;
        *row = 0;
    } else {
        *row = -1;
    }
    return FindNext(text, col, row, flags);
}

// Steps from the cell after (col, row), wrapping at the sheet's ends, and
// gives up after R + 1 moves into another row, when every cell was seen.
// The texts are made one at a time: a search of a million rows holds one.
int DemoDataSource::FindNext(CString* text, int* col, long* row, int flags)
{
    if (!text || !col || !row || !Owner)
        return 1;
    const long rowCount = Owner->GetRowCount();
    const int colCount = Owner->GetColumnCount();
    if (rowCount <= 0 || colCount <= 0)
        return 1;
    if (flags & CUGMem::FindIgnoreCase)
        text->MakeUpper();

    const bool across = (flags & CUGMem::FindAcrossColumns) != 0;
    const int direction = (flags & CUGMem::FindBackward) ? -1 : 1;
    int c = *col;
    long r = *row;
    long rowsCounted = 0;
    std::wstring shown;
    for (;;) {
        if (across) {
            c += direction;
            if (c < 0 || c > colCount - 1) {
                c = direction < 0 ? colCount - 1 : 0;
                r += direction;
                ++rowsCounted;
            }
        } else {
            r += direction;
            ++rowsCounted;
        }
        if (r > rowCount - 1)
            r = 0;
        else if (r < 0)
            r = rowCount - 1;
        if (rowsCounted > rowCount)
            return 1;
        if (ShownText(c, r, shown) && TextMatches(shown, *text, flags)) {
            *col = c;
            *row = r;
            return 0;
        }
    }
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
