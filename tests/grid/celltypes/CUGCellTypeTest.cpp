#include "MemoryCanvas.h"
#include "CUGCtrl.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
constexpr COLORREF Black = RGB(0, 0, 0), Red = RGB(255, 0, 0), Blue = RGB(0, 0, 255);
constexpr COLORREF Yellow = RGB(255, 255, 0), Green = RGB(0, 128, 0), White = RGB(255, 255, 255);

struct Tahoma : CFont {
    explicit Tahoma(int height)
    {
        CreateFont(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                   CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
    }
};

// One run of text as a cell shows it: blue on yellow, highlighted white on green.
void Text(MemoryCanvas& canvas, RECT rect, const wchar_t* text, int x, int y, bool lit = false)
{
    canvas.dc.SetTextColor(lit ? White : Blue);
    canvas.dc.SetBkColor(lit ? Green : Yellow);
    canvas.dc.ExtTextOut(x, y, ETO_OPAQUE | ETO_CLIPPED, &rect, text, wcslen(text), nullptr);
}

CUGCell TextCell(const wchar_t* text, unsigned short align = 0, long style = 0)
{
    CUGCell cell;
    cell.SetText(text);
    cell.SetTextColor(Blue);
    cell.SetBackColor(Yellow);
    cell.SetHighlightTextColor(White);
    cell.SetHighlightBackColor(Green);
    cell.SetAlignment(align);
    cell.SetCellTypeEx(style);
    return cell;
}

// A control without a window, one row 20 pixels high, a 12-pixel font.
struct CellTypeTest : ::testing::Test {
    CUGCtrl ctrl;
    CUGCellType* type = ctrl.GetCellType(0);
    CUGGridInfo* gi = ctrl.GridInfo;
    Tahoma font{-12};
    CellTypeTest()
    {
        ctrl.SetDefaultFont(&font);
        ctrl.SetRowCount(1, FALSE);
    }
};
} // namespace

// Each style's lines in drawing order against the whole picture of the cell
// (10, 10, 50, 40), and the content rectangle left inside them.
TEST_F(CellTypeTest, BorderStylesDrawTheirLinesAndInsetTheContent)
{
    struct Line { int x, y, w, h; COLORREF c; };
    const COLORREF grey = RGB(220, 220, 220);  // the grid line pen
    auto V = [](int x, COLORREF c) { return Line{x, 10, 1, 30, c}; };
    auto H = [](int y, COLORREF c) { return Line{10, y, 40, 1, c}; };
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
    // `rings` nested 3D rings: `first` left and top, `second` right and bottom.
    auto Rings = [](int rings, COLORREF first, COLORREF second, std::vector<Line> s = {}) {
        for (int i = 0; i < rings; ++i) {
            const int l = 10 + i, t = 10 + i, r = 49 - i, b = 39 - i;
            s.insert(s.end(), {{l, t + 1, 1, b - t, first}, {l, t, r - l, 1, first},
                               {r, t, 1, b - t, second}, {l + 1, b, r - l, 1, second}});
        }
        return s;
    };
    const struct {
        int border; bool pen; int gridLines, depth; RECT inner; std::vector<Line> lines;
    } cases[] = {
        {-1, false, 0, 1, {10, 10, 50, 40}, {}},
        {-1, false, 1, 1, {10, 10, 49, 39}, {V(49, grey), H(39, grey)}},
        {0x3, true, 1, 1, {11, 11, 49, 39}, {V(10, Red), H(10, Red), V(49, grey), H(39, grey)}},
        {0xF, false, 0, 1, {11, 11, 49, 39}, {V(10, grey), H(10, grey), V(49, grey), H(39, grey)}},
        {0xF0, true, 0, 1, {12, 12, 48, 38}, {V(10, Red), V(11, Red), H(10, Red), H(11, Red),
                                              V(49, Red), V(48, Red), H(39, Red), H(38, Red)}},
        {0xC00, true, 1, 1, {10, 10, 47, 37}, {V(49, grey), H(39, grey), V(49, Red), V(48, Red),
                                               V(47, Red), H(39, Red), H(38, Red), H(37, Red)}},
        {0x1000, false, 1, 1, {11, 11, 49, 39}, Rings(1, dark, light)},  // without grid lines
        {0x2000, false, 1, 3, {13, 13, 47, 37}, Rings(3, light, dark)},
        {0x2001, true, 1, 2, {12, 12, 48, 38}, Rings(2, light, dark, {V(10, Red)})},
    };
    CPen red(PS_SOLID, 1, Red);
    for (const auto& k : cases) {
        SCOPED_TRACE(k.border);
        gi->GridLines = k.gridLines;
        gi->ThreeDDepth = k.depth;
        CUGCell cell;
        if (k.border >= 0)
            cell.SetBorder(static_cast<unsigned short>(k.border));
        if (k.pen)
            cell.SetBorderColor(&red);
        MemoryCanvas canvas(60, 50, Black), expected(60, 50, Black);
        const RECT rect = {10, 10, 50, 40};
        RECT inner{};
        type->DrawCellBorders(&canvas.dc, &rect, &inner, &cell);
        for (const Line& l : k.lines)
            expected.dc.FillSolidRect(l.x, l.y, l.w, l.h, l.c);
        EXPECT_EQ(CRect(inner), CRect(k.inner));
        EXPECT_EQ(canvas.Differences(expected), 0);
    }
}

