#include "CEdit.h"
#include "CWnd.h"
#include "MessageLog.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

// A top-level window of the framework's class that logs the commands the
// framework leaves to it.
struct Frame : CWnd {
    MessageLog* log = nullptr;
    Frame() { CreateEx(0, nullptr, L"frame", WS_POPUP | WS_VISIBLE, 10, 10, 300, 200, nullptr, nullptr); }
    ~Frame() override { DestroyWindow(); }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (CWnd::OnCommand(wParam, lParam))
            return TRUE;
        if (log)
            log->Add("frame command " + std::to_string(HIWORD(wParam)));
        return FALSE;
    }
};

// An edit that logs its handlers, naming windows by their control id.
struct RecordingEdit : CEdit {
    MessageLog& log;
    bool swallowUpdate = false;
    int nonClientDestroyed = 0;
    explicit RecordingEdit(MessageLog& log) : log(log) {}
    bool Make(Frame& frame, int id)
    {
        return CreateEx(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, CRect(0, 30 * id, 80, 30 * id + 20),
                        &frame, id);
    }
    std::string Name(CWnd* wnd) { return wnd ? std::to_string(wnd->GetDlgCtrlID()) : "none"; }
    int OnCreate(LPCREATESTRUCTW cs) override
    {
        log.Add("create " + std::to_string(reinterpret_cast<INT_PTR>(cs->hMenu)));
        return CEdit::OnCreate(cs);
    }
    void OnSetFocus(CWnd* old) override
    {
        log.Add(Name(this) + " gets the focus from " + Name(old));
        CEdit::OnSetFocus(old);
    }
    void OnKillFocus(CWnd* next) override
    {
        log.Add(Name(this) + " loses the focus to " + Name(next));
        CEdit::OnKillFocus(next);
    }
    BOOL OnUpdate() override
    {
        log.Add(Name(this) + " update");
        return swallowUpdate;
    }
    void PostNcDestroy() override { ++nonClientDestroyed; }
};

} // namespace

// A system EDIT created through the framework gets WM_CREATE in OnCreate and
// leaves what nobody handles to the EDIT class; focus changes arrive before
// SetFocus returns; EN_UPDATE is offered to the edit before its parent,
// which gets what the edit does not keep; and the edit lets go of its object
// when its parent goes.
TEST(CWndDispatch, SystemEditLivesThroughTheFrameworkFromCreateToDestroy)
{
    MessageLog log;
    Frame frame;
    frame.log = &log;
    RecordingEdit a(log), b(log);
    ASSERT_TRUE(a.Make(frame, 1) && b.Make(frame, 2));
    EXPECT_EQ(log.Lines(), Lines({"create 1", "create 2"}));
    EXPECT_EQ(CWnd::FromHandlePermanent(a.m_hWnd), &a);
    a.LimitText(5);
    EXPECT_EQ(a.SendMessage(EM_GETLIMITTEXT), 5);
    a.SetFocus();
    log.Clear();
    EXPECT_EQ(b.SetFocus(), &a);
    b.SetWindowText(L"x");
    b.swallowUpdate = true;
    b.SetWindowText(L"y");
    EXPECT_EQ(log.Lines(), Lines({"1 loses the focus to 2", "frame command 512",
                                  "2 gets the focus from 1", "frame command 256", "2 update",
                                  "frame command 1024", "frame command 768", "2 update",
                                  "frame command 768"}));
    EXPECT_EQ(CWnd::GetFocus(), &b);
    HWND hwnd = b.m_hWnd;
    frame.DestroyWindow();
    EXPECT_EQ(b.m_hWnd, nullptr);
    EXPECT_EQ(b.nonClientDestroyed, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

// An existing control is attached once, hears its messages, and is given
// back; a temporary object stands in for it afterwards.
TEST(CWndDispatch, SubclassedControlIsAttachedAndGivenBack)
{
    MessageLog log;
    Frame frame;
    HWND raw = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, frame.m_hWnd,
                               reinterpret_cast<HMENU>(9), nullptr, nullptr);
    ::SetFocus(frame.m_hWnd);
    RecordingEdit edit(log), other(log);
    ASSERT_TRUE(edit.SubclassDlgItem(9, &frame));
    EXPECT_EQ(edit.m_hWnd, raw);
    EXPECT_FALSE(other.SubclassWindow(raw));
    ::SetFocus(raw);
    EXPECT_EQ(edit.UnsubclassWindow(), raw);
    ::SetFocus(frame.m_hWnd);
    EXPECT_EQ(log.Lines(), Lines({"9 gets the focus from 0"}));
    EXPECT_EQ(CWnd::FromHandle(raw)->m_hWnd, raw);
    EXPECT_EQ(CWnd::FromHandlePermanent(raw), nullptr);
}

TEST(CWndTimers, TimersArriveByIdAndKillTimerStopsThem)
{
    struct TimerWindow : CWnd {
        int ticks[3] = {0, 0, 0};
        void OnTimer(UINT_PTR id) override { ++ticks[id < 3 ? id : 0]; }
    } wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"timers", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    wnd.SetTimer(1, 10);
    wnd.SetTimer(2, 10);
    PumpMessagesFor(150);
    EXPECT_TRUE(wnd.ticks[0] == 0 && wnd.ticks[1] > 0 && wnd.ticks[2] > 0);
    wnd.KillTimer(1);
    PumpMessagesFor(20);  // a tick already queued may still arrive
    const int stopped = wnd.ticks[1], running = wnd.ticks[2];
    PumpMessagesFor(150);
    EXPECT_EQ(wnd.ticks[1], stopped);
    EXPECT_GT(wnd.ticks[2], running);
    wnd.DestroyWindow();
}

// A window with one tool over its left half: mouse moves ask for the tool
// under the mouse, the tip holds only that one and asks the window for its
// text when it needs it.
TEST(CWndToolTips, MouseMovesAskForTheToolAndTheTipAsksForItsText)
{
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
    MessageLog log;
    wnd.log = &log;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"tips", WS_POPUP | WS_VISIBLE, 0, 0, 100, 50, nullptr,
                             nullptr));
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
