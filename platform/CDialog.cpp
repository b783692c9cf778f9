#include "CDialog.h"

#include "AfxResource.h"
#include "CFont.h"

namespace {
// The dialog manager's window class, for templates that name no class.
constexpr wchar_t kDialogClass[] = L"#32770";
}

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_nIDTemplate(templateId), m_pParentWnd(parent), m_parentHandle(AfxHwndOf(parent))
{
}

// Everything is handled in the subclass procedure (WindowProc); the dialog
// procedure only lets the dialog manager do its part.
INT_PTR CALLBACK CDialog::DialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

INT_PTR CDialog::DoModal()
{
    LPCWSTR name = MAKEINTRESOURCEW(m_nIDTemplate);
    HINSTANCE resource = AfxFindResourceHandle(name, MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    HWND parent = m_parentHandle;
    HookWindowCreate(this, kDialogClass);
    INT_PTR result = DialogBoxParamW(resource, name, parent, &CDialog::DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    UnhookWindowCreate();
    return result;
}

void CDialog::EndDialog(int result)
{
    ::EndDialog(m_hWnd, result);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::MapDialogRect(LPRECT rect) const
{
    ::MapDialogRect(m_hWnd, rect);
}

BOOL CDialog::OnInitDialog()
{
    // Later windows of this thread are not the dialog's to attach.
    UnhookWindowCreate();
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::OnSetFont(CFont*)
{
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        // Like MFC, a dialog that OnInitDialog did not move is centred over
        // its owner.
        CRect before, after;
        GetWindowRect(&before);
        BOOL result = OnInitDialog();
        if (m_hWnd) {
            GetWindowRect(&after);
            if (before == after && !(GetStyle() & WS_CHILD))
                CenterWindow();
        }
        return result;
    }
    case WM_SETFONT:
        OnSetFont(CFont::FromHandle(reinterpret_cast<HFONT>(wParam)));
        return Default();
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    // Buttons and the dialog manager's Enter and Esc.
    if (HIWORD(wParam) == BN_CLICKED || lParam == 0) {
        switch (LOWORD(wParam)) {
        case IDOK:
            OnOK();
            return TRUE;
        case IDCANCEL:
            OnCancel();
            return TRUE;
        default:
            break;
        }
    }
    return FALSE;
}
