// CUGCtrl: the registries of cell types, data sources, fonts and bitmaps, and
// every read and write of a cell.
//
//   Cell types ......... AddCellType, GetCellType, GetCellTypeOf, RemoveCellType
//   Data sources ....... AddDataSource, RemoveDataSource, GetDataSource
//   Fonts .............. AddFont, AddFontSimple, RemoveFont, ClearFonts, GetFont
//   Bitmaps ............ AddBitmapResource, AddBitmapFile, RemoveBitmap,
//                        ClearBitmaps, GetBitmap
//   Cell access ........ DataSourceOf, GetCell, GetCellRaw, SetCell,
//                        SetCellRange, the Quick operations
//   Whole columns ...... FitColumnsToWidth, BestFitColumns, SortByColumn(s)
//   Joins .............. JoinCells; ResetCurrentCell
//
// The control owns the fonts and bitmaps of its lists: m_fonts[i] and
// m_bitmaps[i] own what slot i of m_fontList and m_bitmapList points at. It
// owns neither the cell types a user adds nor the data sources.
#include "CUGCtrl.h"

#include "CBitmap.h"
#include "CClientDC.h"
#include "CFont.h"
#include "CUGCellFormat.h"
#include "CUGDataSource.h"
#include "CUGGrid.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <new>
#include <vector>

namespace {

// The data source registry grows by this many entries at a time.
constexpr int DataSourceGrowBy = 16;
// LOGFONTW up to and including the first 16 characters of the face.
constexpr size_t FontCompareBytes = 60;
static_assert(offsetof(LOGFONTW, lfFaceName) + 16 * sizeof(WCHAR) == FontCompareBytes);

// Puts `object` into the owner slot `index`, growing the owners as needed.
template <typename T>
void Own(std::vector<std::unique_ptr<T>>& owners, int index, std::unique_ptr<T> object)
{
    if (owners.size() <= static_cast<size_t>(index))
        owners.resize(static_cast<size_t>(index) + 1);
    owners[index] = std::move(object);
}

// The cell area's client width; before the window exists, the width the last
// layout gave it.
int CellAreaClientWidth(const CUGCtrl& ctrl)
{
    CUGGrid* grid = ctrl.GetCellArea();
    if (grid && grid->GetSafeHwnd()) {
        RECT client;
        grid->GetClientRect(&client);
        return client.right - client.left;
    }
    return ctrl.GridInfo->GridWidth;
}

bool ReadExactly(std::FILE* file, void* buffer, size_t size)
{
    return size == 0 || std::fread(buffer, 1, size, file) == size;
}

// What is left of the file from the current position on.
long long BytesLeft(std::FILE* file)
{
    const long here = std::ftell(file);
    if (here < 0 || std::fseek(file, 0, SEEK_END) != 0)
        return -1;
    const long end = std::ftell(file);
    if (std::fseek(file, here, SEEK_SET) != 0 || end < here)
        return -1;
    return end - here;
}

// A device-independent bitmap read from a .bmp file as the grid reads it: the
// two headers, a colour table of 2^bits entries below 16 bits per pixel, and
// bfSize - bfOffBits bytes of pixels right after it. Anything the headers
// promise that the file does not hold fails the read, so GDI is never handed
// fewer pixels than the header describes.
struct DibFile {
    BITMAPINFOHEADER header{};
    std::vector<BYTE> info;    // header and colour table, as GDI takes them
    std::vector<BYTE> pixels;

