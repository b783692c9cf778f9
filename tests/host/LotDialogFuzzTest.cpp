// LOTDIALOG with random argument chains of another shape than it takes:
// wrong types, wrong nesting, dotted pairs, very long lists, missing list
// ends. Each call alerts, opens no dialog, gives no value and leaves the kept
// table as it was; reading past the chain's end would crash the program,
// which the watch reports with the chain's seed.
#include "Fuzz.h"
#include "LotDialogCommand.h"
#include "ModalAnswerer.h"
#include "ScriptedHostCall.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Node {
    short type;
    std::wstring text;   // RTSTR
    bool nullText = false;
};

using Nodes = std::vector<Node>;

Node Str(std::wstring text) { return {RTSTR, std::move(text)}; }
Node Mark(short type) { return {type, L""}; }

// A chain the command takes: layers, types, counts (as many as the layers)
// and nil or rows of four strings; with `longLists`, thousands of layers.
Nodes WellFormed(FuzzRandom& random, bool longLists)
{
    std::size_t layers = longLists ? 2000 + random.Below(3000) : 1 + random.Below(4);
    Nodes nodes{Mark(RTLB)};
    for (std::size_t i = 0; i < layers; ++i)
        nodes.push_back(Str(L"L" + std::to_wstring(i)));
    nodes.push_back(Mark(RTLE));
    nodes.push_back(Mark(RTLB));
    for (std::size_t i = 0, n = 1 + random.Below(3); i < n; ++i)
        nodes.push_back(Str(L"T" + std::to_wstring(i)));
    nodes.push_back(Mark(RTLE));
    nodes.push_back(Mark(RTLB));
    for (std::size_t i = 0; i < layers; ++i)
        nodes.push_back(Str(std::to_wstring(i + 1)));
    nodes.push_back(Mark(RTLE));
    std::size_t rows = random.Below(4);
    if (rows == 0) {
        nodes.push_back(Mark(RTNIL));
        return nodes;
    }
    nodes.push_back(Mark(RTLB));
    for (std::size_t r = 0; r < rows; ++r) {
        nodes.push_back(Mark(RTLB));
        for (const wchar_t* field : {L"L0", L"1", L"T0", L"1"})
            nodes.push_back(Str(field));
        nodes.push_back(Mark(RTLE));
    }
    nodes.push_back(Mark(RTLE));
    return nodes;
}

void Mutate(FuzzRandom& random, Nodes& nodes)
{
    static const short kTypes[] = {RTSTR, RTSHORT, RTLONG, RTREAL, RTPOINT, RT3DPOINT,
                                   RTLB,  RTLE,    RTDOTE, RTNIL,  RTT};
    std::size_t edits = 1 + random.Below(3);
    for (std::size_t e = 0; e < edits && !nodes.empty(); ++e) {
        std::size_t at = random.Below(nodes.size());
        switch (random.Below(6)) {
        case 0: nodes[at].type = random.Pick(kTypes); break;
        case 1: nodes.erase(nodes.begin() + static_cast<long>(at)); break;
        case 2: nodes.insert(nodes.begin() + static_cast<long>(at), Mark(random.Pick(kTypes))); break;
        case 3: nodes.resize(at + 1); break;   // the chain ends early
        case 4:   // a dotted pair in place of a list's last item
            nodes.insert(nodes.begin() + static_cast<long>(at), Mark(RTDOTE));
            break;
        default:
            if (nodes[at].type == RTSTR)
                nodes[at].nullText = true;
        }
    }
}

// What the command must do with the chain: the dialog opens only for the
// shape it takes with as many counts as layers (or no chain at all).
bool OpensDialog(const Nodes& nodes)
{
    std::size_t i = 0;
    auto is = [&](short type) { return i < nodes.size() && nodes[i].type == type; };
    std::size_t lengths[3];
    for (std::size_t& length : lengths) {
        if (!is(RTLB))
            return false;
        ++i;
        for (length = 0; is(RTSTR); ++i)
            ++length;
        if (length == 0 || !is(RTLE))
            return false;
        ++i;
    }
    if (is(RTNIL)) {
        ++i;
    } else {
        if (!is(RTLB))
            return false;
        for (++i; !is(RTLE); ++i) {
            if (!is(RTLB))
                return false;
            ++i;
            for (int field = 0; field < 4; ++field, ++i)
                if (!is(RTSTR))
                    return false;
            if (!is(RTLE))
                return false;
        }
        ++i;
    }
    return i == nodes.size() && lengths[0] == lengths[2];
}

