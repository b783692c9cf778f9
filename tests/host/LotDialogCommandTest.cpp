#include "CWnd.h"
#include "LotDialogCommand.h"
#include "MessageLog.h"
#include "ModalAnswerer.h"
#include "ScriptedHostCall.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::wstring> Texts(const CStringArray& items)
{
    std::vector<std::wstring> texts;
    for (const CString& item : items)
        texts.push_back(item.str());
    return texts;
}

using Words = std::vector<std::wstring>;

// (layers) (types) (counts) nil, layers and counts given in pairs.
resbuf* TableArguments(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> layers)
{
    resbuf* chain = acutBuildList(RTLB, 0);
    resbuf* tail = chain;
    auto add = [&tail](resbuf* node) {
        tail->rbnext = node;
        while (tail->rbnext)
            tail = tail->rbnext;
    };
    for (const auto& layer : layers)
        add(acutBuildList(RTSTR, layer.first, 0));
    add(acutBuildList(RTLE, RTLB, RTSTR, L"T1", RTLE, RTLB, 0));
    for (const auto& layer : layers)
        add(acutBuildList(RTSTR, layer.second, 0));
    add(acutBuildList(RTLE, RTNIL, 0));
    return chain;
}

// A host window that logs its repaints.
class HostWindow : public CWnd {
public:
    HostWindow(const char* name, MessageLog& log, HWND parent = nullptr)
        : m_name(name), m_log(log)
    {
        CreateEx(0, nullptr, L"host", (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE,
                 0, 0, 300, 200, parent, nullptr);
    }
    ~HostWindow() override { DestroyWindow(); }

protected:
    BOOL OnEraseBkgnd(CDC*) override
    {
        m_log.Add(m_name + ":erase");
        return TRUE;
    }
    void OnPaint() override
    {
        m_log.Add(m_name + ":paint");
        Default();
    }

private:
    std::string m_name;
    MessageLog& m_log;
};

void ClearKeptState()
{
    SavedLayers.RemoveAll();
    SavedCounts.RemoveAll();
    SavedLayerUsed.RemoveAll();
    SavedTypeChoices.Empty();
    SavedResults.RemoveAll();
}

} // namespace

TEST(LotArguments, LayersSortCaseInsensitivelyWithStarAndCarryTheirCounts)
{
    ScriptedHostCall call;
    {
        Chain args(TableArguments({{L"D", L"1"}, {L"b", L"2"}, {L"A", L"3"}}));
        MyCug grid;
        ASSERT_EQ(TakeLotArguments(args.get(), grid), RTNORM);
        EXPECT_EQ(Texts(grid.Layers), Words({L"*", L"A", L"b", L"D"}));
        EXPECT_EQ(Texts(grid.Counts), Words({L"", L"3", L"2", L"1"}));
        EXPECT_EQ(grid.TypeChoices, L"T1\n");
        EXPECT_EQ(grid.Results.GetSize(), 0) << "fourth argument nil: no rows";
        for (int used : grid.LayerUsed)
            EXPECT_EQ(used, 0);
    }
    {
        // Names beginning with a character before "*" stay ahead of it.
        Chain args(TableArguments({{L"(b", L"1"}, {L" a", L"2"}, {L"!x", L"3"}, {L"'q", L"4"}}));
        MyCug grid;
        ASSERT_EQ(TakeLotArguments(args.get(), grid), RTNORM);
        EXPECT_EQ(Texts(grid.Layers), Words({L" a", L"!x", L"'q", L"(b", L"*"}));
        EXPECT_EQ(Texts(grid.Counts), Words({L"2", L"3", L"4", L"1", L""}));
    }
    {
        // Names equal but for case keep the order the exchange sort leaves.
        Chain first(TableArguments({{L"B", L"1"}, {L"b", L"2"}, {L"A", L"3"}}));
        MyCug grid;
        ASSERT_EQ(TakeLotArguments(first.get(), grid), RTNORM);
        EXPECT_EQ(Texts(grid.Layers), Words({L"*", L"A", L"B", L"b"}));
        Chain second(TableArguments({{L"b", L"1"}, {L"B", L"2"}, {L"A", L"3"}}));
        MyCug other;
        ASSERT_EQ(TakeLotArguments(second.get(), other), RTNORM);
        EXPECT_EQ(Texts(other.Layers), Words({L"*", L"A", L"b", L"B"}));
    }
    EXPECT_TRUE(call.Alerts().empty());
}

