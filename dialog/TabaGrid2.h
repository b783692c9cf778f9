#pragma once

#include "CButtonEx.h"
#include "CDialog.h"
#include "CFont.h"
#include "CStaticEx.h"
#include "LotDialogHost.h"
#include "MyCug.h"

// The lot table dialog "Lot area rapid": the lot grid in place of the
// placeholder control, the blinking status line and the buttons OK, Cancel,
// Save, Load and Delete Row. It shrinks itself on screens too small for it,
// asks before it cancels, and closes with OK only when the grid's rows pass
// the final check.
//
// The grid reaches the dialog only through LotDialogHost, which the dialog
// implements: its buttons, its status line and the cancel confirmation.
class TabaGrid2 : public CDialog, public LotDialogHost {
public:
    explicit TabaGrid2(CWnd* parent = nullptr);
    ~TabaGrid2() override = default;

    MyCug Grid;
    CStaticEx Status;
    CButtonEx CancelButton;

    // Asks "Do your really want to cancel dialog?"; on OK the dialog ends
    // with IDCANCEL. The grid (Escape) and the Cancel button call it too.
    void OnCancel() override;

    void EnableDlgItem(int id, BOOL enable);

    // What the grid asks of its dialog.
    void EnableButton(Button button, BOOL enable) override;
    void ShowStatusMessage(const wchar_t* text) override;
    void ClearStatusMessage() override;
    void AskToCancel() override;
    int IsCancelling() const override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnSetFont(CFont* font) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;

    void OnSave();
    void OnLoad();
    void OnDeleteRow();

    // The screen's size in pixels; the tests stand in a small screen here.
    virtual CSize GetScreenSize();
    // The confirmation box; the tests answer it here.
    virtual int AskCancelConfirmation();

private:
    void ShrinkToScreen();
    void ShrinkControl(int id, int addBottom, int addRight);

    // The dialog's font with the face name "Courier".
    CFont m_courierFont;
};

// The running lot table dialog, while LOTDIALOG runs it; null otherwise.
extern TabaGrid2* ActiveLotDialog;
// 1 while the user is leaving the dialog through Cancel, so that the grid
// does not complain about an unfinished entry; 0 otherwise.
extern int DialogCancelling;
