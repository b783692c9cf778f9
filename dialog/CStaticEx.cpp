#include "CStaticEx.h"

void CStaticEx::ShowMessage(int duration, UINT period, CString text)
{
    SetWindowText(text);
    BlinkDimmed = 1;
    SetTimer(BlinkTimer, period);
    if (duration >= 1)
        SetTimer(ExpiryTimer, static_cast<UINT>(duration));
}

void CStaticEx::ClearMessage()
{
    KillTimer(ExpiryTimer);
    KillTimer(BlinkTimer);
    EnableWindow(TRUE);
    SetWindowText(L"");
}

void CStaticEx::OnTimer(UINT_PTR id)
{
    if (id == BlinkTimer) {
        // The dialog draws statics red and the system draws a disabled one
        // grey, so toggling the enabled state is the blink.
        if (BlinkDimmed == 1) {
            EnableWindow(TRUE);
            BlinkDimmed = 0;
            SoundBeep(100, 100);
        } else {
            EnableWindow(FALSE);
            BlinkDimmed = 1;
        }
    } else if (id == ExpiryTimer) {
        ClearMessage();
    }
    Default();
}

void CStaticEx::SoundBeep(DWORD frequency, DWORD duration)
{
    ::Beep(frequency, duration);
}