    bool Read(const wchar_t* path)
    {
        std::FILE* file = _wfopen(path, L"rb");
        if (!file)
            return false;
        const bool ok = ReadFrom(file);
        std::fclose(file);
        return ok;
    }

private:
    bool ReadFrom(std::FILE* file)
    {
        BITMAPFILEHEADER fileHeader{};
        if (!ReadExactly(file, &fileHeader, sizeof fileHeader)
            || !ReadExactly(file, &header, sizeof header))
            return false;
        const int bits = header.biBitCount;
        if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
            return false;
        if (header.biWidth <= 0 || header.biHeight == 0 || header.biPlanes != 1)
            return false;
        if (header.biCompression != BI_RGB && header.biCompression != BI_RLE8
            && header.biCompression != BI_RLE4)
            return false;

        const size_t tableBytes = bits < 16 ? (size_t{1} << bits) * sizeof(RGBQUAD) : 0;
        if (fileHeader.bfSize < fileHeader.bfOffBits)
            return false;
        const size_t pixelBytes = fileHeader.bfSize - fileHeader.bfOffBits;
        const long long left = BytesLeft(file);
        if (left < 0 || static_cast<unsigned long long>(left) < tableBytes + pixelBytes)
            return false;

        // GDI reads exactly the header that was read, and the table that was
        // read: its own idea of the header size or the colours used would
        // reach past them.
        header.biSize = sizeof(BITMAPINFOHEADER);
        header.biClrUsed = 0;
        info.assign(sizeof header + tableBytes, 0);
        std::memcpy(info.data(), &header, sizeof header);
        if (!ReadExactly(file, info.data() + sizeof header, tableBytes))
            return false;
        pixels.resize(pixelBytes);
        if (!ReadExactly(file, pixels.data(), pixelBytes))
            return false;

        if (header.biCompression == BI_RGB) {
            const unsigned long long stride =
                (static_cast<unsigned long long>(header.biWidth) * bits + 31) / 32 * 4;
            const long long height = header.biHeight < 0 ? -static_cast<long long>(header.biHeight)
                                                         : header.biHeight;
            if (stride * static_cast<unsigned long long>(height) > pixelBytes)
                return false;
        } else {
            // Run-length data: GDI decodes no more than biSizeImage bytes.
            reinterpret_cast<BITMAPINFOHEADER*>(info.data())->biSizeImage =
                static_cast<DWORD>(pixelBytes);
        }
        return true;
    }
};

// The Quick operations: the stored cell (nothing else) into the scratch cell,
// one property set by `set`, stored back.
template <typename Set>
int QuickSet(CUGCtrl& ctrl, CUGCell& scratch, int col, long row, Set set)
{
    scratch.ClearAll();
    ctrl.GetCellRaw(col, row, &scratch);
    set(scratch);
    return ctrl.SetCell(col, row, &scratch);
}

}  // namespace

// --- Cell types ----------------------------------------------------------------

int CUGCtrl::AddCellType(CUGCellType* type)
{
    if (!type)
        return -1;
    const int index = m_cellTypeList.Add(type);
    if (index < 0)
        return -1;
    type->SetOwner(this);
    type->SetTypeIndex(index);
    return index;
}

CUGCellType* CUGCtrl::GetCellType(int index)
{
    if (index < 1)
        return &m_normalType;
    auto* type = static_cast<CUGCellType*>(m_cellTypeList.GetPointer(index));
    return type ? type : &m_normalType;
}

CUGCellType* CUGCtrl::GetCellTypeOf(int col, long row)
{
    // A cell that the data source does not hold still has the type of its
    // column default: the fetch fills the defaults in either way.
    GetCell(col, row, &m_scratchCell);
    if (!m_scratchCell.IsPropertySet(CUGCell::PropCellType))
        return &m_normalType;
    return GetCellType(m_scratchCell.GetCellType());
}

// The slot becomes free; the type itself stays its owner's.
int CUGCtrl::RemoveCellType(int index)
{
    m_cellTypeList.Remove(index);
    return 0;
}

// --- Data sources --------------------------------------------------------------

// The first free entry from 1 on; with none free the registry grows by 16.
// The count is the highest index in use.
int CUGCtrl::AddDataSource(CUGDataSource* source)
{
    if (!source)
        return -1;
    int index = -1;
    for (size_t entry = 1; entry < m_dataSources.size(); ++entry) {
        if (!m_dataSources[entry]) {
            index = static_cast<int>(entry);
            break;
        }
    }
    if (index < 0) {
        const size_t size = m_dataSources.size();
        try {
            m_dataSources.resize(size + DataSourceGrowBy, nullptr);
        } catch (const std::bad_alloc&) {
            return -1;
        }
        index = size < 1 ? 1 : static_cast<int>(size);
    }
    m_dataSources[index] = source;
    m_dataSourceCount = std::max(m_dataSourceCount, index);
    source->SetOwner(this);
    source->SetID(index);
    return index;
}

int CUGCtrl::RemoveDataSource(int index)
{
    if (index < 1 || index > m_dataSourceCount || !m_dataSources[index])
        return 1;
    m_dataSources[index] = nullptr;
    while (m_dataSourceCount > 0 && !m_dataSources[m_dataSourceCount])
        --m_dataSourceCount;
    return 0;
}

// Index 0 is the current sheet's built-in memory source.
CUGDataSource* CUGCtrl::GetDataSource(int index) const
{
    if (index == 0)
        return GridInfo->MemDataSource.get();
    if (index < 1 || index > m_dataSourceCount)
        return nullptr;
    return m_dataSources[index];
}

