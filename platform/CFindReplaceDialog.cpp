#include "CFindReplaceDialog.h"

#include <commdlg.h>

#include <memory>

CFindReplaceDialog::CFindReplaceDialog() : CDialog(0)
{
    m_fr.lStructSize = sizeof(m_fr);
    m_fr.lpstrFindWhat = m_szFindWhat;
    m_fr.wFindWhatLen = kTextLength;
    m_fr.lpstrReplaceWith = m_szReplaceWith;
    m_fr.wReplaceWithLen = kTextLength;
    m_fr.lCustData = reinterpret_cast<LPARAM>(this);
}

UINT CFindReplaceDialog::FindReplaceMessage()
{
    static const UINT message = RegisterWindowMessageW(FINDMSGSTRINGW);
    return message;
}

CFindReplaceDialog* CFindReplaceDialog::Open(BOOL findDialogOnly, LPCWSTR findWhat,
                                             LPCWSTR replaceWith, DWORD flags, CWnd* parent)
{
    std::unique_ptr<CFindReplaceDialog> dialog(new CFindReplaceDialog());
    if (findWhat)
        lstrcpynW(dialog->m_szFindWhat, findWhat, kTextLength);
    if (replaceWith)
        lstrcpynW(dialog->m_szReplaceWith, replaceWith, kTextLength);
    dialog->m_fr.Flags = flags;
    dialog->m_fr.hwndOwner = AfxHwndOf(parent);
    dialog->m_pParentWnd = parent;

    HookWindowCreate(dialog.get(), L"#32770");
    HWND hwnd = findDialogOnly ? FindTextW(&dialog->m_fr) : ReplaceTextW(&dialog->m_fr);
    UnhookWindowCreate();
    if (!hwnd || dialog->m_hWnd != hwnd)
        return nullptr;
    // From here on the window owns the object (PostNcDestroy).
    return dialog.release();
}

CFindReplaceDialog* CFindReplaceDialog::GetNotifier(LPARAM lParam)
{
    auto* fr = reinterpret_cast<FINDREPLACEW*>(lParam);
    return fr ? reinterpret_cast<CFindReplaceDialog*>(fr->lCustData) : nullptr;
}

// The common dialog sets itself up in its own procedure.
BOOL CFindReplaceDialog::OnInitDialog()
{
    UnhookWindowCreate();
    return static_cast<BOOL>(Default());
}

// Its buttons are the common dialog's to handle, not OK and Cancel of a
// modal dialog.
BOOL CFindReplaceDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    return CWnd::OnCommand(wParam, lParam);
}

void CFindReplaceDialog::PostNcDestroy()
{
    delete this;
}
