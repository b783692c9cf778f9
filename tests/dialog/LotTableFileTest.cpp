#include "CArchive.h"
#include "CFile.h"
#include "FileTestSupport.h"
#include "Fuzz.h"
#include "LotTableFile.h"
#include "MemoryFile.h"
#include "MyCug.h"
#include "Narrow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

// Two rows and three layers, the "*" entry included.
void FillSample(MyCug& grid)
{
    grid.Results.Add({L"A", L"3", L"T1", L"1"});
    grid.Results.Add({L"*", L"4", L"T2", L"4"});
    grid.Layers.Add(L"*");
    grid.Layers.Add(L"A");
    grid.Layers.Add(L"B");
    grid.Counts.Add(L"");
    grid.Counts.Add(L"3");
    grid.Counts.Add(L"4");
    grid.LayerUsed.Add(1);
    grid.LayerUsed.Add(1);
    grid.LayerUsed.Add(0);
    grid.TypeChoices = L"T1\nT2\n";
}

// The sample as the file must hold it, written out by hand.
const Bytes kSampleFile = {
    0x02, 0, 0, 0, 0, 0, 0, 0,                                  // R = 2
    0xFF, 0xFE, 0xFF, 1, 'A', 0,                                // "A"
    0xFF, 0xFE, 0xFF, 1, '3', 0,                                // "3"
    0xFF, 0xFE, 0xFF, 2, 'T', 0, '1', 0,                        // "T1"
    0xFF, 0xFE, 0xFF, 1, '1', 0,                                // "1"
    0xFF, 0xFE, 0xFF, 1, '*', 0,
    0xFF, 0xFE, 0xFF, 1, '4', 0,
    0xFF, 0xFE, 0xFF, 2, 'T', 0, '2', 0,
    0xFF, 0xFE, 0xFF, 1, '4', 0,
    0x03, 0, 0, 0, 0, 0, 0, 0,                                  // L = 3
    0xFF, 0xFE, 0xFF, 1, '*', 0, 0xFF, 0xFE, 0xFF, 0, 1, 0, 0, 0,   // "*", "", 1
    0xFF, 0xFE, 0xFF, 1, 'A', 0, 0xFF, 0xFE, 0xFF, 1, '3', 0, 1, 0, 0, 0,
    0xFF, 0xFE, 0xFF, 1, 'B', 0, 0xFF, 0xFE, 0xFF, 1, '4', 0, 0, 0, 0, 0,
    0xFF, 0xFE, 0xFF, 6, 'T', 0, '1', 0, '\n', 0, 'T', 0, '2', 0, '\n', 0,
};

bool SameTable(const MyCug& a, const MyCug& b)
{
    if (a.Results.GetSize() != b.Results.GetSize() || a.Layers.GetSize() != b.Layers.GetSize()
        || a.Counts.GetSize() != b.Counts.GetSize() || a.LayerUsed.GetSize() != b.LayerUsed.GetSize()
        || a.TypeChoices != b.TypeChoices)
        return false;
    for (int i = 0; i < a.Results.GetSize(); ++i)
        if (a.Results[i].Layer != b.Results[i].Layer || a.Results[i].Quantity != b.Results[i].Quantity
            || a.Results[i].Type != b.Results[i].Type || a.Results[i].Numbering != b.Results[i].Numbering)
            return false;
    for (int i = 0; i < a.Layers.GetSize(); ++i)
        if (a.Layers[i] != b.Layers[i] || a.Counts[i] != b.Counts[i] || a.LayerUsed[i] != b.LayerUsed[i])
            return false;
    return true;
}