// --- Fonts ---------------------------------------------------------------------

// A font equal to one in the list (the first 60 bytes of its LOGFONTW and
// the whole face) is shared: its use count goes up and its index comes back.
// A new font starts with use count 0.
int CUGCtrl::AddFont(int height, int width, int escapement, int orientation, int weight,
                     BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet,
                     BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                     BYTE pitchAndFamily, const wchar_t* face)
{
    LOGFONTW wanted{};
    wanted.lfHeight = height;
    wanted.lfWidth = width;
    wanted.lfEscapement = escapement;
    wanted.lfOrientation = orientation;
    wanted.lfWeight = weight;
    wanted.lfItalic = italic;
    wanted.lfUnderline = underline;
    wanted.lfStrikeOut = strikeOut;
    wanted.lfCharSet = charSet;
    wanted.lfOutPrecision = outPrecision;
    wanted.lfClipPrecision = clipPrecision;
    wanted.lfQuality = quality;
    wanted.lfPitchAndFamily = pitchAndFamily;
    if (face && std::wcslen(face) < LF_FACESIZE)
        std::wcscpy(wanted.lfFaceName, face);

    for (int index = 0; index < m_fontList.GetCapacity(); ++index) {
        auto* font = static_cast<CFont*>(m_fontList.GetPointer(index));
        if (!font)
            continue;
        LOGFONTW existing{};
        if (!::GetObjectW(font->GetSafeHandle(), sizeof existing, &existing))
            continue;
        if (std::memcmp(&existing, &wanted, FontCompareBytes) == 0
            && ::lstrcmpW(existing.lfFaceName, wanted.lfFaceName) == 0) {
            m_fontList.SetParam(index, m_fontList.GetParam(index) + 1);
            return index;
        }
    }

    auto font = std::make_unique<CFont>();
    if (!font->Attach(::CreateFontIndirectW(&wanted)))
        return -1;
    const int index = m_fontList.Add(font.get(), 0);
    if (index < 0)
        return -1;
    Own(m_fonts, index, std::move(font));
    return index;
}

int CUGCtrl::AddFontSimple(const wchar_t* face, int height, int weight)
{
    return AddFont(height, 0, 0, 0, weight, 0, 0, 0, 0, 0, 0, 0, 0, face);
}

// A sheet whose default font goes loses it rather than keep a dangling one.
int CUGCtrl::RemoveFont(int index)
{
    CFont* font = GetFont(index);
    if (!font)
        return 1;
    const long uses = m_fontList.GetParam(index) - 1;
    if (uses > 0) {
        m_fontList.SetParam(index, uses);
        return 0;
    }
    for (auto& sheet : m_sheets) {
        if (sheet->DefaultFont == font)
            sheet->DefaultFont = nullptr;
    }
    m_fontList.Remove(index);
    m_fonts[index].reset();
    return 0;
}

int CUGCtrl::ClearFonts()
{
    for (int index = 0; index < m_fontList.GetCapacity(); ++index) {
        m_fontList.SetParam(index, 0);
        RemoveFont(index);
    }
    m_fonts.clear();
    return 0;
}

CFont* CUGCtrl::GetFont(int index) const
{
    return static_cast<CFont*>(m_fontList.GetPointer(index));
}

// --- Bitmaps -------------------------------------------------------------------

int CUGCtrl::AddBitmapResource(UINT id, const wchar_t* name)
{
    auto bitmap = std::make_unique<CBitmap>();
    const BOOL loaded = name ? bitmap->LoadBitmap(name) : bitmap->LoadBitmap(id);
    if (!loaded)
        return -1;
    const int index = m_bitmapList.Add(bitmap.get(), 0);
    if (index < 0)
        return -1;
    Own(m_bitmaps, index, std::move(bitmap));
    return index;
}

// The bitmap is made for the cell area's DC, or for the screen's while the
// cell area has no window.
int CUGCtrl::AddBitmapFile(const wchar_t* path)
{
    if (!path)
        return -1;
    DibFile dib;
    if (!dib.Read(path))
        return -1;

    HWND target = m_grid->GetSafeHwnd();
    CClientDC dc(target);
    if (!dc.GetSafeHdc())
        return -1;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(dib.info.data());
    HBITMAP handle = ::CreateDIBitmap(dc.GetSafeHdc(), &info->bmiHeader, CBM_INIT,
                                      dib.pixels.data(), info, DIB_RGB_COLORS);
    if (!handle)
        return -1;
    auto bitmap = std::make_unique<CBitmap>();
    bitmap->Attach(handle);
    const int index = m_bitmapList.Add(bitmap.get(), 0);
    if (index < 0)
        return -1;
    Own(m_bitmaps, index, std::move(bitmap));
    return index;
}

