// Cell access and the registries: the layers of GetCell, the raw
// and quick operations, joins, sorting and fitting, and the lists of cell
// types, data sources, fonts and bitmaps. Most tests use the control without
// a window, as an owner may before it creates it.
#include "CBitmap.h"
#include "CDC.h"
#include "CFont.h"
#include "CUGCellFormat.h"
#include "CUGCtrl.h"
#include "CUGGrid.h"
#include "FileTestSupport.h"
#include "Narrow.h"
#include "RecordingGrid.h"
#include "RecordingSource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Writes down the two cell notifications with what the cell held then; the
// storing notification leaves a mark on the cell to show it ran first.
class CellGrid : public CUGCtrl {
public:
    std::vector<std::string> log;

    void NotifyCellFetched(int dataCol, long row, CUGCell* cell) override
    {
        const wchar_t* text = cell->GetText();
        log.push_back("Fetched " + std::to_string(dataCol) + " " + std::to_string(row) + " "
                      + (text ? Narrow(text) : "-"));
    }
    void NotifyCellStoring(int col, long row, CUGCell* cell) override
    {
        log.push_back("Storing " + std::to_string(col) + " " + std::to_string(row));
        cell->SetParam(77);
    }
};

// Appends "+fmt" to the text of every cell it formats.
class SuffixFormat : public CUGCellFormat {
public:
    int calls = 0;
    void ApplyFormat(CUGCell* cell) override
    {
        ++calls;
        cell->AppendText(L"+fmt");
    }
};

// Its best size is 10 pixels per character of the text, and it remembers the
// DC it measured on.
class MeasuringType : public CUGCellType {
public:
    int measured = 0;
    HDC lastDC = nullptr;
    void GetBestSize(CDC* dc, SIZE* size, CUGCell* cell) override
    {
        ++measured;
        lastDC = dc ? dc->GetSafeHdc() : nullptr;
        size->cx = 10 * cell->GetTextLength();
        size->cy = 20;
    }
};

std::wstring TextAt(CUGCtrl& grid, int col, long row)
{
    CUGCell cell;
    grid.GetCellRaw(col, row, &cell);
    const wchar_t* text = cell.GetText();
    return text ? text : L"";
}

struct Join {
    short origin = -9;
    int colOffset = -9;
    long rowOffset = -9;
    bool operator==(const Join&) const = default;
};

Join JoinAt(CUGCtrl& grid, int col, long row)
{
    CUGCell cell;
    grid.GetCellRaw(col, row, &cell);
    Join join;
    cell.GetJoinInfo(&join.origin, &join.colOffset, &join.rowOffset);
    return join;
}

}  // namespace

// --- GetCell, GetCellRaw, SetCell ---------------------------------------------

// Column default, stored cell, NotifyCellFetched, the format, the style cell:
// each layer sees what the ones before it made and adds to it.
TEST(CUGCtrlCells, GetCellLayersDefaultStoredCellFormatAndStyle)
{
    CellGrid grid;
    grid.SetColumnCount(3, FALSE);
    grid.SetRowCount(4, FALSE);

    CUGCell columnDefault;
    columnDefault.SetTextColor(RGB(1, 2, 3));
    columnDefault.SetBackColor(RGB(9, 9, 9));
    columnDefault.SetText(L"default");
    ASSERT_EQ(grid.SetColumnDefault(1, &columnDefault), 0);

    SuffixFormat format;
    CUGCell style;
    style.SetBackColor(RGB(200, 100, 50));
    CUGCell stored;
    stored.SetText(L"stored");
    stored.SetFormat(&format);
    stored.SetStyleCell(&style);
    ASSERT_EQ(grid.SetCell(1, 2, &stored), 0);
    grid.log.clear();

    CUGCell cell;
    cell.SetAlignment(0x20);  // whatever the caller's cell held goes first
    EXPECT_EQ(grid.GetCell(1, 2, &cell), 0);
    EXPECT_EQ(grid.log, (std::vector<std::string>{"Fetched 1 2 stored"}));
    EXPECT_EQ(format.calls, 1);
    EXPECT_STREQ(cell.GetText(), L"stored+fmt");
    EXPECT_EQ(cell.GetTextColor(), RGB(1, 2, 3));
    EXPECT_EQ(cell.GetBackColor(), RGB(200, 100, 50));
    EXPECT_EQ(cell.GetParam(), 77);  // NotifyCellStoring ran before the store
    EXPECT_FALSE(cell.IsPropertySet(CUGCell::PropAlignment));

    // A cell that was never stored shows the column default; the fetch
    // notification still comes, and the answer is the source's "not held".
    grid.log.clear();
    EXPECT_EQ(grid.GetCell(1, 0, &cell), 1);
    EXPECT_STREQ(cell.GetText(), L"default");
    EXPECT_EQ(grid.log, (std::vector<std::string>{"Fetched 1 0 default"}));
}

// At or beyond the row count only the defaults come back, with no
// notification and no question to the data source.
TEST(CUGCtrlCells, GetCellBelowTheLastRowGivesOnlyTheDefaults)
{
    CellGrid grid;
    RecordingSource source;
    grid.SetColumnCount(2, FALSE);
    grid.SetRowCount(2, FALSE);
    ASSERT_EQ(grid.SetDefaultDataSource(grid.AddDataSource(&source)), 0);
    source.cells[{0, 2}].SetText(L"hidden");
    CUGCell columnDefault;
    columnDefault.SetTextColor(RGB(5, 5, 5));
    grid.SetColumnDefault(0, &columnDefault);
    grid.log.clear();  // setting the counts may have moved the current cell
    source.gets.clear();

    CUGCell cell;
    EXPECT_EQ(grid.GetCell(0, 2, &cell), 0);
    EXPECT_EQ(grid.GetCell(0, 1000, &cell), 0);
    EXPECT_TRUE(grid.log.empty());
    EXPECT_TRUE(source.gets.empty());
    EXPECT_EQ(cell.GetPropertyFlags(), CUGCell::PropTextColor);
    EXPECT_EQ(cell.GetTextColor(), RGB(5, 5, 5));
}

