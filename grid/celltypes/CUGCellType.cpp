// The normal cell type and the drawing routines every other type reuses.
//
// Sections:
//   Identity and input ..... name, type id, the slots that ignore input
//   Drawing a cell ......... OnDraw -> DrawCellBorders -> DrawCellText
//                            (-> DrawCellBitmap)
//   Text overflow .......... CanOverflow, GetOverflowOffset
//   Printing and fitting ... OnPrint (scaled font, then OnDraw), GetBestSize
//
// Call flow of one painted cell: the cell area hands the cell to OnDraw with
// the sheet's default font already selected. An empty cell first asks
// GetOverflowOffset whether text from a cell on its left runs into it; if so
// it draws its own borders and the neighbour's text shifted left, otherwise
// its own borders and text. Everything reads the owning control's current
// sheet settings, so a type draws nothing useful before AddCellType.
#include "CUGCellType.h"

#include "CBitmap.h"
#include "CDC.h"
#include "CFont.h"
#include "CPen.h"
#include "CUGCell.h"
#include "CUGCtrl.h"
#include "CUGDataSource.h"
#include "CUGGridInfo.h"

#include <cassert>
#include <cwchar>

namespace {

// Border style bits of a cell's Border property.
enum BorderBit : unsigned {
    ThinLeft = 0x0001,
    ThinTop = 0x0002,
    ThinRight = 0x0004,
    ThinBottom = 0x0008,
    MediumLeft = 0x0010,
    MediumTop = 0x0020,
    MediumRight = 0x0040,
    MediumBottom = 0x0080,
    ThickLeft = 0x0100,
    ThickTop = 0x0200,
    ThickRight = 0x0400,
    ThickBottom = 0x0800,
    Sunken3D = 0x1000,
    Raised3D = 0x2000,
};

// Alignment bits of a cell's Alignment property.
enum AlignBit : unsigned {
    AlignLeft = 0x01,
    AlignRight = 0x02,
    AlignCentre = 0x04,
    AlignBottom = 0x10,
    AlignVCentre = 0x20,
};

// Extended styles of the normal type (CellTypeEx).
constexpr long StyleWordWrap = 2;
constexpr long StyleEllipsis = 4;
constexpr long StyleDrawLabel = 8;  // only when it is the whole value

constexpr UINT TextOptions = ETO_OPAQUE | ETO_CLIPPED;
constexpr wchar_t Ellipsis[] = L"...";

// Column widths on a printed page are scaled; on the screen they are not.
bool IsPrinting(CDC* dc)
{
    return dc->GetDeviceCaps(TECHNOLOGY) == DT_RASPRINTER;
}

// Fills `rect` with the DC's background colour.
void FillBackground(CDC* dc, const RECT& rect)
{
    dc->ExtTextOut(rect.left, rect.top, ETO_OPAQUE, &rect, L"", 0, nullptr);
}

// `count` lines at x, x + step, ... across the rectangle's full height (or at
// y, y + step, ... across its full width); a wide edge grows into the cell.
void VerticalLines(CDC* dc, const RECT& rect, int x, int step, int count)
{
    for (int i = 0; i < count; ++i, x += step) {
        dc->MoveTo(x, rect.top);
        dc->LineTo(x, rect.bottom);
    }
}

void HorizontalLines(CDC* dc, const RECT& rect, int y, int step, int count)
{
    for (int i = 0; i < count; ++i, y += step) {
        dc->MoveTo(rect.left, y);
        dc->LineTo(rect.right, y);
    }
}

// The wider edge styles: four bits and a width each. Thin edges are drawn
// apart from them because they share the right and bottom edge with the
// grid lines.
struct EdgeGroup {
    unsigned left, top, right, bottom;
    int width;
};
constexpr EdgeGroup EdgeGroups[] = {
    {MediumLeft, MediumTop, MediumRight, MediumBottom, 2},
    {ThickLeft, ThickTop, ThickRight, ThickBottom, 3},
};

} // namespace

CUGCellType::CUGCellType() = default;
CUGCellType::~CUGCellType() = default;

// --- Identity and input ----------------------------------------------------------

const wchar_t* CUGCellType::GetName()
{
    return L"Normal Cell Type (default)";
}

const GUID* CUGCellType::GetTypeId()
{
    static const GUID id = {0x78A705C1, 0xF3E9, 0x11D0,
                            {0x9C, 0x7B, 0x00, 0x80, 0xC8, 0x3F, 0x71, 0x2F}};
    return &id;
}

