// Cell access, joins, fitting and the registries of cell types, data sources,
// fonts and bitmaps; mostly without a window, as an owner may use them.
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

#include <string>
#include <tuple>
#include <vector>

using Lines = std::vector<std::string>;
using Keys = std::vector<RecordingSource::Key>;

namespace {

// Writes down the two cell notifications; the storing one marks the cell.
struct CellGrid : CUGCtrl {
    Lines log;
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

struct SuffixFormat : CUGCellFormat {
    void ApplyFormat(CUGCell* cell) override { cell->AppendText(L"+fmt"); }
};

// 10 pixels per character; notes whether it measured on a DC.
struct MeasuringType : CUGCellType {
    bool hadDC = false;
    void GetBestSize(CDC* dc, SIZE* size, CUGCell* cell) override
    {
        hadDC = dc && dc->GetSafeHdc();
        *size = SIZE{10 * cell->GetTextLength(), 20};
    }
};

}  // namespace

// GetCell layers column default, stored cell, NotifyCellFetched, format and
// style; columns reach their own source under their data column, headings and
// columns beyond the sheet's from the heading default; below the last row
// only defaults come. GetCellRaw reads the stored cell alone.
TEST(CUGCtrlCells, CellsLayerTheirDefaultsAndReachTheColumnsSource)
{
    CellGrid grid;
    RecordingSource sheet, own;
    SuffixFormat format;
    grid.SetColumnCount(3, FALSE), grid.SetRowCount(3, FALSE), grid.log.clear();
    CUGCell columnDefault, style, cell;
    columnDefault.SetTextColor(RGB(1, 2, 3)), columnDefault.SetText(L"default");
    ASSERT_EQ(grid.SetColumnDefault(1, &columnDefault), 0);
    style.SetBackColor(RGB(200, 100, 50));
    cell.SetText(L"stored"), cell.SetFormat(&format), cell.SetStyleCell(&style);
    ASSERT_EQ(grid.SetCell(1, 2, &cell), 0);
    cell.ClearAll(), cell.SetAlignment(0x20);  // whatever the caller's cell held goes first
    EXPECT_EQ(grid.GetCell(1, 2, &cell), 0);
    EXPECT_STREQ(cell.GetText(), L"stored+fmt");
    EXPECT_EQ(std::tuple(cell.GetTextColor(), cell.GetBackColor(), cell.GetParam(),
                         cell.IsPropertySet(CUGCell::PropAlignment)),
              std::tuple(RGB(1, 2, 3), RGB(200, 100, 50), 77L, 0));
    EXPECT_EQ(grid.GetCell(1, 0, &cell), 1);
    EXPECT_FALSE(cell.IsPropertySet(CUGCell::PropBorder));

    ASSERT_EQ(grid.SetDefaultDataSource(grid.AddDataSource(&sheet)), 0);
    ASSERT_EQ(grid.SetColumnDataSource(2, grid.AddDataSource(&own)), 0);
    grid.SetColumnDataIndex(1, 7), grid.SetColumnDataIndex(2, 4);
    sheet.cells[{0, 1}].SetText(L"x");
    for (auto [col, row] : {std::pair<int, long>{-1, 0}, {0, -1}, {5, 1}}) {
        grid.GetCell(col, row, &cell);
        EXPECT_EQ(std::tuple(cell.GetBorder(), cell.GetAlignment(), cell.GetBackColor()),
                  std::tuple(0x2000, 0x24, GetSysColor(COLOR_BTNFACE)));
    }
    grid.GetCell(1, 0, &cell), grid.GetCell(2, 1, &cell);
    EXPECT_EQ(grid.GetCell(1, 3, &cell), 0);
    EXPECT_EQ(cell.GetPropertyFlags(), columnDefault.GetPropertyFlags());
    EXPECT_EQ(sheet.gets, (Keys{{-1, 0}, {0, -1}, {5, 1}, {7, 0}}));
    EXPECT_EQ(own.gets, (Keys{{4, 1}}));
    EXPECT_EQ(grid.log, (Lines{"Storing 1 2", "Fetched 1 2 stored", "Fetched 1 0 default",
                               "Fetched -1 0 -", "Fetched 0 -1 -", "Fetched 5 1 -",
                               "Fetched 7 0 default", "Fetched 4 1 -"}));
    cell.SetBackColor(RGB(1, 1, 1));
    EXPECT_EQ(grid.GetCellRaw(0, 1, &cell), 0);
    EXPECT_STREQ(cell.GetText(), L"x");
    EXPECT_FALSE(cell.IsPropertySet(CUGCell::PropTextColor | CUGCell::PropBackColor));
    EXPECT_EQ(grid.GetCellRaw(3, 0, &cell) + grid.GetCellRaw(0, 0, nullptr)
                  + grid.GetCell(0, 0, nullptr) + grid.SetCell(0, 0, nullptr), 4);
    grid.SetCell(2, 1, &cell), grid.SetCell(3, 0, &cell);
    EXPECT_EQ(std::pair(own.sets, sheet.sets), std::pair(Keys{{4, 1}}, Keys{{3, 0}}));
    EXPECT_EQ((own.cells[{4, 1}].GetParam()), 77);
}

// A quick setter changes one property of the stored cell (beyond the columns
// of an empty cell, not the scratch cell); SetCellRange stores a copy into
// every cell of the range and counts the failed stores.
TEST(CUGCtrlCells, QuickAndRangeOperationsChangeTheStoredCells)
{
    CellGrid grid;
    RecordingSource source;
    grid.SetColumnCount(2, FALSE), grid.SetRowCount(2, FALSE);
    const int font = grid.AddFontSimple(L"Arial", 12, 400);
    EXPECT_EQ(grid.QuickSetText(1, 1, L"abc") + grid.QuickSetFont(1, 1, font), 0);
    EXPECT_EQ(grid.QuickSetNumber(0, 0, 2.5), 0);
    CString text;
    EXPECT_EQ(grid.QuickGetText(0, 0, &text) + grid.QuickGetText(0, 1, &text), 1);
    EXPECT_EQ(text, L"2.500000");  // a cell without text leaves the string
    EXPECT_STREQ(grid.QuickGetTextPtr(1, 1), L"abc");
    grid.QuickSetBackColor(4, 0, RGB(3, 3, 3));
    CUGCell cell, beyond;
    grid.GetCellRaw(1, 1, &cell);
    EXPECT_EQ(cell.GetFont(), grid.GetFont(font));
    grid.GridInfo->MemDataSource->GetCell(4, 0, &beyond);
    EXPECT_FALSE(beyond.IsPropertySet(CUGCell::PropText));
    EXPECT_EQ(grid.QuickGetTextPtr(0, 1), nullptr);
    grid.log.clear();
    EXPECT_EQ(grid.QuickGetText(0, 1, nullptr) + grid.QuickSetFont(0, 1, 99)
                  + grid.QuickSetBitmap(0, 1, 0), 3);
    EXPECT_TRUE(grid.log.empty());  // an index without a font or bitmap stores nothing
    source.failSetCellInColumn = 1;
    grid.SetColumnCount(3, FALSE), grid.SetDefaultDataSource(grid.AddDataSource(&source));
    cell.ClearAll();
    EXPECT_EQ(grid.SetCellRange(0, 1, 2, 2, &cell), 2);
    EXPECT_EQ(source.sets, (Keys{{0, 1}, {0, 2}, {1, 1}, {1, 2}, {2, 1}, {2, 2}}));
    EXPECT_FALSE(cell.IsPropertySet(CUGCell::PropParam));  // the caller's cell stays
    EXPECT_EQ(grid.SetCellRange(2, 0, 1, 0, &cell) + grid.SetCellRange(0, 0, 0, 0, nullptr), 1);
}

// Cell types after the four built-in ones, data sources from 1 (0 is the
// memory source) and fonts reuse removed entries; unknown types are the
// normal type; equal fonts are shared and counted, and the last RemoveFont
// frees one and takes it from the sheets; columns follow the sheet's source
// unless they have their own, which sorts by their data columns.
TEST(CUGCtrlCells, RegistriesHandOutFreeEntries)
{
    CellGrid grid;
    MeasuringType custom;
    CUGCellType* normal = grid.GetCellType(0);
    EXPECT_EQ(grid.AddCellType(nullptr), -1);
    const int type = grid.AddCellType(&custom);
    EXPECT_EQ(std::pair(type, custom.GetTypeIndex()), std::pair(4, 4));
    EXPECT_EQ(custom.GetOwner(), &grid);
    grid.SetColumnCount(2, FALSE), grid.SetRowCount(2, FALSE);
    grid.QuickSetCellType(1, 1, type), grid.QuickSetText(0, 1, L"no type");
    EXPECT_EQ(grid.GetCellTypeOf(1, 1), &custom);
    for (CUGCellType* found : {grid.GetCellType(-5), grid.GetCellType(50), grid.GetCellTypeOf(0, 1),
                               grid.GetCellTypeOf(0, 0), grid.GetCellTypeOf(1, 5)})
        EXPECT_EQ(found, normal);
    EXPECT_EQ(grid.RemoveCellType(type), 0);
    EXPECT_EQ(grid.GetCellTypeOf(1, 1), normal);
    EXPECT_EQ(grid.AddCellType(&custom), type);

    const int arial = grid.AddFontSimple(L"Arial", 14, 700);  // added three times
    EXPECT_EQ(grid.AddFontSimple(L"Arial", 14, 700) + grid.AddFont(14, 0, 0, 0, 700, 0, 0, 0, 0, 0,
                                                                   0, 0, 0, L"Arial"), 2 * arial);
    const int once = grid.AddFontSimple(L"ABCDEFGHIJKLMNOPQ1", 12, 400);
    EXPECT_NE(grid.AddFontSimple(L"ABCDEFGHIJKLMNOPQ2", 12, 400), once);
    HGDIOBJ handle = grid.GetFont(arial)->GetSafeHandle();
    ASSERT_EQ(grid.SetDefaultFont(arial), 0);
    EXPECT_EQ(grid.RemoveFont(arial) + grid.RemoveFont(arial) + grid.RemoveFont(once), 0);
    EXPECT_EQ(grid.RemoveFont(arial) + grid.RemoveFont(once), 2);  // gone after as many as added
    LOGFONTW font{};
    EXPECT_EQ(::GetObjectW(handle, sizeof font, &font), 0);
    EXPECT_EQ(grid.GridInfo->DefaultFont, nullptr);
    EXPECT_EQ(grid.AddFontSimple(L"A face name that is far too long for LOGFONT", 12, 400), arial);
    ::GetObjectW(grid.GetFont(arial)->GetSafeHandle(), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, L"");
    EXPECT_EQ(grid.ClearFonts(), 0);
    EXPECT_EQ(grid.GetFont(arial), nullptr);

    std::vector<RecordingSource> sources(20);
    EXPECT_EQ(grid.AddDataSource(nullptr), -1);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(grid.AddDataSource(&sources[i]), i + 1);
        EXPECT_EQ(std::pair(sources[i].GetID(), sources[i].GetOwner()),
                  std::pair(i + 1, static_cast<CUGCtrl*>(&grid)));
    }
    EXPECT_EQ(grid.GetDataSource(0), grid.GridInfo->MemDataSource.get());
    EXPECT_EQ(grid.RemoveDataSource(0) + grid.RemoveDataSource(-1) + grid.RemoveDataSource(21), 3);
    EXPECT_EQ(grid.RemoveDataSource(20) + grid.RemoveDataSource(5), 0);
    EXPECT_EQ(grid.GetDataSourceCount(), 19);
    EXPECT_EQ(grid.RemoveDataSource(5), 1);
    EXPECT_EQ(grid.AddDataSource(&sources[4]), 5);
    EXPECT_EQ(grid.SetDefaultDataSource(-1) + grid.SetDefaultDataSource(20)
                  + grid.SetColumnDataSource(2, 2) + grid.SetColumnDataSource(0, 20)
                  + grid.SetColumnDataIndex(-1, 0), 5);
    EXPECT_EQ(grid.SetDefaultDataSource(1), 0);
    EXPECT_EQ(grid.SetColumnDataSource(1, 2), 0);
    CUGCell cell;
    grid.GetCell(0, 0, &cell), grid.GetCell(1, 0, &cell);
    EXPECT_EQ(std::pair(sources[0].gets, sources[1].gets), std::pair(Keys{{0, 0}}, Keys{{1, 0}}));
    int cols[] = {1, 0}, bad[] = {0, 2};
    grid.SetColumnDataIndex(0, 7);
    EXPECT_EQ(grid.SortByColumns(bad, 2, 0) + grid.SortByColumn(-1, 0)
                  + grid.SortByColumns(nullptr, 1, 0) + grid.SortByColumns(cols, 0, 0), 4);
    EXPECT_EQ(grid.SortByColumns(cols, 2, 2), 0);
    EXPECT_EQ(sources[0].sortColumns, (std::vector<int>{1, 7}));
    EXPECT_EQ(sources[0].sortFlags, 2);
    EXPECT_EQ(grid.SetDefaultDataSource(0), 0);  // the memory source, for every column
    grid.QuickSetText(1, 0, L"mem");  // no question to source 2
    EXPECT_STREQ(grid.QuickGetTextPtr(1, 0), L"mem");
}

