#include "AllocationWatch.h"
#include "CArchive.h"
#include "FileTestSupport.h"
#include "Fuzz.h"
#include "LotGridDriver.h"
#include "LotTableFile.h"
#include "MemoryFile.h"
#include "Narrow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <set>
#include <string>
#include <tuple>

namespace {

using Bytes = std::vector<BYTE>;

// Two rows and three layers with "*", and their file written out by hand.
void FillSample(MyCug& grid)
{
    FillLotTable(grid, {{L"A", L"3"}, {L"B", L"4"}}, {{L"A", L"3", L"T1", L"1"}, {L"*", L"4", L"T2", L"4"}});
}
const Bytes kSampleFile = {
    0x02, 0, 0, 0, 0, 0, 0, 0,                                                           // R = 2
    0xFF, 0xFE, 0xFF, 1, 'A', 0, 0xFF, 0xFE, 0xFF, 1, '3', 0,                            // "A", "3",
    0xFF, 0xFE, 0xFF, 2, 'T', 0, '1', 0, 0xFF, 0xFE, 0xFF, 1, '1', 0,                    // "T1", "1"
    0xFF, 0xFE, 0xFF, 1, '*', 0, 0xFF, 0xFE, 0xFF, 1, '4', 0,                            // "*", "4",
    0xFF, 0xFE, 0xFF, 2, 'T', 0, '2', 0, 0xFF, 0xFE, 0xFF, 1, '4', 0,                    // "T2", "4"
    0x03, 0, 0, 0, 0, 0, 0, 0,                                                           // L = 3
    0xFF, 0xFE, 0xFF, 1, '*', 0, 0xFF, 0xFE, 0xFF, 0, 1, 0, 0, 0,                        // "*", "", 1
    0xFF, 0xFE, 0xFF, 1, 'A', 0, 0xFF, 0xFE, 0xFF, 1, '3', 0, 1, 0, 0, 0,                // "A", "3", 1
    0xFF, 0xFE, 0xFF, 1, 'B', 0, 0xFF, 0xFE, 0xFF, 1, '4', 0, 0, 0, 0, 0,                // "B", "4", 0
    0xFF, 0xFE, 0xFF, 6, 'T', 0, '1', 0, '\n', 0, 'T', 0, '2', 0, '\n', 0,               // "T1\nT2\n"
};

// Rows and layers whose names take the given lengths in turn, and type
// choices of `typesLength` characters: long strings take the 16-bit and
// 32-bit length forms; length 0 makes every string empty.
void FillGenerated(MyCug& grid, int rows, int layers, std::vector<int> lengths, int typesLength)
{
    for (int i = 0; i < std::max(rows, layers); ++i) {
        const int length = lengths[i % lengths.size()];
        const CString name(L'n', length);
        if (i < rows)
            grid.Results.Add({name, CString(L'7', length / 100), CString(L't', length), length ? L"1" : L""});
        if (i < layers) {
            grid.Layers.Add(name);
            grid.Counts.Add(length ? L"12" : L"");
            grid.LayerUsed.Add(length ? 1 : 0);
        }
    }
    grid.TypeChoices = CString(L'c', typesLength) + (typesLength ? L"\n" : L"");
}

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
        const std::string narrow(text.str().begin(), text.str().end());
        ar.Write(narrow.data(), static_cast<UINT>(narrow.size()));
    };
    ar << static_cast<LONGLONG>(grid.Results.GetSize());
    for (const MyCug::RecordResult& row : grid.Results)
        for (const CString* text : {&row.Layer, &row.Quantity, &row.Type, &row.Numbering})
            put(*text);
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

} // namespace

TEST(LotTableFile, DefaultPathIsTheDrawingWithoutItsExtensionWithinThePathBuffer)
{
    EXPECT_EQ(LotTableFile::DefaultPath(L"D:\\proj\\", L"site.dwg"), L"D:\\proj\\site");
    EXPECT_EQ(LotTableFile::DefaultPath(CString(L'x', 300), L"site.dwg").GetLength(), 259);
    EXPECT_EQ(LotTableFile::DefaultPath(L"", L"a"), L"") << "a name shorter than an extension";
}

