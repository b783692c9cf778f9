#include "CWnd.h"
#include "Fuzz.h"
#include "LotDialogCommand.h"
#include "LotGridDriver.h"
#include "MessageLog.h"
#include "ModalAnswerer.h"
#include "ModuleHarness.h"
#include "ScriptedHostCall.h"
#include "arx/acedads.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>

namespace {

struct HostWindow : CWnd {
    HostWindow(const char* name, MessageLog& log, HWND parent = nullptr) : name(name), log(log)
    {
        CreateEx(0, nullptr, L"host", (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE, 0, 0, 300, 200, parent, nullptr);
    }
    ~HostWindow() override { DestroyWindow(); }
    BOOL OnEraseBkgnd(CDC*) override { return log.Add(name + ":erase"), TRUE; }
    void OnPaint() override { log.Add(name + ":paint"), Default(); }
    std::string name;
    MessageLog& log;
};

// A LOTDIALOG call written in LISP, its dialog and questions answered with
// `answers`: "value status", then the caption or text of the last one.
std::wstring Call(ModuleHarness& harness, const wchar_t* lisp, std::vector<int> answers)
{
    int status = 0;
    TestHandler handler([&status] { return status = LotDialogCommand(); });
    ModalAnswerer answerer(std::move(answers));
    std::wstring value = harness.Evaluate(lisp);
    value += L" " + std::to_wstring(status);
    const ModalAnswerer::Seen last = answerer.seen.empty() ? ModalAnswerer::Seen{} : answerer.seen.back();
    return value + L" " + (last.text.empty() ? last.caption : last.text);
}

std::wstring KeptTable()
{
    return LotTableText(SavedLayers, SavedCounts, SavedLayerUsed, SavedTypeChoices, SavedResults);
}

void KeepTable(const MyCug& grid)
{
    SavedLayers.Copy(grid.Layers);
    SavedCounts.Copy(grid.Counts);
    SavedLayerUsed.Copy(grid.LayerUsed);
    SavedTypeChoices = grid.TypeChoices;
    SavedResults.Copy(grid.Results);
}

} // namespace

TEST(LotArguments, LayersSortCaseInsensitivelyWithStarCarryTheirCountsAndRowsMarkThemUsed)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {LR"((lotdialog '("D" "b" "A") '("T1" "T2") '("1" "2" "3") nil))",
         L"rows layers *=:0 A=3:0 b=2:0 D=1:0 types T1\nT2\n"},
        // Names beginning with a character before "*" stay ahead of it.
        {LR"((lotdialog '("(b" " a" "!x" "'q") '("T1") '("1" "2" "3" "4") nil))",
         L"rows layers  a=2:0 !x=3:0 'q=4:0 (b=1:0 *=:0 types T1\n"},
        // Names equal but for case keep the order the exchange sort leaves.
        {LR"((lotdialog '("B" "b" "A") '("T1") '("1" "2" "3") nil))", L"rows layers *=:0 A=3:0 B=1:0 b=2:0 types T1\n"},
        {LR"((lotdialog '("b" "B" "A") '("T1") '("1" "2" "3") nil))", L"rows layers *=:0 A=3:0 b=1:0 B=2:0 types T1\n"},
        // Rows mark their layers used, only in the same case.
        {LR"((lotdialog '("A" "B") '("T1") '("3" "4") '(("a" "3" "T1" "1") ("B" "4" "T2" "4"))))",
         L"rows a|3|T1|1 B|4|T2|4 layers *=:0 A=3:0 B=4:1 types T1\n"},
    };
    for (const auto& [lisp, table] : cases) {
        ModuleHarness harness;
        MyCug grid;
        TestHandler handler([&grid] { return TakeLotArguments(acedGetArgs(), grid); });
        harness.Evaluate(lisp);
        EXPECT_EQ(LotTableText(grid), table);
        EXPECT_TRUE(harness.host.Script().alerts.empty());
    }
}

