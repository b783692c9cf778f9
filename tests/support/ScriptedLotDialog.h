#pragma once

#include "TabaGrid2.h"

#include <windows.h>

#include <functional>
#include <vector>

// The lot table dialog with a script that runs once the dialog's modal loop
// is running, and a record of the beeps and confirmations it would have
// made.
class ScriptedLotDialog : public TabaGrid2 {
public:
    static constexpr UINT kRunScript = WM_APP + 1;

    std::function<void(ScriptedLotDialog&)> script;
    std::vector<int> confirmationAnswers;   // IDOK / IDCANCEL, in order
    int confirmationsAsked = 0;
    CSize screen{0, 0};                      // {0, 0}: the real screen
    CRect windowBeforeShrink;

    using TabaGrid2::OnCancel;
    void PressCancelWithMouse()
    {
        CancelButton.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        CancelButton.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }

protected:
    BOOL OnInitDialog() override
    {
        BOOL result = TabaGrid2::OnInitDialog();
        PostMessage(kRunScript);
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kRunScript) {
            if (script)
                script(*this);
            return 0;
        }
        return TabaGrid2::WindowProc(message, wParam, lParam);
    }
    CSize GetScreenSize() override
    {
        GetWindowRect(&windowBeforeShrink);
        return screen.cx ? screen : TabaGrid2::GetScreenSize();
    }
    int AskCancelConfirmation() override
    {
        ++confirmationsAsked;
        if (confirmationAnswers.empty())
            return TabaGrid2::AskCancelConfirmation();
        int answer = confirmationAnswers.front();
        confirmationAnswers.erase(confirmationAnswers.begin());
        return answer;
    }
};
