// CUGCtrl: construction, the part windows, layout, sheets, the popup menu,
// redraw and the control's own window messages; the default bodies of the
// notifications close the file.
//
//   Construction ....... CUGCtrl(), ~CUGCtrl(), CreateSheet
//   Creation ........... AttachToDialogItem, CreateControl, OnCreate,
//                        CreateParts
//   Layout ............. AdjustComponentSizes, OnSize
//   Sheets ............. SetSheetCount, SetSheetNumber, BindPartsToSheet
//   Popup menu ......... AddMenuItem ... ShowPopupMenu, OnCommand
//   Redraw ............. RedrawAll, RedrawCell/Row/Col/Range
//   Window messages .... OnPaint, OnSetFocus, OnSysColorChange,
//                        OnHScroll/OnVScroll, OnGetDlgCode
//   Notifications ...... the defaults, in slot order
#include "CUGCtrl.h"

#include "CBitmap.h"
#include "CBrush.h"
#include "CDC.h"
#include "CFont.h"
#include "CPaintDC.h"
#include "CUGCnrBtn.h"
#include "CUGGrid.h"
#include "CUGHScroll.h"
#include "CUGHint.h"
#include "CUGSideHdg.h"
#include "CUGTab.h"
#include "CUGTopHdg.h"
#include "CUGVScroll.h"

#include <algorithm>
#include <cassert>
#include <cwchar>
#include <utility>

namespace {

// Moves a part only when its place changes. A layout runs after most
// changes of the sheet (and again from the scroll bars while they are
// hidden), and under Wine every move costs a round of messages although
// the part stays where it is; the repaint that follows a layout covers the
// parts either way.
void PlacePart(CWnd& part, const RECT& rect, BOOL repaint)
{
    RECT now;
    part.GetWindowRect(&now);
    ::MapWindowPoints(nullptr, ::GetParent(part.m_hWnd), reinterpret_cast<POINT*>(&now), 2);
    if (!::EqualRect(&now, &rect))
        part.MoveWindow(&rect, repaint);
}

}  // namespace

// --- Construction --------------------------------------------------------------

CUGCtrl::CUGCtrl()
    : m_grid(std::make_unique<CUGGrid>()),
      m_topHdg(std::make_unique<CUGTopHdg>()),
      m_sideHdg(std::make_unique<CUGSideHdg>()),
      m_vScroll(std::make_unique<CUGVScroll>()),
      m_hScroll(std::make_unique<CUGHScroll>()),
      m_cnrBtn(std::make_unique<CUGCnrBtn>()),
      m_tab(std::make_unique<CUGTab>()),
      m_hint(std::make_unique<CUGHint>())
{
    m_defaultEdit.m_ctrl = this;
    CreatePens();
    m_menu.CreatePopupMenu();
    SetSheetCount(1);
    m_sheetNumber = 0;
    GridInfo = m_sheets[0].get();
    BindPartsToSheet();
    m_editWindow = nullptr;
    AddCellType(&m_normalType);
    AddCellType(&m_dropListType);
    AddCellType(&m_checkBoxType);
    AddCellType(&m_arrowType);
    m_redrawEnabled = 1;
}

// The hint is a top-level window of its own and goes first; the other parts
// are children of the control and go with it.
CUGCtrl::~CUGCtrl()
{
    if (m_hint && m_hint->GetSafeHwnd())
        m_hint->DestroyWindow();
    if (GetSafeHwnd())
        DestroyWindow();
}

void CUGCtrl::CreatePens()
{
    m_highlightPen.DeleteObject();
    m_shadowPen.DeleteObject();
    m_highlightPen.CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    m_shadowPen.CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
}

std::unique_ptr<CUGGridInfo> CUGCtrl::CreateSheet()
{
    auto sheet = std::make_unique<CUGGridInfo>();
    sheet->MemDataSource->SetOwner(this);
    sheet->MemDataSource->SetID(0);
    sheet->MultiSelect->SetOwner(this, sheet.get());
    sheet->EditWindow = &m_defaultEdit;
    return sheet;
}

