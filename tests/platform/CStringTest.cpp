#include "CString.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(CStringFormat, WideStringIntegerRealAndPercentFormats)
{
    CString s;
    s.Format(L"%s|%i|%d|%ld|%lf|%%", L"wide", 12, -3, 123456789L, 2.5);
    EXPECT_EQ(s, L"wide|12|-3|123456789|2.500000|%");

    // A text longer than the first buffer still comes out whole.
    CString longText(L'x', 1000);
    s.Format(L"File %s could  not be opened", longText.GetString());
    EXPECT_EQ(s.GetLength(), 5 + 1000 + 21);
    EXPECT_EQ(s.Left(5), L"File ");
}

TEST(CStringFormat, WtoiAnswersAsTheCLibrary)
{
    EXPECT_EQ(_wtoi(L"12abc"), 12);
    EXPECT_EQ(_wtoi(L""), 0);
    EXPECT_EQ(_wtoi(L"-3"), -3);
}

TEST(CStringText, CompareFindSliceAndCase)
{
    CString a(L"Lot B"), b(L"lot b");
    EXPECT_NE(a.Compare(b), 0);
    EXPECT_EQ(a.CompareNoCase(b), 0);
    EXPECT_LT(CString(L"*").CompareNoCase(L"0"), 0);

    EXPECT_EQ(a.Find(L'B'), 4);
    EXPECT_EQ(a.Find(L"t B"), 2);
    EXPECT_EQ(a.Find(L'Z'), -1);
    EXPECT_EQ(a.Find(L'L', 1), -1);

    EXPECT_EQ(a.Left(3), L"Lot");
    EXPECT_EQ(a.Left(99), L"Lot B");
    EXPECT_EQ(a.Mid(4), L"B");
    EXPECT_EQ(a.Mid(1, 2), L"ot");
    EXPECT_EQ(a.Mid(9), L"");

    CString up(L"abc\u00e4");
    up.MakeUpper();
    EXPECT_EQ(up, L"ABC\u00c4");

    CString joined = CString(L"A") + L"B" + L'C';
    joined += L"\n";
    EXPECT_EQ(joined, L"ABC\n");
    EXPECT_EQ(joined.GetLength(), 4);
    EXPECT_FALSE(joined.IsEmpty());
    EXPECT_TRUE(CString().IsEmpty());
}

TEST(CStringText, BufferAccessTakesLengthFromTerminator)
{
    CString s;
    wchar_t* p = s.GetBuffer(10);
    wcscpy(p, L"abc");
    s.ReleaseBuffer();
    EXPECT_EQ(s, L"abc");
    EXPECT_EQ(s.GetLength(), 3);
}