namespace {

// A .bmp file: headers (bfOffBits and bfSize given or added up), table, pixels.
std::vector<BYTE> BitmapFile(int width, int height, int bits, const std::vector<BYTE>& table,
                             const std::vector<BYTE>& pixels, unsigned offBits = 0,
                             unsigned fileSize = 0)
{
    offBits = offBits ? offBits : static_cast<unsigned>(54 + table.size());
    std::vector<BYTE> bytes{'B', 'M'};
    auto put = [&bytes](unsigned value, int size) {
        for (int i = 0; i < size; ++i)
            bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
    };
    put(fileSize ? fileSize : static_cast<unsigned>(offBits + pixels.size()), 4);
    put(0, 4), put(offBits, 4), put(40, 4), put(width, 4), put(height, 4), put(1, 2), put(bits, 2);
    bytes.resize(54, 0);
    bytes.insert(bytes.end(), table.begin(), table.end());
    bytes.insert(bytes.end(), pixels.begin(), pixels.end());
    return bytes;
}

std::vector<COLORREF> PixelsOf(CBitmap* bitmap)
{
    std::vector<COLORREF> colours;
    BITMAP info{};
    if (!bitmap || !bitmap->GetBitmap(&info))
        return colours;
    HDC memory = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(memory, bitmap->GetSafeHandle());
    for (int y = 0; y < info.bmHeight; ++y)
        for (int x = 0; x < info.bmWidth; ++x)
            colours.push_back(::GetPixel(memory, x, y));
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    return colours;
}

}  // namespace

