#include "MemoryCanvas.h"
#include "CFont.h"
#include "CUGCtrl.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cwchar>
#include <vector>

// The normal type paints into memory DCs; each picture is compared pixel for
// pixel with a reference painted directly with GDI, or with plain colours.

namespace {

constexpr COLORREF Black = RGB(0, 0, 0), Red = RGB(255, 0, 0), Blue = RGB(0, 0, 255);
constexpr COLORREF Yellow = RGB(255, 255, 0), Green = RGB(0, 128, 0), White = RGB(255, 255, 255);
constexpr COLORREF Grey = RGB(220, 220, 220);  // the grid line pen
constexpr UINT Opaque = ETO_OPAQUE | ETO_CLIPPED;

void MakeFont(CFont& font, int height)
{
    font.CreateFont(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
}

struct Canvas : MemoryCanvas {
    Canvas(int width, int height, COLORREF fill, CFont* font = nullptr)
        : MemoryCanvas(width, height, fill)
    {
        if (font)
            dc.SelectObject(font);
    }
    // Pixels of `rect` that differ from `other`, or from `colour` without one.
    int Differences(const RECT& rect, Canvas* other, COLORREF colour = 0)
    {
        int count = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                count += At(x, y) != (other ? other->At(x, y) : colour);
        return count;
    }
    // One text run in blue on yellow, as a cell of TextCell shows it.
    void Text(const RECT& rect, const wchar_t* text, int x, int y)
    {
        dc.SetTextColor(Blue);
        dc.SetBkColor(Yellow);
        dc.ExtTextOut(x, y, Opaque, &rect, text, wcslen(text), nullptr);
    }
};

CUGCell TextCell(const wchar_t* text, unsigned short align = 0, long style = 0)
{
    CUGCell cell;
    cell.SetText(text);
    cell.SetTextColor(Blue);
    cell.SetBackColor(Yellow);
    if (align)
        cell.SetAlignment(align);
    if (style)
        cell.SetCellTypeEx(style);
    return cell;
}

// A control without a window, one row 20 pixels high, a 12-pixel font.
struct CellTypeTest : ::testing::Test {
    CUGCtrl ctrl;
    CUGCellType* type = ctrl.GetCellType(0);
    CUGGridInfo* gi = ctrl.GridInfo;
    CFont font;
    void SetUp() override
    {
        MakeFont(font, -12);
        ctrl.SetDefaultFont(&font);
        ctrl.SetRowCount(1, FALSE);
    }
};

} // namespace

TEST_F(CellTypeTest, IdentifiesItselfAsTheNormalType)
{
    EXPECT_STREQ(type->GetName(), L"Normal Cell Type (default)");
    const GUID& id = *type->GetTypeId();
    char text[40];
    std::snprintf(text, sizeof text, "%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                  id.Data1, id.Data2, id.Data3, id.Data4[0], id.Data4[1], id.Data4[2],
                  id.Data4[3], id.Data4[4], id.Data4[5], id.Data4[6], id.Data4[7]);
    EXPECT_STREQ(text, "78A705C1-F3E9-11D0-9C7B-0080C83F712F");
}

// Each style's lines, painted in drawing order, against the whole picture,
// and the content rectangle left inside them. The cell is (10, 10, 50, 40).
TEST_F(CellTypeTest, BorderStylesDrawTheirLinesAndInsetTheContent)
{
    struct Seg { int x0, y0, x1, y1; COLORREF c; };  // inclusive ends
    auto V = [](int x, COLORREF c) { return Seg{x, 10, x, 39, c}; };
    auto H = [](int y, COLORREF c) { return Seg{10, y, 49, y, c}; };
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
    // `rings` nested 3D rings: `first` left and top, `second` right and bottom.
    auto Rings = [](int rings, COLORREF first, COLORREF second) {
        std::vector<Seg> s;
        for (int i = 0; i < rings; ++i) {
            const int l = 10 + i, t = 10 + i, r = 49 - i, b = 39 - i;
            s.insert(s.end(), {{l, t + 1, l, b, first}, {l, t, r - 1, t, first},
                               {r, t, r, b - 1, second}, {l + 1, b, r, b, second}});
        }
        return s;
    };
    std::vector<Seg> underRaised = Rings(2, light, dark);
    underRaised.insert(underRaised.begin(), V(10, Red));
    const struct {
        const char* name; int border; bool pen; int gridLines, depth;
        RECT inner; std::vector<Seg> segs;
    } cases[] = {
        {"nothing", -1, false, 0, 1, {10, 10, 50, 40}, {}},
        {"grid lines", -1, false, 1, 1, {10, 10, 49, 39}, {V(49, Grey), H(39, Grey)}},
        {"thin left top", 0x3, true, 1, 1, {11, 11, 49, 39},
         {V(10, Red), H(10, Red), V(49, Grey), H(39, Grey)}},
        {"thin all, grid pen", 0xF, false, 0, 1, {11, 11, 49, 39},
         {V(10, Grey), H(10, Grey), V(49, Grey), H(39, Grey)}},
        {"medium all", 0xF0, true, 0, 1, {12, 12, 48, 38},
         {V(10, Red), V(11, Red), H(10, Red), H(11, Red), V(49, Red), V(48, Red),
          H(39, Red), H(38, Red)}},
        {"thick right bottom over grid", 0xC00, true, 1, 1, {10, 10, 47, 37},
         {V(49, Grey), H(39, Grey), V(49, Red), V(48, Red), V(47, Red), H(39, Red),
          H(38, Red), H(37, Red)}},
        {"sunken, no grid lines", 0x1000, false, 1, 1, {11, 11, 49, 39}, Rings(1, dark, light)},
        {"raised, depth 3", 0x2000, false, 1, 3, {13, 13, 47, 37}, Rings(3, light, dark)},
        {"thin left under raised", 0x2001, true, 1, 2, {12, 12, 48, 38}, underRaised},
    };
    CPen red(PS_SOLID, 1, Red);
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        gi->GridLines = k.gridLines;
        gi->ThreeDDepth = k.depth;
        CUGCell cell;
        if (k.border >= 0)
            cell.SetBorder(static_cast<unsigned short>(k.border));
        if (k.pen)
            cell.SetBorderColor(&red);
        Canvas canvas(60, 50, Black), expected(60, 50, Black);
        const RECT rect = {10, 10, 50, 40};
        RECT inner{};
        type->DrawCellBorders(&canvas.dc, &rect, &inner, &cell);
        for (const Seg& s : k.segs)
            for (int y = s.y0; y <= s.y1; ++y)
                for (int x = s.x0; x <= s.x1; ++x)
                    SetPixel(expected.dc, x, y, s.c);
        EXPECT_EQ(CRect(inner), CRect(k.inner));
        EXPECT_EQ(canvas.Differences({0, 0, 60, 50}, &expected), 0);
    }
}

