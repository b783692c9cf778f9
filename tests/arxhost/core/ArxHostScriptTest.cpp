// The host operations a module uses besides calls: alert, failure, system
// variables, file dialog and the list utilities, with a scripted host.
#include <gtest/gtest.h>

#include <cwchar>

#include "ProbeModule.h"
#include "arx/acdb.h"
#include "arx/acedads.h"
#include "arx/acutads.h"
#include "arx/adscodes.h"

namespace {

TEST(ArxHostScript, AlertsAndFailuresAreRecordedAndWrittenAsLines)
{
    ScriptedHost scripted;
    acedAlert(L"Count of layers not equal count of counts");
    acedAlert(L"Line 1\nsays \"2\"");
    acdbFail(L"\n Error of allocate memory ads_list_user & operator + (ads_int)");
    EXPECT_EQ(scripted.err, L"Alert: \"Count of layers not equal count of counts\"\n"
                            L"Alert: \"Line 1\\nsays \\\"2\\\"\"\n"
                            L"acdbFail: \n Error of allocate memory ads_list_user & operator + "
                            L"(ads_int)\n");
    EXPECT_EQ(scripted.out, L"");
    ASSERT_EQ(scripted.host.Script().alerts.size(), 2u);
    EXPECT_EQ(scripted.host.Script().alerts[1], L"Line 1\nsays \"2\"");
    ASSERT_EQ(scripted.host.Script().failures.size(), 1u);
    EXPECT_EQ(scripted.host.Script().failures[0],
              L"\n Error of allocate memory ads_list_user & operator + (ads_int)");
}

TEST(ArxHostScript, DrawingVariablesFollowTheDrawing)
{
    ScriptedHost scripted;
    auto var = [](const wchar_t* name) {
        resbuf value{};
        if (acedGetVar(name, &value) != RTNORM)
            return std::wstring(L"<error>");
        std::wstring text = value.restype == RTSTR ? value.resval.rstring : L"<not a string>";
        free(value.resval.rstring);
        return text;
    };
    EXPECT_EQ(var(L"DWGNAME"), L"Drawing1.dwg");
    std::wstring prefix = var(L"DWGPREFIX");
    ASSERT_FALSE(prefix.empty());
    EXPECT_EQ(prefix.back(), L'\\');

    scripted.host.SetDrawing(L"C:/proj/site/Site plan.dwg");
    EXPECT_EQ(var(L"DWGPREFIX"), L"C:\\proj\\site\\");
    EXPECT_EQ(var(L"dwgname"), L"Site plan.dwg");
    EXPECT_EQ(var(L"CLAYER"), L"<error>");
    EXPECT_EQ(scripted.host.Evaluate(L"(getvar \"DWGNAME\")")[0].text, L"\"Site plan.dwg\"");
}

TEST(ArxHostScript, FileDialogsAreAnsweredFromTheQueueAndRecorded)
{
    ScriptedHost scripted;
    ArxScript& script = scripted.host.Script();
    script.fileAnswers = {L"C:\\site\\lots.tab", std::nullopt};

    resbuf path{};
    EXPECT_EQ(acedGetFileD(L"Save table", L"C:\\site\\Site plan.tab", L"tab", 3, &path), RTNORM);
    EXPECT_EQ(path.restype, RTSTR);
    EXPECT_STREQ(path.resval.rstring, L"C:\\site\\lots.tab");
    free(path.resval.rstring);

    resbuf untouched{};
    EXPECT_EQ(acedGetFileD(L"Load table", L"", L"tab", 0, &untouched), RTERROR);   // Cancel
    EXPECT_EQ(acedGetFileD(L"Load table", L"", L"tab", 0, &untouched), RTERROR);   // queue empty
    EXPECT_EQ(untouched.resval.rstring, nullptr);

    ASSERT_EQ(script.fileRequests.size(), 3u);
    EXPECT_EQ(script.fileRequests[0].title, L"Save table");
    EXPECT_EQ(script.fileRequests[0].defaultPath, L"C:\\site\\Site plan.tab");
    EXPECT_EQ(script.fileRequests[0].extension, L"tab");
    EXPECT_EQ(script.fileRequests[0].flags, 3);
    EXPECT_EQ(script.fileRequests[2].flags, 0);
}

TEST(ArxHostScript, ListUtilitiesCopyAndFailOnDemand)
{
    ScriptedHost scripted;
    wchar_t text[] = L"Lot";
    ads_point point = {1.0, 2.0, 3.0};
    resbuf* chain = acutBuildList(RTLB, RTSTR, text, RTSHORT, 3, RTLONG, 70000, RTREAL, 2.5,
                                  RT3DPOINT, point, RTLE, 0);
    text[0] = L'X';   // the chain holds its own copy
    EXPECT_EQ(DescribeChain(chain), L"5016 5005\"Lot\" 5003=3 5010=70000 5001=2.5 5009 5017");
    EXPECT_EQ(chain->rbnext->rbnext->rbnext->rbnext->rbnext->resval.rpoint[2], 3.0);
    acutRelRb(chain);
    EXPECT_EQ(acutBuildList(RTSTR, L"a", 4242, 1, 0), nullptr) << "unknown type code";

    ArxScript& script = scripted.host.Script();
    script.failNewRb = {1, 1};   // the second call fails, the others succeed
    resbuf* first = acutNewRb(RTSHORT);
    resbuf* second = acutNewRb(RTSHORT);
    resbuf* third = acutNewRb(RTREAL);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(second, nullptr);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->restype, RTREAL);
    EXPECT_EQ(third->rbnext, nullptr);
    acutRelRb(first);
    acutRelRb(third);

    // Only the chosen operation fails; acutBuildList's own nodes and copies
    // do not use up the faults of the others.
    script.failNewRb = {0, -1};
    script.failStrdup = {0, -1};
    resbuf* built = acutBuildList(RTSTR, L"copy", 0);
    ASSERT_NE(built, nullptr);
    EXPECT_EQ(DescribeChain(built), L"5005\"copy\"");
    acutRelRb(built);
    EXPECT_EQ(acutNewRb(RTSTR), nullptr);
    EXPECT_EQ(acad__strdup(L"x"), nullptr);

    script.failNewRb = {};
    script.failStrdup = {};
    script.failBuildList = {0, 1};
    EXPECT_EQ(acutBuildList(RTSTR, L"a", 0), nullptr);
    resbuf* again = acutBuildList(RTSTR, L"a", 0);
    EXPECT_NE(again, nullptr);
    acutRelRb(again);
    wchar_t* copy = acad__strdup(L"text");
    EXPECT_STREQ(copy, L"text");
    free(copy);

    // The host's own conversions never use up a module's faults.
    ProbeModule::Reset();
    scripted.host.AttachModule(L"probe", ProbeModule::Entry);
    script.failNewRb = {0, -1};
    script.failStrdup = {0, -1};
    EXPECT_EQ(scripted.host.Evaluate(L"(probe '(\"A\") 1)")[0].kind,
              ArxEvalResult::Kind::NoValue);
    EXPECT_EQ(ProbeModule::arguments.back(), L"5016 5005\"A\" 5017 5003=1");
}

}  // namespace