// The normal type has no button, so the editor gets the whole cell.
int CUGCellType::GetEditArea(RECT*)
{
    return 0;
}

// Nothing asks these; -1 says "not answered" to any type written against them.
int CUGCellType::ReservedQueryA()
{
    return -1;
}

int CUGCellType::ReservedQueryB()
{
    return -1;
}

// The normal type keeps no colours or brushes of its own to rebuild.
int CUGCellType::OnSystemColorChange()
{
    return 0;
}

// The normal type ignores input: every event answers "not handled" and the
// control carries on with its own handling.
int CUGCellType::OnLeftClick(int, long, int, const RECT*, const POINT*)
{
    return 0;
}

int CUGCellType::OnRightClick(int, long, int, const RECT*, const POINT*)
{
    return 0;
}

int CUGCellType::OnDoubleClick(int, long, const RECT*, const POINT*)
{
    return 0;
}

int CUGCellType::OnKeyDown(int, long, UINT*)
{
    return 0;
}

int CUGCellType::OnCharDown(int, long, UINT*)
{
    return 0;
}

int CUGCellType::OnMouseMove(int, long, POINT*, UINT)
{
    return 0;
}

void CUGCellType::OnCellSetFocus(int, long, CUGCell*) {}

void CUGCellType::OnCellKillFocus(int, long, CUGCell*) {}

int CUGCellType::SetUseDefaultEdit(int flag)
{
    m_useDefaultEdit = flag != 0;
    return 0;
}

int CUGCellType::SetDrawLabelText(int flag)
{
    m_drawLabel = flag;
    return 0;
}

// --- Drawing a cell --------------------------------------------------------------

void CUGCellType::OnDraw(CDC* dc, RECT* rect, int col, long row, CUGCell* cell, int selected,
                         int current)
{
    assert(m_ctrl && "CUGCellType::OnDraw: the type is not registered with a control");
    RECT inner;
    if (m_ctrl->GridInfo->TextOverflow && cell->GetTextLength() == 0 && CanOverflow(cell)) {
        CUGCell neighbour;
        int neighbourCol = -1;
        const int offset = GetOverflowOffset(dc, col, row, &neighbourCol, &neighbour);
        if (offset != 0) {
            DrawCellBorders(dc, rect, &inner, cell);
            DrawCellText(dc, &inner, offset, col, row, &neighbour, selected, current);
            return;
        }
    }
    DrawCellBorders(dc, rect, &inner, cell);
    DrawCellText(dc, &inner, 0, col, row, cell, selected, current);
}

