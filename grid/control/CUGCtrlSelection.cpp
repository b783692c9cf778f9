#include "CUGCtrl.h"

#include "CString.h"
#include "CUGBlockSelection.h"
#include "CUGCell.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// The clipboard stays open only while one of these lives, so that every
// path out of a read or a write closes it again.
class OpenedClipboard {
public:
    explicit OpenedClipboard(CWnd& owner) : m_open(owner.OpenClipboard() != FALSE) {}
    ~OpenedClipboard()
    {
        if (m_open)
            ::CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool IsOpen() const { return m_open; }

private:
    bool m_open;
};

// Copies `size` bytes into new movable global memory for SetClipboardData;
// null when the memory cannot be had. The clipboard owns the block once
// SetClipboardData accepted it, so only a refused block is freed here.
bool PutOnClipboard(UINT format, const void* bytes, size_t size)
{
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!memory)
        return false;
    void* target = ::GlobalLock(memory);
    if (!target) {
        ::GlobalFree(memory);
        return false;
    }
    std::memcpy(target, bytes, size);
    ::GlobalUnlock(memory);
    if (!::SetClipboardData(format, memory)) {
        ::GlobalFree(memory);
        return false;
    }
    return true;
}

// The text of a clipboard format as a wide string; false when the format
// is not there or cannot be read.
bool ReadFormat(UINT format, std::wstring& out)
{
    HANDLE data = ::GetClipboardData(format);
    if (!data)
        return false;
    const void* locked = ::GlobalLock(data);
    if (!locked)
        return false;
    // The block may be larger than its text and is not trusted to hold a
    // terminating zero: the scan stops at the block's end.
    const size_t size = ::GlobalSize(data);
    if (format == CF_UNICODETEXT) {
        const wchar_t* text = static_cast<const wchar_t*>(locked);
        const size_t max = size / sizeof(wchar_t);
        size_t length = 0;
        while (length < max && text[length])
            ++length;
        out.assign(text, length);
    } else {
        const char* text = static_cast<const char*>(locked);
        size_t length = 0;
        while (length < size && text[length])
            ++length;
        out.clear();
        if (length > 0) {
            const int wide = ::MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length),
                                                   nullptr, 0);
            out.resize(static_cast<size_t>(std::max(wide, 0)));
            if (wide > 0)
                ::MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), &out[0], wide);
        }
    }
    ::GlobalUnlock(data);
    return true;
}

bool IsSeparator(wchar_t ch)
{
    return ch == L'\t' || ch == L'\n' || ch == L'\r';
}

}  // namespace

// --- Selection setters -------------------------------------------------------------

int CUGCtrl::ClearSelection()
{
    GridInfo->MultiSelect->ClearAll();
    GridInfo->DragCol = GridInfo->CurrentCol;
    GridInfo->DragRow = GridInfo->CurrentRow;
    return 0;
}

int CUGCtrl::SelectCell(int col, long row)
{
    GridInfo->MultiSelect->StartBlock(col, row);
    GridInfo->MultiSelect->ExtendBlock(col, row);
    RedrawCell(col, row);
    return 0;
}

// The drag cell follows the range's far corner even when selection is off,
// so that a later Shift move extends from there. It stays on the sheet: the
// next commit makes it the current cell.
int CUGCtrl::SelectRange(int startCol, long startRow, int endCol, long endRow)
{
    if (GridInfo->MultiSelectMode & 3) {
        GridInfo->MultiSelect->StartBlock(startCol, startRow);
        GridInfo->MultiSelect->ExtendBlock(endCol, endRow);
    }
    GridInfo->DragCol = std::min(std::max(endCol, 0), GridInfo->ColumnCount - 1);
    GridInfo->DragRow = static_cast<int>(std::min<long>(std::max(endRow, 0L), GridInfo->RowCount - 1));
    RedrawRange(startCol, startRow, endCol, endRow);
    return 0;
}

int CUGCtrl::EnableSelection(int mode)
{
    GridInfo->MultiSelectMode = mode;
    const int selectionMode = mode == 0 ? 0
                              : GridInfo->RowSelection ? CUGBlockSelection::ModeRows
                                                       : CUGBlockSelection::ModeCells;
    GridInfo->MultiSelect->SetMode(selectionMode);
    return 0;
}

int CUGCtrl::SetRowSelection(int flag)
{
    GridInfo->RowSelection = flag ? 1 : 0;
    int mode = GridInfo->MultiSelect->GetMode();
    if (flag)
        mode = (mode | CUGBlockSelection::ModeRows) & ~CUGBlockSelection::ModeCells;
    else
        mode = (mode | CUGBlockSelection::ModeCells) & ~CUGBlockSelection::ModeRows;
    GridInfo->MultiSelect->SetMode(mode);
    return 0;
}