// Text lands by its alignment 4 pixels in and 1 from the top or bottom, or
// wraps as DrawText wraps it; the label shows for the draw-label flag or a
// style of exactly 8; the highlight colours for a selected cell, and for the
// current one in a current-cell mode with the bit 2.
TEST_F(CellTypeTest, TextIsPlacedByItsAlignmentInItsColours)
{
    enum Place { Start, End, Centre };
    const struct {
        unsigned short align = 0; Place x = Start, y = Start; int drawLabel = 0; long style = 0;
        int selected = 0, current = 0, mode = 1; bool highlight = false;
    } cases[] = {
        {0, Start, Start}, {1, Start, Start}, {2, End, Start}, {4, Centre, Start},
        {6, Centre, Start}, {0x10, Start, End}, {0x20, Start, Centre}, {0x22, End, Centre},
        {0x14, Centre, End}, {.drawLabel = 1}, {.style = 8}, {.style = 4}, {.style = 2},
        {.align = 2, .x = End, .style = 2}, {.align = 4, .x = Centre, .style = 10},
        {.selected = 1, .highlight = true}, {.selected = 3, .mode = 0, .highlight = true},
        {.current = 1}, {.current = 1, .mode = 2, .highlight = true},
        {.current = 1, .mode = 3, .highlight = true},
        {.selected = 2, .current = 1, .highlight = true},
    };
    const RECT rect = {5, 3, 95, 37};
    for (const auto& k : cases) {
        SCOPED_TRACE(&k - cases);
        gi->CurrentCellStyle = k.mode;
        MemoryCanvas canvas(100, 40, White, &font), expected(100, 40, White, &font);
        const wchar_t* text = k.style & 2 ? L"Wig and a wrapped line" : L"Wig";
        const wchar_t* shown = k.drawLabel || k.style == 8 ? L"Label" : text;
        CUGCell cell = TextCell(text, k.align, k.style);
        cell.SetLabel(L"Label");
        type->SetDrawLabelText(k.drawLabel);
        RECT r = rect;
        type->DrawCellText(&canvas.dc, &r, 0, 0, 0, &cell, k.selected, k.current);
        EXPECT_EQ(CRect(r), CRect(rect));
        if (k.style & 2) {
            Text(expected, rect, L"", 0, 0, k.highlight);
            RECT wrap = {k.x == Start ? 9 : 5, 3, k.x == End ? 91 : 95, 37};
            expected.dc.DrawText(shown, -1, &wrap, DT_WORDBREAK | DT_NOPREFIX
                                 | (k.x == Centre ? DT_CENTER : k.x == End ? DT_RIGHT : 0));
        } else {
            const CSize size = expected.dc.GetTextExtent(shown, wcslen(shown));
            const int x = k.x == Start ? 9 : k.x == End ? 91 - size.cx : 5 + (90 - size.cx) / 2;
            const int y = k.y == Start ? 4 : k.y == End ? 36 - size.cy : 3 + (34 - size.cy) / 2;
            Text(expected, rect, shown, x, y, k.highlight);
        }
        EXPECT_EQ(canvas.Differences(expected), 0);
    }
}

// 3 by 3 pixels in 14 by 24 take 10 by 9 (333 % of 3), on a strip 14 wide.
TEST_F(CellTypeTest, BitmapIsScaledByIntegerPercentages)
{
    MemoryCanvas canvas(20, 24, White), expected(20, 24, Yellow);
    const std::vector<DWORD> red(9, 0x00FF0000);
    CBitmap bitmap;
    bitmap.Attach(CreateBitmap(3, 3, 1, 32, red.data()));
    const RECT rect = {0, 0, 14, 24};
    EXPECT_EQ(type->DrawCellBitmap(&canvas.dc, &bitmap, &rect, Yellow), 14);
    expected.dc.FillSolidRect(14, 0, 6, 24, White);
    expected.dc.FillSolidRect(2, 7, 10, 9, Red);
    EXPECT_EQ(canvas.Differences(expected), 0);
}