// Lines are drawn in a fixed order (thin and grid lines, medium, thick, 3D)
// and each edge's inset comes from the last group that drew on it, so a
// thicker style on the same edge always wins over a thinner one.
void CUGCellType::DrawCellBorders(CDC* dc, const RECT* rect, RECT* innerRect, CUGCell* cell)
{
    assert(m_ctrl && "CUGCellType::DrawCellBorders: the type is not registered with a control");
    CUGGridInfo* gi = m_ctrl->GridInfo;
    *innerRect = *rect;
    if (!cell->IsPropertySet(CUGCell::PropBorder) && !gi->GridLines)
        return;

    const unsigned border = cell->GetBorder();
    // A 3D frame replaces the grid lines; the two would fight over the
    // right and bottom edge.
    const bool gridLines = gi->GridLines && !(border & (Sunken3D | Raised3D));
    CPen* cellPen = cell->GetBorderColor() ? cell->GetBorderColor() : &gi->GridLinePen;
    CPen* previousPen = dc->SelectObject(cellPen);
    const RECT& r = *rect;

    if (border & ThinLeft) {
        VerticalLines(dc, r, r.left, 1, 1);
        innerRect->left = r.left + 1;
    }
    if (border & ThinTop) {
        HorizontalLines(dc, r, r.top, 1, 1);
        innerRect->top = r.top + 1;
    }
    // Grid lines belong to the right and bottom edge only: each cell draws
    // its own, so neighbours never draw the same line twice. Without a
    // border colour the cell's pen is the grid line pen already.
    const bool inGridPen = cellPen == &gi->GridLinePen;
    if ((border & ThinRight) || gridLines) {
        CPen* gridPrevious =
            (border & ThinRight) || inGridPen ? nullptr : dc->SelectObject(&gi->GridLinePen);
        VerticalLines(dc, r, r.right - 1, 1, 1);
        if (gridPrevious)
            dc->SelectObject(gridPrevious);
        innerRect->right = r.right - 1;
    }
    if ((border & ThinBottom) || gridLines) {
        CPen* gridPrevious =
            (border & ThinBottom) || inGridPen ? nullptr : dc->SelectObject(&gi->GridLinePen);
        HorizontalLines(dc, r, r.bottom - 1, 1, 1);
        if (gridPrevious)
            dc->SelectObject(gridPrevious);
        innerRect->bottom = r.bottom - 1;
    }

    for (const EdgeGroup& group : EdgeGroups) {
        if (border & group.left) {
            VerticalLines(dc, r, r.left, 1, group.width);
            innerRect->left = r.left + group.width;
        }
        if (border & group.top) {
            HorizontalLines(dc, r, r.top, 1, group.width);
            innerRect->top = r.top + group.width;
        }
        if (border & group.right) {
            VerticalLines(dc, r, r.right - 1, -1, group.width);
            innerRect->right = r.right - group.width;
        }
        if (border & group.bottom) {
            HorizontalLines(dc, r, r.bottom - 1, -1, group.width);
            innerRect->bottom = r.bottom - group.width;
        }
    }

    // Each 3D frame is w nested rings: the light comes from the top left, so
    // a sunken cell is shadowed there and lit at the bottom right.
    const int depth = gi->ThreeDDepth;
    for (unsigned style : {unsigned(Sunken3D), unsigned(Raised3D)}) {
        if (!(border & style))
            continue;
        CPen* first = style == Sunken3D ? m_ctrl->GetShadowPen() : m_ctrl->GetHighlightPen();
        CPen* second = style == Sunken3D ? m_ctrl->GetHighlightPen() : m_ctrl->GetShadowPen();
        for (int i = 0; i < depth; ++i) {
            const int left = r.left + i, top = r.top + i;
            const int right = r.right - i - 1, bottom = r.bottom - i - 1;
            dc->SelectObject(first);
            dc->MoveTo(left, bottom);
            dc->LineTo(left, top);
            dc->LineTo(right, top);
            dc->SelectObject(second);
            dc->LineTo(right, bottom);
            dc->LineTo(left, bottom);
        }
        innerRect->left = r.left + depth;
        innerRect->top = r.top + depth;
        innerRect->right = r.right - depth;
        innerRect->bottom = r.bottom - depth;
    }

    if (previousPen)
        dc->SelectObject(previousPen);
}

