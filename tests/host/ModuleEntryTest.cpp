#include "LotDialogCommand.h"
#include "ModuleHarness.h"
#include "arx/acedads.h"
#include "arx/adscodes.h"

#include <gtest/gtest.h>

TEST(ModuleEntry, EachMessageDoesItsOwnThingAndIsAnsweredZero)
{
    TestHandler handler([] { return RTNORM; });
    static std::vector<int> answers;
    answers.clear();
    ModuleHarness harness([](AcRx::AppMsgCode message, void* appId) {
        answers.push_back(acrxEntryPoint(message, appId));
        return static_cast<AcRx::AppRetCode>(answers.back());
    });
    ArxHost& host = harness.host;
    // Loaded: the host may unload it again, then it serves several drawings.
    const std::vector<ArxLinkerCall>& calls = host.Script().linkerCalls;
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].operation, ArxLinkerCall::Operation::UnlockApplication);
    EXPECT_EQ(calls[1].operation, ArxLinkerCall::Operation::RegisterAppMDIAware);
    EXPECT_EQ(calls[0].appId, harness.app);
    EXPECT_EQ(calls[1].appId, harness.app);
    // Application unloaded and messages the module does not know: nothing.
    for (int message : {2, 0, 6, 99, -1})
        host.SendAppMessage(harness.app, static_cast<AcRx::AppMsgCode>(message));
    EXPECT_EQ(calls.size(), 2u);
    EXPECT_EQ(TestHandler::calls, 0);
    // Registration follows the drawings; a refused one leaves it away.
    host.SendAppMessage(harness.app, AcRx::kUnloadDwgMsg);
    EXPECT_EQ(harness.Evaluate(L"(lotdialog)"), L"no function definition: LOTDIALOG");
    host.SendAppMessage(harness.app, AcRx::kLoadDwgMsg);
    EXPECT_EQ(harness.Evaluate(L"(lotdialog)"), L"");
    EXPECT_EQ(TestHandler::calls, 1);
    host.SendAppMessage(harness.app, AcRx::kUnloadDwgMsg);
    host.Script().refuseDefun = true;
    host.SendAppMessage(harness.app, AcRx::kLoadDwgMsg);
    EXPECT_FALSE(host.IsRegistered(L"LOTDIALOG"));
    host.UnloadModules();
    EXPECT_EQ(answers, std::vector<int>(2 + 5 + 2 + 1 + 2 + 2, 0));
}

TEST(LispFunctionTable, OnlyCodeZeroRunsItsHandlerWhoseOutcomeAndResultReachTheCaller)
{
    EXPECT_EQ(LispFunctionTable[0].Handler, &LotDialogCommand);
    ModuleHarness harness;
    int answer = RTNORM;
    bool setNil = false;
    TestHandler handler([&] {
        if (setNil)
            acedRetNil();
        return answer;
    });
    const struct {
        int code, answer;
        bool setNil;
        int dispatched;
        const wchar_t* value;
    } cases[] = {
        {0, RTNORM, true, RSRSLT, L"nil"}, {0, RTNORM, false, RSRSLT, L""}, {0, RTERROR, false, RSERR, L""},
        {0, RTERROR, true, RSERR, L"nil"}, {1, RTNORM, true, RTERROR, L""}, {-1, RTNORM, true, RTERROR, L""},
    };
    for (const auto& c : cases) {
        answer = c.answer;
        setNil = c.setNil;
        harness.host.BeginCall(c.code, nullptr);
        acedRetNil();   // a handler that sets nothing leaves no value, whatever was set before
        EXPECT_EQ(DispatchFunction(), c.dispatched) << c.code;
        const ArxEvalResult result = harness.host.CallResult();
        EXPECT_EQ(result.kind == ArxEvalResult::Kind::Value ? result.text : L"", c.value) << c.code;
        harness.host.EndCall();
    }
    EXPECT_EQ(TestHandler::calls, 4);
    answer = RTERROR;   // an error does not end the evaluation
    EXPECT_EQ(harness.host.Evaluate(L"(lotdialog) (+ 1 2)").at(1).text, L"3");
    EXPECT_EQ(harness.err, L"");
}