// The text of column 0 ends inside column 2: each column continues it as one
// unbroken run (over the grid line on its left), stays blank, or does not.
TEST_F(CellTypeTest, LeftAlignedTextOverflowsIntoEmptyNeighbours)
{
    enum Show { Run, Blank, Other };
    const wchar_t* longText = L"Overflowing text";
    MemoryCanvas probe(1, 1, White, &font);
    const int needed = 4 + probe.dc.GetTextExtent(longText, 16).cx, w = needed * 2 / 5;
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const struct { int overflow; short align; const wchar_t* col2; Show show[5]; } cases[] = {
        {1, 0, L"", {Run, Run, Run, Blank, Blank}},        // empty neighbours
        {1, 0, L"X", {Run, Run, Other, Blank, Blank}},     // stops at a text
        {0, 0, L"", {Run, Blank, Blank, Blank, Blank}},    // overflow off
        {1, 2, L"", {Other, Blank, Blank, Blank, Blank}},  // right aligned
    };
    ctrl.SetColumnCount(5, FALSE);
    for (int c = 0; c < 5; ++c)
        ctrl.SetColumnWidth(c, w);
    for (const auto& k : cases) {
        SCOPED_TRACE(&k - cases);
        gi->TextOverflow = k.overflow;
        gi->DataSource->Empty();
        ctrl.QuickSetText(0, 0, longText);
        if (k.align)
            ctrl.QuickSetAlignment(0, 0, k.align);
        ctrl.QuickSetText(2, 0, k.col2);
        MemoryCanvas canvas(5 * w, 20, Black, &font), run(5 * w, 20, window, &font);
        run.dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
        run.dc.ExtTextOut(4, 1, 0, nullptr, longText, 16, nullptr);
        CUGCell cell;
        for (int c = 0; c < 5; ++c) {
            RECT rect = {c * w, 0, (c + 1) * w, 20};
            ctrl.GetCell(c, 0, &cell);
            ctrl.GetCellType(cell.GetCellType())->OnDraw(&canvas.dc, &rect, c, 0, &cell, 0, 0);
            const int left = c > 0 && k.show[c] == Run ? c * w - 1 : c * w;
            const RECT area = {left, 0, (c + 1) * w - 1, 19};
            const int differences =
                canvas.Differences(area, k.show[c] == Blank ? nullptr : &run, window);
            EXPECT_EQ(differences > 0, k.show[c] == Other) << c;
        }
    }
    // A text that ends exactly where column 2 begins still runs into it.
    ctrl.QuickSetAlignment(0, 0, 1);
    ctrl.SetColumnWidth(1, needed - w);
    CUGCell scratch;
    int from = -1;
    EXPECT_EQ(type->GetOverflowOffset(&probe.dc, 2, 0, &from, &scratch), -needed);
}

// The best size is the text in its font with 3 pixels each side, 1 above and
// below (no text counts as 3 by 3); printing scales the font by the printed
// height. Both give the DC its font back.
TEST_F(CellTypeTest, BestSizeAndPrintMeasureAndScaleTheCellsFont)
{
    Tahoma large(-24);
    MemoryCanvas canvas(1, 1, White);
    const HGDIOBJ original = GetCurrentObject(canvas.dc, OBJ_FONT);
    using Case = std::tuple<const wchar_t*, CFont*, CFont*>;  // text, cell font, font measured
    for (auto [text, cellFont, measured] :
         {Case{nullptr, nullptr, nullptr}, {L"Hi", nullptr, &font}, {L"Hi", &large, &large}}) {
        CUGCell cell;
        cell.SetText(text);
        cell.SetFont(cellFont);
        SIZE size{};
        type->GetBestSize(&canvas.dc, &size, &cell);
        const CSize fits =
            measured ? MemoryCanvas(1, 1, White, measured).dc.GetTextExtent(text, 2) : CSize(3, 3);
        EXPECT_EQ(CSize(size), CSize(fits.cx + 6, fits.cy + 2));
    }
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_FONT), original);
    // A cell joined over two rows printed 80 pixels high: twice the 20-pixel rows' font.
    MemoryCanvas printed(120, 80, White), expected(120, 80, White);
    CUGCell cell = TextCell(L"Print"), screen = cell;
    cell.SetJoinInfo(1, 0, 1);
    cell.SetFont(&font);
    RECT rect = {0, 0, 100, 80};
    type->OnPrint(&printed.dc, &rect, 0, 0, &cell);
    Tahoma scaled(-24);
    screen.SetFont(&scaled);
    type->OnDraw(&expected.dc, &rect, 0, 0, &screen, 0, 0);
    EXPECT_EQ(printed.Differences(expected), 0);
    EXPECT_EQ(GetCurrentObject(printed.dc, OBJ_FONT), original);
}
