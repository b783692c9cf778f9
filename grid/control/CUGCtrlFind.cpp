#include "CUGCtrl.h"

#include "CFindReplaceDialog.h"
#include "CString.h"
#include "CUGDataSource.h"
#include "CUGMem.h"

#include <windows.h>

#include <cwchar>

namespace {

// The common dialog's whole-word option means the whole cell here. Its
// label's capitals differ between systems ("Match &whole word only",
// "Match &Whole Word Only"), so the label is compared in lower case.
BOOL CALLBACK RelabelWholeWord(HWND child, LPARAM)
{
    wchar_t text[128] = {};
    ::GetWindowTextW(child, text, 128);
    ::CharLowerW(text);
    if (std::wcsstr(text, L"&whole word")) {
        ::SetWindowTextW(child, L"Match &entire cell text");
        return FALSE;
    }
    return TRUE;
}

}  // namespace

int CUGCtrl::OpenFindDialog(BOOL findOnly)
{
    if (m_findDialogOpen)
        return 1;
    m_findDialog = CFindReplaceDialog::Open(findOnly, L"", L"", FR_DOWN, this);
    if (!m_findDialog)
        return 3;
    m_findDialogOpen = 1;
    ::EnumChildWindows(m_findDialog->m_hWnd, RelabelWholeWord, 0);
    return 0;
}

int CUGCtrl::FindDialog()
{
    return OpenFindDialog(TRUE);
}

int CUGCtrl::ReplaceDialog()
{
    return OpenFindDialog(FALSE);
}

int CUGCtrl::SetFindAllColumns(int flag)
{
    m_findAllColumns = flag != 0;
    return 0;
}

int CUGCtrl::FindFirstInDataSource(CString* text, int* col, long* row, int flags)
{
    int dataCol = *col;
    CUGDataSource* source = DataSourceOf(*col, &dataCol);
    if (!source)
        return 1;
    *col = dataCol;
    return source->FindFirst(text, col, row, flags);
}

int CUGCtrl::FindInDataSource(CString* text, int* col, long* row, int flags)
{
    int dataCol = *col;
    CUGDataSource* source = DataSourceOf(*col, &dataCol);
    if (!source)
        return 1;
    *col = dataCol;
    return source->FindNext(text, col, row, flags);
}

LRESULT CUGCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CFindReplaceDialog::FindReplaceMessage())
        return HandleFindMessage();
    return CWnd::WindowProc(message, wParam, lParam);
}

void CUGCtrl::ReplaceCurrentText(const CString& replacement)
{
    const int col = GridInfo->CurrentCol;
    const long row = GridInfo->CurrentRow;
    CUGCell cell;
    GetCellRaw(col, row, &cell);
    cell.SetText(replacement.GetString());
    SetCell(col, row, &cell);
    RedrawCell(col, row);
}

// Replace all refuses a replacement that the search would find again, so
// that it cannot run on over its own results.
int CUGCtrl::HandleFindMessage()
{
    CFindReplaceDialog* dialog = m_findDialog;
    if (!dialog || !::IsWindow(dialog->m_hWnd))
        return 0;
    if (dialog->IsTerminating()) {
        m_findDialogOpen = 0;
        m_findDialog = nullptr;
        return 1;
    }
    int col = GridInfo->CurrentCol;
    long row = GridInfo->CurrentRow;
    CString findText = dialog->GetFindString();
    const CString replacement = dialog->GetReplaceString();
    int flags = 0;
    if (!dialog->MatchWholeWord())
        flags |= CUGMem::FindPartial;
    if (!dialog->MatchCase())
        flags |= CUGMem::FindIgnoreCase;
    if (!dialog->SearchDown())
        flags |= CUGMem::FindBackward;
    if (m_findAllColumns)
        flags |= CUGMem::FindAcrossColumns;

    if (dialog->ReplaceCurrent())
        ReplaceCurrentText(replacement);

    if (dialog->ReplaceAll()) {
        if (replacement == findText)
            return 0;
        if ((flags & CUGMem::FindPartial)
            && std::wcsstr(replacement.GetString(), findText.GetString()))
            return 0;
        // The search wraps around the sheet: coming back to the first hit
        // means a replaced text still matches (case-insensitive search) or
        // a hit could not be made current, and the pass is over.
        int replaced = 0;
        int firstCol = -1;
        long firstRow = -1;
        while (FindInDataSource(&findText, &col, &row, flags) == 0) {
            if (col == firstCol && row == firstRow)
                break;
            if (replaced == 0) {
                firstCol = col;
                firstRow = row;
            }
            GotoCell(col, row);
            if (GridInfo->CurrentCol == col && GridInfo->CurrentRow == row)
                ReplaceCurrentText(replacement);
            ++replaced;
        }
        if (replaced > 0)
            return 0;
        col = GridInfo->CurrentCol;
        row = GridInfo->CurrentRow;
    }

    if (FindInDataSource(&findText, &col, &row, flags) != 0) {
        ::MessageBoxW(m_hWnd, L"Item not found", L"Not Found", MB_OK);
        if (m_findDialog && ::IsWindow(m_findDialog->m_hWnd))
            ::SetFocus(m_findDialog->m_hWnd);
        return 0;
    }
    GotoCell(col, row);
    return 0;
}