// --- Creation ------------------------------------------------------------------

int CUGCtrl::AttachToDialogItem(CWnd* dialog, UINT id)
{
    if (!SubclassDlgItem(id, dialog))
        return 0;
    ModifyStyle(0, WS_CLIPCHILDREN | WS_BORDER | WS_TABSTOP);
    CreateParts();
    NotifySetup();
    NotifySheetSetup(0);
    return 1;
}

BOOL CUGCtrl::CreateControl(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    if (!CreateEx(0, nullptr, L"", style | WS_CHILD | WS_CLIPCHILDREN, rect, parent, id))
        return FALSE;
    NotifySetup();
    NotifySheetSetup(0);
    return TRUE;
}

int CUGCtrl::OnCreate(LPCREATESTRUCTW createStruct)
{
    const int result = CWnd::OnCreate(createStruct);
    if (result == -1)
        return -1;
    CreateParts();
    return result;
}

void CUGCtrl::CreateParts()
{
    assert(!m_partsCreated && "CUGCtrl::CreateParts: the parts exist already");
    const RECT empty{0, 0, 0, 0};
    constexpr DWORD childStyle = WS_CHILD | WS_VISIBLE;
    m_grid->Create(nullptr, L"", childStyle, empty, this, IdCellArea);
    m_topHdg->Create(nullptr, L"", childStyle, empty, this, IdColumnHeading);
    m_sideHdg->Create(nullptr, L"", childStyle, empty, this, IdRowHeading);
    m_cnrBtn->Create(nullptr, L"", childStyle, empty, this, IdCorner);
    m_tab->Create(nullptr, L"", childStyle, empty, this, IdTabs);
    m_vScroll->Create(childStyle | SBS_VERT, empty, this, IdVScroll);
    m_hScroll->Create(childStyle | SBS_HORZ, empty, this, IdHScroll);
    m_defaultEdit.Create(WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL, empty, this, IdDefaultEdit);
    m_partsCreated = 1;
    BindPartsToSheet();
    AdjustComponentSizes();
}

CUGHint* CUGCtrl::GetHint()
{
    if (m_partsCreated && !m_hint->GetSafeHwnd())
        m_hint->CreateHintWindow(this, nullptr);
    return m_hint.get();
}

// --- Layout --------------------------------------------------------------------