// Headings and columns beyond the count start from the heading default and
// reach the sheet's source under their raw column; columns inside the grid
// reach it under their data column.
TEST(CUGCtrlCells, GetCellTranslatesColumnsAndUsesTheHeadingDefaultOutside)
{
    CellGrid grid;
    RecordingSource source;
    grid.SetColumnCount(3, FALSE);
    grid.SetRowCount(3, FALSE);
    ASSERT_EQ(grid.SetDefaultDataSource(grid.AddDataSource(&source)), 0);
    ASSERT_EQ(grid.SetColumnDataIndex(1, 7), 0);
    grid.log.clear();
    source.gets.clear();

    CUGCell cell;
    grid.GetCell(1, 0, &cell);
    EXPECT_FALSE(cell.IsPropertySet(CUGCell::PropBorder));
    const std::pair<int, long> outside[] = {{-1, 0}, {0, -1}, {5, 1}};
    for (auto [col, row] : outside) {
        grid.GetCell(col, row, &cell);
        EXPECT_EQ(cell.GetBorder(), 0x2000) << col << "," << row;
        EXPECT_EQ(cell.GetAlignment(), 0x24) << col << "," << row;
        EXPECT_EQ(cell.GetBackColor(), GetSysColor(COLOR_BTNFACE));
    }
    EXPECT_EQ(source.gets, (std::vector<RecordingSource::Key>{{7, 0}, {-1, 0}, {0, -1}, {5, 1}}));
    EXPECT_EQ(grid.log.front(), "Fetched 7 0 -");
}

// GetCellRaw: the stored cell alone, no defaults and no notification; a
// column at or beyond the count gives 1.
TEST(CUGCtrlCells, GetCellRawReadsOnlyTheStoredCell)
{
    CellGrid grid;
    grid.SetColumnCount(2, FALSE);
    grid.SetRowCount(2, FALSE);
    CUGCell columnDefault;
    columnDefault.SetTextColor(RGB(5, 5, 5));
    grid.SetColumnDefault(0, &columnDefault);
    grid.QuickSetText(0, 1, L"x");
    grid.log.clear();

    CUGCell cell;
    cell.SetBackColor(RGB(1, 1, 1));
    EXPECT_EQ(grid.GetCellRaw(0, 1, &cell), 0);
    EXPECT_STREQ(cell.GetText(), L"x");
    EXPECT_FALSE(cell.IsPropertySet(CUGCell::PropTextColor | CUGCell::PropBackColor));
    EXPECT_TRUE(grid.log.empty());

    cell.SetBackColor(RGB(1, 1, 1));
    EXPECT_EQ(grid.GetCellRaw(2, 0, &cell), 1);
    EXPECT_EQ(grid.GetCellRaw(0, 0, nullptr), 1);
    EXPECT_EQ(grid.GetCell(0, 0, nullptr), 1);
    EXPECT_EQ(grid.SetCell(0, 0, nullptr), 1);
}

// SetCell raises NotifyCellStoring first; headings and columns beyond the
// count go to the sheet's source with their raw column, columns inside to
// their own source under their data column.
TEST(CUGCtrlCells, SetCellGoesToTheColumnsSourceUnderItsDataColumn)
{
    CellGrid grid;
    RecordingSource sheetSource;
    RecordingSource columnSource;
    grid.SetColumnCount(3, FALSE);
    grid.SetRowCount(3, FALSE);
    ASSERT_EQ(grid.SetDefaultDataSource(grid.AddDataSource(&sheetSource)), 0);
    ASSERT_EQ(grid.SetColumnDataSource(2, grid.AddDataSource(&columnSource)), 0);
    grid.SetColumnDataIndex(2, 4);
    grid.log.clear();

    CUGCell cell;
    cell.SetText(L"v");
    grid.SetCell(2, 1, &cell);
    grid.SetCell(-1, 1, &cell);
    grid.SetCell(3, 0, &cell);
    grid.SetCell(0, -1, &cell);
    EXPECT_EQ(columnSource.sets, (std::vector<RecordingSource::Key>{{4, 1}}));
    EXPECT_EQ(sheetSource.sets, (std::vector<RecordingSource::Key>{{-1, 1}, {3, 0}, {0, -1}}));
    EXPECT_EQ(grid.log, (std::vector<std::string>{"Storing 2 1", "Storing -1 1", "Storing 3 0",
                                                  "Storing 0 -1"}));
    EXPECT_EQ((columnSource.cells[{4, 1}].GetParam()), 77);
}

// --- Quick operations and ranges ---------------------------------------------

