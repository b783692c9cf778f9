#include "CUGCell.h"
#include "CUGCellFormat.h"
#include "Narrow.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace {

// Every property a cell answers, in one line, so that one comparison shows
// which value a copy lost. The outputs of the join getter start as 9.
std::string Describe(const CUGCell& c)
{
    auto text = [](const wchar_t* t) { return t ? Narrow(t) : std::string("-"); };
    auto address = [](const void* p) { return reinterpret_cast<uintptr_t>(p); };
    short origin = 9;
    int colOffset = 9;
    long rowOffset = 9;
    const int join = c.GetJoinInfo(&origin, &colOffset, &rowOffset);
    std::ostringstream out;
    out << std::hex << c.GetPropertyFlags() << std::dec << ' ' << text(c.GetText()) << ' '
        << text(c.GetMask()) << ' ' << text(c.GetLabel()) << ' ' << c.GetDataType() << ' '
        << c.GetReadOnly() << ' ' << c.GetParam() << ' ' << c.GetDecimals() << ' ' << c.GetCellType()
        << ' ' << c.GetCellTypeEx() << ' ' << c.GetTextColor() << ' ' << c.GetBackColor() << ' '
        << c.GetHighlightTextColor() << ' ' << c.GetHighlightBackColor() << ' ' << c.GetBorder() << ' '
        << c.GetAlignment() << ' ' << address(c.GetBorderColor()) << ' ' << address(c.GetFont()) << ' '
        << address(c.GetBitmap()) << ' ' << address(c.GetFormat()) << ' ' << address(c.GetStyleCell())
        << ' ' << join << ' ' << origin << ' ' << colOffset << ' ' << rowOffset << ' '
        << c.GetExtraDataSize();
    for (long i = 0; c.GetExtraData() && i < c.GetExtraDataSize(); ++i)
        out << ' ' << int(static_cast<const BYTE*>(c.GetExtraData())[i]);
    return out.str();
}

}  // namespace