void CUGCtrl::AdjustComponentSizes()
{
    if (!GetSafeHwnd() || !m_partsCreated)
        return;
    CUGGridInfo* gi = GridInfo;

    // The in-place edit keeps the focus while it is open.
    if (CWnd::GetFocus() != m_grid.get() && !m_editInProgress)
        m_grid->SetFocus();

    const int savedV = gi->VScrollWidth;
    const int savedH = gi->HScrollHeight;
    const int savedT = gi->TabWidth;
    RECT client;
    GetClientRect(&client);
    const int width = client.right;
    const int height = client.bottom;

    int& vWidth = gi->VScrollWidth;
    int& hHeight = gi->HScrollHeight;
    int& tabWidth = gi->TabWidth;
    if (tabWidth > 0)
        tabWidth = std::max(std::min(tabWidth, width - gi->RowHeadingWidth - 30), 4);

    // Sum the columns and rows until they overflow the room, which is all
    // that the scroll bar decision needs to know.
    const int roomW = width - gi->RowHeadingWidth;
    const int roomH = height - gi->ColumnHeadingHeight;
    int colsW = 0;
    for (int col = 0; col < gi->ColumnCount && colsW <= roomW; ++col)
        colsW += GetColumnWidth(col);
    int rowsH = 0;
    for (long row = 0; row < gi->RowCount && rowsH <= roomH; ++row)
        rowsH += GetRowHeight(row);

    if (rowsH < roomH && ((colsW < roomW && tabWidth < 1) || rowsH < roomH - hHeight))
        vWidth = 0;
    if (colsW < roomW && tabWidth < 1 && (rowsH < roomH || colsW < roomW - savedV))
        hHeight = 0;

    gi->VScrollRect = {width - vWidth, 0, width, height - hHeight};
    gi->HScrollRect = {tabWidth, height - hHeight, width - vWidth, height};
    gi->TabRect = {0, height - hHeight, tabWidth, height};
    gi->ColumnHeadingRect = {gi->RowHeadingWidth, 0, width - vWidth, gi->ColumnHeadingHeight};
    gi->RowHeadingRect = {0, gi->ColumnHeadingHeight, gi->RowHeadingWidth, height - hHeight};
    gi->CornerButtonRect = {0, 0, gi->RowHeadingWidth, gi->ColumnHeadingHeight};
    gi->CellAreaRect = {gi->RowHeadingWidth, gi->ColumnHeadingHeight, width - vWidth,
                        height - hHeight};
    gi->GridWidth = gi->CellAreaRect.right - gi->CellAreaRect.left;
    gi->GridHeight = gi->CellAreaRect.bottom - gi->CellAreaRect.top;

    NotifyLayout(&gi->CellAreaRect, &gi->ColumnHeadingRect, &gi->RowHeadingRect,
                 &gi->CornerButtonRect, &gi->VScrollRect, &gi->HScrollRect, &gi->TabRect);

    if (m_tabSizing) {
        m_hScroll->MoveWindow(&gi->HScrollRect, TRUE);
        m_tab->MoveWindow(&gi->TabRect, TRUE);
        m_hScroll->Invalidate();
        m_tab->Invalidate();
        ValidateRect(nullptr);
    } else {
        PlacePart(*m_grid, gi->CellAreaRect, TRUE);
        PlacePart(*m_topHdg, gi->ColumnHeadingRect, TRUE);
        PlacePart(*m_sideHdg, gi->RowHeadingRect, TRUE);
        PlacePart(*m_cnrBtn, gi->CornerButtonRect, TRUE);
        PlacePart(*m_vScroll, gi->VScrollRect, TRUE);
        PlacePart(*m_hScroll, gi->HScrollRect, TRUE);
        PlacePart(*m_tab, gi->TabRect, TRUE);
        ComputeMaxTopRow();
        ComputeMaxLeftColumn();
        RedrawAll();
    }

    vWidth = savedV;
    hHeight = savedH;
    tabWidth = savedT;
    gi->PreviousTopRow = gi->TopRow;
    gi->PreviousLeftCol = gi->LeftCol;
}

void CUGCtrl::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    Invalidate(TRUE);
    m_redrawEnabled = 0;
    AdjustComponentSizes();
    m_redrawEnabled = 1;
}

// --- Sheets --------------------------------------------------------------------

int CUGCtrl::SetSheetCount(int count)
{
    if (count < 1 || count > MaxSheets)
        return 1;
    // The parts, an open edit and the switch itself read the current
    // sheet's record: the last sheet that stays becomes current before the
    // removed sheets' records go.
    if (m_sheetNumber >= count)
        SetSheetNumber(count - 1);
    if (static_cast<int>(m_sheets.size()) > count)
        m_sheets.resize(count);
    CUGGridInfo* const previousRecord = GridInfo;
    while (static_cast<int>(m_sheets.size()) < count) {
        m_sheets.push_back(CreateSheet());
        GridInfo = m_sheets.back().get();
        BindPartsToSheet();
        NotifySheetSetup(static_cast<int>(m_sheets.size()) - 1);
    }
    if (previousRecord) {
        GridInfo = previousRecord;
        BindPartsToSheet();
    }
    return 0;
}

int CUGCtrl::SetSheetNumber(int index, int redraw)
{
    if (index < 0 || index >= GetSheetCount())
        return 1;
    const int savedRedraw = m_redrawEnabled;
    if (!redraw)
        m_redrawEnabled = 0;
    if (m_grid->GetSafeHwnd())
        m_grid->SetFocus();
    const int tabWidth = GridInfo ? GridInfo->TabWidth : 0;
    GridInfo = m_sheets[index].get();
    GridInfo->TabWidth = tabWidth;
    BindPartsToSheet();
    m_sheetNumber = index;
    GridInfo->PreviousLeftCol = -1;
    GridInfo->PreviousTopRow = -1;
    AdjustComponentSizes();
    m_redrawEnabled = savedRedraw;
    return 0;
}

