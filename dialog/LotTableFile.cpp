#include "LotTableFile.h"

#include "CArchive.h"
#include "CFile.h"
#include "CFileException.h"
#include "MyCug.h"

#include <algorithm>

namespace {

constexpr int kPathBuffer = 260;   // characters, terminator included

// Every row and layer entry takes at least this many bytes in a file: four
// empty strings, or two empty strings and the 32-bit flag. An empty string
// without the Unicode tag, as programs of 8-bit text write it, is a single
// length byte.
constexpr ULONGLONG kMinimumStringBytes = 1;
constexpr ULONGLONG kMinimumRowBytes = 4 * kMinimumStringBytes;
constexpr ULONGLONG kMinimumLayerBytes = 2 * kMinimumStringBytes + 4;

constexpr const wchar_t* kNotOpened = L"File %s could  not be opened";
constexpr const wchar_t* kNotWritten =
    L"File %s could not be written; the earlier file is unchanged";

CString Message(const wchar_t* format, const CString& path)
{
    CString text;
    text.Format(format, path.GetString());
    return text;
}

// Whether the save may write `path` now: it does not exist yet in an
// existing folder, or it is a file that can be opened for writing (not
// read-only, not a folder, not held by another program). Opening it this
// way changes nothing in it.
bool CanWrite(const CString& path)
{
    DWORD attributes = GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES
        && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    HANDLE file = CreateFileW(path, GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    CloseHandle(file);
    return true;
}

// The folder part of `path`, "." for a bare name.
CString FolderOf(const CString& path)
{
    int end = std::max({path.ReverseFind(L'\\'), path.ReverseFind(L'/'), path.ReverseFind(L':')});
    return end < 0 ? CString(L".") : path.Left(end + 1);
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
    if (!CanWrite(path))
        return Message(kNotOpened, path);

    // The table is written to a new file beside the old one and replaces it
    // only once complete. The system makes that file under a name nobody
    // uses, so no file of the user's is touched and no leftover of an
    // earlier save is in the way.
    wchar_t partial[MAX_PATH];
    if (!GetTempFileNameW(FolderOf(path), L"lot", 0, partial))
        return Message(kNotOpened, path);
    bool written = false;
    {
        CFile file;
        if (file.Open(partial, CFile::modeCreate | CFile::modeWrite)) {
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
    }
    if (!written || !MoveFileExW(partial, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(partial);
        return Message(kNotWritten, path);
    }
    return CString();
}

CString LotTableFile::Load(const CString& path, MyCug& grid)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite))
        return Message(kNotOpened, path);
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
