#include "CFindReplaceDialog.h"
#include "MessageLog.h"

#include <gtest/gtest.h>

#include <dlgs.h>

namespace {

// A window that receives the find dialog's registered message and logs what
// the dialog asked for.
class FindOwner : public CWnd {
public:
    MessageLog log;
    CFindReplaceDialog* dialog = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == CFindReplaceDialog::FindReplaceMessage()) {
            CFindReplaceDialog* notifier = CFindReplaceDialog::GetNotifier(lParam);
            std::string line = notifier == dialog ? "dialog" : "stranger";
            if (notifier->IsTerminating())
                line += " terminating";
            if (notifier->FindNext()) {
                CString what = notifier->GetFindString();
                line += " find " + std::string(what.str().begin(), what.str().end());
                line += notifier->SearchDown() ? " down" : " up";
            }
            if (notifier->ReplaceAll())
                line += " replace-all";
            log.Add(line);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

} // namespace

TEST(CFindReplaceDialog, ActionsReachTheOwnerAsTheRegisteredMessageUntilItCloses)
{
    FindOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100,
                               nullptr, nullptr));
    owner.dialog = CFindReplaceDialog::Open(FALSE, L"lot", L"plot", FR_DOWN, &owner);
    ASSERT_NE(owner.dialog, nullptr);
    HWND window = owner.dialog->m_hWnd;
    EXPECT_TRUE(::IsWindow(window));

    // "Find Next", then "Replace All", then "Cancel", as a person would.
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, IDOK)));
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(psh2, BN_CLICKED),   // Replace All
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, psh2)));
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, IDCANCEL)));
    PumpMessagesFor(50);

    EXPECT_EQ(owner.log.Lines(), std::vector<std::string>({"dialog find lot down",
                                                           "dialog replace-all",
                                                           "dialog terminating"}));
    EXPECT_FALSE(::IsWindow(window)) << "the dialog window is gone, its object with it";
    owner.DestroyWindow();
}
