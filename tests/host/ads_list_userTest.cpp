#include "ScriptedHostCall.h"
#include "ads_list_user.h"

#include <gtest/gtest.h>

namespace {

std::vector<short> Types(const resbuf* chain)
{
    std::vector<short> types;
    for (const resbuf* node = chain; node; node = node->rbnext)
        types.push_back(node->restype);
    return types;
}

} // namespace

TEST(ads_list_user, EachValueTypeAppendsItsNodeAndChainsLinkInWhole)
{
    ScriptedHostCall call;
    ads_list_user list;
    const long pair[2] = {-7, 9};
    const ads_point point = {1.5, 2.5, 3.5};
    list + ads_int(3) + 70000L + 2.5 + L"lot" + pair + point;
    list + acutBuildList(RTLB, RTSTR, L"a", RTLE, 0);
    list + ads_int(4);

    EXPECT_EQ(Types(list.first()), std::vector<short>({RTSHORT, RTLONG, RTREAL, RTSTR, RTENAME,
                                                        RT3DPOINT, RTLB, RTSTR, RTLE, RTSHORT}));
    list.rewind();
    EXPECT_EQ(list.next()->resval.rint, 3);
    EXPECT_EQ(list.next()->resval.rlong, 70000);
    EXPECT_EQ(list.next()->resval.rreal, 2.5);
    EXPECT_STREQ(list.next()->resval.rstring, L"lot");
    resbuf* names = list.next();
    EXPECT_EQ(names->resval.rlname[0], -7) << "sign-extended";
    EXPECT_EQ(names->resval.rlname[1], 9);
    EXPECT_EQ(list.next()->resval.rpoint[2], 3.5);
    EXPECT_EQ(list.last()->resval.rint, 4) << "the linked chain's end became the tail";
    EXPECT_EQ(list.last()->rbnext, nullptr);
}

TEST(ads_list_user, NextStopsAtTheEndUntilRewindAndEmptyListsHandOverNothing)
{
    ScriptedHostCall call;
    ads_list_user empty;
    EXPECT_TRUE(empty.is_empty());
    empty.ret_list();
    EXPECT_EQ(call.Value(), L"nil") << "a null chain is nil for LISP";

    ads_list_user list;
    list + L"a";
    list.rewind();
    EXPECT_NE(list.next(), nullptr);
    EXPECT_EQ(list.next(), nullptr);
    EXPECT_EQ(list.next(), nullptr);
    list.rewind();
    EXPECT_NE(list.next(), nullptr);
}

TEST(ads_list_user, CopyDuplicatesNodesAndStrings)
{
    ScriptedHostCall call;
    ads_list_user list;
    list + L"one" + ads_int(2);
    ads_list_user copy(list);
    ASSERT_EQ(Types(copy.first()), Types(list.first()));
    EXPECT_NE(copy.first()->resval.rstring, list.first()->resval.rstring);
    EXPECT_STREQ(copy.first()->resval.rstring, L"one");
}

TEST(ads_list_user, AllocationFailuresAreReportedAndBuildingGoesOn)
{
    ScriptedHostCall call;
    ArxScript& script = call.host.Script();
    ads_list_user list;

    script.failNewRb = {0, 1};
    list + ads_int(1);
    EXPECT_EQ(list.last_new, nullptr);
    script.failNewRb = {0, 1};
    list + 5L;
    script.failNewRb = {0, 1};
    list + 1.0;
    script.failBuildList = {0, 1};
    list + L"x";
    script.failNewRb = {0, 1};
    const long pair[2] = {1, 2};
    list + pair;
    script.failNewRb = {0, 1};
    const ads_point point = {0, 0, 0};
    list + point;
    EXPECT_TRUE(list.is_empty());
    list + L"kept";
    EXPECT_EQ(Types(list.first()), std::vector<short>({RTSTR}));

    EXPECT_EQ(script.failures,
              std::vector<std::wstring>({
                  L"\n Error of allocate memory ads_list_user & operator + (ads_int)",
                  L"\n Error of allocate memory ads_list_user & operator + (long )",
                  L"\n Error of allocate memory ads_list_user & operator + (ads_real)",
                  L"\n Error of allocate memory ads_list_user & operator + (char * )",
                  L"\n Error of allocate memory ads_list_user & operator + (long r[2])",
                  L"\n Error of allocate memory ads_list_user & operator + (ads_point)",
              }));

    list + L"second";
    script.failures.clear();
    script.failStrdup = {0, 1};
    ads_list_user copy(list);
    EXPECT_EQ(script.failures, std::vector<std::wstring>(
                                   {L"\n Error of allocate memory ads_list_user(ads_list_user &"}));
    ASSERT_EQ(Types(copy.first()), std::vector<short>({RTSTR}));
    EXPECT_STREQ(copy.first()->resval.rstring, L"second") << "the failed node is skipped";
}