int CUGCtrl::RemoveBitmap(int index)
{
    if (!GetBitmap(index))
        return 1;
    m_bitmapList.Remove(index);
    m_bitmaps[index].reset();
    return 0;
}

int CUGCtrl::ClearBitmaps()
{
    for (int index = 0; index < m_bitmapList.GetCapacity(); ++index)
        m_bitmapList.Remove(index);
    m_bitmaps.clear();
    return 0;
}

CBitmap* CUGCtrl::GetBitmap(int index) const
{
    return static_cast<CBitmap*>(m_bitmapList.GetPointer(index));
}

// --- Cell access ---------------------------------------------------------------

// Columns inside the grid are served by their own source (or the sheet's)
// under their data column index; heading columns and columns beyond the
// count go to the sheet's source under their raw index.
CUGDataSource* CUGCtrl::DataSourceOf(int col, int* dataCol) const
{
    CUGGridInfo* gi = GridInfo;
    if (col >= 0 && col < gi->ColumnCount && static_cast<size_t>(col) < gi->Columns.size()) {
        const CUGGridInfo::ColumnEntry& entry = gi->Columns[col];
        *dataCol = entry.DataColumn;
        return entry.DataSource ? entry.DataSource : gi->DataSource;
    }
    *dataCol = col;
    return gi->DataSource;
}

// The layers: the column default (the heading default for headings and
// columns beyond the count); for rows inside the grid then the stored cell,
// NotifyCellFetched, the cell's format and its style cell. The answer is the
// data source's (1 for a cell it does not hold), 0 below the last row.
int CUGCtrl::GetCell(int col, long row, CUGCell* cell)
{
    if (!cell)
        return 1;
    CUGGridInfo* gi = GridInfo;
    cell->ClearAll();
    const bool dataCell = col >= 0 && row >= 0 && col < gi->ColumnCount
                          && static_cast<size_t>(col) < gi->Columns.size();
    if (dataCell)
        cell->CopyInfoFrom(gi->Columns[col].DefaultCell.get());
    else
        cell->CopyInfoFrom(&gi->HeadingDefaultCell);
    if (row >= gi->RowCount)
        return 0;

    int dataCol = col;
    CUGDataSource* source = DataSourceOf(col, &dataCol);
    const int result = source->GetCell(dataCol, row, cell);
    NotifyCellFetched(dataCol, row, cell);
    if (CUGCellFormat* format = cell->GetFormat())
        format->ApplyFormat(cell);
    if (CUGCell* style = cell->GetStyleCell())
        cell->AddInfoFrom(style);
    return result;
}

int CUGCtrl::GetCellRaw(int col, long row, CUGCell* cell)
{
    if (!cell || col >= GridInfo->ColumnCount)
        return 1;
    cell->ClearAll();
    int dataCol = col;
    return DataSourceOf(col, &dataCol)->GetCell(dataCol, row, cell);
}

int CUGCtrl::SetCell(int col, long row, CUGCell* cell)
{
    if (!cell)
        return 1;
    NotifyCellStoring(col, row, cell);
    int dataCol = col;
    return DataSourceOf(col, &dataCol)->SetCell(dataCol, row, cell);
}

// Each cell of the range gets its own copy, so that what NotifyCellStoring
// changes in one store does not travel to the next.
int CUGCtrl::SetCellRange(int startCol, long startRow, int endCol, long endRow, CUGCell* cell)
{
    if (!cell)
        return 1;
    int failed = 0;
    CUGCell copy;
    for (long long col = startCol; col <= endCol; ++col) {
        for (long long row = startRow; row <= endRow; ++row) {
            copy.CopyInfoFrom(cell);
            if (SetCell(static_cast<int>(col), static_cast<long>(row), &copy) != 0)
                ++failed;
        }
    }
    return failed;
}

int CUGCtrl::QuickSetText(int col, long row, const wchar_t* text)
{
    return QuickSet(*this, m_scratchCell, col, row,
                    [&](CUGCell& cell) { cell.SetText(text); });
}

