#include "CFindReplaceDialog.h"
#include "MessageLog.h"

#include <gtest/gtest.h>

#include <dlgs.h>

// "Find Next", then "Replace All", then "Cancel", as a person would: each
// reaches the owner as the registered message from its dialog, the last one
// as the end, and the dialog window goes.
TEST(CFindReplaceDialog, ActionsReachTheOwnerAsTheRegisteredMessageUntilItCloses)
{
    struct FindOwner : CWnd {
        MessageLog log;
        CFindReplaceDialog* dialog = nullptr;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message != CFindReplaceDialog::FindReplaceMessage())
                return CWnd::WindowProc(message, wParam, lParam);
            CFindReplaceDialog* notifier = CFindReplaceDialog::GetNotifier(lParam);
            const std::wstring what = notifier->GetFindString().str();
            log.Add(std::string(notifier == dialog ? "dialog" : "stranger")
                    + (notifier->IsTerminating() ? " terminating" : "")
                    + (notifier->FindNext() ? " find " + std::string(what.begin(), what.end()) : "")
                    + (notifier->FindNext() ? (notifier->SearchDown() ? " down" : " up") : "")
                    + (notifier->ReplaceAll() ? " replace-all" : ""));
            return 0;
        }
    } owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100,
                               nullptr, nullptr));
    owner.dialog = CFindReplaceDialog::Open(FALSE, L"lot", L"plot", FR_DOWN, &owner);
    ASSERT_NE(owner.dialog, nullptr);
    HWND window = owner.dialog->m_hWnd;
    for (int button : {IDOK, psh2 /* Replace All */, IDCANCEL})
        ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(window, button)));
    PumpMessagesFor(50);
    EXPECT_EQ(owner.log.Lines(), std::vector<std::string>({"dialog find lot down",
                                                           "dialog replace-all",
                                                           "dialog terminating"}));
    EXPECT_FALSE(::IsWindow(window)) << "the dialog window is gone, its object with it";
    owner.DestroyWindow();
}
