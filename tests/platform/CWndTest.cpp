#include "CWnd.h"
#include "MessageLog.h"

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

// One tool over the left half: the tip holds only the tool under the mouse
// and asks the window for its text.
TEST(CWndToolTips, MouseMovesAskForTheToolAndTheTipAsksForItsText)
{
    MessageLog log;
    struct TippedWindow : CWnd {
        MessageLog* log;
        INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* info) const override
        {
            log->Add("hit " + std::to_string(point.x));
            info->rect = CRect(0, 0, 50, 50);
            return point.x < 50 ? 7 : -1;
        }
        BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
        {
            auto* request = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            if (request->hdr.code != TTN_NEEDTEXTW)
                return CWnd::OnNotify(wParam, lParam, result);
            log->Add("text for " + std::to_string(request->hdr.idFrom));
            request->lpszText = const_cast<wchar_t*>(L"Lot 7");
            return TRUE;
        }
    } wnd;
    wnd.log = &log;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"", WS_POPUP | WS_VISIBLE, 0, 0, 99, 50, 0, nullptr));
    ASSERT_TRUE(wnd.EnableToolTips(TRUE));
    HWND tip = wnd.GetToolTipWindow();
    for (int x : {10, 80, 20})
        wnd.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, 10));
    EXPECT_EQ(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    wchar_t text[80] = {};
    TOOLINFOW info{sizeof(info), 0, wnd.m_hWnd, 7, {}, nullptr, text, 0, nullptr};
    ::SendMessageW(tip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(log.Lines(), Lines({"hit 10", "hit 80", "hit 20", "text for 7"}));
    EXPECT_STREQ(text, L"Lot 7");
    wnd.DestroyWindow();
}
