#include "ScriptedHostCall.h"
#include "ads_list_user.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// The nodes from the list's cursor on, as "type:value ...".
std::wstring Walk(ads_list_user& list)
{
    std::wstring text;
    for (const resbuf* node = list.next(); node; node = list.next()) {
        const ads_u_val& v = node->resval;
        auto n = [](auto value) { return std::to_wstring(value); };
        const short t = node->restype;
        text += n(t) + L":"
                + (t == RTSHORT ? n(v.rint) : t == RTLONG ? n(v.rlong) : t == RTREAL ? n(v.rreal)
                   : t == RTSTR ? v.rstring : t == RTENAME ? n(v.rlname[0]) + L"," + n(v.rlname[1])
                   : t == RT3DPOINT ? n(v.rpoint[0]) + L"," + n(v.rpoint[2]) : L"") + L" ";
    }
    return text;
}

} // namespace

// A chain links in whole; a copy skips a string it cannot duplicate.
TEST(ads_list_user, EachValueAppendsItsNodeOrReportsItsFailureAndBuildingGoesOn)
{
    ScriptedHostCall call;
    ArxScript& script = call.host.Script();
    const long pair[2] = {-7, 9};
    const ads_point point = {1.5, 2.5, 3.5};
    const std::pair<const wchar_t*, std::function<void(ads_list_user&)>> appends[] = {
        {L"ads_int)", [](ads_list_user& l) { l + ads_int(3); }},
        {L"long )", [](ads_list_user& l) { l + 70000L; }},
        {L"ads_real)", [](ads_list_user& l) { l + 2.5; }},
        {L"char * )", [](ads_list_user& l) { l + L"lot"; }},
        {L"long r[2])", [&pair](ads_list_user& l) { l + pair; }},
        {L"ads_point)", [&point](ads_list_user& l) { l + point; }},
    };
    ads_list_user list;
    for (const auto& [name, append] : appends) {
        script.failNewRb = script.failBuildList = {0, 1};
        append(list);
        EXPECT_EQ(list.last_new, nullptr);
        EXPECT_EQ(script.failures.back(),
                  std::wstring(L"\n Error of allocate memory ads_list_user & operator + (") + name);
        script.failNewRb = script.failBuildList = {};
        append(list);
    }
    list + acutBuildList(RTLB, RTLE, 0) + ads_int(4);
    list.rewind();
    const std::wstring nodes = L"5003:3 5010:70000 5001:2.500000 5005:lot 5006:-7,9 5009:1.500000,3.500000 ";
    EXPECT_EQ(Walk(list), nodes + L"5016: 5017: 5003:4 ");
    EXPECT_EQ(list.next(), nullptr) << "next stays at the end until a rewind";
    script.failures.clear();
    script.failStrdup = {0, 1};
    ads_list_user copy(list);
    EXPECT_EQ(script.failures, std::vector<std::wstring>{L"\n Error of allocate memory ads_list_user(ads_list_user &"});
    EXPECT_EQ(Walk(copy), L"5003:3 5010:70000 5001:2.500000 5006:-7,9 5009:1.500000,3.500000 5016: 5017: 5003:4 ");
    ads_list_user empty;
    empty.ret_list();
    EXPECT_EQ(call.Value(), L"nil") << "an empty list hands over nil";
}