// Where the text lands for each alignment, and which string is shown: the
// label for the draw-label flag or a style of exactly 8, else the text (a
// fitting text ignores the ellipsis style).
TEST_F(CellTypeTest, TextIsPlacedByItsAlignmentWithTheIndent)
{
    enum Place { Start, End, Centre };
    const struct { unsigned short align; Place x, y; int drawLabel; long style; bool label; }
    cases[] = {
        {0, Start, Start, 0, 0, false},  {1, Start, Start, 0, 0, false},
        {2, End, Start, 0, 0, false},    {4, Centre, Start, 0, 0, false},
        {6, Centre, Start, 0, 0, false}, {0x10, Start, End, 0, 0, false},
        {0x20, Start, Centre, 0, 0, false}, {0x22, End, Centre, 0, 0, false},
        {0x14, Centre, End, 0, 0, false},   {0, Start, Start, 1, 0, true},
        {0, Start, Start, 0, 8, true},      {0, Start, Start, 0, 4, false},
    };
    const RECT rect = {5, 3, 125, 27};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.align * 100 + k.style * 10 + k.drawLabel);
        Canvas canvas(130, 30, White, &font), expected(130, 30, White, &font);
        const wchar_t* shown = k.label ? L"Label" : L"Wig";
        const CSize size = expected.dc.GetTextExtent(shown, wcslen(shown));
        const int x = k.x == Start ? 5 + 4 : k.x == End ? 125 - 4 - size.cx : 5 + (120 - size.cx) / 2;
        const int y = k.y == Start ? 3 + 1 : k.y == End ? 27 - size.cy - 1 : 3 + (24 - size.cy) / 2;
        CUGCell cell = TextCell(L"Wig", k.align, k.style);
        cell.SetLabel(L"Label");
        type->SetDrawLabelText(k.drawLabel);
        RECT r = rect;
        type->DrawCellText(&canvas.dc, &r, 0, 0, 0, &cell, 0, 0);
        expected.Text(rect, shown, x, y);
        EXPECT_EQ(canvas.Differences({0, 0, 130, 30}, &expected), 0);
        EXPECT_EQ(CRect(r), CRect(rect));
    }
}