int CUGCtrl::SelectSheetTab(int id)
{
    if (!m_tab->SetCurrentTab(id))
        return 1;
    NotifySheetTabSelected(id);
    return 0;
}

void CUGCtrl::BindPartsToSheet()
{
    m_grid->m_ctrl = this;
    m_grid->m_GI = GridInfo;
    m_topHdg->m_ctrl = this;
    m_topHdg->m_GI = GridInfo;
    m_sideHdg->m_ctrl = this;
    m_sideHdg->m_GI = GridInfo;
    m_cnrBtn->m_ctrl = this;
    m_cnrBtn->m_GI = GridInfo;
    m_vScroll->m_ctrl = this;
    m_vScroll->m_GI = GridInfo;
    m_hScroll->m_ctrl = this;
    m_hScroll->m_GI = GridInfo;
    m_tab->m_ctrl = this;
    m_tab->m_GI = GridInfo;
    m_hint->m_ctrl = this;
}

// --- Popup menu ----------------------------------------------------------------

int CUGCtrl::AddMenuItem(int id, const wchar_t* text)
{
    const bool separator = id == -1 || !text || !*text;
    const BOOL ok = separator ? m_menu.AppendMenu(MF_SEPARATOR)
                              : m_menu.AppendMenu(MF_STRING, static_cast<UINT_PTR>(id), text);
    return ok ? 0 : 1;
}

int CUGCtrl::RemoveMenuItem(int id)
{
    return m_menu.DeleteMenu(static_cast<UINT>(id), MF_BYCOMMAND) ? 0 : 1;
}

int CUGCtrl::ClearMenu()
{
    while (m_menu.DeleteMenu(0, MF_BYPOSITION)) {
    }
    return 0;
}

int CUGCtrl::ShowPopupMenu(int col, long row, const POINT* screenPoint, int section)
{
    if (!GridInfo->PopupMenuEnabled)
        return 1;
    GetJoinStart(col, row);
    if (!AskMenuStart(col, row, section))
        return 2;
    m_menuCol = col;
    m_menuRow = row;
    m_menuSection = section;
    const POINT point = screenPoint ? *screenPoint : POINT{0, 0};
    return m_menu.TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this) ? 0 : 3;
}

BOOL CUGCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (id >= 1000)
        NotifyMenuCommand(m_menuCol, m_menuRow, m_menuSection, id);
    return CWnd::OnCommand(wParam, lParam);
}

// --- Redraw --------------------------------------------------------------------

void CUGCtrl::RedrawAll()
{
    if (!m_redrawEnabled || !m_partsCreated)
        return;
    m_grid->RedrawAll();
    m_cnrBtn->RedrawAll();
    m_vScroll->Update();
    m_hScroll->Update();
    m_tab->RedrawAll();
    m_topHdg->RedrawWindow();
    m_sideHdg->RedrawWindow();
}

void CUGCtrl::RedrawCell(int col, long row)
{
    if (!m_redrawEnabled || !m_partsCreated)
        return;
    if (col < 0)
        m_sideHdg->RedrawWindow();
    else if (row < 0)
        m_topHdg->RedrawWindow();
    else
        m_grid->PaintCell(col, row);
}

void CUGCtrl::RedrawRow(long row)
{
    if (m_redrawEnabled && m_partsCreated)
        m_grid->PaintRow(row);
}

void CUGCtrl::RedrawCol(int col)
{
    if (m_redrawEnabled && m_partsCreated)
        m_grid->PaintColumn(col);
}

void CUGCtrl::RedrawRange(int startCol, long startRow, int endCol, long endRow)
{
    if (m_redrawEnabled && m_partsCreated)
        m_grid->PaintRange(startCol, startRow, endCol, endRow);
}

// --- Window messages -----------------------------------------------------------

