// A LISP call of a module's function: the arguments as the module reads them,
// the call state while it runs, and the LISP value of what it hands back.
#include <gtest/gtest.h>

#include "ProbeModule.h"
#include "arx/acedads.h"
#include "arx/acutads.h"
#include "arx/adscodes.h"

namespace {

class ArxHostCall : public testing::Test {
protected:
    void SetUp() override
    {
        ProbeModule::Reset();
        app = scripted.host.AttachModule(L"probe", ProbeModule::Entry);
    }

    // Evaluates one expression: its printed value, "<no value>" or the error.
    std::wstring Eval(const std::wstring& source)
    {
        std::vector<ArxEvalResult> results = scripted.host.Evaluate(source);
        if (results.size() != 1)
            return L"<" + std::to_wstring(results.size()) + L" results>";
        switch (results[0].kind) {
        case ArxEvalResult::Kind::Value: return results[0].text;
        case ArxEvalResult::Kind::NoValue: return L"<no value>";
        default: return L"error: " + results[0].text;
        }
    }

    // PROBE answers with `chain` through acedRetList and frees it itself.
    std::wstring Returning(resbuf* chain)
    {
        ProbeModule::handler = [chain] {
            acedRetList(chain);
            acutRelRb(chain);
        };
        return Eval(L"(probe)");
    }

    ScriptedHost scripted;
    void* app = nullptr;
};

TEST_F(ArxHostCall, ArgumentsBecomeTheDocumentedChain)
{
    EXPECT_EQ(Eval(L"(probe \"s\" 1 -32768 32767 32768 -32769 2.5 nil t)"), L"<no value>");
    EXPECT_EQ(Eval(L"(probe '(1 \"a\" (2.5)) '(\"A\" . 1) '())"), L"<no value>");
    EXPECT_EQ(Eval(L"(probe '(\"A\" \"B\") '(\"T1\") '(\"3\" \"4\") nil)"), L"<no value>");
    EXPECT_EQ(Eval(L"(probe)"), L"<no value>");
    ASSERT_EQ(ProbeModule::arguments.size(), 4u);
    EXPECT_EQ(ProbeModule::arguments[0],
              L"5005\"s\" 5003=1 5003=-32768 5003=32767 5010=32768 5010=-32769 5001=2.5 5019 5021");
    EXPECT_EQ(ProbeModule::arguments[1],
              L"5016 5003=1 5005\"a\" 5016 5001=2.5 5017 5017 5016 5005\"A\" 5003=1 5018 5019");
    EXPECT_EQ(ProbeModule::arguments[2], L"5016 5005\"A\" 5005\"B\" 5017 5016 5005\"T1\" 5017 "
                                         L"5016 5005\"3\" 5005\"4\" 5017 5019");
    EXPECT_EQ(ProbeModule::arguments[3], L"");
    EXPECT_EQ(ProbeModule::funCodes, std::vector<int>(4, ProbeModule::kFunCode));

    // Values without a chain form stop the call before the module sees it.
    EXPECT_EQ(Eval(L"(probe 'layer)"), L"error: bad argument type: LAYER");
    EXPECT_EQ(Eval(L"(probe '(1 . sym))"), L"error: bad argument type: SYM");
    EXPECT_EQ(ProbeModule::arguments.size(), 4u);
}

TEST_F(ArxHostCall, ReturnedChainsBecomeLispValues)
{
    EXPECT_EQ(Returning(acutBuildList(RTLB, RTSTR, L"A", RTLB, RTSHORT, 1, RTNIL, RTLE, RTLE, 0)),
              L"(\"A\" (1 nil))");
    EXPECT_EQ(Returning(acutBuildList(RTLB, RTLB, RTSTR, L"A", RTSTR, L"3", RTSTR, L"T1", RTSTR,
                                      L"1", RTLE, RTLE, 0)),
              L"((\"A\" \"3\" \"T1\" \"1\"))");
    EXPECT_EQ(Returning(acutBuildList(RTSTR, L"A", RTLONG, 70000, RTREAL, 2.5, RTT, 0)),
              L"(\"A\" 70000 2.5 T)");
    EXPECT_EQ(Returning(acutBuildList(RTLB, RTSTR, L"A", RTSHORT, 1, RTDOTE, 0)),
              L"(\"A\" . 1)");
    EXPECT_EQ(Returning(acutBuildList(RTLB, RTLB, RTLE, RTNIL, RTLE, 0)), L"(nil nil)");
    EXPECT_EQ(Returning(nullptr), L"nil");
    // Chains of another shape give a value, not a crash.
    EXPECT_EQ(Returning(acutBuildList(RTLB, RTSTR, L"open", 0)), L"(\"open\")");
    EXPECT_EQ(Returning(acutBuildList(RTLE, RTSTR, L"x", RTLE, RTDOTE, 0)), L"(\"x\")");

    // nil and no value are told apart; each call starts with no value.
    ProbeModule::handler = [] { acedRetNil(); };
    EXPECT_EQ(Eval(L"(probe)"), L"nil");
    ProbeModule::handler = nullptr;
    EXPECT_EQ(Eval(L"(probe)"), L"<no value>");

    EXPECT_EQ(scripted.host.Script().returnedLists.front(), L"(\"A\" (1 nil))");
}

TEST_F(ArxHostCall, CallStateCanBeDrivenWithoutLisp)
{
    resbuf* chain = acutBuildList(RTSTR, L"L-01", RTSHORT, 4, 0);
    ProbeModule::handler = [] {
        resbuf* result = acutBuildList(RTLB, RTSTR, L"done", RTLE, 0);
        acedRetList(result);
        acutRelRb(result);
    };
    ArxEvalResult result = scripted.host.InvokeFunction(app, 3, chain);
    EXPECT_EQ(result.kind, ArxEvalResult::Kind::Value);
    EXPECT_EQ(result.text, L"(\"done\")");
    EXPECT_EQ(ProbeModule::funCodes.back(), 3);
    EXPECT_EQ(ProbeModule::arguments.back(), L"5005\"L-01\" 5003=4");

    // The host works on its own copy: the caller's chain is untouched.
    EXPECT_EQ(DescribeChain(chain), L"5005\"L-01\" 5003=4");
    acutRelRb(chain);

    // Between BeginCall and EndCall a handler can be called directly.
    scripted.host.BeginCall(-1, nullptr);
    EXPECT_EQ(acedGetFunCode(), -1);
    EXPECT_EQ(acedGetArgs(), nullptr);
    EXPECT_EQ(scripted.host.CallResult().kind, ArxEvalResult::Kind::NoValue);
    acedRetNil();
    EXPECT_EQ(scripted.host.CallResult().text, L"nil");
    scripted.host.EndCall();
}

}  // namespace
