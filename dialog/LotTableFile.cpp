#include "LotTableFile.h"

#include "CArchive.h"
#include "CFile.h"
#include "CFileException.h"
#include "MyCug.h"

namespace {

constexpr int kPathBuffer = 260;   // characters, terminator included

// Every row and layer entry takes at least this many bytes in a file: four
// empty strings (tag and length: four bytes each), or two empty strings
// and the 32-bit flag.
constexpr ULONGLONG kMinimumRowBytes = 4 * 4;
constexpr ULONGLONG kMinimumLayerBytes = 2 * 4 + 4;

CString Message(const wchar_t* format, const CString& path)
{
    CString text;
    text.Format(format, path.GetString());
    return text;
}

LONGLONG ReadCount(CArchive& ar, ULONGLONG bytesPerItem)
{
    LONGLONG count = 0;
    ar >> count;
    if (count < 0 || static_cast<ULONGLONG>(count) > ar.GetRemainingLength() / bytesPerItem)
        throw CArchiveException(CArchiveException::badIndex, ar.GetArchiveName());
    return count;
}

} // namespace

void LotTableFile::Write(CArchive& ar, const MyCug& grid)
{
    ar << static_cast<LONGLONG>(grid.Results.GetSize());
    for (const MyCug::RecordResult& row : grid.Results)
        ar << row.Layer << row.Quantity << row.Type << row.Numbering;
    ar << static_cast<LONGLONG>(grid.Layers.GetSize());
    for (int i = 0; i < grid.Layers.GetSize(); ++i) {
        CString count = i < grid.Counts.GetSize() ? grid.Counts[i] : CString();
        int used = i < grid.LayerUsed.GetSize() ? grid.LayerUsed[i] : 0;
        ar << grid.Layers[i] << count << used;
    }
    ar << grid.TypeChoices;
}

void LotTableFile::Read(CArchive& ar, MyCug& grid)
{
    CArray<MyCug::RecordResult, const MyCug::RecordResult&> results;
    results.SetSize(static_cast<int>(ReadCount(ar, kMinimumRowBytes)), 20);
    for (MyCug::RecordResult& row : results)
        ar >> row.Layer >> row.Quantity >> row.Type >> row.Numbering;

    int layerCount = static_cast<int>(ReadCount(ar, kMinimumLayerBytes));
    CStringArray layers, counts;
    CArray<int, int> used;
    layers.SetSize(layerCount, 20);
    counts.SetSize(layerCount, 20);
    used.SetSize(layerCount, 20);
    for (int i = 0; i < layerCount; ++i)
        ar >> layers[i] >> counts[i] >> used[i];

    CString typeChoices;
    ar >> typeChoices;

    grid.Results.Copy(results);
    grid.Layers.Copy(layers);
    grid.Counts.Copy(counts);
    grid.LayerUsed.Copy(used);
    grid.TypeChoices = typeChoices;
}

CString LotTableFile::Save(const CString& path, const MyCug& grid)
{
    // A file the user may not change is not replaced behind its back.
    DWORD attributes = GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES
        && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return Message(L"File %s could  not be opened", path);

    CString partial = path + L".saving";
    bool written = false;
    {
        CFile file;
        if (!file.Open(partial, CFile::modeCreate | CFile::modeWrite))
            return Message(L"File %s could  not be opened", path);
        try {
            CArchive ar(&file, CArchive::store);
            Write(ar, grid);
            ar.Close();
            file.Close();
            written = true;
        } catch (const CException&) {
            // The file closes when it goes; the partial copy is removed below.
        }
    }
    if (!written || !MoveFileExW(partial, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(partial);
        return Message(L"File %s could not be written; the earlier file is unchanged", path);
    }
    return CString();
}

CString LotTableFile::Load(const CString& path, MyCug& grid)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite))
        return Message(L"File %s could  not be opened", path);
    return Load(file, grid);
}

CString LotTableFile::Load(CFile& file, MyCug& grid)
{
    try {
        CArchive ar(&file, CArchive::load);
        Read(ar, grid);
        ar.Close();
    } catch (const CException&) {
        return Message(L"File %s is damaged or is not a lot table file", file.GetFilePath());
    }
    return CString();
}

CString LotTableFile::DefaultPath(const CString& drawingFolder, const CString& drawingName)
{
    CString path = drawingFolder + drawingName;
    path = path.Left(path.GetLength() - 4);
    return path.Left(kPathBuffer - 1);
}