// The chain as the host hands it over; the last node's next is null.
resbuf* BuildChain(const Nodes& nodes)
{
    resbuf* head = nullptr;
    resbuf** next = &head;
    for (const Node& node : nodes) {
        resbuf* rb = acutNewRb(node.type);
        if (node.type == RTSTR)
            rb->resval.rstring = node.nullText ? nullptr : acad__strdup(node.text.c_str());
        else if (node.type == RTSHORT)
            rb->resval.rint = 7;
        else if (node.type == RTLONG)
            rb->resval.rlong = 70000;
        else if (node.type == RTREAL)
            rb->resval.rreal = 1.5;
        *next = rb;
        next = &rb->rbnext;
    }
    return head;
}

// The chain's type codes, each string after its code.
std::wstring Show(const Nodes& nodes)
{
    std::wstring shown;
    for (const Node& node : nodes) {
        shown += std::to_wstring(node.type);
        if (node.type == RTSTR)
            shown += node.nullText ? L"(null)" : L"\"" + node.text + L"\"";
        shown += L" ";
    }
    return shown;
}

void KeepTable()
{
    SavedLayers.RemoveAll();
    SavedCounts.RemoveAll();
    SavedLayerUsed.RemoveAll();
    SavedResults.RemoveAll();
    SavedLayers.Add(L"*");
    SavedLayers.Add(L"K");
    SavedCounts.Add(L"");
    SavedCounts.Add(L"5");
    SavedLayerUsed.Add(0);
    SavedLayerUsed.Add(1);
    SavedTypeChoices = L"KT\n";
    SavedResults.Add({L"K", L"5", L"KT", L"9"});
}

bool KeptTableUnchanged()
{
    return SavedLayers.GetSize() == 2 && SavedLayers[1] == L"K" && SavedCounts.GetSize() == 2
           && SavedCounts[1] == L"5" && SavedLayerUsed.GetSize() == 2 && SavedLayerUsed[1] == 1
           && SavedTypeChoices == L"KT\n" && SavedResults.GetSize() == 1
           && SavedResults[0].Numbering == L"9";
}

} // namespace

TEST(LotArgumentsFuzz, ChainsOfAnotherShapeAlertAndChangeNothing)
{
    KeepTable();
    FuzzWatch watch("LotArgumentsFuzz");
    const int cases = 10000 * FuzzScale();
    int failures = 0;
    int mismatches = 0;
    for (int i = 0; i < cases && failures < 5; ++i) {
        std::uint64_t seed = FuzzSeed(20261209, i);
        FuzzRandom random(seed);
        Nodes nodes = WellFormed(random, random.OneIn(100));
        Mutate(random, nodes);
        // Damage that happens to leave a chain the command takes (or none)
        // is damaged once more.
        while (nodes.empty() || OpensDialog(nodes)) {
            if (nodes.empty())
                nodes = WellFormed(random, false);
            Mutate(random, nodes);
        }

        Chain chain(BuildChain(nodes));
        std::wstring shown = Show(nodes);
        watch.Begin(seed, &shown);
        ScriptedHostCall call(chain.get());
        ModalAnswerer answerer({IDCANCEL, IDOK});
        int answer = LotDialogCommand();
        const char* fault = nullptr;
        if (!answerer.seen.empty())
            fault = "a dialog opened";
        else if (answer != RTERROR)
            fault = "the answer is not RTERROR";
        else if (call.Alerts().size() != 1)
            fault = "not exactly one alert";
        else if (call.HasValue())
            fault = "the call gave a value";
        else if (!KeptTableUnchanged())
            fault = "the kept table changed";
        if (call.Alerts().size() == 1 && call.Alerts()[0] == L"Count of layers not equal count of counts")
            ++mismatches;
        if (fault) {
            ++failures;
            ADD_FAILURE() << "seed " << seed << ": " << fault << "\nchain: " << FuzzShow(shown);
        }
    }
    EXPECT_GT(mismatches, 0) << "some chains are of the right shape with too few or many counts";
}
