#include "CArchive.h"
#include "CFile.h"
#include "FileTestSupport.h"
#include "LotTableFile.h"
#include "MyCug.h"

#include <gtest/gtest.h>

#include <random>
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
    HANDLE inUse = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(inUse, INVALID_HANDLE_VALUE);
    CString failure = LotTableFile::Save(path.Path(), other);
    CloseHandle(inUse);
    EXPECT_EQ(failure, CString(L"File ") + path
                           + L" could not be written; the earlier file is unchanged");
    EXPECT_EQ(ReadAllBytes(path), kSampleFile);
    EXPECT_EQ(GetFileAttributesW((std::wstring(path) + L".saving").c_str()), INVALID_FILE_ATTRIBUTES)
        << "no partial file is left behind";

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

TEST(LotTableFile, RandomlyDamagedFilesNeverCrashOrOverAllocate)
{
    TemporaryPath path(L"lotgrid-mutated.tab");
    std::mt19937 random(20261206);
    int failures = 0;
    for (int round = 0; round < 3000; ++round) {
        Bytes bytes = kSampleFile;
        int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits; ++e) {
            size_t at = random() % bytes.size();
            switch (random() % 4) {
            case 0: bytes[at] = static_cast<unsigned char>(random()); break;
            case 1: bytes[at] = 0xFF; break;
            case 2: bytes.erase(bytes.begin() + static_cast<long>(at)); break;
            default: bytes.insert(bytes.begin() + static_cast<long>(at),
                                  static_cast<unsigned char>(random()));
            }
            if (bytes.empty())
                bytes.push_back(0);
        }
        WriteAllBytes(path, bytes);
        MyCug grid;
        CString failure = LotTableFile::Load(path.Path(), grid);
        if (!failure.IsEmpty()) {
            ++failures;
            EXPECT_EQ(grid.Results.GetSize(), 0);
            EXPECT_EQ(grid.Layers.GetSize(), 0);
        } else {
            // What did load is consistent: three parallel arrays.
            EXPECT_EQ(grid.Layers.GetSize(), grid.Counts.GetSize());
            EXPECT_EQ(grid.Layers.GetSize(), grid.LayerUsed.GetSize());
        }
    }
    EXPECT_GT(failures, 1000) << "most damage is noticed";
}