// After OK the drawing window, then the main window, are repainted at once,
// each erased as its painting begins.
TEST(LotDialogCall, OkKeepsTheTableThatACallWithoutArgumentsReopensAndCancelKeepsIt)
{
    KeepTable(MyCug());
    ModuleHarness harness;
    MessageLog log;
    HostWindow mainWindow("main", log), drawing("drawing", log, mainWindow.m_hWnd);
    harness.host.SetWindows(mainWindow.m_hWnd, drawing.m_hWnd);
    // The first call of all: one "*" row of no lots, which needs no type.
    EXPECT_EQ(Call(harness, L"(lotdialog)", {IDOK}), LR"((("*" "0" "" "1")) 5100 Lot area rapid)");
    EXPECT_EQ(Call(harness, LR"((lotdialog '("B" "A") '("T1" "T2") '("4" "3") '(("A" "3" "T1" "1"))))", {IDOK}),
              LR"((("A" "3" "T1" "1")) 5100 Lot area rapid)");
    ASSERT_GE(log.Lines().size(), 4u);
    EXPECT_EQ(std::vector<std::string>(log.Lines().end() - 4, log.Lines().end()),
              (std::vector<std::string>{"drawing:paint", "drawing:erase", "main:paint", "main:erase"}));
    // Each setup adds a line feed to the type choices.
    const std::wstring kept = L"rows A|3|T1|1 layers *=:0 A=3:1 B=4:0 types T1\nT2\n\n";
    EXPECT_EQ(KeptTable(), kept);
    EXPECT_EQ(Call(harness, L"(lotdialog)", {IDOK}), LR"((("A" "3" "T1" "1")) 5100 Lot area rapid)");
    EXPECT_EQ(KeptTable(), kept + L"\n");
    EXPECT_EQ(Call(harness, LR"((lotdialog '("C") '("T9") '("5") nil))", {IDCANCEL, IDOK}),
              L"nil -5001 Do your really want to cancel dialog?");
    EXPECT_EQ(KeptTable(), kept + L"\n");
    EXPECT_EQ(harness.err, L"");
}

namespace {

// A chain is written one character a node: s a string, i a 16-bit and l a
// 32-bit integer, r a real, p a point, P a 3D point, ( list begin, ) list
// end, . a dotted pair's dot, n nil, t T, and 0 a string without its text.
const wchar_t kNodes[] = L"silrpP().nt";
const short kTypes[] = {RTSTR, RTSHORT, RTLONG, RTREAL, RTPOINT, RT3DPOINT, RTLB, RTLE, RTDOTE, RTNIL, RTT};

// A chain the command takes: layers, types, counts (as many as the layers)
// and nil or rows of four strings; with `longLists`, thousands of layers.
std::wstring WellFormed(FuzzRandom& random, bool longLists)
{
    const std::wstring layers(longLists ? 2000 + random.Below(3000) : 1 + random.Below(4), L's');
    std::wstring chain = L"(" + layers + L")(" + std::wstring(1 + random.Below(3), L's') + L")(" + layers + L")";
    const std::size_t rows = random.Below(4);
    for (std::size_t r = 0; r < rows; ++r)
        chain += r == 0 ? L"((ssss)" : L"(ssss)";
    return chain + (rows ? L")" : L"n");
}

void Mutate(FuzzRandom& random, std::wstring& chain)
{
    for (std::size_t e = 0, edits = 1 + random.Below(3); e < edits && !chain.empty(); ++e) {
        const std::size_t at = random.Below(chain.size());
        switch (random.Below(6)) {
        case 0: chain[at] = kNodes[random.Below(std::size(kTypes))]; break;
        case 1: chain.erase(at, 1); break;
        case 2: chain.insert(at, 1, kNodes[random.Below(std::size(kTypes))]); break;
        case 3: chain.resize(at + 1); break;       // the chain ends early
        case 4: chain.insert(at, 1, L'.'); break;  // a dotted pair in place of a list's last item
        default: chain[at] = chain[at] == L's' ? L'0' : chain[at];
        }
    }
}

// Whether the command must open the dialog for the chain: only for the
// shape it takes, with as many counts as layers.
bool OpensDialog(std::wstring chain)
{
    std::replace(chain.begin(), chain.end(), L'0', L's');
    std::size_t lengths[3], at = 0;
    for (std::size_t& length : lengths) {
        const std::size_t end = chain.find_first_not_of(L's', at + 1);
        if (chain.compare(at, 1, L"(") != 0 || end == std::wstring::npos || chain[end] != L')' || end == at + 1)
            return false;
        length = end - at - 1;
        at = end + 1;
    }
    const std::wstring rows = chain.substr(std::min(at, chain.size()));
    if (rows != L"n" && (rows.size() < 2 || (rows.size() - 2) % 6 != 0 || rows.front() != L'(' || rows.back() != L')'))
        return false;
    for (std::size_t r = 1; rows != L"n" && r + 1 < rows.size(); r += 6)
        if (rows.compare(r, 6, L"(ssss)") != 0)
            return false;
    return lengths[0] == lengths[2];
}

// The chain as the host hands it over; the last node's next is null.
resbuf* BuildChain(const std::wstring& chain)
{
    resbuf* head = nullptr;
    for (resbuf** next = &head; const wchar_t node : chain) {
        *next = acutNewRb(kTypes[std::wcschr(kNodes, node == L'0' ? L's' : node) - kNodes]);
        ads_u_val& value = (*next)->resval;
        if (node == L's')
            value.rstring = acad__strdup(L"S");
        else if (node == L'i')
            value.rint = 7;
        else if (node == L'l')
            value.rlong = 70000;
        else if (node == L'r')
            value.rreal = 1.5;
        next = &(*next)->rbnext;
    }
    return head;
}

} // namespace

