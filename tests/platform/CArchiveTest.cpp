#include "CArchive.h"

#include "MemoryFile.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <memory>
#include <new>

// The largest allocation since the last reset shows that a damaged length is
// refused before anything is allocated; the runtime's delete frees with free().
static std::atomic<size_t> g_largestAllocation{0};

void* operator new(std::size_t size)
{
    size_t seen = g_largestAllocation.load();
    while (size > seen && !g_largestAllocation.compare_exchange_weak(seen, size)) {
    }
    if (void* block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}

namespace {
using Bytes = std::vector<BYTE>;

Bytes Stored(const std::function<void(CArchive&)>& write)  // the archive's end writes it out
{
    MemoryFile file;
    write(*std::make_unique<CArchive>(&file, CArchive::store));
    return file.Bytes();
}

struct Loaded {
    MemoryFile file;
    CArchive ar{&file, CArchive::load};
    explicit Loaded(Bytes bytes) : file(bytes, L"D:\\lots\\lots.tab") {}
};
} // namespace

// UTF-16 after the Unicode tag with the shortest length form, read back
// whole; also read: 8-bit strings without the tag, longer length forms.
TEST(CArchiveStrings, LengthTakesItsShortestFormAfterTheUnicodeTagAndReadsBack)
{
    EXPECT_EQ(Stored([](CArchive& ar) { ar << CString(L"A\u00e9"); }),
              Bytes({0xFF, 0xFE, 0xFF, 0x02, 0x41, 0x00, 0xE9, 0x00}));
    const struct { int length; Bytes header; } cases[] = {
        {0, {0xFF, 0xFE, 0xFF, 0x00}}, {254, {0xFF, 0xFE, 0xFF, 0xFE}},
        {255, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}}, {300, {0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01}},
        {0xFFFD, {0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        CString text;  // Latin, CJK, a line feed, a NUL and a surrogate pair in turn
        for (int i = 0; i < c.length; ++i)
            text += L"a\u00e4\u4e2d\n\0\xD83D\xDE00"[i % 7];
        const Bytes bytes = Stored([&](CArchive& ar) { ar << text; });
        ASSERT_EQ(bytes.size(), c.header.size() + 2u * c.length);
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + c.header.size()), c.header);
        Loaded in(bytes);
        CString read(L"stale");
        in.ar >> read;
        EXPECT_TRUE(read.str() == text.str());
        EXPECT_EQ(in.ar.GetRemainingLength(), 0u);
    }
    Loaded in({5, 'h', 'e', 'l', 'l', 'o', 0xFF, 2, 0, 'a', 'b',                  // untagged
               0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0, 'h', 0, 'i', 0,  // 32-bit length
               0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 0, 0, 0, 0,
               'a', 0, 'b', 0, 'c', 0});
    CString a, b, c, d;
    in.ar >> a >> b >> c >> d;
    EXPECT_EQ(a + L"|" + b + L"|" + c + L"|" + d, L"hello|ab|hi|abc");
}

// The file sees the 4096-byte buffer when full, on Flush and on Close;
// closing a loading archive gives the unread bytes back to the file.
TEST(CArchiveNumbers, ValuesStraddlingTheBufferArriveWholeAndTheFileSeesThemOnFlush)
{
    MemoryFile file;
    CArchive out(&file, CArchive::store);
    for (int i = 0; i < 4093; ++i)
        out << static_cast<BYTE>(i);
    EXPECT_EQ(file.GetLength(), 0u);
    out << LONGLONG(0x0102030405060708ll);
    EXPECT_EQ(file.GetLength(), 4096u);
    out.Flush();
    EXPECT_EQ(file.GetLength(), 4101u);
    out << 42;
    out.Close();
    EXPECT_EQ(file.GetLength(), 4105u);
    file.Seek(0, CFile::begin);
    CArchive in(&file, CArchive::load);
    BYTE byte = 0;
    for (int i = 0; i < 4093; ++i) {
        in >> byte;
        ASSERT_EQ(byte, static_cast<BYTE>(i));
    }
    LONGLONG straddling = 0;
    in >> straddling;
    EXPECT_EQ(straddling, 0x0102030405060708ll);
    in.Close();
    EXPECT_EQ(file.GetPosition(), 4101u);
}

// Cut short or with a length the data cannot hold: the error names its cause
// and the file, nothing is allocated for it, the target stays as it was.
TEST(CArchiveErrors, DamagedDataRaisesItsCauseBeforeAnythingIsAllocated)
{
    const Bytes data = Stored([](CArchive& ar) { ar << LONGLONG(2) << CString(L"abc"); });
    auto Cut = [&](size_t n) { return Bytes(data.begin(), data.begin() + n); };
    auto Counted = [&](Bytes s) { s.insert(s.begin(), data.begin(), data.begin() + 8); return s; };
    constexpr int End = CArchiveException::endOfFile, Bad = CArchiveException::badIndex;
    const struct { Bytes bytes; int cause; } cases[] = {
        // Cut inside the characters, inside the length, inside the count.
        {Cut(data.size() - 1), End}, {Cut(10), End}, {Cut(5), End},
        // INT_MAX characters, four bytes present; one more than a string holds; far more.
        {Counted({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3, 4}), End},
        {Counted({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 1, 2}), Bad},
        {Counted({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                  0, 0, 0, 0, 0, 1, 0, 0}), Bad},
        {Counted({0xFF, 0xFD, 0xFF, 'a', 'b', 'c'}), End},  // untagged, 0xFFFD bytes
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.size());
        Loaded in(c.bytes);
        CString text;
        g_largestAllocation = 0;
        try {
            LONGLONG count = 0;
            in.ar >> count >> text;
            ADD_FAILURE() << "no error";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.m_cause, c.cause);
            EXPECT_NE(e.GetErrorMessage().Find(L"D:\\lots\\lots.tab"), -1);
        }
        EXPECT_LT(g_largestAllocation.load(), 64u * 1024u);
        EXPECT_TRUE(text.IsEmpty());
    }
}
