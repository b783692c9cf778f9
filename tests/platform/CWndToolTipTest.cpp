#include "CWnd.h"
#include "MessageLog.h"

#include <gtest/gtest.h>

namespace {

// A window with one tool over its left half, whose text it gives on request.
class TippedWindow : public CWnd {
public:
    MessageLog log;

protected:
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* info) const override
    {
        const_cast<TippedWindow*>(this)->log.Add("hit " + std::to_string(point.x));
        if (point.x >= 50)
            return -1;
        info->rect = CRect(0, 0, 50, 50);
        return 7;
    }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == TTN_NEEDTEXTW) {
            auto* request = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            log.Add("text for " + std::to_string(header->idFrom));
            request->lpszText = const_cast<wchar_t*>(L"Lot 7");
            *result = 0;
            return TRUE;
        }
        return CWnd::OnNotify(wParam, lParam, result);
    }
};

} // namespace

TEST(CWndToolTips, MouseMovesAskForTheToolAndTheTipAsksForItsText)
{
    TippedWindow wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"tips", WS_POPUP | WS_VISIBLE, 0, 0, 100, 50, nullptr,
                             nullptr));
    ASSERT_TRUE(wnd.EnableToolTips(TRUE));
    HWND tip = wnd.GetToolTipWindow();
    ASSERT_NE(tip, nullptr);

    wnd.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    wnd.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(80, 10));
    wnd.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
    EXPECT_EQ(wnd.log.Lines(), std::vector<std::string>({"hit 10", "hit 80", "hit 20"}));
    EXPECT_EQ(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1) << "only the tool under the mouse";

    // The tip asks the window for the tool's text when it needs it.
    wnd.log.Clear();
    wchar_t text[80] = {};
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = wnd.m_hWnd;
    info.uId = 7;
    info.lpszText = text;
    ::SendMessageW(tip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(wnd.log.Lines(), std::vector<std::string>({"text for 7"}));
    EXPECT_STREQ(text, L"Lot 7");

    wnd.DestroyWindow();
}