// Below 16 bits a table of 2^bits colours follows the headers; the pixels
// follow right after (bfOffBits only counts them). Files shorter than their
// headers say fail and add nothing. Resources load by number or by name.
TEST(CUGCtrlCells, BitmapsAreReadAsTheirHeadersSay)
{
    // 2x2 at 24 bits, bottom row first, rows padded to 8 bytes.
    const std::vector<BYTE> pixels{255, 0, 0, 255, 255, 255, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0};
    const std::vector<COLORREF> colours{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255),
                                        RGB(255, 255, 255)};
    std::vector<BYTE> palette, gap = pixels, truncated = BitmapFile(2, 2, 24, {}, pixels);
    for (int i = 0; i < 256; ++i)
        palette.insert(palette.end(), {static_cast<BYTE>(i), static_cast<BYTE>(255 - i), 0x40, 0});
    auto paletteColour = [](int i) { return RGB(0x40, 255 - i, i); };
    gap.insert(gap.begin(), {0x00, 0x80, 0x00, 0x00});
    truncated.resize(truncated.size() - 3);
    const std::pair<std::vector<BYTE>, std::vector<COLORREF>> cases[] = {  // no colours: fails
        {BitmapFile(2, 2, 24, {}, pixels), colours},
        {BitmapFile(2, 2, 8, palette, {0, 255, 0, 0, 3, 200, 0, 0}),
         {paletteColour(3), paletteColour(200), paletteColour(0), paletteColour(255)}},
        {BitmapFile(2, 2, 16, {}, {0x1F, 0, 0xFF, 0x7F, 0, 0x7C, 0xE0, 3}), colours},
        {BitmapFile(2, 2, 24, {}, gap, 58, 58 + 16),
         {RGB(0, 255, 255), RGB(0, 0, 0), RGB(0, 0x80, 0), RGB(0, 255, 0)}},
        {truncated, {}},
        {BitmapFile(2, 2, 8, std::vector<BYTE>(8, 0), {0, 1, 0, 0, 1, 0, 0, 0}), {}},
        {BitmapFile(30000, 30000, 24, {}, pixels), {}},
        {{'B', 'M', 1, 2, 3}, {}},
        {BitmapFile(2, 2, 24, {}, pixels, 54, 40), {}},  // a size below the offset
    };
    CUGCtrl grid;
    TemporaryPath path(L"cugctrl_read.bmp");
    for (size_t i = 0; i < std::size(cases); ++i) {
        WriteAllBytes(path, cases[i].first);
        EXPECT_EQ(PixelsOf(grid.GetBitmap(grid.AddBitmapFile(path))), cases[i].second) << i;
    }
    ::DeleteFileW(path);
    EXPECT_EQ(grid.AddBitmapFile(path) + grid.AddBitmapFile(nullptr), -2);
    EXPECT_TRUE(grid.GetBitmap(3) && !grid.GetBitmap(4));  // the failures added nothing
    EXPECT_EQ(grid.RemoveBitmap(0), 0);
    EXPECT_EQ(grid.RemoveBitmap(0), 1);
    EXPECT_EQ(grid.AddBitmapResource(201), 0);
    EXPECT_EQ(grid.AddBitmapResource(0, L"GRIDBITMAP"), 4);
    EXPECT_EQ(PixelsOf(grid.GetBitmap(0)), colours);
    EXPECT_EQ(PixelsOf(grid.GetBitmap(4)), colours);
    EXPECT_EQ(grid.AddBitmapResource(9999), -1);
    EXPECT_EQ(grid.ClearBitmaps(), 0);
    EXPECT_EQ(grid.GetBitmap(1), nullptr);
}

