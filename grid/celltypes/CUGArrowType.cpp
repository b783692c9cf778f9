#include "CUGArrowType.h"

#include "CDC.h"
#include "CPen.h"
#include "CUGCell.h"

namespace {

// One arrow around the column x = a, its tip two pixels beyond a.
void DrawArrow(CDC* dc, int a, int cy, bool right)
{
    const int d = right ? 1 : -1;
    dc->MoveTo(a - d, cy - 3);
    dc->LineTo(a - d, cy + 4);
    dc->MoveTo(a, cy - 2);
    dc->LineTo(a, cy + 2);
    dc->LineTo(a + 2 * d, cy);
    dc->LineTo(a + d, cy - 1);
    dc->LineTo(a + d, cy + 1);
}

}  // namespace

CUGArrowType::~CUGArrowType() = default;

void CUGArrowType::OnDraw(CDC* dc, RECT* rect, int, long, CUGCell* cell, int selected,
                          int current)
{
    DrawCellBorders(dc, rect, rect, cell);
    dc->SetBkColor(selected || current ? cell->GetHighlightBackColor() : cell->GetBackColor());
    dc->ExtTextOut(0, 0, ETO_OPAQUE, rect, L"", 0, nullptr);

    const int width = rect->right - rect->left;
    if (width < 4)
        return;
    const long style =
        cell->IsPropertySet(CUGCell::PropCellTypeEx) ? cell->GetCellTypeEx() : StyleRight;
    const int cx = rect->left + width / 2;
    const int cy = rect->top + (rect->bottom - rect->top) / 2;

    CPen pen(PS_SOLID, 1, cell->GetTextColor());
    CPen* previous = dc->SelectObject(&pen);
    if (style == 0 || (style & StyleRight)) {
        DrawArrow(dc, cx, cy, true);
    } else if (style & StyleLeft) {
        DrawArrow(dc, cx, cy, false);
    } else if (style & (StyleDoubleRight | StyleDoubleLeft)) {
        const bool right = (style & StyleDoubleRight) != 0;
        DrawArrow(dc, cx + 3, cy, right);
        DrawArrow(dc, cx - 3, cy, right);
    }
    dc->SelectObject(previous);
}