// Selected cells take the highlight colours; the current cell only when the
// sheet's current-cell mode has the bit 2.
TEST_F(CellTypeTest, HighlightColoursForSelectionAndHighlightedCurrentCell)
{
    const struct { int selected, current, mode; bool highlight; } cases[] = {
        {0, 0, 1, false}, {1, 0, 1, true}, {3, 0, 0, true}, {0, 1, 1, false},
        {0, 1, 2, true},  {0, 1, 3, true}, {2, 1, 1, true},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.selected * 100 + k.current * 10 + k.mode);
        gi->CurrentCellStyle = k.mode;
        Canvas canvas(60, 20, Black, &font);
        CUGCell cell = TextCell(L"WWW");
        cell.SetHighlightTextColor(White);
        cell.SetHighlightBackColor(Green);
        RECT r = {0, 0, 60, 20};
        type->DrawCellText(&canvas.dc, &r, 0, 0, 0, &cell, k.selected, k.current);
        EXPECT_EQ(canvas.At(58, 18), k.highlight ? Green : Yellow);
        EXPECT_LT(canvas.Differences(r, nullptr, k.highlight ? White : Blue), 60 * 20);
    }
}

// A text too wide for its cell is cut and ends in "..."; in a cell no wider
// than the dots and 3 pixels only the dots show, 2 pixels from the left edge.
TEST_F(CellTypeTest, EllipsisCutsTheTextOrShowsOnlyTheDots)
{
    const wchar_t* text = L"A rather long text";
    const int dots = Canvas(1, 1, White, &font).dc.GetTextExtent(L"...", 3).cx;
    for (int width : {60, dots + 4, dots + 3, dots}) {
        SCOPED_TRACE(width);
        Canvas canvas(100, 20, White, &font), expected(100, 20, White, &font);
        CUGCell cell = TextCell(text, 0, 4);
        RECT r = {10, 0, 10 + width, 20};
        type->DrawCellText(&canvas.dc, &r, 0, 0, 0, &cell, 0, 0);
        const int cut = 10 + width - dots - 3;
        if (cut > 10) {
            expected.Text({10, 0, cut, 20}, text, 13, 1);
            expected.Text({cut, 0, 10 + width, 20}, L"...", cut + 1, 1);
        } else {
            expected.dc.FillSolidRect(10, 0, width, 20, Yellow);
            expected.Text({11, 0, 10 + width, 20}, L"...", 12, 1);
        }
        EXPECT_EQ(canvas.Differences({0, 0, 100, 20}, &expected), 0);
    }
}