// A table file in use elsewhere, which the finished new file cannot
// replace, or read-only, stays as it was, with no partial file left.
TEST(LotTableFile, TablesLoadBackAsSavedAndAFailedSaveLeavesTheEarlierFileIntact)
{
    TemporaryPath path(L"lotgrid-kept.tab"), missing(L"no-such-folder\\table.tab");
    MyCug sample, loaded;
    FillSample(sample);
    ASSERT_EQ(LotTableFile::Save(path.Path(), sample), L"");
    EXPECT_EQ(ReadAllBytes(path), kSampleFile);
    ASSERT_EQ(LotTableFile::Load(path.Path(), loaded), L"");
    EXPECT_EQ(LotTableText(loaded), LotTableText(sample));
    const CString unopenable = CString(L"File ") + missing + L" could  not be opened";
    EXPECT_EQ(LotTableFile::Load(missing.Path(), sample), unopenable);
    EXPECT_EQ(LotTableFile::Save(missing.Path(), sample), unopenable);
    loaded.Results.Add({L"Z", L"1", L"T", L"9"});
    HANDLE inUse = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                               nullptr);
    ASSERT_NE(inUse, INVALID_HANDLE_VALUE);
    const CString failure = LotTableFile::Save(path.Path(), loaded);
    CloseHandle(inUse);
    EXPECT_EQ(failure, CString(L"File ") + path + L" could not be written; the earlier file is unchanged");
    EXPECT_EQ(ReadAllBytes(path), kSampleFile);
    SetFileAttributesW(path, FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(LotTableFile::Save(path.Path(), loaded), CString(L"File ") + path + L" could  not be opened");
    EXPECT_EQ(ReadAllBytes(path), kSampleFile);
    SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
}

namespace {

void Damage(FuzzRandom& random, Bytes& bytes)
{
    static const std::uint64_t counts[] = {0, 1, 2, 0xFF, 0xFFFE, 0xFFFF, 0x7FFFFFFF, 0xFFFFFFFF,
                                           0x100000000ull, 0x7FFFFFFFFFFFFFFFull, ~0ull};
    for (std::size_t e = 0, edits = 1 + random.Below(4); e < edits && !bytes.empty(); ++e) {
        const auto at = bytes.begin() + static_cast<long>(random.Below(bytes.size()));
        switch (random.Below(7)) {
        case 0: *at = static_cast<BYTE>(random.Next()); break;
        case 1: *at = 0xFF; break;
        case 2: bytes.erase(at, at + std::min<long>(bytes.end() - at, 1 + random.Below(8))); break;
        case 3: bytes.insert(at, static_cast<BYTE>(random.Next())); break;
        case 4: bytes.erase(at, bytes.end()); break;
        default: {   // a count or a length field's worth of a telling value
            const std::uint64_t value = random.Pick(counts);
            const long width = 1L << (1 + random.Below(3));
            for (long k = 0; k < width && at + k < bytes.end(); ++k)
                at[k] = static_cast<BYTE>(value >> (8 * k));
        }
        }
    }
}

} // namespace

