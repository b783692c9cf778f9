#include "CStaticEx.h"
#include "MessageLog.h"

#include <gtest/gtest.h>

namespace {

struct StatusLine : CStaticEx {
    std::vector<std::pair<DWORD, DWORD>> beeps;   // frequency, duration
    void SoundBeep(DWORD frequency, DWORD duration) override { beeps.emplace_back(frequency, duration); }
    std::wstring State()
    {
        CString text;
        GetWindowText(text);
        return text.str() + (IsWindowEnabled() ? L" shown " : L" dimmed ") + std::to_wstring(beeps.size());
    }
};

} // namespace

// A new message replaces the text; a clear or the expiry stops both timers.
TEST(StatusLine, TicksAlternateTheMessageWithABeepOnEachReshowUntilClearedOrExpired)
{
    CWnd frame;
    StatusLine status;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, L"frame", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr));
    ASSERT_TRUE(status.Create(L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 20), &frame, 1001));
    const std::pair<char, const wchar_t*> steps[] = {
        {'a', L"a shown 0"}, {'b', L"a shown 1"}, {'b', L"a dimmed 1"}, {'b', L"a shown 2"}, {'b', L"a dimmed 2"},
        {'c', L"c dimmed 2"}, {'b', L"c shown 3"}, {'b', L"c dimmed 3"}, {'x', L" shown 3"},
        {'d', L"d shown 3"}, {'b', L"d shown 4"}, {'b', L"d dimmed 4"}, {'e', L" shown 4"},
    };
    for (const auto& [step, state] : steps) {
        if (step == 'x')
            status.ClearMessage();
        else if (step == 'b' || step == 'e')
            status.SendMessage(WM_TIMER, step == 'b' ? CStaticEx::BlinkTimer : CStaticEx::ExpiryTimer);
        else
            status.ShowMessage(0, 200, std::wstring(1, step).c_str());
        EXPECT_EQ(status.State(), state) << step;
    }
    EXPECT_EQ(status.beeps[0], std::make_pair(DWORD(100), DWORD(100)));
    status.beeps.clear();
    status.ShowMessage(150, 20, L"Number is absent");
    PumpMessagesFor(100);
    EXPECT_GE(status.beeps.size(), 1u);
    EXPECT_EQ(status.State().substr(0, 16), L"Number is absent");
    PumpMessagesFor(150);
    EXPECT_EQ(status.State().substr(0, 7), L" shown ");
    status.ShowMessage(0, 20, L"again");
    status.ClearMessage();
    const std::size_t beeps = status.beeps.size();
    PumpMessagesFor(100);
    EXPECT_EQ(status.beeps.size(), beeps) << "the timers stop with the message";
    frame.DestroyWindow();
}