void ExpectSameTable(const MyCug& a, const MyCug& b)
{
    ASSERT_EQ(a.Results.GetSize(), b.Results.GetSize());
    for (int i = 0; i < a.Results.GetSize(); ++i) {
        EXPECT_EQ(a.Results[i].Layer, b.Results[i].Layer);
        EXPECT_EQ(a.Results[i].Quantity, b.Results[i].Quantity);
        EXPECT_EQ(a.Results[i].Type, b.Results[i].Type);
        EXPECT_EQ(a.Results[i].Numbering, b.Results[i].Numbering);
    }
    ASSERT_EQ(a.Layers.GetSize(), b.Layers.GetSize());
    for (int i = 0; i < a.Layers.GetSize(); ++i) {
        EXPECT_EQ(a.Layers[i], b.Layers[i]);
        EXPECT_EQ(a.Counts[i], b.Counts[i]);
        EXPECT_EQ(a.LayerUsed[i], b.LayerUsed[i]);
    }
    EXPECT_EQ(a.TypeChoices, b.TypeChoices);
}

} // namespace

TEST(LotTableFile, SaveWritesTheExactBytesAndLoadGivesTheTableBack)
{
    TemporaryPath path(L"lotgrid-sample.tab");
    MyCug saved;
    FillSample(saved);
    ASSERT_EQ(LotTableFile::Save(path.Path(), saved), L"");
    EXPECT_EQ(ReadAllBytes(path), kSampleFile);

    MyCug loaded;
    ASSERT_EQ(LotTableFile::Load(path.Path(), loaded), L"");
    ExpectSameTable(saved, loaded);
}

TEST(LotTableFile, DefaultPathIsTheDrawingWithoutItsExtension)
{
    EXPECT_EQ(LotTableFile::DefaultPath(L"D:\\proj\\", L"site.dwg"), L"D:\\proj\\site");
    CString longFolder(L'x', 300);
    EXPECT_EQ(LotTableFile::DefaultPath(longFolder, L"site.dwg").GetLength(), 259)
        << "the path buffer holds 260 characters with its terminator";
    EXPECT_EQ(LotTableFile::DefaultPath(L"", L"a"), L"") << "a name shorter than an extension";
}

TEST(LotTableFile, UnopenableFilesAreReportedWithThePath)
{
    TemporaryPath missing(L"no-such-folder\\table.tab");
    MyCug grid;
    FillSample(grid);
    EXPECT_EQ(LotTableFile::Load(missing.Path(), grid),
              CString(L"File ") + missing + L" could  not be opened");
    EXPECT_EQ(LotTableFile::Save(missing.Path(), grid),
              CString(L"File ") + missing + L" could  not be opened");
}

