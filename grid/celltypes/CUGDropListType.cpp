// CUGDropListType: the cell with a button that drops a list of choices.
//
//   Identity ........... constructor, GetName, GetTypeId, GetEditArea
//   Input .............. OnLeftClick (press opens or closes), OnDoubleClick,
//                        OnKeyDown (Enter, Ctrl+Down), OnCharDown,
//                        OnMouseMove (the button follows the held mouse),
//                        OnCellKillFocus
//   Drawing ............ OnDraw: borders, raised or sunken button with its
//                        arrow, the text beside it
//   The list ........... ShowDropList -> SplitChoices -> DropListOpening ->
//                        DropListRect -> the CUGLstBox window
#include "CUGDropListType.h"

#include "CDC.h"
#include "CFont.h"
#include "CStringArray.h"
#include "CUGCell.h"
#include "CUGCtrl.h"
#include "CUGGrid.h"
#include "CUGGridInfo.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr unsigned short kSunken = 0x1000;
constexpr unsigned short kRaised = 0x2000;
// The list shows at most this many items; more scroll.
constexpr int kMaxVisibleItems = 8;
// Without a font of its own the list keeps the system font, whose items are
// about this high.
constexpr int kDefaultItemHeight = 12;

}  // namespace

// --- Identity ----------------------------------------------------------------------

CUGDropListType::CUGDropListType()
    : ButtonWidth(::GetSystemMetrics(SM_CXVSCROLL)),
      ButtonPen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE)),
      ButtonBrush(::GetSysColor(COLOR_BTNFACE)),
      ListBox(std::make_unique<CUGLstBox>())
{
    // The button takes the cell's right edge, where overflowing text from
    // the left would run under it.
    m_canOverflow = 0;
}

CUGDropListType::~CUGDropListType()
{
    DestroyList();
}

const wchar_t* CUGDropListType::GetName()
{
    return L"Standard DropList";
}

const GUID* CUGDropListType::GetTypeId()
{
    static const GUID id = {0x1667A6A0, 0xF746, 0x11D0,
                            {0x9C, 0x7F, 0x00, 0x80, 0xC8, 0x3F, 0x71, 0x2F}};
    return &id;
}

// The in-place edit leaves the button uncovered.
int CUGDropListType::GetEditArea(RECT* editRect)
{
    editRect->right -= ButtonWidth + 1;
    return 1;
}

void CUGDropListType::DestroyList()
{
    if (ListBox && ListBox->GetSafeHwnd())
        ListBox->DestroyWindow();
}

// --- Input -------------------------------------------------------------------------

int CUGDropListType::OnLeftClick(int col, long row, int isDown, const RECT* cellRect,
                                 const POINT* /*point*/)
{
    if (!isDown) {
        if (!ButtonPressed)
            return 0;
        ButtonPressed = 0;
        m_ctrl->RedrawCell(col, row);
        return 1;
    }
    // A press on the cell whose list is open, or the press that made the
    // list lose the focus, closes rather than opens.
    if ((col == DropCol && row == DropRow) || DropCol == -2) {
        DropCol = DropRow = -1;
        DestroyList();
        return 0;
    }
    // The list always opens on the current cell; when the owner kept the
    // current cell from moving here, there is nothing to open.
    if (!m_ctrl || col != m_ctrl->GetCurrentCol() || row != m_ctrl->GetCurrentRow())
        return 0;
    ButtonRect = *cellRect;
    ButtonRect.left = cellRect->right - ButtonWidth;
    ButtonPressed = 1;
    DropCol = col;
    DropRow = row;
    m_ctrl->RedrawCell(col, row);
    ShowDropList();
    return 1;
}

// A double click on the button is a second press on it; on the text it is
// left to the owner (to start an edit, say).
int CUGDropListType::OnDoubleClick(int col, long row, const RECT* cellRect, const POINT* point)
{
    if (point->x > cellRect->right - ButtonWidth)
        return OnLeftClick(col, row, 1, cellRect, point);
    return 0;
}

int CUGDropListType::OnKeyDown(int /*col*/, long /*row*/, UINT* virtualKey)
{
    const bool open = *virtualKey == VK_RETURN
                      || (*virtualKey == VK_DOWN && ::GetKeyState(VK_CONTROL) < 0);
    if (!open)
        return 0;
    ShowDropList();
    *virtualKey = 0;
    return 1;
}

// The Enter that opened the list arrives as a character afterwards; taking
// it here keeps the owner from starting an edit with it. The code of Down
// is taken too, which is also the code of "(".
int CUGDropListType::OnCharDown(int /*col*/, long /*row*/, UINT* character)
{
    return *character == VK_RETURN || *character == VK_DOWN ? 1 : 0;
}

// While the mouse is held after a press, the button shows pressed only with
// the pointer over it, as a push button does.
int CUGDropListType::OnMouseMove(int /*col*/, long /*row*/, POINT* point, UINT keyFlags)
{
    if (!(keyFlags & MK_LBUTTON))
        return 1;
    const bool over = point->x >= ButtonRect.left && point->x <= ButtonRect.right
                      && point->y >= ButtonRect.top && point->y <= ButtonRect.bottom;
    if (over != (ButtonPressed != 0)) {
        ButtonPressed = over ? 1 : 0;
        m_ctrl->RedrawCell(DropCol, DropRow);
    }
    return 0;
}

void CUGDropListType::OnCellKillFocus(int /*col*/, long /*row*/, CUGCell* /*cell*/)
{
    DropCol = DropRow = -1;
}

