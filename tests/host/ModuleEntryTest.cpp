// The module's entry function as the host drives it: what each message does
// and that every message is answered 0.
#include <gtest/gtest.h>

#include "ModuleEntry.h"
#include "ModuleHarness.h"
#include "arx/adscodes.h"

namespace {

std::vector<int> g_entryAnswers;
std::vector<int> g_registerAnswers;

// The real entry function, its answers recorded.
AcRx::AppRetCode AnsweringEntry(AcRx::AppMsgCode message, void* appId)
{
    AcRx::AppRetCode answer = acrxEntryPoint(message, appId);
    g_entryAnswers.push_back(answer);
    return answer;
}

// The module with the answers of RegisterFunctions and UnregisterFunctions
// recorded, which the entry function itself drops.
AcRx::AppRetCode RegisteringEntry(AcRx::AppMsgCode message, void* appId)
{
    if (message == AcRx::kLoadDwgMsg) {
        g_registerAnswers.push_back(RegisterFunctions());
        return AcRx::kRetOK;
    }
    if (message == AcRx::kUnloadDwgMsg) {
        g_registerAnswers.push_back(UnregisterFunctions());
        return AcRx::kRetOK;
    }
    return acrxEntryPoint(message, appId);
}

TEST(ModuleEntry, ApplicationLoadedLetsTheHostUnloadItThenServesSeveralDrawings)
{
    ModuleHarness harness;
    const std::vector<ArxLinkerCall>& calls = harness.host.Script().linkerCalls;
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].operation, ArxLinkerCall::Operation::UnlockApplication);
    EXPECT_EQ(calls[1].operation, ArxLinkerCall::Operation::RegisterAppMDIAware);
    EXPECT_EQ(calls[0].appId, harness.app);
    EXPECT_EQ(calls[1].appId, harness.app);
    EXPECT_TRUE(harness.host.IsRegistered(L"LOTDIALOG"));
}

TEST(ModuleEntry, EachMessageDoesItsOwnThingAndIsAnsweredZero)
{
    TestHandler handler([] { return RTNORM; });
    g_entryAnswers.clear();
    ModuleHarness harness(AnsweringEntry);
    ArxHost& host = harness.host;
    void* app = harness.app;
    ASSERT_TRUE(host.IsRegistered(L"LOTDIALOG"));

    // Application unloaded and messages the module does not know: nothing.
    for (int message : {2, 0, 6, 99, -1})
        host.SendAppMessage(app, static_cast<AcRx::AppMsgCode>(message));
    EXPECT_TRUE(host.IsRegistered(L"LOTDIALOG"));
    EXPECT_EQ(host.Script().linkerCalls.size(), 2u);
    EXPECT_EQ(TestHandler::calls, 0);

    // Registration follows the drawings.
    host.SendAppMessage(app, AcRx::kUnloadDwgMsg);
    EXPECT_FALSE(host.IsRegistered(L"LOTDIALOG"));
    EXPECT_EQ(host.Evaluate(L"(lotdialog)")[0].text, L"no function definition: LOTDIALOG");
    host.SendAppMessage(app, AcRx::kLoadDwgMsg);
    EXPECT_TRUE(host.IsRegistered(L"LOTDIALOG"));
    EXPECT_EQ(host.Evaluate(L"(lotdialog)")[0].kind, ArxEvalResult::Kind::NoValue);
    EXPECT_EQ(TestHandler::calls, 1);

    // A refused registration leaves the function away; still answered 0.
    host.SendAppMessage(app, AcRx::kUnloadDwgMsg);
    host.Script().refuseDefun = true;
    host.SendAppMessage(app, AcRx::kLoadDwgMsg);
    EXPECT_FALSE(host.IsRegistered(L"LOTDIALOG"));

    host.UnloadModules();
    EXPECT_EQ(g_entryAnswers.size(), 2u + 5u + 2u + 1u + 2u + 2u);
    for (int answer : g_entryAnswers)
        EXPECT_EQ(answer, 0);
}

TEST(ModuleEntry, RegistrationAnswersSuccessOrStopsWithAnError)
{
    g_registerAnswers.clear();
    ModuleHarness harness(RegisteringEntry);
    ArxHost& host = harness.host;
    void* app = harness.app;
    EXPECT_TRUE(host.IsRegistered(L"LOTDIALOG"));
    host.SendAppMessage(app, AcRx::kUnloadDwgMsg);
    EXPECT_FALSE(host.IsRegistered(L"LOTDIALOG"));
    host.Script().refuseDefun = true;
    host.SendAppMessage(app, AcRx::kLoadDwgMsg);
    EXPECT_FALSE(host.IsRegistered(L"LOTDIALOG"));
    EXPECT_EQ(g_registerAnswers, (std::vector<int>{RTNORM, RTNORM, RTERROR}));
}

}  // namespace