void CUGCellType::DrawCellText(CDC* dc, RECT* rect, int offset, int, long, CUGCell* cell,
                               int selected, int current)
{
    assert(m_ctrl && "CUGCellType::DrawCellText: the type is not registered with a control");
    CUGGridInfo* gi = m_ctrl->GridInfo;
    const long style = cell->GetCellTypeEx();

    const bool showText = m_drawLabel == 0 && style != StyleDrawLabel;
    const wchar_t* source = showText ? cell->GetText() : cell->GetLabel();
    const wchar_t* text = source ? source : L"";
    const int length = static_cast<int>(std::wcslen(text));
    const unsigned align = cell->GetAlignment();

    CFont* previousFont = cell->GetFont() ? dc->SelectObject(cell->GetFont()) : nullptr;

    // The current cell keeps its normal colours unless the sheet asks for it
    // to be highlighted like a selection.
    const bool normalColours = !selected && (!current || !(gi->CurrentCellStyle & 2));
    const COLORREF backColor =
        normalColours ? cell->GetBackColor() : cell->GetHighlightBackColor();
    dc->SetTextColor(normalColours ? cell->GetTextColor() : cell->GetHighlightTextColor());
    dc->SetBkColor(backColor);

    const LONG savedLeft = rect->left;
    if (CBitmap* bitmap = cell->GetBitmap())
        rect->left += DrawCellBitmap(dc, bitmap, rect, backColor);

    // Text at the left and top is placed without measuring it.
    const bool measure = (align & (AlignCentre | AlignRight | AlignVCentre | AlignBottom))
                         || (style & StyleEllipsis);
    const CSize extent = measure ? dc->GetTextExtent(text, length) : CSize();
    const int indent = gi->TextIndent;
    const int width = rect->right - rect->left;
    const int height = rect->bottom - rect->top;
    int x;
    if (align & AlignCentre)
        x = rect->left + (width - extent.cx) / 2;
    else if (align & AlignRight)
        x = rect->right - indent - extent.cx;
    else
        x = rect->left + indent + offset;
    int y;
    if (align & AlignVCentre)
        y = rect->top + (height - extent.cy) / 2;
    else if (align & AlignBottom)
        y = rect->bottom - extent.cy - 1;
    else
        y = rect->top + 1;

    // A continuation also paints over the grid line between it and the cell
    // the text comes from, so the text runs on unbroken.
    if (offset < 0)
        rect->left -= 1;

    if (style & StyleWordWrap) {
        FillBackground(dc, *rect);
        RECT wrapRect = *rect;
        UINT format = DT_WORDBREAK | DT_NOPREFIX;
        if (align & AlignCentre) {
            format |= DT_CENTER;
        } else if (align & AlignRight) {
            format |= DT_RIGHT;
            wrapRect.right -= indent + offset;
        } else {
            wrapRect.left += indent + offset;
        }
        dc->DrawText(text, length, &wrapRect, format);
    } else if ((style & StyleEllipsis) && extent.cx + 6 > width) {
        const int dots = dc->GetTextExtent(Ellipsis, 3).cx;
        const LONG left = rect->left;
        const LONG right = rect->right;
        const LONG shrunkRight = right - (dots + 3);
        RECT dotsRect = *rect;
        if (shrunkRight > left) {
            RECT textRect = *rect;
            textRect.right = shrunkRight;
            dc->ExtTextOut(left + 3, y, TextOptions, &textRect, text, length, nullptr);
            dotsRect.left = shrunkRight;
        } else {
            // Too narrow for any text: the dots start one pixel in, and the
            // column left of them still gets the cell's background.
            FillBackground(dc, *rect);
            dotsRect.left = left + 1;
        }
        dotsRect.right = right;
        dc->ExtTextOut(dotsRect.left + 1, y, TextOptions, &dotsRect, Ellipsis, 3, nullptr);
    } else {
        dc->ExtTextOut(x, y, TextOptions, rect, text, length, nullptr);
    }

    rect->left = savedLeft;
    if (previousFont)
        dc->SelectObject(previousFont);
}

// The bitmap keeps its proportions: it takes the full available height when
// it is relatively taller than the space, else the full available width.
// The percentages are integers on purpose, so the drawn size is the same on
// every device.
int CUGCellType::DrawCellBitmap(CDC* dc, CBitmap* bitmap, const RECT* rect, COLORREF backColor)
{
    BITMAP info{};
    if (!bitmap || !bitmap->GetBitmap(&info))
        return 0;
    const int width = rect->right - rect->left;
    const int height = rect->bottom - rect->top;
    const int aw = width - 4, ah = height - 4;
    const int bw = info.bmWidth, bh = info.bmHeight;
    // A cell with no room beside its 2-pixel margins shows no bitmap rather
    // than a scaled one of nonsense proportions.
    if (aw <= 0 || ah <= 0 || bw <= 0 || bh <= 0)
        return 0;

    int dw, dh;
    if (bh * 100 / bw >= ah * 100 / aw) {
        dh = ah;
        dw = (ah * 100 / bh) * bw / 100;
    } else {
        dw = aw;
        dh = (aw * 100 / bw) * bh / 100;
    }
    const int mx = dw < aw ? (width - dw) / 2 : 2;
    const int my = dh < ah ? (height - dh) / 2 : 2;

    const RECT strip = {rect->left, rect->top, rect->left + 2 * mx + dw, rect->bottom};
    dc->SetBkColor(backColor);
    FillBackground(dc, strip);

    CDC memory;
    if (memory.CreateCompatibleDC(dc)) {
        CBitmap* previous = memory.SelectObject(bitmap);
        dc->StretchBlt(rect->left + mx, rect->top + my, dw, dh, &memory, 0, 0, bw, bh,
                       SRCCOPY);
        if (previous)
            memory.SelectObject(previous);
    }
    return 2 * mx + dw;
}

// --- Text overflow ---------------------------------------------------------------

// An explicit alignment decides on its own: only left-aligned text spills.
// Without one, styled or joined cells keep their text to themselves.
int CUGCellType::CanOverflow(CUGCell* cell)
{
    if (cell->IsPropertySet(CUGCell::PropAlignment))
        return (cell->GetAlignment() & AlignLeft) && m_canOverflow;
    if (cell->GetCellTypeEx() != 0 || cell->IsPropertySet(CUGCell::PropJoinInfo))
        return 0;
    return m_canOverflow;
}

