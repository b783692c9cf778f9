#pragma once

#include <windows.h>

// What the lot grid needs from the dialog it sits in: its buttons, its
// status line and its way out. The dialog implements it and hands itself to
// the grid, so the grid never sees the dialog's class.
class LotDialogHost {
public:
    // The dialog's buttons that the grid enables and disables.
    enum class Button { Ok, Save, Load, DeleteRow };

    virtual void EnableButton(Button button, BOOL enable) = 0;
    // A validation message that blinks in the status line until cleared.
    virtual void ShowStatusMessage(const wchar_t* text) = 0;
    virtual void ClearStatusMessage() = 0;
    // The dialog's cancel confirmation, as its Cancel button asks it.
    virtual void AskToCancel() = 0;
    // Nonzero while the user is leaving the dialog through Cancel.
    virtual int IsCancelling() const = 0;

protected:
    ~LotDialogHost() = default;
};
