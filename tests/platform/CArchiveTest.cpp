#include "CArchive.h"

#include "FileTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <new>

// The largest single allocation since the last reset, to show that a damaged
// length is refused before anything is allocated for it. The runtime's own
// operator delete frees with free(), which matches the malloc() here.
namespace {
std::atomic<size_t> g_largestAllocation{0};
}

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

Bytes Stored(const wchar_t* path, const std::function<void(CArchive&)>& write)
{
    CFile file;
    EXPECT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary));
    CArchive ar(&file, CArchive::store);
    write(ar);
    ar.Close();
    file.Close();
    return ReadAllBytes(path);
}

Bytes Encoded(const CString& text)
{
    TemporaryPath path(L"carchive-encoded.bin");
    return Stored(path, [&](CArchive& ar) { ar << text; });
}

Bytes Prefix(const Bytes& bytes, size_t count)
{
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(count, bytes.size())));
}

void Append(Bytes& bytes, std::initializer_list<int> values)
{
    for (int v : values)
        bytes.push_back(static_cast<BYTE>(v));
}

// A loading archive over a file holding `bytes`.
struct Loaded {
    explicit Loaded(const Bytes& bytes) : path(L"carchive-loaded.bin")
    {
        WriteAllBytes(path, bytes);
        EXPECT_TRUE(file.Open(path, CFile::modeRead | CFile::shareDenyWrite));
        ar = std::make_unique<CArchive>(&file, CArchive::load);
    }

    TemporaryPath path;
    CFile file;
    std::unique_ptr<CArchive> ar;
};

int CauseOf(const std::function<void()>& read)
{
    try {
        read();
    } catch (const CArchiveException& e) {
        return e.m_cause;
    }
    return -1;
}

} // namespace

TEST(CArchiveStrings, LengthTakesItsShortestFormAfterTheUnicodeTagAndReadsBack)
{
    EXPECT_EQ(Encoded(L""), Bytes({0xFF, 0xFE, 0xFF, 0x00}));
    EXPECT_EQ(Encoded(L"A\u00e9"), Bytes({0xFF, 0xFE, 0xFF, 0x02, 0x41, 0x00, 0xE9, 0x00}));

    const struct {
        int length;
        Bytes header;
    } cases[] = {
        {254, {0xFF, 0xFE, 0xFF, 0xFE}},
        {255, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}},
        {300, {0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01}},
        {0xFFFD, {0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const auto& c : cases) {
        // Latin, CJK, a line feed, a NUL and a surrogate pair in turn.
        CString text;
        for (int i = 0; i < c.length; ++i)
            text += static_cast<wchar_t>(L"a\u00e4\u4e2d\n\0\xD83D\xDE00"[i % 7]);
        Bytes bytes = Encoded(text);
        EXPECT_EQ(Prefix(bytes, c.header.size()), c.header) << "length " << c.length;
        ASSERT_EQ(bytes.size(), c.header.size() + 2u * c.length) << "length " << c.length;
        EXPECT_EQ(bytes[c.header.size()], 'a');
        EXPECT_EQ(bytes[c.header.size() + 1], 0);

        Loaded in(bytes);
        CString read(L"stale");
        *in.ar >> read;
        EXPECT_TRUE(read.str() == text.str()) << "length " << c.length;
        EXPECT_EQ(in.ar->GetRemainingLength(), 0u);
    }
}

TEST(CArchiveStrings, ReaderTakesUntaggedEightBitStringsAndEveryLengthForm)
{
    Bytes bytes;
    Append(bytes, {0x05, 'h', 'e', 'l', 'l', 'o'});
    Append(bytes, {0xFF, 0x2C, 0x01});
    bytes.insert(bytes.end(), 300, 'q');
    Append(bytes, {0x00});
    // Longer forms than needed, as another writer may use them.
    Append(bytes, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00, 'h', 0, 'i', 0});
    Append(bytes, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                   0x03, 0, 0, 0, 0, 0, 0, 0, 'a', 0, 'b', 0, 'c', 0});

    Loaded in(bytes);
    CString a, b, c, d, e;
    *in.ar >> a >> b >> c >> d >> e;
    EXPECT_EQ(a, L"hello");
    EXPECT_EQ(b, CString(L'q', 300));
    EXPECT_TRUE(c.IsEmpty());
    EXPECT_EQ(d, L"hi");
    EXPECT_EQ(e, L"abc");
}