int CUGCellType::GetOverflowOffset(CDC* dc, int col, long row, int* neighbourCol,
                                   CUGCell* scratchCell)
{
    assert(m_ctrl && "CUGCellType::GetOverflowOffset: the type is not registered with a control");
    CUGGridInfo* gi = m_ctrl->GridInfo;
    if (!gi->TextOverflow || !gi->DataSource)
        return 0;

    int source = col;
    if (gi->DataSource->GetPrevNonBlankCol(&source, row) != 0 || source >= col)
        return 0;
    m_ctrl->GetCell(source, row, scratchCell);

    CFont* previousFont =
        scratchCell->GetFont() ? dc->SelectObject(scratchCell->GetFont()) : nullptr;
    const wchar_t* text = scratchCell->GetText();
    const int textWidth = text ? dc->GetTextExtent(text, scratchCell->GetTextLength()).cx : 0;
    if (previousFont)
        dc->SelectObject(previousFont);

    const int needed = gi->TextIndent + textWidth;
    if (needed <= m_ctrl->GetColumnWidth(source))
        return 0;
    if (!m_ctrl->GetCellType(scratchCell->GetCellType())->CanOverflow(scratchCell))
        return 0;

    // The text must reach past every column in between; if it ends in one of
    // them, it never arrives here.
    int sum = 0;
    int x = source;
    for (; x < col; ++x) {
        sum += m_ctrl->GetColumnWidth(x);
        if (sum > needed)
            break;
    }
    if (x < col)
        return 0;

    *neighbourCol = source;
    if (!IsPrinting(dc))
        m_scale = 1.0;
    return -static_cast<int>(sum * m_scale);
}

// --- Printing and fitting --------------------------------------------------------

// The page's cell is taller than the screen's by the print scale; the font
// grows with it so the text fills the cell as it does on the screen.
void CUGCellType::OnPrint(CDC* dc, RECT* rect, int col, long row, CUGCell* cell)
{
    assert(m_ctrl && "CUGCellType::OnPrint: the type is not registered with a control");
    CUGGridInfo* gi = m_ctrl->GridInfo;
    int rowHeight = 0;
    if (row >= 0)
        rowHeight = m_ctrl->GetRowHeight(row);
    else if (-row - 1 < static_cast<long>(gi->ColumnHeadingRowHeights.size()))
        rowHeight = gi->ColumnHeadingRowHeights[-row - 1];

    double scale = 1.0;
    if (rowHeight > 0) {
        scale = static_cast<double>(rect->bottom - rect->top) / rowHeight;
        short origin = 0;
        int colOffset = 0;
        long rowOffset = 0;
        if (cell->GetJoinInfo(&origin, &colOffset, &rowOffset) == 0 && rowOffset + 1 > 1)
            scale = static_cast<double>(rect->bottom - rect->top) / (rowOffset + 1) / rowHeight;
    }
    m_scale = scale;

    // Without a cell font or a sheet font the DC's own font is the one the
    // screen would show.
    LOGFONT logFont{};
    CFont* baseFont = cell->GetFont() ? cell->GetFont() : gi->DefaultFont;
    if (baseFont)
        baseFont->GetLogFont(&logFont);
    else
        ::GetObjectW(::GetCurrentObject(*dc, OBJ_FONT), sizeof logFont, &logFont);
    logFont.lfHeight = static_cast<LONG>(logFont.lfHeight * scale);

    CFont printFont;
    printFont.CreateFontIndirect(&logFont);
    CFont* previousFont = dc->SelectObject(&printFont);
    cell->SetFont(&printFont);
    OnDraw(dc, rect, col, row, cell, 0, 0);
    if (previousFont)
        dc->SelectObject(previousFont);
}

// The margins leave room for the text indent on both sides and a pixel of
// air above and below.
void CUGCellType::GetBestSize(CDC* dc, SIZE* size, CUGCell* cell)
{
    assert(m_ctrl && "CUGCellType::GetBestSize: the type is not registered with a control");
    CFont* font = cell->GetFont() ? cell->GetFont() : m_ctrl->GridInfo->DefaultFont;
    CFont* previousFont = font ? dc->SelectObject(font) : nullptr;
    CSize best(3, 3);
    if (cell->GetTextLength() > 0)
        best = dc->GetTextExtent(cell->GetText(), cell->GetTextLength());
    size->cx = best.cx + 6;
    size->cy = best.cy + 2;
    if (previousFont)
        dc->SelectObject(previousFont);
}
