#include "CUGCell.h"
#include "CUGCellFormat.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

// Pointers the cell stores but never follows.
CPen* const SomePen = reinterpret_cast<CPen*>(0x1000);
CFont* const SomeFont = reinterpret_cast<CFont*>(0x2000);
CBitmap* const SomeBitmap = reinterpret_cast<CBitmap*>(0x3000);

}  // namespace

TEST(CUGCellDefaults, NewCellAnswersDefaultsAndLeavesOutputsAlone)
{
    CUGCell cell;
    EXPECT_EQ(cell.GetDataType(), 1);
    EXPECT_EQ(cell.GetReadOnly(), 0);
    EXPECT_EQ(cell.GetTextColor(), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(cell.GetBackColor(), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(cell.GetHighlightTextColor(), GetSysColor(COLOR_HIGHLIGHTTEXT));
    EXPECT_EQ(cell.GetHighlightBackColor(), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(cell.GetText(), nullptr);
    EXPECT_EQ(cell.GetTextLength(), 0);

    CString text(L"kept");
    double number = 5.5;
    short origin = 7;
    int colOffset = 8;
    long rowOffset = 9;
    EXPECT_EQ(cell.GetText(&text), 1);
    EXPECT_EQ(cell.GetNumber(&number), 1);
    EXPECT_EQ(cell.GetJoinInfo(&origin, &colOffset, &rowOffset), 1);
    EXPECT_EQ(text, L"kept");
    EXPECT_EQ(number, 5.5);
    EXPECT_EQ(origin, 7);
    EXPECT_EQ(colOffset, 8);
    EXPECT_EQ(rowOffset, 9);
}

TEST(CUGCellText, TypedSettersWriteTextAndDataType)
{
    CUGCell cell;
    EXPECT_EQ(cell.AppendText(L"x"), 1);
    EXPECT_FALSE(cell.IsPropertySet(CUGCell::PropText));

    cell.SetNumber(2.5);
    EXPECT_STREQ(cell.GetText(), L"2.500000");
    EXPECT_EQ(cell.GetDataType(), 2);
    EXPECT_EQ(cell.GetPropertyFlags(), CUGCell::PropText | CUGCell::PropDataType);

    cell.SetDecimals(2);
    cell.SetNumber(2.5);
    EXPECT_STREQ(cell.GetText(), L"2.50");
    cell.SetDecimals(0);
    cell.SetNumber(-7.6);
    EXPECT_STREQ(cell.GetText(), L"-8");

    EXPECT_EQ(cell.AppendText(L" m"), 0);
    EXPECT_STREQ(cell.GetText(), L"-8 m");
    EXPECT_EQ(cell.GetDataType(), 1);

    cell.SetBool(5);
    EXPECT_STREQ(cell.GetText(), L"1");
    EXPECT_EQ(cell.GetDataType(), 3);
    cell.SetBool(0);
    EXPECT_STREQ(cell.GetText(), L"0");

    cell.SetNumber(3.0);
    cell.SetText(L"12.75abc");
    EXPECT_EQ(cell.GetDataType(), 1);
    EXPECT_EQ(cell.GetTextLength(), 8);
    int i = 0;
    long l = 0;
    double d = 0;
    EXPECT_EQ(cell.GetNumber(&i), 0);
    EXPECT_EQ(cell.GetNumber(&l), 0);
    EXPECT_EQ(cell.GetNumber(&d), 0);
    EXPECT_EQ(i, 12);
    EXPECT_EQ(l, 12);
    EXPECT_EQ(d, 12.75);
    EXPECT_EQ(cell.GetNumber(), 12.75);

    CString copy;
    EXPECT_EQ(cell.GetText(&copy), 0);
    EXPECT_EQ(copy, L"12.75abc");
}

TEST(CUGCellText, GetBoolReadsTrueWordsAndNonzeroNumbers)
{
    struct Case {
        const wchar_t* text;
        int expected;
    } cases[] = {{L"True", 1}, {L"t1", 1}, {L"7", 1}, {L"-2", 1}, {L"", 0},
                 {L"0", 0},    {L"false", 0}, {L"F", 0}, {L"yes", 0}};
    for (const Case& c : cases) {
        CUGCell cell;
        cell.SetText(c.text);
        EXPECT_EQ(cell.GetBool(), c.expected) << "text \"" << c.text << "\"";
    }
}

TEST(CUGCellProperties, NullBitmapAndNullFormatAreSpecial)
{
    CUGCell cell;
    cell.SetBitmap(SomeBitmap);
    EXPECT_EQ(cell.GetBitmap(), SomeBitmap);
    EXPECT_EQ(cell.SetBitmap(nullptr), 0);
    EXPECT_FALSE(cell.IsPropertySet(CUGCell::PropBitmap));

    CUGCellFormat format;
    EXPECT_EQ(cell.SetFormat(&format), 0);
    EXPECT_EQ(cell.SetFormat(nullptr), 1);
    EXPECT_EQ(cell.GetFormat(), &format);
    EXPECT_TRUE(cell.IsPropertySet(CUGCell::PropFormat));

    cell.SetReadOnly(5);
    EXPECT_EQ(cell.GetReadOnly(), 1);
}

TEST(CUGCellProperties, ClearingKeepsValuesBehindClearedBits)
{
    CUGCell cell;
    cell.SetText(L"text");
    cell.SetMask(L"999");
    cell.SetParam(5);
    cell.SetJoinInfo(1, 2, 3);

    // Dropping a bit hides the value; setting the bits back shows it again.
    EXPECT_EQ(cell.ClearProperty(CUGCell::PropJoinInfo), 0);
    EXPECT_EQ(cell.GetJoinInfo(nullptr, nullptr, nullptr), 1);
    cell.SetPropertyFlags(cell.GetPropertyFlags() | CUGCell::PropJoinInfo);
    short origin = 0;
    int colOffset = 0;
    long rowOffset = 0;
    EXPECT_EQ(cell.GetJoinInfo(&origin, &colOffset, &rowOffset), 0);
    EXPECT_EQ(origin, 1);
    EXPECT_EQ(colOffset, 2);
    EXPECT_EQ(rowOffset, 3);

    // ClearAll empties text and label and resets the numeric values to -1;
    // the mask is left behind its cleared bit.
    cell.AllocExtraData(4);
    cell.ClearAll();
    EXPECT_EQ(cell.GetPropertyFlags(), 0u);
    EXPECT_EQ(cell.GetText(), nullptr);
    cell.SetPropertyFlags(0xFFFFFFFFu);
    EXPECT_STREQ(cell.GetText(), L"");
    EXPECT_STREQ(cell.GetMask(), L"999");
    EXPECT_EQ(cell.GetParam(), -1);
    EXPECT_EQ(cell.GetCellType(), -1);
    EXPECT_EQ(cell.GetCellTypeEx(), -1);
    EXPECT_EQ(cell.GetJoinInfo(&origin, &colOffset, &rowOffset), 0);
    EXPECT_EQ(colOffset, -1);
    EXPECT_EQ(rowOffset, -1);
    EXPECT_EQ(cell.GetExtraData(), nullptr);
}

// Every property of a fully set cell, so that a field the copying step
// forgets shows up as a difference.
static void SetEveryProperty(CUGCell& cell, CUGCellFormat* format, CUGCell* style)
{
    cell.SetText(L"text");
    cell.SetMask(L"mask");
    cell.SetLabel(L"label\n");
    cell.SetDataType(2);
    cell.SetReadOnly(1);
    cell.SetParam(77);
    cell.SetDecimals(3);
    cell.SetCellType(2);
    cell.SetCellTypeEx(0x200);
    cell.SetTextColor(RGB(1, 2, 3));
    cell.SetBackColor(RGB(4, 5, 6));
    cell.SetHighlightTextColor(RGB(7, 8, 9));
    cell.SetHighlightBackColor(RGB(10, 11, 12));
    cell.SetBorder(0x1000 | 0x4);
    cell.SetBorderColor(SomePen);
    cell.SetFont(SomeFont);
    cell.SetBitmap(SomeBitmap);
    cell.SetAlignment(0x24);
    cell.SetFormat(format);
    cell.SetStyleCell(style);
    cell.SetJoinInfo(0, -2, -3);
    auto* bytes = static_cast<BYTE*>(cell.AllocExtraData(3));
    bytes[0] = 1;
    bytes[1] = 2;
    bytes[2] = 3;
}

static void ExpectEveryProperty(const CUGCell& cell, CUGCellFormat* format, CUGCell* style)
{
    EXPECT_STREQ(cell.GetText(), L"text");
    EXPECT_STREQ(cell.GetMask(), L"mask");
    EXPECT_STREQ(cell.GetLabel(), L"label\n");
    EXPECT_EQ(cell.GetDataType(), 2);
    EXPECT_EQ(cell.GetReadOnly(), 1);
    EXPECT_EQ(cell.GetParam(), 77);
    EXPECT_EQ(cell.GetDecimals(), 3);
    EXPECT_EQ(cell.GetCellType(), 2);
    EXPECT_EQ(cell.GetCellTypeEx(), 0x200);
    EXPECT_EQ(cell.GetTextColor(), RGB(1, 2, 3));
    EXPECT_EQ(cell.GetBackColor(), RGB(4, 5, 6));
    EXPECT_EQ(cell.GetHighlightTextColor(), RGB(7, 8, 9));
    EXPECT_EQ(cell.GetHighlightBackColor(), RGB(10, 11, 12));
    EXPECT_EQ(cell.GetBorder(), 0x1004);
    EXPECT_EQ(cell.GetBorderColor(), SomePen);
    EXPECT_EQ(cell.GetFont(), SomeFont);
    EXPECT_EQ(cell.GetBitmap(), SomeBitmap);
    EXPECT_EQ(cell.GetAlignment(), 0x24);
    EXPECT_EQ(cell.GetFormat(), format);
    EXPECT_EQ(cell.GetStyleCell(), style);
    short origin = 9;
    int colOffset = 0;
    long rowOffset = 0;
    EXPECT_EQ(cell.GetJoinInfo(&origin, &colOffset, &rowOffset), 0);
    EXPECT_EQ(origin, 0);
    EXPECT_EQ(colOffset, -2);
    EXPECT_EQ(rowOffset, -3);
    ASSERT_EQ(cell.GetExtraDataSize(), 3);
    const BYTE expected[3] = {1, 2, 3};
    EXPECT_EQ(std::memcmp(cell.GetExtraData(), expected, 3), 0);
}

TEST(CUGCellCopy, CopyCarriesEveryPropertyAndOwnsItsExtraData)
{
    CUGCellFormat format;
    CUGCell style;
    auto source = std::make_unique<CUGCell>();
    SetEveryProperty(*source, &format, &style);

    CUGCell target;
    target.SetParam(1);
    EXPECT_EQ(target.CopyInfoFrom(source.get()), 0);
    EXPECT_EQ(target.GetPropertyFlags(), source->GetPropertyFlags());
    ExpectEveryProperty(target, &format, &style);
    EXPECT_NE(target.GetExtraData(), source->GetExtraData());

    CUGCell overlaid;
    overlaid.SetText(L"old");
    overlaid.SetParam(5);
    source->AddInfoTo(&overlaid);
    ExpectEveryProperty(overlaid, &format, &style);

    CUGCell copied(*source);
    ExpectEveryProperty(copied, &format, &style);

    // Each copy owns its buffer: freeing the source leaves the copies' bytes.
    source.reset();
    ExpectEveryProperty(target, &format, &style);
    ExpectEveryProperty(copied, &format, &style);

    // A fresh allocation replaces the buffer; clearing drops it and its bit.
    EXPECT_NE(target.AllocExtraData(8), nullptr);
    EXPECT_EQ(target.GetExtraDataSize(), 8);
    target.ClearExtraData();
    EXPECT_FALSE(target.IsPropertySet(CUGCell::PropExtraData));
    EXPECT_EQ(target.GetExtraDataSize(), 0);
}

TEST(CUGCellCopy, OverlayKeepsOwnPropertiesWhileCopyReplacesTheSet)
{
    CUGCell backOnly;
    backOnly.SetBackColor(RGB(200, 0, 0));

    CUGCell overlaid;
    overlaid.SetText(L"mine");
    overlaid.SetBackColor(RGB(0, 0, 200));
    overlaid.AddInfoFrom(&backOnly);
    EXPECT_STREQ(overlaid.GetText(), L"mine");
    EXPECT_EQ(overlaid.GetBackColor(), RGB(200, 0, 0));
    EXPECT_EQ(overlaid.GetPropertyFlags(),
              CUGCell::PropText | CUGCell::PropDataType | CUGCell::PropBackColor);

    CUGCell copied;
    copied.SetText(L"mine");
    backOnly.CopyInfoTo(&copied);
    EXPECT_EQ(copied.GetText(), nullptr);
    EXPECT_EQ(copied.GetBackColor(), RGB(200, 0, 0));
    EXPECT_EQ(copied.GetPropertyFlags(), CUGCell::PropBackColor);

    // Unset properties of the source never reach the target, even where the
    // source holds a value behind a cleared bit.
    CUGCell hidden;
    hidden.SetParam(9);
    hidden.ClearProperty(CUGCell::PropParam);
    hidden.SetCellType(3);
    CUGCell target;
    target.SetParam(4);
    target.AddInfoFrom(&hidden);
    EXPECT_EQ(target.GetParam(), 4);
    EXPECT_EQ(target.GetCellType(), 3);
}