// --- Drawing -----------------------------------------------------------------------

void CUGDropListType::OnDraw(CDC* dc, RECT* rect, int col, long row, CUGCell* cell,
                             int selected, int current)
{
    if (!current && cell->IsPropertySet(CUGCell::PropCellTypeEx)
        && (cell->GetCellTypeEx() & StyleButtonOnCurrentOnly)) {
        CUGCellType::OnDraw(dc, rect, col, row, cell, selected, 0);
        return;
    }

    RECT inner;
    DrawCellBorders(dc, rect, &inner, cell);

    RECT button = inner;
    button.left = inner.right - ButtonWidth;
    cell->SetBorder(ButtonPressed && current ? kSunken : kRaised);
    RECT face;
    DrawCellBorders(dc, &button, &face, cell);
    dc->FillRect(&face, &ButtonBrush);

    CPen* previousPen = dc->SelectObject(&ButtonPen);
    dc->MoveTo(button.left - 1, inner.top);
    dc->LineTo(button.left - 1, inner.bottom);

    // The arrow: rows of 5, 3 and 1 pixels, centred on the button.
    dc->SelectStockObject(BLACK_PEN);
    const int x0 = button.left + (ButtonWidth - 5) / 2;
    const int y0 = inner.top + (inner.bottom - inner.top - 3) / 2;
    dc->MoveTo(x0, y0);
    dc->LineTo(x0 + 5, y0);
    dc->MoveTo(x0 + 1, y0 + 1);
    dc->LineTo(x0 + 4, y0 + 1);
    dc->MoveTo(x0 + 2, y0 + 2);
    dc->LineTo(x0 + 2, y0 + 1);
    if (previousPen)
        dc->SelectObject(previousPen);

    RECT text = inner;
    text.right -= ButtonWidth + 1;
    DrawCellText(dc, &text, 0, col, row, cell, selected, current);
}

// --- The list ----------------------------------------------------------------------

void CUGDropListType::SplitChoices(const wchar_t* label, CStringArray& choices)
{
    choices.RemoveAll();
    if (!label)
        return;
    const wchar_t* start = label;
    for (const wchar_t* p = label; *p; ++p) {
        if (*p == L'\n') {
            choices.Add(CString(start, static_cast<int>(p - start)));
            start = p + 1;
        }
    }
}

RECT CUGDropListType::DropListRect(const RECT& cell, const RECT& client, int itemHeight,
                                   int count)
{
    const int rows = std::min(count, kMaxVisibleItems) + 1;
    const int height = static_cast<int>((itemHeight * 0.5 + itemHeight) * rows);
    RECT list{cell.left, cell.bottom, cell.right, cell.bottom + height};
    if (list.bottom > client.bottom) {
        const int excess = list.bottom - client.bottom;
        list.bottom = client.bottom;
        list.top = std::max<LONG>(0, list.top - excess);
    }
    if (list.right > client.right) {
        const int excess = list.right - client.right;
        list.right = client.right;
        list.left = std::max<LONG>(0, list.left - excess);
    }
    return list;
}

int CUGDropListType::ShowDropList()
{
    if (ListBox->ListOpen)
        return 1;
    CUGGrid* cellArea = m_ctrl ? m_ctrl->GetCellArea() : nullptr;
    if (!cellArea || !cellArea->GetSafeHwnd())
        return 0;
    DropCol = m_ctrl->GetCurrentCol();
    DropRow = static_cast<int>(m_ctrl->GetCurrentRow());
    if (DropCol < 0 || DropRow < 0)
        return 0;

    CUGCell cell;
    m_ctrl->GetCell(DropCol, DropRow, &cell);
    CStringArray choices;
    SplitChoices(cell.IsPropertySet(CUGCell::PropLabel) ? cell.GetLabel() : nullptr, choices);
    m_ctrl->NotifyCellTypeEvent(GetTypeIndex(), DropCol, DropRow, DropListOpening,
                                reinterpret_cast<LONG_PTR>(&choices));

    CFont* font = cell.IsPropertySet(CUGCell::PropFont) ? cell.GetFont()
                                                        : m_ctrl->GridInfo->DefaultFont;
    int itemHeight = kDefaultItemHeight;
    LOGFONTW description{};
    if (font && font->GetLogFont(&description))
        itemHeight = std::abs(description.lfHeight);
    else
        font = nullptr;

    int col = DropCol;
    long row = DropRow;
    RECT cellRect{};
    m_ctrl->GetCellRect(col, row, cellRect);
    RECT client{};
    cellArea->GetClientRect(&client);
    const RECT listRect =
        DropListRect(cellRect, client, itemHeight, static_cast<int>(choices.GetSize()));

    DestroyList();
    ListBox->m_ctrl = m_ctrl;
    ListBox->TypeIndex = GetTypeIndex();
    if (!ListBox->Create(WS_CHILD | WS_BORDER | WS_VSCROLL, listRect, cellArea, IdList))
        return 0;
    if (font)
        ListBox->SetFont(font, TRUE);
    ListBox->MoveWindow(&listRect, FALSE);
    for (int i = 0; i < choices.GetSize(); ++i)
        ListBox->AddString(choices[i]);
    ListBox->ColumnRef = &DropCol;
    ListBox->RowRef = &DropRow;
    ListBox->ShowWindow(SW_SHOW);
    ListBox->SetFocus();

    ButtonPressed = 0;
    m_ctrl->RedrawCell(DropCol, DropRow);
    return 0;
}
