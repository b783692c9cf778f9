// The host as a module meets it, scripted: calls of the module's LISP
// functions (arguments in, values out), the module's life from load to
// unload, and the host operations besides calls.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "ArxHost.h"
#include "arx/acdb.h"
#include "arx/acedads.h"
#include "arx/acutads.h"

namespace {

// A chain as text: each node's type code, with its value where it has one
// (5005"text", 5003=1, 5010=70000, 5001=2.5), separated by blanks.
std::wstring DescribeChain(const resbuf* chain)
{
    std::wostringstream text;
    for (const resbuf* node = chain; node; node = node->rbnext) {
        text << (node == chain ? L"" : L" ") << node->restype;
        if (node->restype == RTSTR)
            text << L'"' << (node->resval.rstring ? node->resval.rstring : L"(null)") << L'"';
        else if (node->restype == RTSHORT || node->restype == RTLONG)
            text << L'=' << (node->restype == RTSHORT ? node->resval.rint : node->resval.rlong);
        else if (node->restype == RTREAL)
            text << L'=' << node->resval.rreal;
    }
    return text.str();
}

// A scripted host (no message boxes, no file dialogs) with a module of the
// test's own: it registers the LISP function PROBE with function code 7 per
// drawing, records the messages and each call as "code:chain", and runs the
// test's handler.
class ArxHostTest : public testing::Test {
protected:
    ArxHostTest()
    {
        current = this;
        host.Script().active = true;
        host.SetWriters([](const std::wstring&) {},
                        [this](const std::wstring& text) { err += text; });
        app = host.AttachModule(L"probe", Entry);
    }

    static AcRx::AppRetCode Entry(AcRx::AppMsgCode message, void*)
    {
        current->messages.push_back(message);
        if (message == AcRx::kLoadDwgMsg)
            acedDefun(L"PROBE", 7);
        if (message == AcRx::kUnloadDwgMsg)
            acedUndef(L"PROBE", 7);
        if (message == AcRx::kInvkSubrMsg) {
            current->calls.push_back(std::to_wstring(acedGetFunCode()) + L":"
                                     + DescribeChain(acedGetArgs()));
            if (current->handler)
                current->handler();
        }
        return AcRx::kRetOK;
    }

    // One expression: its printed value, "<no value>" or "error: " and the message.
    std::wstring Eval(const std::wstring& source)
    {
        ArxEvalResult result = host.Evaluate(source).at(0);
        const wchar_t* const kinds[] = {L"", L"<no value>", L"error: "};
        return kinds[static_cast<int>(result.kind)] + result.text;
    }