// Word wrap puts the rest of a long text on further lines, also when the
// style carries the label bit too (10 is not exactly 8).
TEST_F(CellTypeTest, WordWrapContinuesOnTheNextLine)
{
    const struct { long style; bool secondLine; } cases[] = {{2, true}, {10, true}, {0, false}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.style);
        Canvas canvas(70, 60, White, &font);
        const int lineHeight = canvas.dc.GetTextExtent(L"Wg", 2).cy;
        CUGCell cell = TextCell(L"alpha beta gamma delta", 0, k.style);
        cell.SetLabel(L"");
        RECT r = {0, 0, 70, 60};
        type->DrawCellText(&canvas.dc, &r, 0, 0, 0, &cell, 0, 0);
        EXPECT_EQ(canvas.Differences({0, lineHeight + 1, 70, 60}, nullptr, Yellow) > 0,
                  k.secondLine);
    }
}

// Integer scaling of a solid bitmap: the width used and where it lands, on
// the background colour.
TEST_F(CellTypeTest, BitmapIsScaledByTheIntegerRatios)
{
    const struct { int w, h, bw, bh, used; RECT box; } cases[] = {
        {40, 24, 10, 10, 40, {10, 2, 30, 22}},  // taller: full height
        {40, 24, 30, 6, 40, {2, 8, 38, 15}},    // wider: full width
        {14, 24, 3, 3, 14, {2, 7, 12, 16}},     // 333 % of 3 is 9, not 10
        {4, 24, 3, 3, 0, {0, 0, 0, 0}},         // no room: nothing drawn
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.w * 100 + k.bw);
        Canvas canvas(60, 40, White);
        std::vector<DWORD> red(k.bw * k.bh, 0x00FF0000);
        CBitmap bitmap;
        bitmap.Attach(CreateBitmap(k.bw, k.bh, 1, 32, red.data()));
        const RECT rect = {5, 3, 5 + k.w, 3 + k.h};
        EXPECT_EQ(type->DrawCellBitmap(&canvas.dc, &bitmap, &rect, Yellow), k.used);
        const RECT box = {5 + k.box.left, 3 + k.box.top, 5 + k.box.right, 3 + k.box.bottom};
        const int area = (box.right - box.left) * (box.bottom - box.top);
        EXPECT_EQ(canvas.Differences(box, nullptr, Red), 0);
        EXPECT_EQ(canvas.Differences({0, 0, 60, 40}, nullptr, Red), 60 * 40 - area);
        EXPECT_EQ(canvas.At(5, 3), k.used ? Yellow : White);
    }
}

// Five cells of a row painted as the cell area paints them; the long text of
// column 0 ends inside column 2. Each column continues that text exactly as
// one unbroken run shows it, stays blank, or shows something else.
TEST_F(CellTypeTest, LeftAlignedTextOverflowsIntoEmptyNeighbours)
{
    enum Show { Run, Blank, Other };
    const wchar_t* longText = L"Overflowing text";
    const int needed = 4 + Canvas(1, 1, White, &font).dc.GetTextExtent(longText, 16).cx;
    const int w = needed * 2 / 5, h = 20;
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const struct {
        const char* name; int overflow; short align; const wchar_t* col2; Show show[5];
    } cases[] = {
        {"empty neighbours", 1, 0, L"", {Run, Run, Run, Blank, Blank}},
        {"stops at a text", 1, 0, L"X", {Run, Run, Other, Blank, Blank}},
        {"overflow off", 0, 0, L"", {Run, Blank, Blank, Blank, Blank}},
        {"right aligned", 1, 2, L"", {Other, Blank, Blank, Blank, Blank}},
    };
    ctrl.SetColumnCount(5, FALSE);
    for (int c = 0; c < 5; ++c)
        ctrl.SetColumnWidth(c, w);
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        gi->TextOverflow = k.overflow;
        gi->DataSource->Empty();
        ctrl.QuickSetText(0, 0, longText);
        if (k.align)
            ctrl.QuickSetAlignment(0, 0, k.align);
        ctrl.QuickSetText(2, 0, k.col2);

        Canvas canvas(5 * w, h, Black, &font), run(5 * w, h, window, &font);
        run.dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
        run.dc.ExtTextOut(4, 1, 0, nullptr, longText, 16, nullptr);
        CUGCell cell;
        for (int c = 0; c < 5; ++c) {
            RECT rect = {c * w, 0, (c + 1) * w, h};
            ctrl.GetCell(c, 0, &cell);
            ctrl.GetCellType(cell.GetCellType())->OnDraw(&canvas.dc, &rect, c, 0, &cell, 0, 0);
        }
        for (int c = 0; c < 5; ++c) {
            SCOPED_TRACE(c);
            // A continuation also covers the grid line on its left.
            const int left = c == 0 ? 0 : k.show[c] == Run ? c * w - 1 : c * w;
            const RECT area = {left, 0, (c + 1) * w - 1, h - 1};
            if (k.show[c] == Run)
                EXPECT_EQ(canvas.Differences(area, &run), 0);
            else if (k.show[c] == Blank)
                EXPECT_EQ(canvas.Differences(area, nullptr, window), 0);
            else
                EXPECT_GT(canvas.Differences(area, &run), 0);
            int from = -1;
            const int offset = type->GetOverflowOffset(&canvas.dc, c, 0, &from, &cell);
            if (c > 0 && k.show[c] != Other) {
                EXPECT_EQ(offset, k.show[c] == Run ? -c * w : 0);
            }
        }
    }
}