int CUGCtrl::QuickSetNumber(int col, long row, double number)
{
    return QuickSet(*this, m_scratchCell, col, row,
                    [&](CUGCell& cell) { cell.SetNumber(number); });
}

int CUGCtrl::QuickSetTextColor(int col, long row, COLORREF color)
{
    return QuickSet(*this, m_scratchCell, col, row,
                    [&](CUGCell& cell) { cell.SetTextColor(color); });
}

int CUGCtrl::QuickSetBackColor(int col, long row, COLORREF color)
{
    return QuickSet(*this, m_scratchCell, col, row,
                    [&](CUGCell& cell) { cell.SetBackColor(color); });
}

int CUGCtrl::QuickSetAlignment(int col, long row, short alignment)
{
    return QuickSet(*this, m_scratchCell, col, row,
                    [&](CUGCell& cell) { cell.SetAlignment(static_cast<WORD>(alignment)); });
}

int CUGCtrl::QuickSetBorder(int col, long row, short border)
{
    return QuickSet(*this, m_scratchCell, col, row,
                    [&](CUGCell& cell) { cell.SetBorder(static_cast<WORD>(border)); });
}

int CUGCtrl::QuickSetBorderColor(int col, long row, CPen* pen)
{
    return QuickSet(*this, m_scratchCell, col, row,
                    [&](CUGCell& cell) { cell.SetBorderColor(pen); });
}

// An index without a font (or bitmap) changes nothing.
int CUGCtrl::QuickSetFont(int col, long row, int fontIndex)
{
    CFont* font = GetFont(fontIndex);
    if (!font)
        return 1;
    return QuickSet(*this, m_scratchCell, col, row,
                    [&](CUGCell& cell) { cell.SetFont(font); });
}

int CUGCtrl::QuickSetBitmap(int col, long row, int bitmapIndex)
{
    CBitmap* bitmap = GetBitmap(bitmapIndex);
    if (!bitmap)
        return 1;
    return QuickSet(*this, m_scratchCell, col, row,
                    [&](CUGCell& cell) { cell.SetBitmap(bitmap); });
}

int CUGCtrl::QuickSetCellType(int col, long row, long type)
{
    return QuickSet(*this, m_scratchCell, col, row,
                    [&](CUGCell& cell) { cell.SetCellType(static_cast<int>(type)); });
}

int CUGCtrl::QuickSetCellTypeEx(int col, long row, long style)
{
    return QuickSet(*this, m_scratchCell, col, row,
                    [&](CUGCell& cell) { cell.SetCellTypeEx(style); });
}

int CUGCtrl::QuickSetMask(int col, long row, const wchar_t* mask)
{
    return QuickSet(*this, m_scratchCell, col, row,
                    [&](CUGCell& cell) { cell.SetMask(mask); });
}

int CUGCtrl::QuickSetLabel(int col, long row, const wchar_t* label)
{
    return QuickSet(*this, m_scratchCell, col, row,
                    [&](CUGCell& cell) { cell.SetLabel(label); });
}

int CUGCtrl::QuickSetReadOnly(int col, long row, int state)
{
    return QuickSet(*this, m_scratchCell, col, row,
                    [&](CUGCell& cell) { cell.SetReadOnly(state); });
}


// 1 when the stored cell has no text (the string is left alone).
int CUGCtrl::QuickGetText(int col, long row, CString* text)
{
    if (!text)
        return 1;
    m_scratchCell.ClearAll();
    GetCellRaw(col, row, &m_scratchCell);
    return m_scratchCell.GetText(text);
}

// The text stays valid until the next operation that uses the scratch cell.
const wchar_t* CUGCtrl::QuickGetTextPtr(int col, long row)
{
    m_scratchCell.ClearAll();
    GetCellRaw(col, row, &m_scratchCell);
    return m_scratchCell.GetText();
}

// --- Whole columns -------------------------------------------------------------