// Each quick setter changes one property of the stored cell and keeps the
// others; the getters read the stored text.
TEST(CUGCtrlCells, QuickOperationsChangeOnePropertyOfTheStoredCell)
{
    CellGrid grid;
    grid.SetColumnCount(2, FALSE);
    grid.SetRowCount(2, FALSE);
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    const int font = grid.AddFontSimple(L"Arial", 12, 400);
    ASSERT_GE(font, 0);
    grid.log.clear();

    EXPECT_EQ(grid.QuickSetText(1, 1, L"abc"), 0);
    EXPECT_EQ(grid.QuickSetTextColor(1, 1, RGB(1, 0, 0)), 0);
    EXPECT_EQ(grid.QuickSetBackColor(1, 1, RGB(0, 1, 0)), 0);
    EXPECT_EQ(grid.QuickSetAlignment(1, 1, 0x4), 0);
    EXPECT_EQ(grid.QuickSetBorder(1, 1, 0x3), 0);
    EXPECT_EQ(grid.QuickSetBorderColor(1, 1, &pen), 0);
    EXPECT_EQ(grid.QuickSetFont(1, 1, font), 0);
    EXPECT_EQ(grid.QuickSetCellType(1, 1, 2), 0);
    EXPECT_EQ(grid.QuickSetCellTypeEx(1, 1, 8), 0);
    EXPECT_EQ(grid.QuickSetMask(1, 1, L"999"), 0);
    EXPECT_EQ(grid.QuickSetLabel(1, 1, L"a\nb\n"), 0);
    EXPECT_EQ(grid.QuickSetReadOnly(1, 1, 5), 0);

    CUGCell cell;
    grid.GetCellRaw(1, 1, &cell);
    EXPECT_STREQ(cell.GetText(), L"abc");
    EXPECT_EQ(cell.GetTextColor(), RGB(1, 0, 0));
    EXPECT_EQ(cell.GetBackColor(), RGB(0, 1, 0));
    EXPECT_EQ(cell.GetAlignment(), 0x4);
    EXPECT_EQ(cell.GetBorder(), 0x3);
    EXPECT_EQ(cell.GetBorderColor(), &pen);
    EXPECT_EQ(cell.GetFont(), grid.GetFont(font));
    EXPECT_EQ(cell.GetCellType(), 2);
    EXPECT_EQ(cell.GetCellTypeEx(), 8);
    EXPECT_STREQ(cell.GetMask(), L"999");
    EXPECT_STREQ(cell.GetLabel(), L"a\nb\n");
    EXPECT_EQ(cell.GetReadOnly(), 1);
    EXPECT_EQ(grid.log.size(), 12u);

    EXPECT_EQ(grid.QuickSetNumber(0, 0, 2.5), 0);
    CString text;
    EXPECT_EQ(grid.QuickGetText(0, 0, &text), 0);
    EXPECT_EQ(text, L"2.500000");
    EXPECT_STREQ(grid.QuickGetTextPtr(1, 1), L"abc");

    // Nothing stored: no text, and the caller's string stays.
    text = L"kept";
    EXPECT_EQ(grid.QuickGetText(0, 1, &text), 1);
    EXPECT_EQ(text, L"kept");
    EXPECT_EQ(grid.QuickGetTextPtr(0, 1), nullptr);
    EXPECT_EQ(grid.QuickGetText(0, 1, nullptr), 1);

    // An index without a font or bitmap stores nothing.
    grid.log.clear();
    EXPECT_EQ(grid.QuickSetFont(0, 1, 99), 1);
    EXPECT_EQ(grid.QuickSetBitmap(0, 1, 0), 1);
    EXPECT_TRUE(grid.log.empty());
}

// A quick setter on a column beyond the count starts from an empty cell, not
// from what the scratch cell held before.
TEST(CUGCtrlCells, QuickSetBeyondTheColumnsStartsFromAnEmptyCell)
{
    CellGrid grid;
    grid.SetColumnCount(1, FALSE);
    grid.SetRowCount(1, FALSE);
    grid.QuickSetText(0, 0, L"first");
    grid.QuickGetTextPtr(0, 0);  // the scratch cell now holds "first"
    grid.QuickSetBackColor(4, 0, RGB(3, 3, 3));

    CUGCell stored;
    grid.GridInfo->MemDataSource->GetCell(4, 0, &stored);
    EXPECT_FALSE(stored.IsPropertySet(CUGCell::PropText));
    EXPECT_EQ(stored.GetBackColor(), RGB(3, 3, 3));
}

// SetCellRange stores into every cell of the range and answers how many
// stores failed.
TEST(CUGCtrlCells, SetCellRangeCountsTheFailedStores)
{
    CellGrid grid;
    RecordingSource source;
    source.failSetCellInColumn = 1;
    grid.SetColumnCount(3, FALSE);
    grid.SetRowCount(3, FALSE);
    grid.SetDefaultDataSource(grid.AddDataSource(&source));

    CUGCell cell;
    cell.SetText(L"r");
    EXPECT_EQ(grid.SetCellRange(0, 1, 2, 2, &cell), 2);
    EXPECT_EQ(source.sets,
              (std::vector<RecordingSource::Key>{{0, 1}, {0, 2}, {1, 1}, {1, 2}, {2, 1}, {2, 2}}));
    EXPECT_FALSE(cell.IsPropertySet(CUGCell::PropParam));  // the caller's cell stays as it was
    EXPECT_EQ(grid.SetCellRange(2, 0, 1, 0, &cell), 0);
    EXPECT_EQ(grid.SetCellRange(0, 0, 0, 0, nullptr), 1);
}

// --- Cell types --------------------------------------------------------------

TEST(CUGCtrlCells, CellTypesAreFoundByIndexAndFallBackToTheNormalType)
{
    CellGrid grid;
    MeasuringType custom;
    CUGCellType* normal = grid.GetCellType(0);
    ASSERT_NE(normal, nullptr);
    EXPECT_EQ(normal->GetTypeIndex(), 0);
    EXPECT_EQ(grid.GetCellType(1)->GetTypeIndex(), 1);
    EXPECT_EQ(grid.GetCellType(3)->GetTypeIndex(), 3);

    EXPECT_EQ(grid.AddCellType(nullptr), -1);
    const int index = grid.AddCellType(&custom);
    EXPECT_EQ(index, 4);
    EXPECT_EQ(custom.GetTypeIndex(), 4);
    EXPECT_EQ(custom.GetOwner(), &grid);
    EXPECT_EQ(grid.GetCellType(index), &custom);
    EXPECT_EQ(grid.GetCellType(-5), normal);
    EXPECT_EQ(grid.GetCellType(50), normal);

    grid.SetColumnCount(2, FALSE);
    grid.SetRowCount(2, FALSE);
    grid.QuickSetCellType(1, 1, index);
    grid.QuickSetText(0, 1, L"no type");
    EXPECT_EQ(grid.GetCellTypeOf(1, 1), &custom);
    EXPECT_EQ(grid.GetCellTypeOf(0, 1), normal);  // no CellType property
    EXPECT_EQ(grid.GetCellTypeOf(0, 0), normal);  // nothing stored
    EXPECT_EQ(grid.GetCellTypeOf(1, 5), normal);  // below the last row

    EXPECT_EQ(grid.RemoveCellType(index), 0);
    EXPECT_EQ(grid.GetCellType(index), normal);
    EXPECT_EQ(grid.GetCellTypeOf(1, 1), normal);
    EXPECT_EQ(grid.AddCellType(&custom), index);  // the free entry is used again
}