    inline static ArxHostTest* current = nullptr;
    std::vector<int> messages;
    std::vector<std::wstring> calls;
    std::function<void()> handler;   // runs inside message 5
    std::wstring err;   // what the host writes to standard error
    ArxHost host;
    void* app = nullptr;
};

using ArxHostCall = ArxHostTest;
using ArxHostModules = ArxHostTest;
using ArxHostScript = ArxHostTest;

TEST_F(ArxHostCall, ArgumentsBecomeTheDocumentedChain)
{
    for (const wchar_t* call : {L"(probe \"s\" 1 -32768 32767 32768 -32769 2.5 nil t)",
                                L"(probe '(1 \"a\" (2.5)) '(\"A\" . 1) '())",
                                L"(probe '(\"A\" \"B\") '(\"T1\") '(\"3\" \"4\") nil)", L"(probe)"})
        EXPECT_EQ(Eval(call), L"<no value>");
    // Values without a chain form stop the call before the module sees it.
    EXPECT_EQ(Eval(L"(probe 'layer)"), L"error: bad argument type: LAYER");
    EXPECT_EQ(Eval(L"(probe '(1 . sym))"), L"error: bad argument type: SYM");
    EXPECT_EQ(calls, (std::vector<std::wstring>{
                         L"7:5005\"s\" 5003=1 5003=-32768 5003=32767 5010=32768 5010=-32769 "
                         L"5001=2.5 5019 5021",
                         L"7:5016 5003=1 5005\"a\" 5016 5001=2.5 5017 5017 5016 5005\"A\" 5003=1 "
                         L"5018 5019",
                         L"7:5016 5005\"A\" 5005\"B\" 5017 5016 5005\"T1\" 5017 5016 5005\"3\" "
                         L"5005\"4\" 5017 5019",
                         L"7:"}));
}

TEST_F(ArxHostCall, ReturnedChainsBecomeLispValues)
{
    const std::pair<resbuf*, const wchar_t*> answers[] = {
        {acutBuildList(RTLB, RTSTR, L"A", RTLB, RTSHORT, 1, RTNIL, RTLE, RTLE, 0),
         L"(\"A\" (1 nil))"},
        {acutBuildList(RTSTR, L"A", RTLONG, 70000, RTREAL, 2.5, RTT, 0), L"(\"A\" 70000 2.5 T)"},
        {acutBuildList(RTLB, RTSTR, L"A", RTSHORT, 1, RTDOTE, 0), L"(\"A\" . 1)"},
        {acutBuildList(RTLB, RTLB, RTLE, RTNIL, RTLE, 0), L"(nil nil)"},
        {nullptr, L"nil"},
        // Chains of another shape give a value, not a crash.
        {acutBuildList(RTLB, RTSTR, L"open", 0), L"(\"open\")"},
        {acutBuildList(RTLE, RTSTR, L"x", RTLE, RTDOTE, 0), L"(\"x\")"}};
    for (auto [chain, value] : answers) {
        handler = [chain = chain] { acedRetList(chain), acutRelRb(chain); };
        EXPECT_EQ(Eval(L"(probe)"), value);
    }
    EXPECT_EQ(host.Script().returnedLists.size(), std::size(answers)) << "lists not recorded";

    // nil and no value are told apart; a module may take its value back,
    // and each call starts with no value.
    handler = [] { acedRetNil(); };
    EXPECT_EQ(Eval(L"(probe)"), L"nil");
    handler = [] { acedRetNil(), acedRetVoid(); };
    EXPECT_EQ(Eval(L"(probe)"), L"<no value>");
    handler = nullptr;
    EXPECT_EQ(Eval(L"(probe)"), L"<no value>");

    // A call made without LISP hands over a copy of the caller's chain.
    resbuf* chain = acutBuildList(RTSTR, L"L-01", RTSHORT, 4, 0);
    EXPECT_EQ(host.InvokeFunction(app, 3, chain).kind, ArxEvalResult::Kind::NoValue);
    EXPECT_EQ(calls.back(), L"3:5005\"L-01\" 5003=4");
    EXPECT_EQ(DescribeChain(chain), L"5005\"L-01\" 5003=4") << "the caller's chain changed";
    acutRelRb(chain);
}

TEST_F(ArxHostModules, MessagesFollowTheModulesLifeAndRegistrationTheDrawing)
{
    EXPECT_EQ(messages, (std::vector<int>{1, 3}));
    EXPECT_TRUE(host.IsRegistered(L"probe") && host.HasFunction(L"PROBE"));
    host.SendAppMessage(app, AcRx::kUnloadDwgMsg);
    EXPECT_FALSE(host.IsRegistered(L"PROBE"));
    EXPECT_EQ(Eval(L"(probe)"), L"error: no function definition: PROBE");
    host.SendAppMessage(app, AcRx::kLoadDwgMsg);
    EXPECT_TRUE(host.IsRegistered(L"PROBE"));
    messages.clear();
    host.UnloadModules();
    EXPECT_EQ(messages, (std::vector<int>{4, 2}));
    EXPECT_FALSE(host.HasFunction(L"PROBE")) << "a function outlived its module";

    // The built module, loaded from its file, also tells the dynamic linker
    // that it may be unloaded and handles several drawings.
    wchar_t path[MAX_PATH];
    std::wstring module(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    module = module.substr(0, module.find_last_of(L"\\/") + 1) + L"lotgrid.arx";
    std::wstring error;
    ASSERT_TRUE(host.LoadModule(module, error));
    EXPECT_TRUE(host.IsRegistered(L"LOTDIALOG"));
    const std::vector<ArxLinkerCall>& linker = host.Script().linkerCalls;
    ASSERT_EQ(linker.size(), 2u);
    EXPECT_EQ(linker[0].appId, linker[1].appId);
    EXPECT_TRUE(host.IsUnlocked(linker[0].appId) && host.IsMdiAware(linker[0].appId));
    host.UnloadModules();
    EXPECT_FALSE(host.IsRegistered(L"LOTDIALOG"));
    EXPECT_EQ(GetModuleHandleW(L"lotgrid.arx"), nullptr) << "the library stayed loaded";
}

TEST_F(ArxHostScript, AlertsFailuresVariablesAndFileDialogsAsTheModuleMeetsThem)
{
    acedAlert(L"Count of layers not equal\ncount of \"counts\"");
    acdbFail(L"\n Error of allocate memory");
    EXPECT_EQ(err, L"Alert: \"Count of layers not equal\\ncount of \\\"counts\\\"\"\n"
                   L"acdbFail: \n Error of allocate memory\n");

    // Answers as "status node"; a string is the caller's to free().
    host.SetDrawing(L"C:/proj/site/Site plan.dwg");
    host.Script().fileAnswers = {L"C:\\site\\lots.tab", std::nullopt};   // then none: Cancel
    const std::function<int(resbuf*)> questions[] = {
        [](resbuf* r) { return acedGetVar(L"DWGPREFIX", r); },
        [](resbuf* r) { return acedGetVar(L"dwgname", r); },
        [](resbuf* r) { return acedGetVar(L"CLAYER", r); },
        [](resbuf* r) { return acedGetFileD(L"Save table", L"C:\\site\\a.tab", L"tab", 3, r); },
        [](resbuf* r) { return acedGetFileD(L"Load table", L"", L"tab", 0, r); },
        [](resbuf* r) { return acedGetFileD(L"Load", L"x.lsp", L"lsp", 1, r); }};
    std::wstring answers;
    for (const auto& ask : questions) {
        resbuf node{};
        answers += std::to_wstring(ask(&node)) + L" ";   // before the node is described
        answers += DescribeChain(&node) + L"\n";
        free(node.restype == RTSTR ? node.resval.rstring : nullptr);
    }
    EXPECT_EQ(answers, L"5100 5005\"C:\\proj\\site\\\"\n5100 5005\"Site plan.dwg\"\n-5001 0\n"
                       L"5100 5005\"C:\\site\\lots.tab\"\n-5001 0\n-5001 0\n");
    EXPECT_EQ(Eval(L"(list (getvar \"dwgprefix\") (getvar \"DWGNAME\") (getvar \"CLAYER\"))"),
              L"(\"C:\\\\proj\\\\site\\\\\" \"Site plan.dwg\" \"0\")");
}

TEST_F(ArxHostScript, ListUtilitiesCopyAndFailOnDemand)
{
    wchar_t text[] = L"Lot";
    ads_point point = {1.0, 2.0, 3.0};
    resbuf* chain = acutBuildList(RTLB, RTSTR, text, RTSHORT, 3, RTLONG, 70000, RTREAL, 2.5,
                                  RT3DPOINT, point, RTLE, 0);
    text[0] = L'X';   // the chain holds its own copy
    EXPECT_EQ(DescribeChain(chain), L"5016 5005\"Lot\" 5003=3 5010=70000 5001=2.5 5009 5017");
    EXPECT_EQ(chain->rbnext->rbnext->rbnext->rbnext->rbnext->resval.rpoint[2], 3.0);
    acutRelRb(chain);
    EXPECT_EQ(acutBuildList(RTSTR, L"a", 4242, 1, 0), nullptr) << "unknown type code";

    // A fault lets `succeed` calls of its own operation pass, then fails
    // `fail` (negative: all later ones). Neither acutBuildList's own nodes
    // nor the host's conversions of a call's arguments use one up.
    host.Script().failNewRb = {1, -1};
    host.Script().failStrdup = {0, 1};
    host.Script().failBuildList = {1, 1};
    std::wstring made;
    for (int i = 0; i < 3; ++i) {
        resbuf* node = acutNewRb(RTREAL);
        wchar_t* copy = acad__strdup(L"x");
        resbuf* built = acutBuildList(RTSTR, L"copy", 0);
        made += std::wstring(node ? L"n" : L"-") + (copy ? L"s" : L"-") + (built ? L"b " : L"- ");
        acutRelRb(node), free(copy), acutRelRb(built);
    }
    EXPECT_EQ(made, L"n-b -s- -sb ");
    EXPECT_EQ(Eval(L"(probe '(\"A\") 1)"), L"<no value>");
    EXPECT_EQ(calls.back(), L"7:5016 5005\"A\" 5017 5003=1");
}

}  // namespace