TEST(LotArguments, RowsMarkTheirLayersUsedOnlyInTheSameCase)
{
    ScriptedHostCall call;
    Chain args(acutBuildList(RTLB, RTSTR, L"A", RTSTR, L"B", RTLE,
                             RTLB, RTSTR, L"T1", RTLE,
                             RTLB, RTSTR, L"3", RTSTR, L"4", RTLE,
                             RTLB,
                             RTLB, RTSTR, L"a", RTSTR, L"3", RTSTR, L"T1", RTSTR, L"1", RTLE,
                             RTLB, RTSTR, L"B", RTSTR, L"4", RTSTR, L"T1", RTSTR, L"4", RTLE,
                             RTLE, 0));
    MyCug grid;
    ASSERT_EQ(TakeLotArguments(args.get(), grid), RTNORM);
    ASSERT_EQ(grid.Results.GetSize(), 2);
    EXPECT_EQ(grid.Results[1].Layer, L"B");
    EXPECT_EQ(grid.Results[1].Numbering, L"4");
    EXPECT_EQ(Texts(grid.Layers), Words({L"*", L"A", L"B"}));
    EXPECT_EQ(grid.LayerUsed[1], 0) << "a does not mark A";
    EXPECT_EQ(grid.LayerUsed[2], 1);
}

TEST(LotArguments, CountMismatchAndChainsOfAnotherShapeAreRefusedWithAnAlert)
{
    ScriptedHostCall call;
    {
        Chain args(acutBuildList(RTLB, RTSTR, L"A", RTSTR, L"B", RTLE, RTLB, RTSTR, L"T", RTLE,
                                 RTLB, RTSTR, L"3", RTLE, RTNIL, 0));
        MyCug grid;
        EXPECT_EQ(TakeLotArguments(args.get(), grid), RTERROR);
        ASSERT_EQ(call.Alerts().size(), 1u);
        EXPECT_EQ(call.Alerts()[0], L"Count of layers not equal count of counts");
    }
    resbuf* shapes[] = {
        // an empty list (nil) for the layers
        acutBuildList(RTNIL, RTLB, RTSTR, L"T", RTLE, RTLB, RTSTR, L"3", RTLE, RTNIL, 0),
        // a number among the layers
        acutBuildList(RTLB, RTSHORT, 5, RTLE, RTLB, RTSTR, L"T", RTLE, RTLB, RTSTR, L"3", RTLE,
                      RTNIL, 0),
        // a row of three strings
        acutBuildList(RTLB, RTSTR, L"A", RTLE, RTLB, RTSTR, L"T", RTLE, RTLB, RTSTR, L"3", RTLE,
                      RTLB, RTLB, RTSTR, L"A", RTSTR, L"3", RTSTR, L"T", RTLE, RTLE, 0),
        // the chain ends early
        acutBuildList(RTLB, RTSTR, L"A", RTLE, RTLB, RTSTR, L"T", 0),
        // no fourth argument
        acutBuildList(RTLB, RTSTR, L"A", RTLE, RTLB, RTSTR, L"T", RTLE, RTLB, RTSTR, L"3", RTLE, 0),
        // one argument too many
        acutBuildList(RTLB, RTSTR, L"A", RTLE, RTLB, RTSTR, L"T", RTLE, RTLB, RTSTR, L"3", RTLE,
                      RTNIL, RTSHORT, 1, 0),
    };
    for (resbuf* shape : shapes) {
        Chain args(shape);
        call.host.Script().alerts.clear();
        MyCug grid;
        EXPECT_EQ(TakeLotArguments(args.get(), grid), RTERROR);
        ASSERT_EQ(call.Alerts().size(), 1u);
        EXPECT_EQ(call.Alerts()[0].rfind(L"Bad arguments to LOTDIALOG", 0), 0u);
    }
}