// Wrong types, wrong nesting, dotted pairs, very long lists, missing list
// ends: reading past the chain's end would crash the program, which the
// watch reports with the chain's seed.
TEST(LotArgumentsFuzz, ChainsOfAnotherShapeAlertAndChangeNothing)
{
    MyCug keep;
    FillLotTable(keep, {{L"K", L"5"}}, {{L"K", L"5", L"KT", L"9"}}, L"KT\n");
    KeepTable(keep);
    const std::wstring kept = KeptTable();
    FuzzWatch watch("LotArgumentsFuzz");
    const int cases = 10000 * FuzzScale();
    int failures = 0, mismatches = 0;
    for (int i = 0; i < cases && failures < 5; ++i) {
        const std::uint64_t seed = FuzzSeed(20261209, i);
        FuzzRandom random(seed);
        std::wstring chain = WellFormed(random, random.OneIn(100));
        Mutate(random, chain);
        // A chain the command takes (or none) is damaged once more.
        while (chain.empty() || OpensDialog(chain)) {
            if (chain.empty())
                chain = WellFormed(random, false);
            Mutate(random, chain);
        }
        Chain args(BuildChain(chain));
        watch.Begin(seed, &chain);
        ScriptedHostCall call(args.get());
        ModalAnswerer answerer({IDCANCEL, IDOK});
        const int answer = LotDialogCommand();
        const std::vector<std::wstring>& alerts = call.Alerts();
        const bool mismatch = alerts.size() == 1 && alerts[0] == L"Count of layers not equal count of counts";
        mismatches += mismatch;
        const char* fault = !answerer.seen.empty() ? "a dialog opened"
                            : answer != RTERROR   ? "the answer is not RTERROR"
                            : alerts.size() != 1  ? "not exactly one alert"
                            : !mismatch && alerts[0].rfind(L"Bad arguments to LOTDIALOG", 0) != 0 ? "another alert"
                            : call.HasValue()     ? "the call gave a value"
                            : KeptTable() != kept ? "the kept table changed"
                                                  : nullptr;
        if (fault) {
            ++failures;
            ADD_FAILURE() << "seed " << seed << ": " << fault << "\nchain: " << FuzzShow(chain);
        }
    }
    EXPECT_GT(mismatches, 0) << "some chains are of the right shape with too few or many counts";
}
