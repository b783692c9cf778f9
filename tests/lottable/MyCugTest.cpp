#include "MyCug.h"
#include "ScriptedHostCall.h"

#include <gtest/gtest.h>

namespace {

// The lot grid with its table laid out, as after the dialog's setup.
struct LotGrid : MyCug {
    int beeps = 0;
    void SoundBeep(DWORD, DWORD) override { ++beeps; }

    void Row(const wchar_t* layer, const wchar_t* quantity, const wchar_t* type,
             const wchar_t* number)
    {
        Results.Add({layer, quantity, type, number});
    }
};

} // namespace

TEST(LotResults, RowsGoBackAsListsOfFourStringsEnclosedOnlyBelowThreeGridRows)
{
    {
        // A, B and the blank row: three grid rows, not enclosed.
        ScriptedHostCall call;
        LotGrid grid;
        grid.Row(L"A", L"3", L"T1", L"1");
        grid.Row(L"B", L"4", L"T2", L"4");
        grid.NotifySetup();
        ASSERT_EQ(grid.GetNumberRows(), 3);
        EXPECT_EQ(grid.ValidateAndReturn(), 1);
        EXPECT_EQ(call.Value(), L"((\"A\" \"3\" \"T1\" \"1\") (\"B\" \"4\" \"T2\" \"4\"))");
        EXPECT_EQ(grid.Results.GetSize(), 2);
    }
    {
        // A single "*" row: one grid row, enclosed.
        ScriptedHostCall call;
        LotGrid grid;
        grid.Row(L"*", L"7", L"T1", L"1");
        grid.NotifySetup();
        EXPECT_EQ(grid.ValidateAndReturn(), 1);
        EXPECT_EQ(call.Value(), L"((\"*\" \"7\" \"T1\" \"1\"))");
    }
    {
        // A and "*": two grid rows, enclosed; A, B and "*": three, not.
        ScriptedHostCall call;
        LotGrid grid;
        grid.Row(L"A", L"3", L"T1", L"1");
        grid.Row(L"*", L"4", L"T2", L"4");
        grid.NotifySetup();
        EXPECT_EQ(grid.ValidateAndReturn(), 1);
        EXPECT_EQ(call.Value(), L"((\"A\" \"3\" \"T1\" \"1\") (\"*\" \"4\" \"T2\" \"4\"))");
    }
    {
        ScriptedHostCall call;
        LotGrid grid;
        grid.Row(L"A", L"3", L"T1", L"1");
        grid.Row(L"B", L"4", L"T2", L"4");
        grid.Row(L"*", L"5", L"T3", L"8");
        grid.NotifySetup();
        EXPECT_EQ(grid.ValidateAndReturn(), 1);
        EXPECT_EQ(call.Value(), L"((\"A\" \"3\" \"T1\" \"1\") (\"B\" \"4\" \"T2\" \"4\") "
                                L"(\"*\" \"5\" \"T3\" \"8\"))");
    }
}

TEST(LotResults, FirstFaultyRowDecidesAndNothingGoesBack)
{
    struct Case {
        const wchar_t* quantity;
        const wchar_t* type;
        const wchar_t* number;
        int beeps;
        int accepted;
    } cases[] = {
        {L"4", L"", L"4", 1, 1},       // Type is absent
        {L"4", L"T2", L"", 1, 1},      // Number is absent
        {L"4", L"T2", L"0", 0, 1},     // Number cannot to be '0'
        {L"4", L"T2", L"x", 0, 1},     // reads as 0 as well
    };
    for (const Case& c : cases) {
        ScriptedHostCall call;
        LotGrid grid;
        grid.Row(L"A", L"3", L"T1", L"1");
        grid.Row(L"B", c.quantity, c.type, c.number);
        grid.Row(L"C", L"2", L"", L"");   // never reached
        grid.NotifySetup();
        EXPECT_EQ(grid.ValidateAndReturn(), 0);
        EXPECT_FALSE(call.HasValue()) << "no list is handed over";
        EXPECT_EQ(grid.beeps, c.beeps);
        EXPECT_EQ(grid.Results.GetSize(), c.accepted) << "the rows before the fault";
    }
}

TEST(LotResults, ZeroQuantityNeedsNoTypeAndRowsAfterTheFirstBlankLayerAreIgnored)
{
    ScriptedHostCall call;
    LotGrid grid;
    grid.Row(L"A", L"0", L"", L"1");
    grid.Row(L"", L"3", L"", L"");
    grid.Row(L"B", L"4", L"", L"0");   // would fail, but the table ended above
    grid.NotifySetup();
    EXPECT_EQ(grid.ValidateAndReturn(), 1);
    // Four grid rows: the one row list is not enclosed, and a chain that is
    // one list is that list for LISP.
    EXPECT_EQ(call.Value(), L"(\"A\" \"0\" \"\" \"1\")");
}

TEST(LotResults, EmptyTableStartsAsOneStarRowAndOnlyBlankRowsAreInputIsEmpty)
{
    ScriptedHostCall call;
    LotGrid grid;
    grid.Layers.Add(L"*");
    grid.Layers.Add(L"A");
    grid.Layers.Add(L"B");
    grid.Counts.Add(L"");
    grid.Counts.Add(L"3");
    grid.Counts.Add(L"4");
    grid.LayerUsed.SetSize(3);
    grid.NotifySetup();
    ASSERT_EQ(grid.GetNumberRows(), 1) << "one \"*\" row and no blank row";
    EXPECT_EQ(grid.QuickGetText(0, 0), L"*");
    EXPECT_EQ(grid.QuickGetText(1, 0), L"7");
    EXPECT_EQ(grid.QuickGetText(3, 0), L"1");

    LotGrid blank;
    blank.Row(L"", L"", L"", L"");
    blank.NotifySetup();
    EXPECT_EQ(blank.ValidateAndReturn(), 0);
    EXPECT_EQ(blank.beeps, 0);
}

TEST(LotResults, BlankRowStartsWhereTheLastRowEnds)
{
    LotGrid grid;
    grid.Row(L"A", L"3", L"T1", L"1");
    grid.Row(L"B", L"4", L"T2", L"4");
    grid.NotifySetup();
    ASSERT_EQ(grid.GetNumberRows(), 3);
    EXPECT_EQ(grid.QuickGetText(0, 2), L"");
    EXPECT_EQ(grid.QuickGetText(3, 2), L"8");
}

TEST(LotLayers, UsedLayersMatchExactlyAndStarLeadsTheChoices)
{
    LotGrid grid;
    for (const wchar_t* layer : {L"!pre", L"*", L"A", L"B"}) {
        grid.Layers.Add(layer);
        grid.Counts.Add(L"1");
        grid.LayerUsed.Add(1);
    }
    grid.Row(L"a", L"1", L"T", L"1");   // another case: not A
    grid.Row(L"B", L"1", L"T", L"2");
    grid.MarkUsedLayers();
    EXPECT_EQ(grid.LayerUsed[0], 0);
    EXPECT_EQ(grid.LayerUsed[2], 0);
    EXPECT_EQ(grid.LayerUsed[3], 1);

    grid.NotifySetup();
    EXPECT_EQ(grid.LayerChoices, L"*\n!pre\n*\nA\n") << "a layer before \"*\" gets \"*\" added";
}