// --- Data sources ------------------------------------------------------------

// Entry 0 is never handed out; the registry grows by 16 and a removed
// entry is the next one used.
TEST(CUGCtrlCells, DataSourceRegistryStartsAtOneAndReusesFreeEntries)
{
    CUGCtrl grid;
    std::vector<RecordingSource> sources(20);
    EXPECT_EQ(grid.AddDataSource(nullptr), -1);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(grid.AddDataSource(&sources[i]), i + 1);
        EXPECT_EQ(sources[i].GetID(), i + 1);
        EXPECT_EQ(sources[i].GetOwner(), &grid);
    }
    EXPECT_EQ(grid.GetDataSourceCount(), 20);
    EXPECT_EQ(grid.GetDataSource(17), &sources[16]);
    EXPECT_EQ(grid.GetDataSource(0), grid.GridInfo->MemDataSource.get());

    for (int index : {0, -1, 21, 1000})
        EXPECT_EQ(grid.RemoveDataSource(index), 1) << index;
    EXPECT_EQ(grid.RemoveDataSource(5), 0);
    EXPECT_EQ(grid.RemoveDataSource(5), 1);
    EXPECT_EQ(grid.GetDataSource(5), nullptr);
    RecordingSource late;
    EXPECT_EQ(grid.AddDataSource(&late), 5);
    EXPECT_EQ(late.GetID(), 5);
}

// The sheet's source and every column's follow SetDefaultDataSource; a
// column may have its own; an index without a source changes nothing.
TEST(CUGCtrlCells, DefaultAndColumnDataSourcesTakeRegisteredSources)
{
    CUGCtrl grid;
    RecordingSource first;
    RecordingSource second;
    grid.SetColumnCount(2, FALSE);
    grid.SetRowCount(1, FALSE);
    const int a = grid.AddDataSource(&first);
    const int b = grid.AddDataSource(&second);

    for (int index : {-1, 3, 40})
        EXPECT_EQ(grid.SetDefaultDataSource(index), 1) << index;
    EXPECT_EQ(grid.GridInfo->DataSource, grid.GridInfo->MemDataSource.get());

    EXPECT_EQ(grid.SetDefaultDataSource(a), 0);
    EXPECT_EQ(grid.GridInfo->DataSourceIndex, a);
    EXPECT_EQ(grid.SetColumnDataSource(1, b), 0);
    EXPECT_EQ(grid.SetColumnDataSource(2, b), 1);
    EXPECT_EQ(grid.SetColumnDataSource(0, 9), 1);
    EXPECT_EQ(grid.SetColumnDataIndex(-1, 0), 1);
    CUGCell cell;
    grid.GetCell(0, 0, &cell);
    grid.GetCell(1, 0, &cell);
    EXPECT_EQ(first.gets, (std::vector<RecordingSource::Key>{{0, 0}}));
    EXPECT_EQ(second.gets, (std::vector<RecordingSource::Key>{{1, 0}}));

    // Back to the built-in memory source, for the sheet and every column.
    EXPECT_EQ(grid.SetDefaultDataSource(0), 0);
    grid.QuickSetText(1, 0, L"mem");
    EXPECT_TRUE(second.sets.empty());
    EXPECT_EQ(TextAt(grid, 1, 0), L"mem");
}

// --- Fonts -------------------------------------------------------------------