int CUGCtrl::UnjoinCells(int col, long row)
{
    int startCol = col, endCol = col;
    long startRow = row, endRow = row;
    if (GetJoinRange(startCol, startRow, endCol, endRow) != 0)
        return 0;
    CUGCell cell;
    for (long r = startRow; r <= endRow; ++r) {
        for (int c = startCol; c <= endCol; ++c) {
            if (GetCellRaw(c, r, &cell) != 0)
                continue;
            cell.ClearProperty(CUGCell::PropJoinInfo);
            SetCell(c, r, &cell);
        }
    }
    RedrawRange(startCol, startRow, endCol, endRow);
    return 0;
}

// --- Copy and cut --------------------------------------------------------------------

int CUGCtrl::CopySelection(int cut)
{
    CString text;
    BuildSelectionText(text, cut);
    const int result = WriteClipboardText(text);
    if (result == 0) {
        ClearSelection();
        RedrawAll();
    }
    return result;
}

// Fields are separated by one TAB and rows by one LF, with nothing after
// the last field and no quoting: a row ends where the enumeration reaches a
// cell of another row.
void CUGCtrl::BuildSelectionText(CString& out, int cut)
{
    std::wstring text;
    CUGBlockSelection* selection = GridInfo->MultiSelect.get();
    int col = 0;
    long row = 0;
    if (selection->EnumFirstSelected(&col, &row) != 0) {
        out = L"";
        return;
    }
    CUGCell cell;
    for (;;) {
        GetCell(col, row, &cell);
        if (const wchar_t* cellText = cell.GetText())
            text += cellText;
        if (cut) {
            cell.ClearAll();
            SetCell(col, row, &cell);
        }
        const long previousRow = row;
        if (selection->EnumNextSelected(&col, &row) != 0)
            break;
        text += row == previousRow ? L'\t' : L'\n';
    }
    out = CString(text);
}

// The ANSI form keeps the platform's conversion of characters outside the
// code page; the Unicode form beside it keeps them for readers that ask.
int CUGCtrl::WriteClipboardText(const CString& text)
{
    OpenedClipboard clipboard(*this);
    if (!clipboard.IsOpen())
        return 1;
    ::EmptyClipboard();

    const int wideLength = text.GetLength();
    const int ansiLength = wideLength == 0 ? 0
                                           : ::WideCharToMultiByte(CP_ACP, 0, text.GetString(),
                                                                   wideLength, nullptr, 0,
                                                                   nullptr, nullptr);
    std::string ansi(static_cast<size_t>(ansiLength) + 1, '\0');
    if (ansiLength > 0)
        ::WideCharToMultiByte(CP_ACP, 0, text.GetString(), wideLength, &ansi[0], ansiLength,
                              nullptr, nullptr);
    if (!PutOnClipboard(CF_TEXT, ansi.data(), ansi.size()))
        return 0;
    PutOnClipboard(CF_UNICODETEXT, text.GetString(),
                   (static_cast<size_t>(wideLength) + 1) * sizeof(wchar_t));
    return 0;
}

// --- Paste ---------------------------------------------------------------------------

int CUGCtrl::Paste()
{
    CString text;
    if (ReadClipboardText(text) != 0)
        return 1;
    PasteText(text);
    return 0;
}

int CUGCtrl::ReadClipboardText(CString& out)
{
    OpenedClipboard clipboard(*this);
    if (!clipboard.IsOpen())
        return 1;
    std::wstring text;
    if (!ReadFormat(CF_UNICODETEXT, text) && !ReadFormat(CF_TEXT, text))
        return 1;
    out = CString(text);
    return 0;
}

// Fields go into the cells from the current cell on, TAB to the next
// column and CR, LF or CR LF to the start column of the next row. Fields
// past the sheet's last column or row are dropped, and the range selected
// afterwards is the part that was written.
int CUGCtrl::PasteText(CString& text)
{
    const int c0 = std::max(GridInfo->CurrentCol, 0);
    const long r0 = std::max(GridInfo->CurrentRow, 0);
    const int colCount = GridInfo->ColumnCount;
    const long rowCount = GridInfo->RowCount;
    const wchar_t* chars = text.GetString();
    const int length = text.GetLength();

    int col = c0;
    long row = r0;
    int furthestCol = c0;
    long furthestRow = r0;
    CUGCell cell;
    int pos = 0;
    while (pos < length) {
        int end = pos;
        while (end < length && !IsSeparator(chars[end]))
            ++end;
        if (col < colCount && row < rowCount) {
            GetCellRaw(col, row, &cell);
            cell.SetText(std::wstring(chars + pos, chars + end).c_str());
            SetCell(col, row, &cell);
            if (end > pos) {
                furthestCol = std::max(furthestCol, col);
                furthestRow = std::max(furthestRow, row);
            }
        }
        if (end >= length)
            break;
        if (chars[end] == L'\t') {
            if (col < colCount)
                ++col;
        } else {
            if (chars[end] == L'\r' && end + 1 < length && chars[end + 1] == L'\n')
                ++end;
            col = c0;
            if (row < rowCount)
                ++row;
        }
        pos = end + 1;
    }

    ClearSelection();
    SelectRange(c0, r0, furthestCol, furthestRow);
    RedrawAll();
    return 0;
}
