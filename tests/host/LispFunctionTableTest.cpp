// Dispatch of a LISP call to the function table's handler, and what the
// LISP caller receives.
#include <gtest/gtest.h>

#include "LotDialogCommand.h"
#include "ModuleHarness.h"
#include "arx/acedads.h"
#include "arx/acutads.h"
#include "arx/adscodes.h"

namespace {

TEST(LispFunctionTable, HoldsLotdialogAtFunctionCodeZero)
{
    ASSERT_EQ(LispFunctionCount, 1);
    EXPECT_STREQ(LispFunctionTable[0].Name, L"LOTDIALOG");
    EXPECT_EQ(LispFunctionTable[0].Handler, &LotDialogCommand);
}

TEST(LispFunctionTable, CodeZeroRunsTheHandlerOtherCodesRunNothing)
{
    ModuleHarness harness;
    TestHandler handler([] {
        acedRetNil();
        return RTNORM;
    });
    EXPECT_EQ(harness.host.InvokeFunction(harness.app, 0, nullptr).text, L"nil");
    EXPECT_EQ(TestHandler::calls, 1);

    for (int code : {1, -1, 1000}) {
        ArxEvalResult result = harness.host.InvokeFunction(harness.app, code, nullptr);
        EXPECT_EQ(result.kind, ArxEvalResult::Kind::NoValue) << code;
        harness.host.BeginCall(code, nullptr);
        EXPECT_EQ(DispatchFunction(), RTERROR) << code;
        harness.host.EndCall();
    }
    EXPECT_EQ(TestHandler::calls, 1);
}

TEST(LispFunctionTable, HandlerOutcomeAndResultReachTheCaller)
{
    ModuleHarness harness;
    ArxHost& host = harness.host;
    int answer = RTNORM;
    bool setNil = false;
    TestHandler handler([&] {
        if (setNil)
            acedRetNil();
        return answer;
    });

    // Failing without a result: no value, even where a value was set before.
    answer = RTERROR;
    host.BeginCall(0, nullptr);
    acedRetNil();
    EXPECT_EQ(DispatchFunction(), RSERR);
    EXPECT_EQ(host.CallResult().kind, ArxEvalResult::Kind::NoValue);
    host.EndCall();
    EXPECT_EQ(host.Evaluate(L"(lotdialog)")[0].kind, ArxEvalResult::Kind::NoValue);

    // Cancelled: nil with the error outcome, and evaluation goes on.
    setNil = true;
    std::vector<ArxEvalResult> results = host.Evaluate(L"(lotdialog) (+ 1 2)");
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0].text, L"nil");
    EXPECT_EQ(results[1].text, L"3");

    answer = RTNORM;
    host.BeginCall(0, nullptr);
    EXPECT_EQ(DispatchFunction(), RSRSLT);
    host.EndCall();
    EXPECT_EQ(harness.err, L"");
}

TEST(LispFunctionTable, LotdialogReceivesItsListsAsOneChain)
{
    ModuleHarness harness;
    TestHandler handler([] {
        resbuf* rows = acutBuildList(RTLB, RTLB, RTSTR, L"A", RTSTR, L"3", RTSTR, L"T1", RTSTR,
                                     L"1", RTLE, RTLE, 0);
        acedRetList(rows);
        acutRelRb(rows);
        return RTNORM;
    });
    std::vector<ArxEvalResult> results =
        harness.host.Evaluate(L"(lotdialog '(\"A\" \"B\") '(\"T1\") '(\"3\" \"4\") nil)");
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].text, L"((\"A\" \"3\" \"T1\" \"1\"))");
    EXPECT_EQ(TestHandler::argumentTypes,
              (std::vector<short>{5016, 5005, 5005, 5017, 5016, 5005, 5017, 5016, 5005, 5005,
                                  5017, 5019}));

    harness.host.Evaluate(L"(lotdialog)");
    EXPECT_TRUE(TestHandler::argumentTypes.empty());
}

}  // namespace