TEST(CArchiveNumbers, RoundTripInLittleEndianWidths)
{
    TemporaryPath path(L"carchive-numbers.bin");
    Bytes bytes = Stored(path, [](CArchive& ar) {
        ar << static_cast<LONGLONG>(2) << static_cast<LONGLONG>(-2)
           << static_cast<ULONGLONG>(0xFEDCBA9876543210ull) << static_cast<LONG>(-123456)
           << 7 << static_cast<DWORD>(0xDEADBEEF) << static_cast<WORD>(0xBEEF)
           << static_cast<BYTE>(0xAB) << 2.5;
    });
    ASSERT_EQ(bytes.size(), 8u + 8 + 8 + 4 + 4 + 4 + 2 + 1 + 8);
    EXPECT_EQ(Prefix(bytes, 16), Bytes({2, 0, 0, 0, 0, 0, 0, 0,
                                        0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Bytes(bytes.begin() + 16, bytes.begin() + 24),
              Bytes({0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE}));
    EXPECT_EQ(Bytes(bytes.begin() + 28, bytes.begin() + 32), Bytes({7, 0, 0, 0}));

    Loaded in(bytes);
    LONGLONG two = 0, minusTwo = 0;
    ULONGLONG big = 0;
    LONG negative = 0;
    int seven = 0;
    DWORD dword = 0;
    WORD word = 0;
    BYTE byte = 0;
    double real = 0;
    *in.ar >> two >> minusTwo >> big >> negative >> seven >> dword >> word >> byte >> real;
    EXPECT_TRUE(two == 2 && minusTwo == -2 && big == 0xFEDCBA9876543210ull && negative == -123456
                && seven == 7 && dword == 0xDEADBEEFu && word == 0xBEEF && byte == 0xAB
                && real == 2.5);
}

TEST(CArchiveNumbers, ValuesStraddlingTheBufferArriveWholeAndTheFileSeesThemOnFlush)
{
    TemporaryPath path(L"carchive-buffer.bin");
    CFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite));
    {
        CArchive ar(&file, CArchive::store);
        for (int i = 0; i < 4093; ++i)
            ar << static_cast<BYTE>(i);
        EXPECT_EQ(file.GetLength(), 0u) << "held in the 4096-byte buffer";
        ar << static_cast<LONGLONG>(0x0102030405060708ll);
        EXPECT_EQ(file.GetLength(), 4096u);
        ar.Flush();
        EXPECT_EQ(file.GetLength(), 4101u);
        ar << 42;
    } // destruction writes the rest
    EXPECT_EQ(file.GetLength(), 4105u);
    file.Close();

    ASSERT_TRUE(file.Open(path, CFile::modeRead));
    {
        CArchive ar(&file, CArchive::load);
        BYTE byte = 0;
        for (int i = 0; i < 4093; ++i) {
            ar >> byte;
            ASSERT_EQ(byte, static_cast<BYTE>(i));
        }
        LONGLONG straddling = 0;
        ar >> straddling;
        EXPECT_EQ(straddling, 0x0102030405060708ll);
        ar.Close();
    }
    // Closing gives the unread bytes back: the file stands where reading stopped.
    EXPECT_EQ(file.GetPosition(), 4101u);
}

TEST(CArchiveErrors, DataEndingEarlyRaisesEndOfFile)
{
    TemporaryPath path(L"carchive-whole.bin");
    Bytes whole = Stored(path, [](CArchive& ar) { ar << static_cast<LONGLONG>(2) << CString(L"abc"); });
    ASSERT_EQ(whole.size(), 8u + 4 + 6);

    // Cut inside the characters, inside the length, inside a number.
    for (size_t cut : {whole.size() - 1, size_t{10}, size_t{5}}) {
        Loaded in(Prefix(whole, cut));
        int cause = CauseOf([&] {
            LONGLONG count = 0;
            CString text;
            *in.ar >> count >> text;
        });
        EXPECT_EQ(cause, CArchiveException::endOfFile) << "cut at " << cut;
    }

    Loaded in(Prefix(whole, 5));
    try {
        LONGLONG count = 0;
        *in.ar >> count;
        FAIL() << "read past the end";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_strFileName, CString(in.path));
        EXPECT_NE(e.GetErrorMessage().Find(CString(in.path)), -1);
    }
}

TEST(CArchiveErrors, ImpossibleLengthsFailBeforeAnythingIsAllocated)
{
    struct Case {
        Bytes bytes;
        int cause;
    };
    const Case cases[] = {
        // 0x40000000 characters declared, ten bytes present.
        {{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x40, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
         CArchiveException::endOfFile},
        // More characters than a string can hold.
        {{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 1, 0, 0},
         CArchiveException::badIndex},
        // An untagged 8-bit string of 0xFFFD bytes with three present.
        {{0xFF, 0xFD, 0xFF, 'a', 'b', 'c'}, CArchiveException::endOfFile},
    };
    for (const Case& c : cases) {
        Loaded in(c.bytes);
        g_largestAllocation = 0;
        CString text;
        EXPECT_EQ(CauseOf([&] { *in.ar >> text; }), c.cause);
        EXPECT_LT(g_largestAllocation.load(), 64u * 1024u);
        EXPECT_TRUE(text.IsEmpty()) << "the target is left as it was";
    }
}
