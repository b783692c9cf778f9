#include "CString.h"

#include <gtest/gtest.h>

#include <cstdlib>

// Format gives %s the wide meaning, and a text longer than its first buffer
// comes out whole; comparing, finding, slicing, case and the buffer.
TEST(CString, FormatCompareFindSliceCaseAndBuffer)
{
    CString s;
    s.Format(L"%s|%i|%d|%ld|%lf|%%|%d", L"wide", 12, -3, 123456789L, 2.5, _wtoi(L"12abc"));
    EXPECT_EQ(s, L"wide|12|-3|123456789|2.500000|%|12");
    s.Format(L"File %s could  not be opened", CString(L'x', 1000).GetString());
    EXPECT_EQ(s.GetLength(), 5 + 1000 + 21);
    EXPECT_EQ(s.Left(5) + s.Mid(1005), L"File  could  not be opened");
    const CString a(L"Lot B");
    EXPECT_TRUE(a.Compare(L"lot b") != 0 && a.CompareNoCase(L"lot b") == 0);
    EXPECT_LT(CString(L"*").CompareNoCase(L"0"), 0);
    EXPECT_EQ(std::vector<int>({a.Find(L'B'), a.Find(L"t B"), a.Find(L'Z'), a.Find(L'L', 1)}),
              std::vector<int>({4, 2, -1, -1}));
    EXPECT_EQ(a.Left(3) + L"|" + a.Left(99) + L"|" + a.Mid(4) + L"|" + a.Mid(1, 2) + a.Mid(9),
              L"Lot|Lot B|B|ot");
    CString text = CString(L"a") + L"b" + L'\u00e4';
    text += L"\n";
    text.MakeUpper();
    EXPECT_EQ(text, L"AB\u00c4\n");
    wcscpy(text.GetBuffer(10), L"abc");  // a buffer takes its length from the terminator
    text.ReleaseBuffer();
    EXPECT_EQ(text + L"|" + std::to_wstring(text.GetLength()).c_str(), L"abc|3");
}