TEST(LotTableFile, FailedSaveLeavesTheEarlierFileIntact)
{
    TemporaryPath path(L"lotgrid-kept.tab");
    SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
    WriteAllBytes(path, kSampleFile);
    MyCug other;
    other.Results.Add({L"Z", L"1", L"T", L"9"});

    // The file is in use elsewhere, so the finished new table cannot
    // replace it.
    HANDLE inUse = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(inUse, INVALID_HANDLE_VALUE);
    CString failure = LotTableFile::Save(path.Path(), other);
    CloseHandle(inUse);
    EXPECT_EQ(failure, CString(L"File ") + path
                           + L" could not be written; the earlier file is unchanged");
    EXPECT_EQ(ReadAllBytes(path), kSampleFile);

    // A read-only table is not replaced at all.
    SetFileAttributesW(path, FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(LotTableFile::Save(path.Path(), other),
              CString(L"File ") + path + L" could  not be opened");
    EXPECT_EQ(ReadAllBytes(path), kSampleFile);
    SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
}

TEST(LotTableFile, EveryTruncationIsReportedAndChangesNothing)
{
    TemporaryPath path(L"lotgrid-cut.tab");
    MyCug before;
    FillSample(before);
    for (size_t length = 0; length < kSampleFile.size(); ++length) {
        WriteAllBytes(path, Bytes(kSampleFile.begin(), kSampleFile.begin() + static_cast<long>(length)));
        MyCug grid;
        FillSample(grid);
        CString failure = LotTableFile::Load(path.Path(), grid);
        EXPECT_NE(failure.Find(L"damaged"), -1) << "cut at " << length;
        ExpectSameTable(before, grid);
    }
}

// The largest single allocation while `Watching` is set, for the reader's
// promise that a file's counts never make it allocate beyond what the file
// can hold. Every allocation of this program passes here.
namespace {
volatile bool Watching = false;
std::size_t LargestAllocation = 0;
} // namespace

void* operator new(std::size_t size)
{
    if (Watching && size > LargestAllocation)
        LargestAllocation = size;
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

namespace {

Bytes FileOf(const MyCug& grid)
{
    MemoryFile file;
    CArchive ar(&file, CArchive::store);
    LotTableFile::Write(ar, grid);
    ar.Close();
    return file.Bytes();
}

// The table as a program of 8-bit text writes it: the same fields, every
// string without the Unicode tag and in single bytes (these tables are ASCII).
Bytes UntaggedFileOf(const MyCug& grid)
{
    MemoryFile file;
    CArchive ar(&file, CArchive::store);
    auto put = [&ar](const CString& text) {
        AfxWriteStringLength(ar, static_cast<UINT_PTR>(text.GetLength()), FALSE);
        std::string narrow(text.str().begin(), text.str().end());
        ar.Write(narrow.data(), static_cast<UINT>(narrow.size()));
    };
    ar << static_cast<LONGLONG>(grid.Results.GetSize());
    for (const MyCug::RecordResult& row : grid.Results) {
        put(row.Layer);
        put(row.Quantity);
        put(row.Type);
        put(row.Numbering);
    }
    ar << static_cast<LONGLONG>(grid.Layers.GetSize());
    for (int i = 0; i < grid.Layers.GetSize(); ++i) {
        put(grid.Layers[i]);
        put(grid.Counts[i]);
        ar << grid.LayerUsed[i];
    }
    put(grid.TypeChoices);
    ar.Close();
    return file.Bytes();
}

// Names of 254 to 1,000 characters (the one-byte and the 16-bit length
// forms), and with `huge` a type list of 70,000 (the 32-bit form).
void FillLongNames(MyCug& grid, bool huge)
{
    for (int length : {254, 255, 300, 1000}) {
        CString name(L'n', length);
        grid.Results.Add({name, CString(L'7', length / 100), CString(L't', length), L"1"});
        grid.Layers.Add(name);
        grid.Counts.Add(L"12");
        grid.LayerUsed.Add(1);
    }
    grid.TypeChoices = CString(L'c', huge ? 70000 : 2000) + L"\n";
}

void FillManyRows(MyCug& grid)
{
    for (int i = 0; i < 400; ++i) {
        CString number;
        number.Format(L"%d", i + 1);
        grid.Results.Add({L"L" + number, number, L"T1", number});
        if (i % 2 == 0) {
            grid.Layers.Add(L"L" + number);
            grid.Counts.Add(number);
            grid.LayerUsed.Add(i % 4 == 0);
        }
    }
    grid.TypeChoices = L"T1\nT2\n";
}

void Damage(FuzzRandom& random, Bytes& bytes)
{
    static const std::uint64_t counts[] = {0, 1, 2, 0xFF, 0xFFFE, 0xFFFF, 0x7FFFFFFF, 0xFFFFFFFF,
                                           0x100000000ull, 0x7FFFFFFFFFFFFFFFull, ~0ull};
    std::size_t edits = 1 + random.Below(4);
    for (std::size_t e = 0; e < edits && !bytes.empty(); ++e) {
        std::size_t at = random.Below(bytes.size());
        switch (random.Below(7)) {
        case 0: bytes[at] = static_cast<BYTE>(random.Next()); break;
        case 1: bytes[at] = 0xFF; break;
        case 2: bytes.erase(bytes.begin() + static_cast<long>(at),
                            bytes.begin() + static_cast<long>(std::min(bytes.size(), at + 1 + random.Below(8))));
                break;
        case 3: bytes.insert(bytes.begin() + static_cast<long>(at), static_cast<BYTE>(random.Next())); break;
        case 4: bytes.resize(at); break;
        default: {   // a count or a length field's worth of a telling value
            std::uint64_t value = random.Pick(counts);
            std::size_t width = std::size_t(1) << (1 + random.Below(3));
            for (std::size_t k = 0; k < width && at + k < bytes.size(); ++k)
                bytes[at + k] = static_cast<BYTE>(value >> (8 * k));
        }
        }
    }
}

} // namespace

TEST(LotTableFileFuzz, DamagedFilesFailCleanlyWithinTheirSize)
{
    MyCug sample, longNames, hugeNames, manyRows;
    FillSample(sample);
    FillLongNames(longNames, false);
    FillLongNames(hugeNames, true);
    FillManyRows(manyRows);
    const Bytes files[] = {FileOf(sample),   FileOf(longNames),      FileOf(hugeNames),
                           FileOf(manyRows), UntaggedFileOf(sample), UntaggedFileOf(longNames)};
    ASSERT_EQ(files[0], kSampleFile);

    // The table in memory before each load; a failed load leaves it so.
    MyCug before, grid;
    FillSample(before);
    auto restore = [&] {
        grid.Results.Copy(before.Results);
        grid.Layers.Copy(before.Layers);
        grid.Counts.Copy(before.Counts);
        grid.LayerUsed.Copy(before.LayerUsed);
        grid.TypeChoices = before.TypeChoices;
    };
    restore();

    FuzzWatch watch("LotTableFileFuzz");
    int failures = 0;
    int damaged = 0;
    // Answers false after reporting what went wrong with `bytes`.
    auto load = [&](std::uint64_t seed, const Bytes& bytes) {
        watch.Begin(seed, &bytes);
        MemoryFile file(bytes);
        CString message;
        LargestAllocation = 0;
        Watching = true;
        try {
            message = LotTableFile::Load(file, grid);
        } catch (...) {
            message = L"an exception came through";
        }
        Watching = false;
        const char* fault = nullptr;
        // A file holds at most a row for every four bytes (four strings of
        // a length byte each).
        if (LargestAllocation > sizeof(MyCug::RecordResult) * (bytes.size() / 4) + 65536)
            fault = "an allocation beyond what the file can hold";
        else if (!message.IsEmpty() && message != L"File memory.tab is damaged or is not a lot table file")
            fault = "another message";
        else if (!message.IsEmpty() && !SameTable(grid, before))
            fault = "the failed load changed the table";
        else if (message.IsEmpty() && (grid.Counts.GetSize() != grid.Layers.GetSize()
                                       || grid.LayerUsed.GetSize() != grid.Layers.GetSize()))
            fault = "the loaded layer entries do not match";
        if (!message.IsEmpty())
            ++damaged;
        else
            restore();
        if (fault) {
            ++failures;
            ADD_FAILURE() << "seed " << seed << ": " << fault << " (" << Narrow(message.str())
                          << ", largest allocation " << LargestAllocation << " bytes)\ninput: "
                          << FuzzShow(bytes);
        }
        return !fault;
    };

    // Every truncation of the short files, then random damage to all six.
    for (int f : {0, 1, 4})
        for (std::size_t length = 0; length < files[f].size() && failures < 5; ++length)
            load(FuzzSeed(f, length), Bytes(files[f].begin(), files[f].begin() + static_cast<long>(length)));
    const int cases = 100000 * FuzzScale();
    for (int i = 0; i < cases && failures < 5; ++i) {
        std::uint64_t seed = FuzzSeed(20261208, i);
        FuzzRandom random(seed);
        std::size_t pick = random.Below(100);
        Bytes bytes =
            files[pick < 40 ? 0 : pick < 60 ? 4 : pick < 75 ? 1 : pick < 85 ? 5 : pick < 86 ? 2 : 3];
        Damage(random, bytes);
        load(seed, bytes);
    }
    EXPECT_GT(damaged, cases / 2) << "most damage is noticed";
}

// A table written by a program of 8-bit text: its strings carry no Unicode
// tag. The sample so, byte by byte, all four tables of the fuzz test (the
// longer length forms too) and a table as short as its counts allow (every
// string empty) load as they were.
TEST(LotTableFile, UntaggedFilesLoad)
{
    const Bytes untaggedSample = {
        2, 0, 0, 0, 0, 0, 0, 0,
        1, 'A', 1, '3', 2, 'T', '1', 1, '1',
        1, '*', 1, '4', 2, 'T', '2', 1, '4',
        3, 0, 0, 0, 0, 0, 0, 0,
        1, '*', 0, 1, 0, 0, 0,
        1, 'A', 1, '3', 1, 0, 0, 0,
        1, 'B', 1, '4', 0, 0, 0, 0,
        6, 'T', '1', '\n', 'T', '2', '\n',
    };
    MyCug sample, longNames, hugeNames, manyRows, empties;
    FillSample(sample);
    FillLongNames(longNames, false);
    FillLongNames(hugeNames, true);
    FillManyRows(manyRows);
    empties.Results.SetSize(40);
    empties.Layers.SetSize(3);
    empties.Counts.SetSize(3);
    empties.LayerUsed.SetSize(3);
    ASSERT_EQ(UntaggedFileOf(sample), untaggedSample);
    for (const MyCug* table : {&sample, &longNames, &hugeNames, &manyRows, &empties}) {
        MemoryFile file(UntaggedFileOf(*table));
        MyCug loaded;
        ASSERT_EQ(LotTableFile::Load(file, loaded).str(), L"");
        ExpectSameTable(*table, loaded);
    }
}

// Save writes its new file under a name that the system picks free in the
// target's folder: a folder or a file of the user's under any other name
// (the old table's name with ".saving" added, say) stays as it was, and
// nothing is left besides the tables, also when a table held by another
// program cannot be replaced. A table that another program holds against
// writing is one that could not be opened. Both stay as they were.
TEST(LotTableFile, SaveTouchesNoOtherFileInTheFolder)
{
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"lotgrid-save-names\\";
    auto names = [&folder] {
        std::set<std::wstring> found;
        WIN32_FIND_DATAW entry;
        HANDLE search = ::FindFirstFileW((folder + L"*").c_str(), &entry);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more;
             more = ::FindNextFileW(search, &entry))
            if (entry.cFileName[0] != L'.')
                found.insert(entry.cFileName);
        if (search != INVALID_HANDLE_VALUE)
            ::FindClose(search);
        return found;
    };
    auto clear = [&] {
        for (const std::wstring& name : names())
            if (!::DeleteFileW((folder + name).c_str()))
                ::RemoveDirectoryW((folder + name).c_str());
    };
    ::CreateDirectoryW(folder.c_str(), nullptr);
    clear();
    const Bytes mine = {'m', 'i', 'n', 'e'};
    ::CreateDirectoryW((folder + L"a.tab.saving").c_str(), nullptr);
    WriteAllBytes((folder + L"b.tab.saving").c_str(), mine);
    WriteAllBytes((folder + L"b.tab").c_str(), mine);
    WriteAllBytes((folder + L"c.tab").c_str(), mine);
    WriteAllBytes((folder + L"d.tab").c_str(), mine);

    MyCug grid;
    FillSample(grid);
    for (const wchar_t* name : {L"a.tab", L"b.tab"}) {
        EXPECT_EQ(LotTableFile::Save((folder + name).c_str(), grid).str(), L"") << name;
        EXPECT_EQ(ReadAllBytes((folder + name).c_str()), kSampleFile) << name;
    }
    for (auto [name, sharing, failure] :
         {std::tuple{L"c.tab", FILE_SHARE_READ, L" could  not be opened"},
          std::tuple{L"d.tab", FILE_SHARE_READ | FILE_SHARE_WRITE,
                     L" could not be written; the earlier file is unchanged"}}) {
        const CString held = (folder + name).c_str();
        HANDLE other = ::CreateFileW(held, GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(LotTableFile::Save(held, grid).str(), (L"File " + held + failure).str());
        ::CloseHandle(other);
        EXPECT_EQ(ReadAllBytes(held), mine);
    }
    EXPECT_EQ(ReadAllBytes((folder + L"b.tab.saving").c_str()), mine);
    EXPECT_EQ(names(), (std::set<std::wstring>{L"a.tab", L"a.tab.saving", L"b.tab", L"b.tab.saving",
                                               L"c.tab", L"d.tab"}));
    clear();
    ::RemoveDirectoryW(folder.c_str());
}