// The best size wraps the text in the cell's font (else the sheet's) with
// 3 pixels each side and 1 above and below; no text counts as 3 by 3.
TEST_F(CellTypeTest, BestSizeMeasuresTheTextInItsFont)
{
    CFont large;
    MakeFont(large, -24);
    Canvas canvas(1, 1, White);
    HGDIOBJ original = GetCurrentObject(canvas.dc, OBJ_FONT);
    const struct { const wchar_t* text; CFont* font; } cases[] = {
        {nullptr, nullptr}, {L"", &large}, {L"Hello", nullptr}, {L"Hello", &large},
    };
    for (const auto& k : cases) {
        CUGCell cell;
        if (k.text)
            cell.SetText(k.text);
        if (k.font)
            cell.SetFont(k.font);
        Canvas probe(1, 1, White, k.font ? k.font : &font);
        const CSize text = k.text && *k.text ? probe.dc.GetTextExtent(k.text, 5) : CSize(3, 3);
        SIZE size{};
        type->GetBestSize(&canvas.dc, &size, &cell);
        EXPECT_EQ(CSize(size), CSize(text.cx + 6, text.cy + 2));
        EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_FONT), original);
    }
}

// Printing scales the font by the printed cell's height over the row's
// height (split over the rows of a joined block); the picture equals a
// screen drawing in a font of that height, and the DC keeps its font.
TEST_F(CellTypeTest, PrintScalesTheFontByTheCellHeight)
{
    const struct { long row; int height, joinedRows, fontHeight; } cases[] = {
        {0, 40, 1, -24}, {-1, 30, 1, -18}, {0, 80, 2, -24}, {0, 20, 1, -12},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.height * 10 + k.row);
        Canvas canvas(120, 80, White), expected(120, 80, White);
        HGDIOBJ original = GetCurrentObject(canvas.dc, OBJ_FONT);
        CUGCell cell = TextCell(L"Print");
        if (k.joinedRows > 1)
            cell.SetJoinInfo(1, 0, k.joinedRows - 1);
        CUGCell screen = cell;
        cell.SetFont(&font);
        RECT rect = {0, 0, 100, k.height};
        type->OnPrint(&canvas.dc, &rect, 0, k.row, &cell);
        CFont scaled;
        MakeFont(scaled, k.fontHeight);
        screen.SetFont(&scaled);
        type->OnDraw(&expected.dc, &rect, 0, k.row, &screen, 0, 0);
        EXPECT_EQ(canvas.Differences({0, 0, 120, 80}, &expected), 0);
        EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_FONT), original);
    }
}