TEST(LotDialogCall, OkKeepsTheTableAndACallWithoutArgumentsReopensIt)
{
    ClearKeptState();
    {
        Chain args(acutBuildList(RTLB, RTSTR, L"B", RTSTR, L"A", RTLE,
                                 RTLB, RTSTR, L"T1", RTSTR, L"T2", RTLE,
                                 RTLB, RTSTR, L"4", RTSTR, L"3", RTLE,
                                 RTLB, RTLB, RTSTR, L"A", RTSTR, L"3", RTSTR, L"T1", RTSTR,
                                 L"1", RTLE, RTLE, 0));
        ScriptedHostCall call(args.get());
        MessageLog log;
        HostWindow mainWindow("main", log);
        HostWindow drawing("drawing", log, mainWindow.m_hWnd);
        call.host.SetWindows(mainWindow.m_hWnd, drawing.m_hWnd);
        ModalAnswerer answerer({IDOK});
        EXPECT_EQ(LotDialogCommand(), RTNORM);
        ASSERT_EQ(answerer.seen.size(), 1u);
        EXPECT_EQ(answerer.seen[0].caption, L"Lot area rapid");
        EXPECT_EQ(call.Value(), L"((\"A\" \"3\" \"T1\" \"1\"))");
        // After OK the drawing window, then the main window, are repainted at
        // once, each erased as its painting begins.
        const std::vector<std::string>& lines = log.Lines();
        ASSERT_GE(lines.size(), 4u);
        EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()),
                  std::vector<std::string>({"drawing:paint", "drawing:erase", "main:paint",
                                            "main:erase"}));
    }
    EXPECT_EQ(Texts(SavedLayers), Words({L"*", L"A", L"B"}));
    EXPECT_EQ(Texts(SavedCounts), Words({L"", L"3", L"4"}));
    ASSERT_EQ(SavedLayerUsed.GetSize(), 3);
    EXPECT_EQ(SavedLayerUsed[1], 1);
    ASSERT_EQ(SavedResults.GetSize(), 1);
    CString keptTypes = SavedTypeChoices;
    EXPECT_EQ(keptTypes.Left(6), L"T1\nT2\n");

    {
        ScriptedHostCall call;   // no arguments
        ModalAnswerer answerer({IDOK});
        EXPECT_EQ(LotDialogCommand(), RTNORM);
        EXPECT_EQ(call.Value(), L"((\"A\" \"3\" \"T1\" \"1\"))");
    }
    EXPECT_EQ(Texts(SavedLayers), Words({L"*", L"A", L"B"}));
    EXPECT_EQ(SavedLayerUsed[1], 1);
}

TEST(LotDialogCall, CancelAnswersNilAndKeepsTheEarlierTable)
{
    ClearKeptState();
    SavedLayers.Add(L"kept");
    Chain args(TableArguments({{L"A", L"3"}}));
    ScriptedHostCall call(args.get());
    ModalAnswerer answerer({IDCANCEL, IDOK});   // Cancel, then confirm it
    EXPECT_EQ(LotDialogCommand(), RTERROR);
    EXPECT_TRUE(call.HasValue());
    EXPECT_EQ(call.Value(), L"nil");
    ASSERT_EQ(answerer.seen.size(), 2u);
    EXPECT_EQ(answerer.seen[1].text, L"Do your really want to cancel dialog?");
    EXPECT_EQ(Texts(SavedLayers), Words({L"kept"}));
}

TEST(LotDialogCall, CountMismatchShowsNoDialogAndGivesNoValue)
{
    ClearKeptState();
    Chain args(acutBuildList(RTLB, RTSTR, L"A", RTLE, RTLB, RTSTR, L"T", RTLE,
                             RTLB, RTSTR, L"3", RTSTR, L"4", RTLE, RTNIL, 0));
    ScriptedHostCall call(args.get());
    ModalAnswerer answerer({IDOK});
    EXPECT_EQ(LotDialogCommand(), RTERROR);
    EXPECT_TRUE(answerer.seen.empty()) << "no dialog";
    EXPECT_FALSE(call.HasValue());
    EXPECT_EQ(call.Alerts(), std::vector<std::wstring>({L"Count of layers not equal count of counts"}));
    EXPECT_EQ(SavedLayers.GetSize(), 0);
}

TEST(LotDialogCall, FirstCallWithoutArgumentsStartsFromAnEmptyTable)
{
    ClearKeptState();
    ScriptedHostCall call;
    ModalAnswerer answerer({IDOK});
    EXPECT_EQ(LotDialogCommand(), RTNORM);
    // The empty table is one "*" row of no lots, which needs no type.
    EXPECT_EQ(call.Value(), L"((\"*\" \"0\" \"\" \"1\"))");
}