// Fitting shares the cell area's width in proportion, the last column taking
// the rest. Best fit measures at most rowsToScan rows (the locked ones, then
// from the top row; headings with flag 1), skipping joined cells, capped at
// 300 pixels without a window and at the cell area without the bar with one.
// Every cell of a joined block (headings too) points back at its start, which
// holds the extent; a block reversed or outside stores nothing.
TEST(CUGCtrlCells, FittingSharesTheWidthAndMeasuresTheScannedRows)
{
    RecordingGrid shown;
    GridTestFrame frame(shown, 400, 300);
    MeasuringType measuring;
    shown.SetColumnCount(4, FALSE), shown.SetRowCount(1, FALSE);
    for (int col = 0; col < 4; ++col)
        shown.SetColumnWidth(col, 50 * col + (col ? 0 : 33));
    RECT client;
    shown.GetCellArea()->GetClientRect(&client);
    ASSERT_EQ(shown.FitColumnsToWidth(1, 3), 0);
    const int first = static_cast<int>(50 * (client.right / 300.0f));
    const int second = static_cast<int>(100 * (client.right / 300.0f));
    EXPECT_EQ(std::tuple(shown.GetColumnWidth(0), shown.GetColumnWidth(1), shown.GetColumnWidth(2),
                         shown.GetColumnWidth(3)),
              std::tuple(33, first, second, client.right - first - second));
    EXPECT_EQ(shown.FitColumnsToWidth(-1, 2) + shown.FitColumnsToWidth(2, 1)
                  + shown.FitColumnsToWidth(0, 4), 3);
    shown.QuickSetCellType(0, 0, shown.AddCellType(&measuring));
    shown.QuickSetText(0, 0, L"a text of forty characters and some more");  // 400 pixels
    EXPECT_EQ(shown.BestFitColumns(0, 0, 1, 0), 0);
    EXPECT_EQ(shown.GetColumnWidth(0), client.right - shown.GridInfo->VScrollWidth);
    const RECT& bar = shown.GridInfo->HScrollRect;
    EXPECT_GT(bar.bottom - bar.top, 0);
    shown.QuickSetText(0, 0, L"ab");  // every column fits the view again: the bar goes
    EXPECT_EQ(shown.BestFitColumns(0, 3, 1, 0), 0);
    EXPECT_EQ(bar.bottom - bar.top, 0);

    CUGCtrl grid;
    grid.SetColumnCount(3, FALSE), grid.SetRowCount(8, FALSE), grid.SetColumnWidth(2, 0);
    EXPECT_EQ(grid.FitColumnsToWidth(2, 2), 0);
    grid.GridInfo->GridWidth = 200;  // the last layout's width, without a window
    EXPECT_EQ(grid.FitColumnsToWidth(0, 2), 0);
    EXPECT_EQ(std::tuple(grid.GetColumnWidth(0), grid.GetColumnWidth(1), grid.GetColumnWidth(2)),
              std::tuple(100, 100, 0));
    grid.GridInfo->GridWidth = 0;
    CUGCell measured;
    measured.SetCellType(grid.AddCellType(&measuring));
    grid.SetColumnDefault(0, &measured), grid.SetColumnDefault(1, &measured);
    measured.SetText(L"a heading text"), grid.SetHeadingDefault(&measured);
    const int lengths[] = {2, 10, 10, 10, 10, 3, 4, 10};
    for (long row = 0; row < 8; ++row)
        grid.QuickSetText(0, row, std::wstring(lengths[row], L'a').c_str());
    ASSERT_EQ(grid.SetLockedRows(1), 0);
    grid.GridInfo->TopRow = 5;
    auto fit = [&](int col, long rows, int flags) {
        const int answer = grid.BestFitColumns(col, col, rows, flags);
        return std::pair(answer, grid.GetColumnWidth(col));
    };
    EXPECT_EQ(fit(0, 2, 0), std::pair(0, 32));  // rows 0, 5
    EXPECT_TRUE(measuring.hadDC);
    EXPECT_EQ(fit(0, 3, 0), std::pair(0, 42));  // rows 0, 5, 6
    grid.QuickSetText(0, 6, L"aaaaaaaaaaaaaaaaaaaa");
    ASSERT_EQ(grid.JoinCells(0, 5, 1, 6), 0);
    ASSERT_EQ(grid.JoinCells(-1, -1, -1, 0), 0);
    std::vector<std::tuple<short, int, long>> joins;
    for (auto [col, row] : {std::pair<int, long>{0, 5}, {1, 5}, {1, 6}, {-1, -1}, {2, 2}}) {
        CUGCell cell;
        short origin = -9;
        int colOffset = -9;
        long rowOffset = -9;
        grid.GetCellRaw(col, row, &cell);
        cell.GetJoinInfo(&origin, &colOffset, &rowOffset);
        joins.emplace_back(origin, colOffset, rowOffset);
    }
    EXPECT_EQ(joins, (std::vector<std::tuple<short, int, long>>{
                         {1, 1, 1}, {0, -1, 0}, {0, -1, -1}, {1, 0, 1}, {-9, -9, -9}}));
    EXPECT_STREQ(grid.QuickGetTextPtr(0, 6), L"aaaaaaaaaaaaaaaaaaaa");  // what the cells held stays
    EXPECT_EQ(grid.JoinCells(2, 0, 1, 0) + grid.JoinCells(0, 2, 0, 1) + grid.JoinCells(0, 0, 3, 0)
                  + grid.JoinCells(0, 0, 0, 8) + grid.JoinCells(-2, 0, 0, 0)
                  + grid.JoinCells(0, -2, 0, 0), 6);
    EXPECT_EQ(fit(0, 3, 0), std::pair(0, 22));
    EXPECT_EQ(fit(0, 2, 1), std::pair(0, 142));  // the heading row, 140 pixels
    grid.QuickSetText(0, 0, L"forty characters of text in this one row");
    EXPECT_EQ(fit(0, 1, 0), std::pair(0, 300));
    EXPECT_EQ(fit(1, 8, 0), std::pair(0, 2));  // all empty
    EXPECT_EQ(std::tuple(grid.BestFitColumns(-2, 0, 1, 0), grid.BestFitColumns(0, 3, 1, 0),
                         grid.BestFitColumns(2, 1, 1, 0)), std::tuple(1, 2, 3));
}