// An equal font is shared and counted (0 for the first add); RemoveFont
// lowers the count and frees the font when it is no longer above 0.
TEST(CUGCtrlCells, EqualFontsAreSharedAndCountedUntilRemoved)
{
    CUGCtrl grid;
    const int arial = grid.AddFontSimple(L"Arial", 14, 700);
    ASSERT_GE(arial, 0);
    EXPECT_EQ(grid.AddFontSimple(L"Arial", 14, 700), arial);
    EXPECT_EQ(grid.AddFont(14, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial"), arial);
    const int bold = grid.AddFontSimple(L"Arial", 14, 400);
    const int other = grid.AddFontSimple(L"Courier", 14, 700);
    EXPECT_NE(bold, arial);
    EXPECT_NE(other, arial);
    EXPECT_NE(other, bold);

    LOGFONTW description{};
    ASSERT_TRUE(::GetObjectW(grid.GetFont(arial)->GetSafeHandle(), sizeof description,
                             &description));
    EXPECT_EQ(description.lfHeight, 14);
    EXPECT_EQ(description.lfWeight, 700);
    EXPECT_STREQ(description.lfFaceName, L"Arial");

    // Added three times: use count 2. One remove leaves 1 and keeps it; the
    // next leaves 0 and frees it.
    HGDIOBJ handle = grid.GetFont(arial)->GetSafeHandle();
    ASSERT_EQ(grid.SetDefaultFont(arial), 0);
    EXPECT_EQ(grid.RemoveFont(arial), 0);
    EXPECT_NE(grid.GetFont(arial), nullptr);
    EXPECT_EQ(grid.RemoveFont(arial), 0);
    EXPECT_EQ(grid.GetFont(arial), nullptr);
    EXPECT_EQ(::GetObjectW(handle, sizeof description, &description), 0);
    EXPECT_EQ(grid.GridInfo->DefaultFont, nullptr);
    EXPECT_EQ(grid.RemoveFont(arial), 1);
    EXPECT_EQ(grid.SetDefaultFont(arial), 1);

    // Its entry is the next one used.
    EXPECT_EQ(grid.AddFontSimple(L"Tahoma", 10, 400), arial);
    // A font added once has use count 0: one remove frees it.
    EXPECT_EQ(grid.RemoveFont(other), 0);
    EXPECT_EQ(grid.GetFont(other), nullptr);
    EXPECT_EQ(grid.ClearFonts(), 0);
    EXPECT_EQ(grid.GetFont(bold), nullptr);
    EXPECT_EQ(grid.GetFont(other), nullptr);
}

// The face takes part beyond the 60 compared bytes; a face of 32 or more
// characters is dropped.
TEST(CUGCtrlCells, FontFacesAreComparedWholeAndLongFacesAreDropped)
{
    CUGCtrl grid;
    const int first = grid.AddFontSimple(L"ABCDEFGHIJKLMNOPQ1", 12, 400);
    const int second = grid.AddFontSimple(L"ABCDEFGHIJKLMNOPQ2", 12, 400);
    EXPECT_NE(first, second);

    const int longFace = grid.AddFontSimple(L"A face name that is far too long for LOGFONT", 12, 400);
    ASSERT_GE(longFace, 0);
    LOGFONTW description{};
    ::GetObjectW(grid.GetFont(longFace)->GetSafeHandle(), sizeof description, &description);
    EXPECT_STREQ(description.lfFaceName, L"");
    EXPECT_EQ(grid.AddFontSimple(nullptr, 12, 400), longFace);
}

// --- Bitmaps -----------------------------------------------------------------

namespace {

void Put16(std::vector<BYTE>& bytes, size_t at, unsigned value)
{
    bytes[at] = static_cast<BYTE>(value);
    bytes[at + 1] = static_cast<BYTE>(value >> 8);
}

void Put32(std::vector<BYTE>& bytes, size_t at, unsigned value)
{
    Put16(bytes, at, value & 0xFFFF);
    Put16(bytes, at + 2, value >> 16);
}

// A .bmp file: the file header (bfOffBits and bfSize as given, or as the
// parts add up), the info header, `table` and `pixels` one after the other.
std::vector<BYTE> BitmapFile(int width, int height, int bits, const std::vector<BYTE>& table,
                             const std::vector<BYTE>& pixels, unsigned offBits = 0,
                             unsigned fileSize = 0)
{
    std::vector<BYTE> bytes(54, 0);
    if (!offBits)
        offBits = static_cast<unsigned>(54 + table.size());
    if (!fileSize)
        fileSize = static_cast<unsigned>(offBits + pixels.size());
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, fileSize);
    Put32(bytes, 10, offBits);
    Put32(bytes, 14, 40);
    Put32(bytes, 18, static_cast<unsigned>(width));
    Put32(bytes, 22, static_cast<unsigned>(height));
    Put16(bytes, 26, 1);
    Put16(bytes, 28, static_cast<unsigned>(bits));
    bytes.insert(bytes.end(), table.begin(), table.end());
    bytes.insert(bytes.end(), pixels.begin(), pixels.end());
    return bytes;
}

// 2x2 at 24 bits, bottom row first, rows padded to 8 bytes: top red, green;
// bottom blue, white.
std::vector<BYTE> Pixels24()
{
    return {0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0, 0,
            0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0};
}

COLORREF PaletteColour(int index)
{
    return RGB(0x40, 255 - index, index);
}

// 256 entries (blue, green, red, reserved) of PaletteColour.
std::vector<BYTE> Palette256()
{
    std::vector<BYTE> table;
    for (int i = 0; i < 256; ++i) {
        const COLORREF colour = PaletteColour(i);
        table.insert(table.end(), {GetBValue(colour), GetGValue(colour), GetRValue(colour), 0});
    }
    return table;
}

std::vector<COLORREF> PixelsOf(CBitmap* bitmap)
{
    std::vector<COLORREF> colours;
    BITMAP info{};
    if (!bitmap || !bitmap->GetBitmap(&info))
        return colours;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(memory, bitmap->GetSafeHandle());
    for (int y = 0; y < info.bmHeight; ++y)
        for (int x = 0; x < info.bmWidth; ++x)
            colours.push_back(::GetPixel(memory, x, y));
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return colours;
}

}  // namespace

// Below 16 bits a colour table of 2^bits entries follows the header; at 24
// bits none does. The pixels follow directly.
TEST(CUGCtrlCells, BitmapFilesAreReadWithAColourTableOnlyBelow16Bits)
{
    CUGCtrl grid;
    TemporaryPath true24(L"cugctrl_true24.bmp");
    WriteAllBytes(true24, BitmapFile(2, 2, 24, {}, Pixels24()));
    const int first = grid.AddBitmapFile(true24);
    ASSERT_GE(first, 0);
    EXPECT_EQ(PixelsOf(grid.GetBitmap(first)),
              (std::vector<COLORREF>{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255),
                                     RGB(255, 255, 255)}));

    TemporaryPath indexed(L"cugctrl_indexed8.bmp");
    const std::vector<BYTE> table = Palette256();
    ASSERT_EQ(table.size(), 1024u);
    WriteAllBytes(indexed, BitmapFile(2, 2, 8, table, {0, 255, 0, 0, 3, 200, 0, 0}));
    const int second = grid.AddBitmapFile(indexed);
    ASSERT_GE(second, 0);
    EXPECT_NE(second, first);
    EXPECT_EQ(PixelsOf(grid.GetBitmap(second)),
              (std::vector<COLORREF>{PaletteColour(3), PaletteColour(200), PaletteColour(0),
                                     PaletteColour(255)}));

    // 16 bits (5-5-5) is the first depth without a table.
    TemporaryPath high16(L"cugctrl_high16.bmp");
    WriteAllBytes(high16, BitmapFile(2, 2, 16, {},
                                     {0x1F, 0x00, 0xFF, 0x7F, 0x00, 0x7C, 0xE0, 0x03}));
    const int third = grid.AddBitmapFile(high16);
    ASSERT_GE(third, 0);
    EXPECT_EQ(PixelsOf(grid.GetBitmap(third)), PixelsOf(grid.GetBitmap(first)));

    EXPECT_EQ(grid.RemoveBitmap(first), 0);
    EXPECT_EQ(grid.GetBitmap(first), nullptr);
    EXPECT_EQ(grid.RemoveBitmap(first), 1);
    EXPECT_EQ(grid.ClearBitmaps(), 0);
    EXPECT_EQ(grid.GetBitmap(second), nullptr);
}