// Unset properties answer their defaults (the system's colours for the
// colours), the getters that copy leave their outputs alone, and a null
// bitmap drops the property. Text, numbers and booleans go into Text with
// their data type; the numeric views parse whatever text is there. Copies
// carry every set property and own their extra data; an overlay keeps what
// only the target has while a copy replaces the whole set; values behind
// cleared bits never travel, and setting the bits back shows them again.
// ClearAll empties the strings and extra data and leaves -1 behind.
TEST(CUGCell, ValuesDefaultsAndCopies)
{
    CUGCell cell;
    cell.SetBitmap(reinterpret_cast<CBitmap*>(3));
    EXPECT_EQ(cell.SetBitmap(nullptr), 0);
    std::ostringstream unset;
    unset << "0 - - - 1 0 0 0 0 0 " << GetSysColor(COLOR_WINDOWTEXT) << ' ' << GetSysColor(COLOR_WINDOW)
          << ' ' << GetSysColor(COLOR_HIGHLIGHTTEXT) << ' ' << GetSysColor(COLOR_HIGHLIGHT)
          << " 0 0 0 0 0 0 0 1 9 9 9 0";
    EXPECT_EQ(Describe(cell), unset.str());
    CString text(L"kept");
    double d = 5;
    EXPECT_EQ(cell.GetText(&text) + cell.GetMask(&text) + cell.GetLabel(&text) + cell.GetNumber(&d)
                  + cell.AppendText(L"x") + cell.GetNumber() + cell.GetBool(),
              5);
    EXPECT_EQ(text + std::to_wstring(d), L"kept5.000000");
    cell.SetNumber(2.5);
    EXPECT_STREQ(cell.GetText(), L"2.500000");
    cell.SetDecimals(0);
    cell.SetNumber(-7.6);
    EXPECT_EQ(cell.AppendText(L" m"), 0);
    EXPECT_STREQ(cell.GetText(), L"-8 m");
    EXPECT_EQ(cell.GetDataType(), 1);
    cell.SetDecimals(2);
    cell.SetNumber(12.75);
    EXPECT_EQ(cell.GetDataType(), 2);
    cell.AppendText(L"abc");
    int i = 0;
    long l = 0;
    float f = 0;
    EXPECT_EQ(cell.GetNumber(&i) + cell.GetNumber(&l) + cell.GetNumber(&f) + cell.GetNumber(&d), 0);
    EXPECT_EQ(i + l + f + d + cell.GetNumber() + cell.GetTextLength(), 12 + 12 + 3 * 12.75 + 8);
    cell.SetBool(5);
    EXPECT_EQ(cell.GetDataType() * 10 + cell.GetNumber(), 31);
    for (auto [value, expected] : {std::pair{L"True", 1}, {L"t1", 1}, {L"7", 1}, {L"-2", 1}, {L"", 0},
                                   {L"0", 0}, {L"false", 0}, {L"F", 0}, {L"yes", 0}}) {
        cell.SetText(value);
        EXPECT_EQ(cell.GetBool(), expected) << Narrow(value);
    }
    auto source = std::make_unique<CUGCell>();
    CUGCell& s = *source;  // its pointers are never followed
    s.SetText(L"text");
    s.SetMask(L"mask");
    s.SetLabel(L"label");
    s.SetDataType(2);
    s.SetReadOnly(7);
    s.SetParam(77);
    s.SetDecimals(3);
    s.SetCellType(2);
    s.SetCellTypeEx(0x200);
    s.SetTextColor(RGB(1, 2, 3));
    s.SetBackColor(RGB(4, 5, 6));
    s.SetHighlightTextColor(RGB(7, 8, 9));
    s.SetHighlightBackColor(RGB(10, 11, 12));
    s.SetBorder(0x1004);
    s.SetAlignment(0x24);
    s.SetBorderColor(reinterpret_cast<CPen*>(1));
    s.SetFont(reinterpret_cast<CFont*>(2));
    s.SetBitmap(reinterpret_cast<CBitmap*>(3));
    s.SetFormat(reinterpret_cast<CUGCellFormat*>(4));
    EXPECT_EQ(s.SetFormat(nullptr), 1);
    s.SetStyleCell(reinterpret_cast<CUGCell*>(5));
    s.SetJoinInfo(0, -2, -3);
    auto* bytes = static_cast<BYTE*>(s.AllocExtraData(2));
    bytes[0] = 1;
    bytes[1] = 7;
    const std::string every = "3a3ffff text mask label 2 1 77 3 2 512 197121 394500 591879 789258 "
                              "4100 36 1 2 3 4 5 0 0 -2 -3 2 1 7";
    EXPECT_EQ(Describe(s), every);
    CUGCell copied, overlaid, assigned;
    copied.SetParam(1);
    EXPECT_EQ(copied.CopyInfoFrom(&s), 0);
    overlaid.SetText(L"old");
    EXPECT_EQ(s.AddInfoTo(&overlaid), 0);
    assigned = s;
    CUGCell constructed(s);
    source.reset();
    for (const CUGCell* copy : {&copied, &overlaid, &assigned, &constructed}) {
        EXPECT_EQ(Describe(*copy), every);
        EXPECT_NE(copy->GetExtraData(), bytes);
    }

    CUGCell mine, other;
    mine.SetText(L"mine");
    mine.SetParam(4);
    other.SetBackColor(RGB(200, 0, 0));
    other.SetParam(9);
    other.ClearProperty(CUGCell::PropParam);
    EXPECT_EQ(mine.AddInfoFrom(&other), 0);
    EXPECT_EQ(Describe(mine).substr(0, 19), "119 mine - - 1 0 4 ");
    EXPECT_EQ(mine.GetBackColor(), RGB(200, 0, 0));
    EXPECT_EQ(other.CopyInfoTo(&mine) + mine.GetPropertyFlags(), CUGCell::PropBackColor);
    EXPECT_EQ(mine.AddInfoFrom(nullptr) + mine.CopyInfoFrom(nullptr) + mine.AddInfoTo(nullptr)
                  + mine.CopyInfoTo(nullptr),
              4);
    other.SetPropertyFlags(0xFFFFFFFFu);
    EXPECT_EQ(other.GetParam(), 9);

    copied.ClearAll();
    EXPECT_EQ(copied.GetPropertyFlags(), 0u);
    copied.SetPropertyFlags(0xFFFFFFFFu);
    EXPECT_EQ(Describe(copied).substr(0, 31), "ffffffff  mask  2 1 -1 3 -1 -1 ");
    EXPECT_EQ(copied.GetExtraData(), nullptr);
    int colOffset = 0;
    long rowOffset = 0;
    EXPECT_EQ(copied.GetJoinInfo(nullptr, &colOffset, &rowOffset) + colOffset + rowOffset, -2);
}
