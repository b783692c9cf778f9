#include "InPlaceEdit.h"

#include "CString.h"
#include "CUGCtrl.h"
#include "CUGDataSource.h"
#include "CWnd.h"

namespace InPlaceEdit {

bool IsGridWindow(const CUGCtrl* ctrl, const CWnd* wnd)
{
    if (!ctrl || !wnd || !wnd->GetSafeHwnd())
        return false;
    HWND hwnd = wnd->GetSafeHwnd();
    return hwnd == ctrl->GetSafeHwnd() || ::GetParent(hwnd) == ctrl->GetSafeHwnd();
}

void ReportFocusLoss(CWnd& edit, CUGCtrl* ctrl, int cancel, int continueEditing, int nextCol,
                     long nextRow)
{
    if (!ctrl)
        return;
    CString text;
    edit.GetWindowText(text);
    if (ctrl->FinishEdit(text, cancel, continueEditing, nextCol, nextRow))
        return;
    ctrl->GotoCell(ctrl->GetEditCol(), ctrl->GetEditRow());
    // Taking the capture and letting it go at once ends whatever mouse
    // action took the focus away (a press on another cell, a drag).
    edit.SetCapture();
    ::ReleaseCapture();
    edit.SetFocus();
}

UINT DialogCode(UINT defaultCode)
{
    if (::GetKeyState(VK_TAB) < 0)
        return DLGC_WANTTAB;
    if (::GetKeyState(VK_RETURN) < 0 || ::GetKeyState(VK_ESCAPE) < 0)
        return DLGC_WANTALLKEYS;
    return defaultCode;
}

bool OfferCharacter(CWnd& edit, CUGCtrl* ctrl, bool askSource, UINT& character)
{
    if (ctrl) {
        const int col = ctrl->GetEditCol();
        const long row = ctrl->GetEditRow();
        CUGDataSource* source = ctrl->GridInfo ? ctrl->GridInfo->DataSource : nullptr;
        if (askSource && source && source->AskEditKey(col, row, &edit, &character) == 0)
            return false;
        if (ctrl->AskEditKey(col, row, &edit, &character) == 0)
            return false;
    }
    return character != VK_TAB && character != VK_RETURN && character != VK_ESCAPE;
}

}  // namespace InPlaceEdit
