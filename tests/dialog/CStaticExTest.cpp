#include "CStaticEx.h"
#include "MessageLog.h"

#include <gtest/gtest.h>

namespace {

class ListeningStatic : public CStaticEx {
public:
    int beeps = 0;
    DWORD lastFrequency = 0, lastDuration = 0;
    int Tick(UINT_PTR id)
    {
        SendMessage(WM_TIMER, id);
        return IsWindowEnabled() ? 1 : 0;
    }

protected:
    void SoundBeep(DWORD frequency, DWORD duration) override
    {
        ++beeps;
        lastFrequency = frequency;
        lastDuration = duration;
    }
};

struct StatusLine : ::testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(frame.CreateEx(0, nullptr, L"frame", WS_POPUP, 0, 0, 300, 100, nullptr,
                                   nullptr));
        ASSERT_TRUE(status.Create(L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 20), &frame, 1001));
    }
    void TearDown() override { frame.DestroyWindow(); }

    CWnd frame;
    CString Text()
    {
        CString text;
        status.GetWindowText(text);
        return text;
    }

    ListeningStatic status;
};

} // namespace

TEST_F(StatusLine, MessageShowsAtOnceThenAlternatesAndBeepsOnEachReshow)
{
    status.ShowMessage(0, 200, L"Type is absent");
    EXPECT_EQ(Text(), L"Type is absent");
    EXPECT_TRUE(status.IsWindowEnabled());
    EXPECT_EQ(status.BlinkDimmed, 1);

    // Each tick of the blink timer flips the shown state; every re-show
    // beeps low and short.
    EXPECT_EQ(status.Tick(CStaticEx::BlinkTimer), 1);
    EXPECT_EQ(status.beeps, 1);
    EXPECT_EQ(status.lastFrequency, 100u);
    EXPECT_EQ(status.lastDuration, 100u);
    EXPECT_EQ(status.Tick(CStaticEx::BlinkTimer), 0);
    EXPECT_EQ(status.beeps, 1);
    EXPECT_EQ(status.Tick(CStaticEx::BlinkTimer), 1);
    EXPECT_EQ(status.beeps, 2);
    EXPECT_EQ(status.Tick(CStaticEx::BlinkTimer), 0);
    EXPECT_EQ(Text(), L"Type is absent") << "without a duration it never clears itself";
}

TEST_F(StatusLine, RealTimersBlinkAndTheDurationClearsTheLine)
{
    status.ShowMessage(150, 20, L"Number is absent");
    PumpMessagesFor(100);
    EXPECT_GE(status.beeps, 1);
    EXPECT_EQ(Text(), L"Number is absent");

    PumpMessagesFor(150);
    EXPECT_EQ(Text(), L"");
    EXPECT_TRUE(status.IsWindowEnabled());
    int beeps = status.beeps;
    PumpMessagesFor(100);
    EXPECT_EQ(status.beeps, beeps) << "both timers stop with the message";
}

TEST_F(StatusLine, NewMessageReplacesTheBlinkingOneAndClearWhileDimmedEnables)
{
    status.ShowMessage(0, 200, L"first");
    status.Tick(CStaticEx::BlinkTimer);
    status.Tick(CStaticEx::BlinkTimer);   // dimmed now
    ASSERT_FALSE(status.IsWindowEnabled());

    status.ShowMessage(0, 50, L"second");
    EXPECT_EQ(Text(), L"second");
    int beeps = status.beeps;
    EXPECT_EQ(status.Tick(CStaticEx::BlinkTimer), 1) << "the next tick re-shows it";
    EXPECT_EQ(status.beeps, beeps + 1);

    status.Tick(CStaticEx::BlinkTimer);
    ASSERT_FALSE(status.IsWindowEnabled());
    status.ClearMessage();
    EXPECT_TRUE(status.IsWindowEnabled());
    EXPECT_EQ(Text(), L"");
    PumpMessagesFor(120);
    EXPECT_EQ(status.beeps, beeps + 1);
}