void CUGCtrl::OnPaint()
{
    CPaintDC dc(this);
    RECT client;
    GetClientRect(&client);
    CBrush face(GetSysColor(COLOR_BTNFACE));
    dc.FillRect(&client, &face);
    ValidateRect(nullptr);
    RedrawAll();
    if (m_partsCreated) {
        m_vScroll->Update();
        m_hScroll->Update();
    }
}

void CUGCtrl::OnSetFocus(CWnd* /*oldWnd*/)
{
    if (m_grid->GetSafeHwnd())
        m_grid->SetFocus();
}

void CUGCtrl::FocusCellArea()
{
    if (m_grid->GetSafeHwnd() && CWnd::GetFocus() != m_grid.get())
        m_grid->SetFocus();
}

void CUGCtrl::OnSysColorChange()
{
    for (int index = 0; index < m_cellTypeList.GetCapacity(); ++index) {
        if (auto* type = static_cast<CUGCellType*>(m_cellTypeList.GetPointer(index)))
            type->OnSystemColorChange();
    }
    GridInfo->HeadingDefaultCell.SetBackColor(GetSysColor(COLOR_BTNFACE));
    CreatePens();
}

void CUGCtrl::OnHScroll(UINT code, UINT pos, CScrollBar* /*scrollBar*/)
{
    m_hScroll->OnScroll(code, pos);
}

void CUGCtrl::OnVScroll(UINT code, UINT pos, CScrollBar* /*scrollBar*/)
{
    m_vScroll->OnScroll(code, pos);
}

UINT CUGCtrl::OnGetDlgCode()
{
    return DLGC_WANTARROWS | DLGC_WANTALLKEYS;
}

// --- Notifications: the defaults, in slot order ----------------------------------

void CUGCtrl::NotifyFocusGained(int) {}
void CUGCtrl::NotifySetup() {}
void CUGCtrl::NotifySheetSetup(int) {}
int CUGCtrl::AskMoveCurrentCell(int, long, int, long) { return 1; }
int CUGCtrl::AskMoveView(int, long, int, long) { return 1; }
void CUGCtrl::NotifyRowsPastEnd(long, long, long) {}
void CUGCtrl::NotifySlot97() {}
int CUGCtrl::AskResizeColumn(int) { return 1; }
void CUGCtrl::NotifyColumnResizing(int, int*) {}
void CUGCtrl::NotifyColumnResized(int, int*) {}
int CUGCtrl::AskResizeRow(long) { return 1; }
void CUGCtrl::NotifyRowResizing(long, int*) {}
void CUGCtrl::NotifyRowResized(long, int*) {}
int CUGCtrl::AskResizeColumnHeading() { return 1; }
int CUGCtrl::AskResizeRowHeading() { return 1; }
int CUGCtrl::NotifyColumnHeadingResizing(int*) { return 1; }
int CUGCtrl::NotifyRowHeadingResizing(int*) { return 1; }
int CUGCtrl::NotifyColumnHeadingResized(int*) { return 1; }
int CUGCtrl::NotifyRowHeadingResized(int*) { return 1; }
void CUGCtrl::NotifyCurrentColumnChanged(int, int) {}
void CUGCtrl::NotifyCurrentRowChanged(long, long) {}
void CUGCtrl::NotifyCurrentCellChanged(int, int, long, long) {}
void CUGCtrl::NotifyLeftColumnChanged(int, int) {}
void CUGCtrl::NotifyTopRowChanged(long, long) {}
void CUGCtrl::NotifyCellLeftButton(int, long, int, RECT*, POINT*, int) {}
void CUGCtrl::NotifyCellRightButton(int, long, int, RECT*, POINT*, int) {}
void CUGCtrl::NotifyCellDoubleClick(int, long, RECT*, POINT*, int) {}
void CUGCtrl::NotifyCellMouseMove(int, long, POINT*, UINT, int) {}
void CUGCtrl::NotifyColumnHeadingLeftButton(int, long, int, RECT*, POINT*, int) {}
void CUGCtrl::NotifyColumnHeadingRightButton(int, long, int, RECT*, POINT*, int) {}
void CUGCtrl::NotifyColumnHeadingDoubleClick(int, long, RECT*, POINT*, int) {}
void CUGCtrl::NotifyRowHeadingLeftButton(int, long, int, RECT*, POINT*, int) {}
void CUGCtrl::NotifyRowHeadingRightButton(int, long, int, RECT*, POINT*, int) {}
void CUGCtrl::NotifyRowHeadingDoubleClick(int, long, RECT*, POINT*, int) {}
void CUGCtrl::NotifyCornerLeftButton(int, RECT*, POINT*, int) {}
void CUGCtrl::NotifyCornerRightButton(int, RECT*, POINT*, int) {}
void CUGCtrl::NotifyCornerDoubleClick(RECT*, POINT*, int) {}
void CUGCtrl::NotifyKeyDown(UINT*, int) {}
void CUGCtrl::NotifyCharacter(UINT*, int) {}
void CUGCtrl::NotifyCellFetched(int, long, CUGCell*) {}
void CUGCtrl::NotifyCellStoring(int, long, CUGCell*) {}
void CUGCtrl::NotifySlot132() {}
int CUGCtrl::NotifyCellTypeEvent(long, int, long, long, LONG_PTR) { return 1; }
int CUGCtrl::AskEditStart(int, long, CWnd**) { return 1; }
int CUGCtrl::AskEditKey(int, long, CWnd*, UINT*) { return 1; }
int CUGCtrl::AskEditFinish(int, long, CWnd*, const wchar_t*, int) { return 1; }
int CUGCtrl::AskEditContinue(int, long, int*, long*) { return 1; }
void CUGCtrl::NotifyMenuCommand(int, long, int, int) {}
int CUGCtrl::AskMenuStart(int, long, int) { return 1; }