// Whole files, long strings and as many empty rows and layers as a file can
// hold included, load back as they were written.
TEST(LotTableFileFuzz, WholeFilesLoadBackAndDamagedOnesFailCleanlyWithinTheirSize)
{
    MyCug sample, longNames, hugeNames, manyRows, empty, grid;
    FillSample(sample);
    FillGenerated(longNames, 4, 4, {254, 255, 300, 1000}, 2000);
    FillGenerated(hugeNames, 4, 4, {254, 255, 300, 1000}, 70000);
    FillGenerated(manyRows, 400, 200, {2, 3}, 6);
    FillGenerated(empty, 300, 20, {0}, 0);
    // The same tables as programs of 8-bit text write them load too.
    const Bytes files[] = {FileOf(sample),         FileOf(longNames),         FileOf(hugeNames),
                           FileOf(manyRows),       FileOf(empty),             UntaggedFileOf(sample),
                           UntaggedFileOf(longNames), UntaggedFileOf(hugeNames), UntaggedFileOf(manyRows),
                           UntaggedFileOf(empty)};
    ASSERT_EQ(files[0], kSampleFile);
    const MyCug* tables[] = {&sample, &longNames, &hugeNames, &manyRows, &empty};
    for (int f = 0; f < 10; ++f) {
        MemoryFile file(files[f]);
        EXPECT_EQ(LotTableFile::Load(file, grid), L"");
        EXPECT_EQ(LotTableText(grid), LotTableText(*tables[f % 5])) << "file " << f;
    }
    // The table in memory before each load; a failed load leaves it so.
    const std::wstring before = LotTableText(sample);
    auto restore = [&] {
        grid.Results.Copy(sample.Results);
        grid.Layers.Copy(sample.Layers);
        grid.Counts.Copy(sample.Counts);
        grid.LayerUsed.Copy(sample.LayerUsed);
        grid.TypeChoices = sample.TypeChoices;
    };
    restore();
    FuzzWatch watch("LotTableFileFuzz");
    int failures = 0, damaged = 0;
    auto load = [&](std::uint64_t seed, const Bytes& bytes) {
        watch.Begin(seed, &bytes);
        MemoryFile file(bytes);
        CString message;
        AllocationWatch::Watch(true);
        try {
            message = LotTableFile::Load(file, grid);
        } catch (...) {
            message = L"an exception came through";
        }
        AllocationWatch::Watch(false);
        const std::wstring after = LotTableText(grid);
        const bool failed = !message.IsEmpty();
        // A file holds at most a row for every four bytes (four strings of a
        // length byte each, untagged and empty).
        const char* fault = AllocationWatch::Largest() > sizeof(MyCug::RecordResult) * (bytes.size() / 4) + 65536
                                ? "an allocation beyond what the file can hold"
            : failed && message != L"File memory.tab is damaged or is not a lot table file" ? "another message"
            : failed && after != before ? "the failed load changed the table"
            : after.find(L"(counts and flags not one per layer)") != std::wstring::npos ? "unequal layer entries"
            : nullptr;
        damaged += failed;
        restore();
        if (fault) {
            ++failures;
            ADD_FAILURE() << "seed " << seed << ": " << fault << " (" << Narrow(message.str())
                          << ", largest allocation " << AllocationWatch::Largest() << " bytes)\ninput: " << FuzzShow(bytes);
        }
    };
    // Every truncation of the short files, then random damage to the others.
    for (int f : {0, 1, 5})
        for (std::size_t length = 0; length < files[f].size() && failures < 5; ++length)
            load(FuzzSeed(f, length), Bytes(files[f].begin(), files[f].begin() + static_cast<long>(length)));
    const int cases = 100000 * FuzzScale();
    for (int i = 0; i < cases && failures < 5; ++i) {
        const std::uint64_t seed = FuzzSeed(20261208, i);
        FuzzRandom random(seed);
        const std::size_t pick = random.Below(100);
        Bytes bytes = files[pick < 40 ? 0 : pick < 60 ? 5 : pick < 75 ? 1 : pick < 85 ? 6 : pick < 86 ? 2 : 3];
        Damage(random, bytes);
        load(seed, bytes);
    }
    EXPECT_GT(damaged, cases / 2) << "most damage is noticed";
}

// The untagged form byte for byte, as an 8-bit program writes the sample.
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
    MyCug sample, loaded;
    FillSample(sample);
    ASSERT_EQ(UntaggedFileOf(sample), untaggedSample);
    MemoryFile file(untaggedSample);
    ASSERT_EQ(LotTableFile::Load(file, loaded), L"");
    EXPECT_EQ(LotTableText(loaded), LotTableText(sample));
}

// Save writes its new file under a name that the system picks free in the
// target's folder: a folder or a file of the user's under any other name
// (the old table's name with ".saving" added, say) stays as it was, and
// nothing is left besides the tables, also when a table held by another
// program cannot be replaced. A table that another program holds against
// writing is one that could not be opened.
TEST(LotTableFile, SaveTouchesNoOtherFileInTheFolder)
{
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"lotgrid-save-names\\";
    auto names = [&folder] {
        std::set<std::wstring> found;
        WIN32_FIND_DATAW entry;
        HANDLE search = ::FindFirstFileW((folder + L"*").c_str(), &entry);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(search, &entry))
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
    for (const wchar_t* name : {L"b.tab.saving", L"b.tab", L"c.tab", L"d.tab"})
        WriteAllBytes((folder + name).c_str(), mine);
    MyCug grid;
    FillSample(grid);
    for (const wchar_t* name : {L"a.tab", L"b.tab"}) {
        EXPECT_EQ(LotTableFile::Save((folder + name).c_str(), grid), L"") << name;
        EXPECT_EQ(ReadAllBytes((folder + name).c_str()), kSampleFile) << name;
    }
    for (auto [name, sharing, failure] :
         {std::tuple{L"c.tab", FILE_SHARE_READ, L" could  not be opened"},
          std::tuple{L"d.tab", FILE_SHARE_READ | FILE_SHARE_WRITE, L" could not be written; the earlier file is unchanged"}}) {
        const CString held = (folder + name).c_str();
        HANDLE other = ::CreateFileW(held, GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(LotTableFile::Save(held, grid), L"File " + held + failure);
        ::CloseHandle(other);
        EXPECT_EQ(ReadAllBytes(held), mine);
    }
    EXPECT_EQ(ReadAllBytes((folder + L"b.tab.saving").c_str()), mine);
    EXPECT_EQ(names(), (std::set<std::wstring>{L"a.tab", L"a.tab.saving", L"b.tab", L"b.tab.saving", L"c.tab", L"d.tab"}));
    clear();
    ::RemoveDirectoryW(folder.c_str());
}
