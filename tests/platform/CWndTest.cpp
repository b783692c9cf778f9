#include "CEdit.h"
#include "CWnd.h"
#include "MessageLog.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A top-level window of the framework's class that logs what its children
// send it.
class Frame : public CWnd {
public:
    explicit Frame(MessageLog* log = nullptr) : m_log(log)
    {
        CreateEx(0, nullptr, L"frame", WS_POPUP | WS_CAPTION | WS_VISIBLE, 10, 10, 300, 200,
                 nullptr, nullptr);
    }
    ~Frame() override { DestroyWindow(); }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (CWnd::OnCommand(wParam, lParam))
            return TRUE;
        if (m_log)
            m_log->Add("frame:command " + std::to_string(HIWORD(wParam)));
        return FALSE;
    }

private:
    MessageLog* m_log;
};

class RecordingEdit : public CEdit {
public:
    RecordingEdit(const char* name, MessageLog& log) : m_name(name), m_log(log) {}

    bool swallowUpdate = false;
    int nonClientDestroyed = 0;

protected:
    int OnCreate(LPCREATESTRUCTW cs) override
    {
        m_log.Add(m_name + ":create " + (cs ? "cs" : "no-cs"));
        return CEdit::OnCreate(cs);
    }
    void OnSetFocus(CWnd* old) override
    {
        m_log.Add(m_name + ":setfocus from " + NameOf(old));
        CEdit::OnSetFocus(old);
    }
    void OnKillFocus(CWnd* next) override
    {
        m_log.Add(m_name + ":killfocus to " + NameOf(next));
        CEdit::OnKillFocus(next);
    }
    BOOL OnUpdate() override
    {
        m_log.Add(m_name + ":update");
        return swallowUpdate;
    }
    void PostNcDestroy() override { ++nonClientDestroyed; }

private:
    std::string NameOf(CWnd* wnd) const
    {
        if (!wnd)
            return "null";
        wchar_t text[32] = {};
        ::GetWindowTextW(wnd->m_hWnd, text, 32);
        std::wstring w(text);
        return std::string(w.begin(), w.end());
    }

    std::string m_name;
    MessageLog& m_log;
};

using Lines = std::vector<std::string>;

} // namespace

TEST(CWndDispatch, CreateOfSystemEditReachesOnCreateAndUnhandledMessagesReachTheEdit)
{
    MessageLog log;
    Frame frame;
    RecordingEdit edit("edit", log);
    ASSERT_TRUE(edit.CreateEx(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20),
                              &frame, 7));
    EXPECT_EQ(log.Lines(), Lines({"edit:create cs"}));
    EXPECT_EQ(CWnd::FromHandlePermanent(edit.m_hWnd), &edit);

    // Nothing of ours handles these: the EDIT class's own procedure does.
    edit.LimitText(5);
    EXPECT_EQ(edit.SendMessage(EM_GETLIMITTEXT), 5);
    edit.SetWindowText(L"abcdef");
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, L"abcdef");
    edit.SetSel(1, 3);
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 3);
}

TEST(CWndDispatch, SetFocusDeliversKillFocusThenSetFocusBeforeReturning)
{
    MessageLog log;
    Frame frame;
    RecordingEdit a("a", log), b("b", log);
    ASSERT_TRUE(a.CreateEx(0, L"EDIT", L"a", WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 20),
                           &frame, 1));
    ASSERT_TRUE(b.CreateEx(0, L"EDIT", L"b", WS_CHILD | WS_VISIBLE, CRect(0, 30, 80, 50),
                           &frame, 2));
    a.SetFocus();
    ASSERT_EQ(CWnd::GetFocus(), &a);
    log.Clear();

    CWnd* previous = b.SetFocus();

    EXPECT_EQ(previous, &a);
    EXPECT_EQ(log.Lines(), Lines({"a:killfocus to b", "b:setfocus from a"}));
    EXPECT_EQ(CWnd::GetFocus(), &b);
}

TEST(CWndDispatch, EditUpdateIsOfferedToTheEditBeforeItsParent)
{
    MessageLog log;
    Frame frame(&log);
    RecordingEdit edit("edit", log);
    ASSERT_TRUE(edit.CreateEx(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20),
                              &frame, 3));
    log.Clear();

    edit.SetWindowText(L"x");
    // The parent still gets what the edit does not keep for itself.
    EXPECT_EQ(log.Lines(), Lines({"edit:update", "frame:command 1024", "frame:command 768"}));

    log.Clear();
    edit.swallowUpdate = true;
    edit.SetWindowText(L"y");
    EXPECT_EQ(log.Lines(), Lines({"edit:update", "frame:command 768"}));
}

TEST(CWndDispatch, DestroyedWindowDetachesItsObject)
{
    MessageLog log;
    Frame frame;
    RecordingEdit edit("edit", log);
    ASSERT_TRUE(edit.CreateEx(0, L"EDIT", L"", WS_CHILD, CRect(0, 0, 10, 10), &frame, 4));
    HWND hwnd = edit.m_hWnd;

    frame.DestroyWindow();   // takes its children along

    EXPECT_EQ(edit.m_hWnd, nullptr);
    EXPECT_EQ(edit.nonClientDestroyed, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST(CWndDispatch, SubclassedControlIsAttachedAndGivenBack)
{
    MessageLog log;
    Frame frame;
    HWND raw = CreateWindowExW(0, L"EDIT", L"raw", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20,
                               frame.m_hWnd, reinterpret_cast<HMENU>(9), nullptr, nullptr);
    ::SetFocus(frame.m_hWnd);
    RecordingEdit edit("edit", log);
    ASSERT_TRUE(edit.SubclassDlgItem(9, &frame));
    EXPECT_EQ(edit.m_hWnd, raw);
    EXPECT_FALSE(RecordingEdit("other", log).SubclassWindow(raw))
        << "a window takes one object only";

    ::SetFocus(raw);
    EXPECT_EQ(log.Lines(), Lines({"edit:setfocus from frame"}));

    EXPECT_EQ(edit.UnsubclassWindow(), raw);
    log.Clear();
    ::SetFocus(frame.m_hWnd);
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_EQ(CWnd::FromHandle(raw)->m_hWnd, raw) << "a temporary object stands in";
}

TEST(CWndTimers, TimersArriveByIdAndKillTimerStopsThem)
{
    struct TimerWindow : CWnd {
        int ticks[3] = {0, 0, 0};
        void OnTimer(UINT_PTR id) override
        {
            if (id < 3)
                ++ticks[id];
        }
    } wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"timers", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    wnd.SetTimer(1, 10);
    wnd.SetTimer(2, 10);
    PumpMessagesFor(150);
    EXPECT_GT(wnd.ticks[1], 0);
    EXPECT_GT(wnd.ticks[2], 0);
    EXPECT_EQ(wnd.ticks[0], 0);

    wnd.KillTimer(1);
    PumpMessagesFor(20);   // a tick already queued may still arrive
    int stopped = wnd.ticks[1];
    int running = wnd.ticks[2];
    PumpMessagesFor(150);
    EXPECT_EQ(wnd.ticks[1], stopped);
    EXPECT_GT(wnd.ticks[2], running);
    wnd.DestroyWindow();
}
