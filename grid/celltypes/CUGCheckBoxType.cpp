#include "CUGCheckBoxType.h"

#include "CDC.h"
#include "CUGCtrl.h"
#include "CUGGridInfo.h"

#include <algorithm>

CUGCheckBoxType::CUGCheckBoxType()
    : m_shadowPen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW)),
      m_lightPen(PS_SOLID, 1, RGB(225, 225, 225)),
      m_facePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE))
{
    m_useDefaultEdit = 0;
    m_canOverflow = 0;
}

CUGCheckBoxType::~CUGCheckBoxType() = default;

const wchar_t* CUGCheckBoxType::GetName()
{
    return L"Standard CheckBox Type";
}

const GUID* CUGCheckBoxType::GetTypeId()
{
    static const GUID id = {0x93AAB8D0, 0xF749, 0x11D0,
                            {0x9C, 0x7F, 0x00, 0x80, 0xC8, 0x3F, 0x71, 0x2F}};
    return &id;
}

RECT CUGCheckBoxType::BoxOf(const RECT& rect)
{
    const int height = rect.bottom - rect.top;
    const int size = std::min(height - 6, 12);
    const int top = rect.top + (height - size) / 2;
    return RECT{rect.left + 3, top, rect.left + 3 + size, top + size};
}

void CUGCheckBoxType::Store(int col, long row, double number)
{
    m_scratch.SetNumber(number);
    m_ctrl->SetCell(col, row, &m_scratch);
    m_ctrl->RedrawCell(col, row);
    m_ctrl->NotifyCellTypeEvent(m_typeIndex, col, row, CheckBoxToggled,
                                static_cast<LONG_PTR>(number));
}

// Only the release of the button on the box toggles, so a double click
// toggles once for each of its two releases and not for the double click.
int CUGCheckBoxType::OnLeftClick(int col, long row, int isDown, const RECT* cellRect,
                                 const POINT* point)
{
    if (isDown || !cellRect || !point)
        return 0;
    const RECT box = BoxOf(*cellRect);
    if (point->x < box.left || point->x > box.right || point->y < box.top
        || point->y > box.bottom)
        return 0;
    m_ctrl->GetCell(col, row, &m_scratch);
    if (m_scratch.IsPropertySet(CUGCell::PropReadOnly) && m_scratch.GetReadOnly())
        return 0;
    Store(col, row, m_scratch.GetNumber() == 0 ? 1.0 : 0.0);
    return 1;
}

int CUGCheckBoxType::OnDoubleClick(int col, long row, const RECT* cellRect, const POINT* point)
{
    return OnLeftClick(col, row, 1, cellRect, point);
}

// The space bar reads the state as a boolean, where a number's leading
// digit or a leading T decides: 0.5 counts as unchecked here although it
// draws checked.
int CUGCheckBoxType::OnCharDown(int col, long row, UINT* character)
{
    if (!character || *character != 32)
        return 0;
    m_ctrl->GetCellRaw(col, row, &m_scratch);
    if (m_scratch.IsPropertySet(CUGCell::PropReadOnly) && m_scratch.GetReadOnly())
        return 0;
    Store(col, row, m_scratch.GetBool() ? 0.0 : 1.0);
    return 1;
}

void CUGCheckBoxType::OnDraw(CDC* dc, RECT* rect, int col, long row, CUGCell* cell,
                             int selected, int current)
{
    DrawCellBorders(dc, rect, rect, cell);
    const LONG savedLeft = rect->left;
    const LONG savedRight = rect->right;
    const RECT box = BoxOf(*rect);
    const int size = box.right - box.left;
    int L = box.left, T = box.top, R = box.right, B = box.bottom;
    rect->right = rect->left + size + 6;

    const bool highlight =
        selected || (current && (m_ctrl->GridInfo->CurrentCellStyle & 2));
    dc->SetBkColor(highlight ? cell->GetHighlightBackColor() : cell->GetBackColor());
    dc->ExtTextOut(0, 0, ETO_OPAQUE, rect, L"", 0, nullptr);

    const long style = cell->IsPropertySet(CUGCell::PropCellTypeEx) ? cell->GetCellTypeEx() : 0;
    CGdiObject* previousPen = dc->SelectStockObject(BLACK_PEN);
    if (size >= 6) {
        if (style & StyleSunken) {
            dc->SelectObject(&m_shadowPen);
            dc->MoveTo(L, B);
            dc->LineTo(L, T);
            dc->LineTo(R, T);
            dc->SelectObject(&m_lightPen);
            dc->LineTo(R, B);
            dc->LineTo(L, B);
            ++L, ++T, --R, --B;
            dc->SelectObject(&m_facePen);
            dc->MoveTo(L, B);
            dc->LineTo(R, B);
            dc->LineTo(R, T);
            dc->SelectStockObject(BLACK_PEN);
            dc->LineTo(L, T);
            dc->LineTo(L, B);
        } else if (style & StyleRaised) {
            dc->SelectObject(&m_lightPen);
            dc->MoveTo(L, B);
            dc->LineTo(L, T);
            dc->LineTo(R, T);
            dc->SelectStockObject(BLACK_PEN);
            dc->LineTo(R, B);
            dc->LineTo(L, B);
            ++L, ++T, --R, --B;
            dc->SelectObject(&m_shadowPen);
            dc->MoveTo(L, B);
            dc->LineTo(R, B);
            dc->LineTo(R, T);
            dc->SelectObject(&m_facePen);
            dc->LineTo(L, T);
            dc->LineTo(L, B);
        } else {
            dc->SelectStockObject(BLACK_PEN);
            dc->MoveTo(L, T);
            dc->LineTo(R, T);
            dc->LineTo(R, B);
            dc->LineTo(L, B);
            dc->LineTo(L, T);
        }
        ++L, ++T;
        dc->SetBkColor(::GetSysColor(COLOR_WINDOW));
        const RECT inside{L, T, R, B};
        dc->ExtTextOut(0, 0, ETO_OPAQUE, &inside, L"", 0, nullptr);
    }

    if (cell->GetNumber() > 0) {
        dc->SelectStockObject(BLACK_PEN);
        if (style & StyleTick) {
            dc->MoveTo(L + 2, B - 4);
            dc->LineTo(L + 4, B - 2);
            dc->LineTo(R + 3, T - 1);
            if (size > 9) {
                dc->MoveTo(L + 2, B - 5);
                dc->LineTo(L + 4, B - 3);
                dc->LineTo(R + 3, T - 2);
                dc->MoveTo(L + 5, B - 2);
                dc->LineTo(R + 4, T - 1);
                dc->MoveTo(L + 2, B - 6);
                dc->LineTo(L + 5, B - 3);
            }
        } else {
            ++L, ++T, R -= 2, B -= 2;
            dc->MoveTo(L, T);
            dc->LineTo(R + 1, B + 1);
            dc->MoveTo(L, B);
            dc->LineTo(R + 1, T - 1);
            if (size > 9) {
                dc->MoveTo(L + 1, T);
                dc->LineTo(R + 1, B);
                dc->MoveTo(L, B - 1);
                dc->LineTo(R, T - 1);
                dc->MoveTo(L, T + 1);
                dc->LineTo(R, B + 1);
                dc->MoveTo(L + 1, B);
                dc->LineTo(R + 1, T);
            }
        }
    }
    dc->SelectObject(static_cast<CPen*>(previousPen));

    m_drawLabel = 1;
    rect->left = savedLeft + size + 6;
    rect->right = savedRight;
    DrawCellText(dc, rect, 0, col, row, cell, selected, current);
    rect->left = savedLeft;
}