// bfOffBits only gives the number of pixel bytes: they are read right after
// the headers, so a gap before the pixels is read as pixels.
TEST(CUGCtrlCells, BitmapPixelsAreReadInSequenceWhateverTheirOffset)
{
    CUGCtrl grid;
    TemporaryPath gap(L"cugctrl_gap.bmp");
    std::vector<BYTE> pixels = Pixels24();
    pixels.insert(pixels.begin(), {0x00, 0x80, 0x00, 0x00});  // four bytes before the pixels
    WriteAllBytes(gap, BitmapFile(2, 2, 24, {}, pixels, 58, 58 + 16));
    const int index = grid.AddBitmapFile(gap);
    ASSERT_GE(index, 0);
    const std::vector<COLORREF> colours = PixelsOf(grid.GetBitmap(index));
    ASSERT_EQ(colours.size(), 4u);
    EXPECT_EQ(colours[2], RGB(0, 0x80, 0));  // bottom left: the first three gap bytes
}

// A missing file, one shorter than its header says, and headers that promise
// more pixels than the file holds all fail with -1 and add nothing.
TEST(CUGCtrlCells, UnreadableBitmapFilesFail)
{
    CUGCtrl grid;
    TemporaryPath missing(L"cugctrl_missing.bmp");
    EXPECT_EQ(grid.AddBitmapFile(missing), -1);
    EXPECT_EQ(grid.AddBitmapFile(nullptr), -1);

    TemporaryPath truncated(L"cugctrl_truncated.bmp");
    std::vector<BYTE> bytes = BitmapFile(2, 2, 24, {}, Pixels24());
    bytes.resize(bytes.size() - 3);
    WriteAllBytes(truncated, bytes);
    EXPECT_EQ(grid.AddBitmapFile(truncated), -1);

    TemporaryPath shortTable(L"cugctrl_short_table.bmp");
    WriteAllBytes(shortTable, BitmapFile(2, 2, 8, std::vector<BYTE>(8, 0), {0, 1, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(grid.AddBitmapFile(shortTable), -1);

    TemporaryPath huge(L"cugctrl_huge.bmp");
    WriteAllBytes(huge, BitmapFile(30000, 30000, 24, {}, Pixels24()));
    EXPECT_EQ(grid.AddBitmapFile(huge), -1);

    TemporaryPath headerOnly(L"cugctrl_header_only.bmp");
    WriteAllBytes(headerOnly, {'B', 'M', 1, 2, 3});
    EXPECT_EQ(grid.AddBitmapFile(headerOnly), -1);

    TemporaryPath sizeBelowOffset(L"cugctrl_below_offset.bmp");
    WriteAllBytes(sizeBelowOffset, BitmapFile(2, 2, 24, {}, Pixels24(), 54, 40));
    EXPECT_EQ(grid.AddBitmapFile(sizeBelowOffset), -1);

    EXPECT_EQ(grid.GetBitmap(0), nullptr);
}

// The control's fonts and bitmaps go with it.
TEST(CUGCtrlCells, FontsAndBitmapsAreFreedWithTheControl)
{
    TemporaryPath file(L"cugctrl_freed.bmp");
    WriteAllBytes(file, BitmapFile(2, 2, 24, {}, Pixels24()));
    HGDIOBJ font = nullptr;
    HGDIOBJ bitmap = nullptr;
    BITMAP bitmapInfo{};
    LOGFONTW fontInfo{};
    {
        CUGCtrl grid;
        font = grid.GetFont(grid.AddFontSimple(L"Arial", 11, 400))->GetSafeHandle();
        bitmap = grid.GetBitmap(grid.AddBitmapFile(file))->GetSafeHandle();
        ASSERT_NE(::GetObjectW(font, sizeof fontInfo, &fontInfo), 0);
        ASSERT_NE(::GetObjectW(bitmap, sizeof bitmapInfo, &bitmapInfo), 0);
    }
    EXPECT_EQ(::GetObjectW(font, sizeof fontInfo, &fontInfo), 0);
    EXPECT_EQ(::GetObjectW(bitmap, sizeof bitmapInfo, &bitmapInfo), 0);
}

// With a window the bitmap is made for the cell area's DC.
TEST(CUGCtrlCells, BitmapFilesLoadIntoAControlWithAWindow)
{
    RecordingGrid grid;
    GridTestFrame frame(grid, 300, 200);
    ASSERT_TRUE(grid.GetCellArea()->GetSafeHwnd());
    TemporaryPath file(L"cugctrl_windowed.bmp");
    WriteAllBytes(file, BitmapFile(2, 2, 24, {}, Pixels24()));
    const int index = grid.AddBitmapFile(file);
    ASSERT_GE(index, 0);
    EXPECT_EQ(PixelsOf(grid.GetBitmap(index)).front(), RGB(255, 0, 0));
}

// Resources of the program's module, by number or by name (the test
// program carries the same 2x2 picture under both).
TEST(CUGCtrlCells, BitmapResourcesLoadByNumberOrName)
{
    CUGCtrl grid;
    const int byNumber = grid.AddBitmapResource(201);
    ASSERT_GE(byNumber, 0);
    const int byName = grid.AddBitmapResource(0, L"GRIDBITMAP");
    ASSERT_GE(byName, 0);
    EXPECT_NE(byName, byNumber);
    const std::vector<COLORREF> expected{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255),
                                         RGB(255, 255, 255)};
    EXPECT_EQ(PixelsOf(grid.GetBitmap(byNumber)), expected);
    EXPECT_EQ(PixelsOf(grid.GetBitmap(byName)), expected);
    EXPECT_EQ(grid.AddBitmapResource(9999), -1);
}

// --- Joins, sorting, the current cell ----------------------------------------

// Every cell of the block points back at its start; the start holds the
// extent. What the cells held before stays.
TEST(CUGCtrlCells, JoinCellsMarksTheBlockAndItsStart)
{
    CellGrid grid;
    grid.SetColumnCount(4, FALSE);
    grid.SetRowCount(5, FALSE);
    grid.QuickSetText(2, 3, L"kept");
    grid.log.clear();

    ASSERT_EQ(grid.JoinCells(1, 1, 2, 3), 0);
    EXPECT_EQ(JoinAt(grid, 1, 1), (Join{1, 1, 2}));
    EXPECT_EQ(JoinAt(grid, 2, 1), (Join{0, -1, 0}));
    EXPECT_EQ(JoinAt(grid, 1, 3), (Join{0, 0, -2}));
    EXPECT_EQ(JoinAt(grid, 2, 3), (Join{0, -1, -2}));
    EXPECT_EQ(JoinAt(grid, 3, 3), Join{});
    EXPECT_EQ(TextAt(grid, 2, 3), L"kept");
    EXPECT_EQ(grid.log.size(), 7u);  // six cells, then the start again

    // Heading cells may take part, down to the outermost heading.
    EXPECT_EQ(grid.JoinCells(-1, -1, 0, 0), 0);
    EXPECT_EQ(JoinAt(grid, -1, -1), (Join{1, 1, 1}));

    struct Case {
        int startCol;
        long startRow;
        int endCol;
        long endRow;
    };
    grid.log.clear();
    for (const Case& c : {Case{2, 0, 1, 0}, Case{0, 2, 0, 1}, Case{0, 0, 4, 0}, Case{0, 0, 0, 5},
                          Case{-2, 0, 0, 0}, Case{0, -2, 0, 0}})
        EXPECT_EQ(grid.JoinCells(c.startCol, c.startRow, c.endCol, c.endRow), 1)
            << c.startCol << "," << c.startRow << " - " << c.endCol << "," << c.endRow;
    EXPECT_TRUE(grid.log.empty());
}

// The sheet's source sorts by the data columns of the grid columns asked for.
TEST(CUGCtrlCells, SortingPassesTheDataColumnsToTheSheetsSource)
{
    CUGCtrl grid;
    RecordingSource source;
    grid.SetColumnCount(3, FALSE);
    grid.SetDefaultDataSource(grid.AddDataSource(&source));
    grid.SetColumnDataIndex(0, 2);
    grid.SetColumnDataIndex(2, 0);

    EXPECT_EQ(grid.SortByColumn(0, 2), 0);
    EXPECT_EQ(source.sortColumns, (std::vector<int>{2}));
    EXPECT_EQ(source.sortFlags, 2);
    int cols[] = {1, 2, 0};
    EXPECT_EQ(grid.SortByColumns(cols, 3, 0), 0);
    EXPECT_EQ(source.sortColumns, (std::vector<int>{1, 0, 2}));

    source.sortColumns.clear();
    int bad[] = {0, 3};
    EXPECT_EQ(grid.SortByColumns(bad, 2, 0), 1);
    EXPECT_EQ(grid.SortByColumn(-1, 0), 1);
    EXPECT_EQ(grid.SortByColumns(nullptr, 1, 0), 1);
    EXPECT_EQ(grid.SortByColumns(cols, 0, 0), 1);
    EXPECT_TRUE(source.sortColumns.empty());
}

// The memory source really reorders the rows by the translated column.
TEST(CUGCtrlCells, SortByColumnOrdersTheMemorySourcesRows)
{
    CUGCtrl grid;
    grid.SetColumnCount(2, FALSE);
    grid.SetRowCount(3, FALSE);
    const wchar_t* texts[] = {L"b", L"c", L"a"};
    for (long row = 0; row < 3; ++row)
        grid.QuickSetText(1, row, texts[row]);
    EXPECT_EQ(grid.SortByColumn(1), 0);
    EXPECT_EQ(TextAt(grid, 1, 0) + TextAt(grid, 1, 1) + TextAt(grid, 1, 2), L"abc");
    EXPECT_EQ(grid.SortByColumn(1, 2), 0);
    EXPECT_EQ(TextAt(grid, 1, 0) + TextAt(grid, 1, 1) + TextAt(grid, 1, 2), L"cba");
}

TEST(CUGCtrlCells, ResetCurrentCellLeavesNoCurrentCell)
{
    CUGCtrl grid;
    grid.GridInfo->CurrentCol = 3;
    grid.GridInfo->CurrentRow = 4;
    grid.ResetCurrentCell();
    EXPECT_EQ(grid.GetCurrentCol(), -1);
    EXPECT_EQ(grid.GetCurrentRow(), -1);
}

// --- Fitting columns ---------------------------------------------------------

// The range shares the cell area's width in proportion; the last column
// takes what the truncated others leave.
TEST(CUGCtrlCells, FitColumnsToWidthSharesTheCellAreaInProportion)
{
    RecordingGrid grid;
    GridTestFrame frame(grid, 400, 300);
    grid.SetColumnCount(4, FALSE);
    grid.SetRowCount(2, FALSE);
    grid.SetColumnWidth(0, 33);
    grid.SetColumnWidth(1, 50);
    grid.SetColumnWidth(2, 100);
    grid.SetColumnWidth(3, 150);
    RECT client;
    grid.GetCellArea()->GetClientRect(&client);
    const int width = client.right;
    ASSERT_GT(width, 0);

    ASSERT_EQ(grid.FitColumnsToWidth(1, 3), 0);
    const float factor = static_cast<float>(width) / 300.0f;
    const int first = static_cast<int>(50 * factor);
    const int second = static_cast<int>(100 * factor);
    EXPECT_EQ(grid.GetColumnWidth(0), 33);
    EXPECT_EQ(grid.GetColumnWidth(1), first);
    EXPECT_EQ(grid.GetColumnWidth(2), second);
    EXPECT_EQ(grid.GetColumnWidth(3), width - first - second);

    const std::pair<int, int> outside[] = {{-1, 2}, {2, 1}, {0, 4}};
    for (auto [firstCol, lastCol] : outside)
        EXPECT_EQ(grid.FitColumnsToWidth(firstCol, lastCol), 1) << firstCol << "-" << lastCol;
}

// Columns without width between them keep it; without a window the width of
// the last layout counts.
TEST(CUGCtrlCells, FitColumnsToWidthWithoutAWindowOrWithoutWidths)
{
    CUGCtrl grid;
    grid.SetColumnCount(2, FALSE);
    grid.SetColumnWidth(0, 0);
    grid.SetColumnWidth(1, 0);
    EXPECT_EQ(grid.FitColumnsToWidth(0, 1), 0);
    EXPECT_EQ(grid.GetColumnWidth(0), 0);
    EXPECT_EQ(grid.GetColumnWidth(1), 0);

    grid.SetColumnWidth(0, 10);
    grid.SetColumnWidth(1, 30);
    grid.GridInfo->GridWidth = 200;
    EXPECT_EQ(grid.FitColumnsToWidth(0, 1), 0);
    EXPECT_EQ(grid.GetColumnWidth(0), 50);
    EXPECT_EQ(grid.GetColumnWidth(1), 150);
}

// Best fit: the locked rows, then from the top row on, at most rowsToScan
// rows; joined cells are skipped; heading rows with flag 1; 300 pixels at
// most without a window.
TEST(CUGCtrlCells, BestFitColumnsMeasuresTheScannedRows)
{
    CUGCtrl grid;
    MeasuringType measuring;
    const int type = grid.AddCellType(&measuring);
    grid.SetColumnCount(3, FALSE);
    grid.SetRowCount(8, FALSE);
    CUGCell measured;
    measured.SetCellType(type);
    grid.SetColumnDefault(0, &measured);
    grid.SetColumnDefault(1, &measured);
    CUGCell heading;
    heading.SetCellType(type);
    heading.SetText(L"a heading text");
    grid.SetHeadingDefault(&heading);

    const wchar_t* texts[] = {L"aa", L"aaaaaaaaaa", L"aaaaaaaaaa", L"aaaaaaaaaa",
                              L"aaaaaaaaaa", L"aaa", L"aaaa", L"aaaaaaaaaa"};
    for (long row = 0; row < 8; ++row)
        grid.QuickSetText(0, row, texts[row]);
    ASSERT_EQ(grid.SetLockedRows(1), 0);
    grid.GridInfo->TopRow = 5;

    EXPECT_EQ(grid.BestFitColumns(0, 0, 2, 0), 0);  // rows 0, 5
    EXPECT_EQ(grid.GetColumnWidth(0), 32);
    EXPECT_NE(measuring.lastDC, nullptr);
    EXPECT_EQ(grid.BestFitColumns(0, 0, 3, 0), 0);  // rows 0, 5, 6
    EXPECT_EQ(grid.GetColumnWidth(0), 42);

    // A joined cell is not measured.
    grid.QuickSetText(0, 6, L"aaaaaaaaaaaaaaaaaaaa");
    grid.JoinCells(0, 6, 1, 6);
    EXPECT_EQ(grid.BestFitColumns(0, 0, 3, 0), 0);
    EXPECT_EQ(grid.GetColumnWidth(0), 32);

    // Flag 1 starts at the heading row; 140 pixels fit, 400 would not.
    EXPECT_EQ(grid.BestFitColumns(0, 0, 2, 1), 0);
    EXPECT_EQ(grid.GetColumnWidth(0), 142);
    grid.QuickSetText(0, 0, L"forty characters of text in this one row");
    EXPECT_EQ(grid.BestFitColumns(0, 0, 1, 0), 0);
    EXPECT_EQ(grid.GetColumnWidth(0), 300);

    // A column whose cells are all empty fits to 2.
    EXPECT_EQ(grid.BestFitColumns(1, 1, 8, 0), 0);
    EXPECT_EQ(grid.GetColumnWidth(1), 2);

    EXPECT_EQ(grid.BestFitColumns(-2, 0, 1, 0), 1);
    EXPECT_EQ(grid.BestFitColumns(0, 3, 1, 0), 2);
    EXPECT_EQ(grid.BestFitColumns(2, 1, 1, 0), 3);
}

// With a window the cap is the cell area's width without the vertical bar,
// and the control's DC is measured on.
TEST(CUGCtrlCells, BestFitColumnsCapsAtTheCellAreaWidthWithAWindow)
{
    RecordingGrid grid;
    GridTestFrame frame(grid, 200, 150);
    MeasuringType measuring;
    const int type = grid.AddCellType(&measuring);
    grid.SetColumnCount(1, FALSE);
    grid.SetRowCount(1, FALSE);
    grid.QuickSetCellType(0, 0, type);
    grid.QuickSetText(0, 0, L"a text of thirty characters...");
    RECT client;
    grid.GetCellArea()->GetClientRect(&client);

    EXPECT_EQ(grid.BestFitColumns(0, 0, 1, 0), 0);
    EXPECT_EQ(grid.GetColumnWidth(0), client.right - grid.GridInfo->VScrollWidth);
    EXPECT_NE(measuring.lastDC, nullptr);
}