int CUGCtrl::GetCellHintText(int col, long row, int /*section*/, CString* text)
{
    if (text)
        text->Format(L"Col:%d Row:%ld", col, row);
    return 1;
}

int CUGCtrl::GetVerticalScrollHint(long, CString*) { return 1; }
int CUGCtrl::GetHorizontalScrollHint(int, CString*) { return 1; }

namespace {

int Sign(double value)
{
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

}  // namespace

// The default order: missing cells first, then cells without text, then by
// the first cell's data type either the texts (UTF-16 code units) or the
// numbers. Flag 2 turns the order round.
int CUGCtrl::CompareCellsForSort(CUGCell* a, CUGCell* b, int flags)
{
    if (flags & 2)
        std::swap(a, b);
    if (!a || !b)
        return (a ? 1 : 0) - (b ? 1 : 0);

    const bool aHasText = a->IsPropertySet(CUGCell::PropText);
    const bool bHasText = b->IsPropertySet(CUGCell::PropText);
    if (!aHasText || !bHasText)
        return (aHasText ? 1 : 0) - (bHasText ? 1 : 0);

    switch (a->GetDataType()) {
    case 2:
    case 3:
    case 5:
        return Sign(a->GetNumber() - b->GetNumber());
    default:
        return Sign(std::wcscmp(a->GetText(), b->GetText()));
    }
}

void CUGCtrl::NotifyPaintSetup(CDC*, CDC*, int) {}
void CUGCtrl::NotifyLayout(RECT*, RECT*, RECT*, RECT*, RECT*, RECT*, RECT*) {}
void CUGCtrl::NotifySheetTabSelected(int) {}

COLORREF CUGCtrl::GetDefaultBackColor(int section)
{
    return GetSysColor(section == SectionCellArea ? COLOR_WINDOW : COLOR_BTNFACE);
}

void CUGCtrl::DrawFocusRectangle(CDC* dc, RECT* rect)
{
    RECT focus = *rect;
    focus.right -= 1;
    focus.bottom -= 1;
    dc->DrawFocusRect(&focus);
}

void CUGCtrl::NotifyFocusLost(int) {}
int CUGCtrl::AskColumnDragStart(int) { return 1; }
int CUGCtrl::AskColumnMove(int, int) { return 1; }
void CUGCtrl::NotifyTrackingWindowMoved(RECT*, RECT*) {}
