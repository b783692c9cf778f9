#pragma once

#include "CDataExchange.h"
#include "CWnd.h"

class CFont;

// A modal dialog from a template of the current resource module (or of an
// extension module in the resource chain). The dialog window is attached
// from its first message, so WM_SETFONT and WM_INITDIALOG reach OnSetFont and
// OnInitDialog; OK and Cancel commands reach OnOK and OnCancel.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // The EndDialog value, or -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    void EndDialog(int result);

    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    // Dialog units of this dialog's font to pixels.
    void MapDialogRect(LPRECT rect) const;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    // The parent's handle as it was at construction: a parent object that
    // is a temporary one may be gone by the time the dialog runs.
    HWND m_parentHandle;

protected:

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // The font the dialog manager gives the dialog, before its controls are
    // created.
    virtual void OnSetFont(CFont* font);
    virtual void DoDataExchange(CDataExchange* dx);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
};
