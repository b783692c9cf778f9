#include "CEdit.h"
#include "CWnd.h"
#include "MessageLog.h"

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

// A system EDIT created through the framework leaves what nobody handles to
// the EDIT class; focus changes arrive before SetFocus returns; EN_UPDATE is
// offered to the edit before its parent, which gets what the edit does not
// keep; and the edit lets go of its object when its parent goes.
TEST(CWndDispatch, SystemEditLivesThroughTheFrameworkFromCreateToDestroy)
{
    MessageLog log;
    struct Frame : CWnd {
        MessageLog* log;
        BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
        {
            if (CWnd::OnCommand(wParam, lParam))
                return TRUE;
            log->Add("frame " + std::to_string(HIWORD(wParam)));
            return FALSE;
        }
    } frame;
    frame.log = &log;
    frame.CreateEx(0, nullptr, L"frame", WS_POPUP | WS_VISIBLE, 10, 10, 300, 200, nullptr, nullptr);
    struct RecordingEdit : CEdit {
        MessageLog* log;
        bool swallowUpdate = false;
        int nonClientDestroyed = 0;
        std::string Id(CWnd* wnd) { return wnd ? std::to_string(wnd->GetDlgCtrlID()) : "none"; }
        void OnSetFocus(CWnd* old) override
        {
            log->Add(Id(this) + " focus from " + Id(old));
            CEdit::OnSetFocus(old);
        }
        void OnKillFocus(CWnd* next) override
        {
            log->Add(Id(this) + " focus to " + Id(next));
            CEdit::OnKillFocus(next);
        }
        BOOL OnUpdate() override
        {
            log->Add(Id(this) + " update");
            return swallowUpdate;
        }
        void PostNcDestroy() override { ++nonClientDestroyed; }
    } a, b;
    for (int id : {1, 2}) {
        RecordingEdit& edit = id == 1 ? a : b;
        edit.log = &log;
        const CRect place(0, 30 * id, 80, 30 * id + 20);
        ASSERT_TRUE(edit.CreateEx(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, place, &frame, id));
    }
    a.LimitText(5);
    EXPECT_EQ(a.SendMessage(EM_GETLIMITTEXT), 5);
    a.SetFocus();
    log.Clear();
    EXPECT_EQ(b.SetFocus(), &a);
    b.SetWindowText(L"x");
    b.swallowUpdate = true;
    b.SetWindowText(L"y");
    EXPECT_EQ(log.Lines(), Lines({"1 focus to 2", "frame 512", "2 focus from 1", "frame 256",
                                  "2 update", "frame 1024", "frame 768", "2 update", "frame 768"}));
    HWND hwnd = b.m_hWnd;
    frame.DestroyWindow();
    EXPECT_TRUE(b.m_hWnd == nullptr && CWnd::FromHandlePermanent(hwnd) == nullptr);
    EXPECT_EQ(b.nonClientDestroyed, 1);
}

// A window with one tool over its left half: mouse moves ask for the tool
// under the mouse, the tip holds only that one and asks the window for its
// text when it needs it.
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
