#pragma once

#include "CStatic.h"

// The lot table dialog's status line: a message that blinks (shown, greyed,
// shown again with a short low beep) until it is cleared or its time runs
// out.
class CStaticEx : public CStatic {
public:
    enum TimerId : UINT_PTR { BlinkTimer = 0, ExpiryTimer = 1 };

    CStaticEx() = default;
    ~CStaticEx() override = default;

    // Shows `text` at once and blinks it every `period` ms; a `duration` of
    // at least 1 ms clears it after that time, otherwise it blinks until
    // ClearMessage.
    void ShowMessage(int duration, UINT period, CString text);
    void ClearMessage();

    // 1 when the next blink tick shows the text again, 0 when it greys it.
    int BlinkDimmed = 0;

protected:
    void OnTimer(UINT_PTR id) override;
    // The beep of each re-shown message; the tests listen here.
    virtual void SoundBeep(DWORD frequency, DWORD duration);
};