// The columns share the cell area's width in proportion to their widths; the
// last takes what the truncation of the others leaves. Columns that have no
// width between them keep it.
int CUGCtrl::FitColumnsToWidth(int firstCol, int lastCol)
{
    CUGGridInfo* gi = GridInfo;
    if (firstCol < 0 || firstCol > lastCol || lastCol >= gi->ColumnCount
        || lastCol >= static_cast<int>(gi->Columns.size()))
        return 1;
    long long sum = 0;
    for (int col = firstCol; col <= lastCol; ++col)
        sum += GetColumnWidth(col);
    if (sum <= 0)
        return 0;
    const int clientWidth = CellAreaClientWidth(*this);
    const float factor = static_cast<float>(clientWidth) / static_cast<float>(sum);
    // The widths go straight into the column table, and what depends on
    // them is computed once at the end rather than once per column.
    int used = 0;
    for (int col = firstCol; col < lastCol; ++col) {
        const int width = static_cast<int>(static_cast<float>(GetColumnWidth(col)) * factor);
        gi->Columns[col].Width = width;
        used += width;
    }
    gi->Columns[lastCol].Width = std::max(clientWidth - used, 0);
    ColumnWidthsChanged();
    RedrawAll();
    return 0;
}

// Each column takes the widest best size of its cells in the rows scanned
// (the locked rows, then from the top row on), plus 2, and no more than the
// cell area's width without the vertical bar.
int CUGCtrl::BestFitColumns(int firstCol, int lastCol, long rowsToScan, int flags)
{
    CUGGridInfo* gi = GridInfo;
    if (firstCol < -gi->RowHeadingCols)
        return 1;
    if (lastCol >= gi->ColumnCount)
        return 2;
    if (firstCol > lastCol)
        return 3;

    CClientDC dc(GetSafeHwnd());  // the screen's DC while there is no window
    const int clientWidth = CellAreaClientWidth(*this);
    const int cap = clientWidth == 0 ? 300 : std::max(clientWidth - gi->VScrollWidth, 0);
    const long firstRow = (flags & 1) ? -gi->ColumnHeadingRows : 0;

    CUGCell cell;
    for (int col = firstCol; col <= lastCol; ++col) {
        int best = 0;
        long scanned = 0;
        for (long row = firstRow; row < gi->RowCount && scanned < rowsToScan; ++row) {
            if (row == gi->LockedRows && gi->TopRow > row)
                row = gi->TopRow;
            if (row >= gi->RowCount)
                break;
            ++scanned;
            GetCell(col, row, &cell);
            if (cell.IsPropertySet(CUGCell::PropJoinInfo))
                continue;
            const int typeIndex =
                cell.IsPropertySet(CUGCell::PropCellType) ? cell.GetCellType() : 0;
            SIZE size{0, 0};
            GetCellType(typeIndex)->GetBestSize(&dc, &size, &cell);
            best = std::max<int>(best, size.cx);
        }
        SetColumnWidth(col, best > cap ? cap : best + 2);
    }
    AdjustComponentSizes();
    return 0;
}

int CUGCtrl::SortByColumn(int col, int flags)
{
    return SortByColumns(&col, 1, flags);
}

// The grid's columns become the data columns their source sorts by.
int CUGCtrl::SortByColumns(int* cols, int count, int flags)
{
    CUGGridInfo* gi = GridInfo;
    if (!cols || count < 1)
        return 1;
    std::vector<int> dataCols(static_cast<size_t>(count));
    for (int index = 0; index < count; ++index) {
        const int col = cols[index];
        if (col < 0 || col >= gi->ColumnCount || static_cast<size_t>(col) >= gi->Columns.size())
            return 1;
        dataCols[index] = gi->Columns[col].DataColumn;
    }
    return gi->DataSource->SortBy(dataCols.data(), count, flags);
}

// --- Joins and the current cell ------------------------------------------------

// Every cell of the block points at the block's start; the start cell then
// holds the block's extent.
int CUGCtrl::JoinCells(int startCol, long startRow, int endCol, long endRow)
{
    CUGGridInfo* gi = GridInfo;
    if (startCol > endCol || startRow > endRow || endCol >= gi->ColumnCount
        || endRow >= gi->RowCount || startCol < -gi->RowHeadingCols
        || startRow < -gi->ColumnHeadingRows)
        return 1;
    CUGCell cell;
    for (int col = startCol; col <= endCol; ++col) {
        for (long row = startRow; row <= endRow; ++row) {
            GetCellRaw(col, row, &cell);
            cell.SetJoinInfo(0, startCol - col, startRow - row);
            SetCell(col, row, &cell);
        }
    }
    GetCellRaw(startCol, startRow, &cell);
    cell.SetJoinInfo(1, endCol - startCol, endRow - startRow);
    SetCell(startCol, startRow, &cell);
    return 0;
}

void CUGCtrl::ResetCurrentCell()
{
    GridInfo->CurrentCol = -1;
    GridInfo->CurrentRow = -1;
}
