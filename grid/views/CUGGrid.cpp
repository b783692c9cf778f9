// CUGGrid: the cell area of the grid control.
//
//   Creation ........... Create, OnCreate, destructor
//   Repaint requests ... RedrawAll, PaintCell/Column/Row/Range, Update
//   Painting ........... OnPaint, OnEraseBkgnd, DrawCells and its helpers
//   Off-screen bitmap .. SetDoubleBuffer, OnSize
//   Mouse .............. button presses and releases, double click,
//                        OnMouseMove -> RunDragLoop -> DragStep
//   Keyboard ........... OnKeyDown (acceleration, cell type, owner, moves),
//                        OnKeyUp, OnChar, OnMouseWheel
//   Focus and cursor ... OnSetFocus, OnKillFocus, OnMouseActivate,
//                        OnGetDlgCode, OnSetCursor
//   Cell tips .......... OnToolHitTest, OnNotify (TTN_NEEDTEXTW)
//
// Every repaint goes the same way: the requester puts cells on the redraw
// list and calls Update(), which first moves the existing picture by the
// distance the view scrolled since the last commit, adds what that uncovered
// and the old and new current cell, and then lets DrawCells paint exactly the
// listed cells. WM_PAINT lists the whole sheet.
#include "CUGGrid.h"

#include "CBrush.h"
#include "CClientDC.h"
#include "CDC.h"
#include "CFindReplaceDialog.h"
#include "CFont.h"
#include "CPaintDC.h"
#include "CUGBlockSelection.h"
#include "CUGCellType.h"
#include "CUGCtrl.h"
#include "CUGGridInfo.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cwchar>

namespace {

constexpr int kSection = CUGCtrl::SectionCellArea;

// The pointer rests on one cell before its tip shows: the tool hit test
// answers "no tool" for the first event on a new cell and remembers it here.
// One place for the whole module, so that moving from one grid to another
// also starts afresh.
int g_tipCol = -2;
long g_tipRow = -2;

// The tool record of a cell tip: TTF_IDISHWND together with the two bits that
// mark a tool as the framework's own.
constexpr UINT kTipToolFlags = TTF_IDISHWND | 0x80000000u | 0x40000000u;

// A key step or a drag target far beyond the grid is clamped by navigation;
// only the arithmetic must not overflow on the way there.
int ClampToInt(long long value)
{
    return static_cast<int>(std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, value)));
}

}  // namespace

// --- Creation --------------------------------------------------------------------

CUGGrid::CUGGrid() = default;

CUGGrid::~CUGGrid()
{
    m_offscreenBitmap.reset();
    m_redrawList.Clear();
}

// Clipping our siblings keeps the headings and scroll bars intact when the
// picture is scrolled with ScrollDC; clipping children keeps an open in-place
// edit from being painted over.
BOOL CUGGrid::Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                     CWnd* parent, UINT id)
{
    return CWnd::Create(className, windowName, style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect,
                        parent, id);
}

int CUGGrid::OnCreate(LPCREATESTRUCTW createStruct)
{
    const int result = CWnd::OnCreate(createStruct);
    if (result != -1 && m_GI && m_GI->CellHints)
        EnableToolTips(TRUE);
    return result;
}

// --- Repaint requests ------------------------------------------------------------

void CUGGrid::RedrawAll()
{
    if (!GetSafeHwnd())
        return;
    Invalidate(TRUE);
    UpdateWindow();
}

void CUGGrid::PaintCell(int col, long row)
{
    m_redrawList.AddCell(col, row);
    Update();
}

void CUGGrid::PaintColumn(int col)
{
    m_redrawList.AddRange(col, 0, col, m_GI ? m_GI->RowCount - 1 : -1);
    Update();
}

void CUGGrid::PaintRow(long row)
{
    m_redrawList.AddRange(0, row, m_GI ? m_GI->ColumnCount - 1 : -1, row);
    Update();
}

void CUGGrid::PaintRange(int startCol, long startRow, int endCol, long endRow)
{
    m_redrawList.AddRange(startCol, startRow, endCol, endRow);
    Update();
}

bool CUGGrid::FindDialogOpen() const
{
    const CFindReplaceDialog* find = m_ctrl ? m_ctrl->GetFindDialog() : nullptr;
    return find && find->GetSafeHwnd() && ::IsWindow(find->GetSafeHwnd());
}

void CUGGrid::AddWholeSheet()
{
    m_redrawList.AddRange(0, 0, m_GI->ColumnCount, m_GI->RowCount);
}

// The distance in pixels that the view moved along one axis since the
// picture was last drawn: the sizes of the indices between the shown and the
// new first scrolled index, negative when it moved back. `tooFar` is set
// when that exceeds the view, where scrolling the picture would save nothing.
template <typename SizeOf>
static int ViewShift(long now, long before, int viewSize, SizeOf sizeOf, bool& tooFar)
{
    if (now == before)
        return 0;
    // After a sheet change the previous position is unknown (-1).
    if (before < 0) {
        tooFar = true;
        return 0;
    }
    const long from = std::min(now, before);
    const long to = std::max(now, before);
    long long sum = 0;
    for (long index = from; index < to && sum <= viewSize; ++index)
        sum += sizeOf(index);
    if (sum > viewSize) {
        tooFar = true;
        return 0;
    }
    return static_cast<int>(now > before ? sum : -sum);
}

void CUGGrid::Update()
{
    if (!GetSafeHwnd() || !m_GI || !m_ctrl) {
        m_redrawList.Clear();
        return;
    }
    // A pending update region means a full WM_PAINT is due anyway; painting
    // part of the picture now would only be painted over.
    if (::GetUpdateRect(m_hWnd, nullptr, FALSE)) {
        UpdateWindow();
        return;
    }
    // The find dialog may cover any part of the view, and ScrollDC would
    // move its image along with the cells.
    if (FindDialogOpen()) {
        Invalidate(TRUE);
        UpdateWindow();
        return;
    }

    CUGGridInfo* gi = m_GI;
    // After a sheet change the picture is of another sheet: no position.
    const long shownLeftCol = gi->PreviousLeftCol < 0 ? -1 : m_shownLeftCol;
    const long shownTopRow = gi->PreviousTopRow < 0 ? -1 : m_shownTopRow;
    bool tooFar = false;
    int dx = ViewShift(
        gi->LeftCol, shownLeftCol, gi->GridWidth,
        [this](long col) { return m_ctrl->GetColumnWidth(static_cast<int>(col)); }, tooFar);
    int dy = ViewShift(
        gi->TopRow, shownTopRow, gi->GridHeight,
        [this](long row) { return m_ctrl->GetRowHeight(row); }, tooFar);
    if (tooFar) {
        AddWholeSheet();
        dx = 0;
        dy = 0;
    }

    CClientDC windowDC(this);
    CDC offscreenDC;
    const bool buffered = m_doubleBufferMode == 1 && m_offscreenBitmap;
    if (buffered) {
        offscreenDC.CreateCompatibleDC(nullptr);
        offscreenDC.SelectObject(m_offscreenBitmap.get());
    }
    CDC* drawDC = buffered ? &offscreenDC : &windowDC;

    if (dx != 0 || dy != 0) {
        RECT scroll;
        GetClientRect(&scroll);
        // The locked strip along the axis that did not move stays where it
        // is; along the moving axis it scrolls with the cells.
        if (dx == 0)
            scroll.top += gi->LockedHeight;
        if (dy == 0)
            scroll.left += gi->LockedWidth;
        drawDC->ScrollDC(-dx, -dy, &scroll, &scroll, nullptr, nullptr);

        if (dx > 0)
            m_redrawList.AddRange(gi->RightCol, 0, gi->ColumnCount, gi->RowCount);
        else if (dx < 0)
            m_redrawList.AddRange(0, 0, shownLeftCol, gi->RowCount);
        if (dy > 0)
            m_redrawList.AddRange(0, gi->BottomRow, gi->ColumnCount, gi->RowCount);
        else if (dy < 0)
            m_redrawList.AddRange(0, 0, gi->ColumnCount, shownTopRow);
        // A diagonal scroll moved the locked strips too; they are painted
        // again in their places.
        if (dx != 0 && dy != 0) {
            if (gi->LockedRows > 0)
                m_redrawList.AddRange(0, 0, gi->ColumnCount, gi->LockedRows - 1);
            if (gi->LockedCols > 0)
                m_redrawList.AddRange(0, 0, gi->LockedCols - 1, gi->RowCount);
        }
    }

    if (gi->SelectRows) {
        m_redrawList.AddRange(0, gi->PreviousRow, gi->ColumnCount, gi->PreviousRow);
        m_redrawList.AddRange(0, gi->CurrentRow, gi->ColumnCount, gi->CurrentRow);
    } else {
        m_redrawList.AddCell(gi->PreviousCol, gi->PreviousRow);
        m_redrawList.AddCell(gi->CurrentCol, gi->CurrentRow);
    }

    DrawCells(&windowDC, buffered ? &offscreenDC : nullptr);
}

// --- Painting --------------------------------------------------------------------

void CUGGrid::OnPaint()
{
    CPaintDC dc(this);
    if (!m_GI || !m_ctrl)
        return;
    AddWholeSheet();
    CDC offscreenDC;
    const bool buffered = m_doubleBufferMode == 1 && m_offscreenBitmap;
    if (buffered) {
        offscreenDC.CreateCompatibleDC(nullptr);
        offscreenDC.SelectObject(m_offscreenBitmap.get());
    }
    DrawCells(&dc, buffered ? &offscreenDC : nullptr);
}

// The painting pass covers every pixel of the view (cells or the empty-area
// fill), so erasing first would only flicker.
BOOL CUGGrid::OnEraseBkgnd(CDC* /*dc*/)
{
    return TRUE;
}

RECT CUGGrid::ViewRect() const
{
    RECT rect{0, 0, m_GI ? m_GI->GridWidth : 0, m_GI ? m_GI->GridHeight : 0};
    if (GetSafeHwnd())
        GetClientRect(&rect);
    return rect;
}

COLORREF CUGGrid::BackColor() const
{
    return m_ctrl ? m_ctrl->GetDefaultBackColor(kSection) : ::GetSysColor(COLOR_WINDOW);
}

void CUGGrid::DrawCells(CDC* dc, CDC* offscreenDC)
{
    if (!m_GI || !m_ctrl || !dc)
        return;
    CUGGridInfo* gi = m_GI;
    const bool buffered = m_doubleBufferMode == 1 && offscreenDC;
    CDC* drawDC = buffered ? offscreenDC : dc;
    m_shownLeftCol = gi->LeftCol;
    m_shownTopRow = gi->TopRow;

    CFont* previousFont = nullptr;
    CFont* previousOffscreenFont = nullptr;
    if (gi->DefaultFont) {
        previousFont = dc->SelectObject(gi->DefaultFont);
        if (buffered)
            previousOffscreenFont = offscreenDC->SelectObject(gi->DefaultFont);
    }
    m_ctrl->NotifyPaintSetup(dc, offscreenDC, kSection);

    PassState pass;
    CellDCState dcState(drawDC);
    pass.dcState = &dcState;
    gi->RightCol = gi->ColumnCount;
    gi->BottomRow = gi->RowCount;

    int y = 0;
    for (long row = 0; row < gi->RowCount; ++row) {
        if (row == gi->LockedRows && gi->TopRow > row) {
            row = gi->TopRow;
            if (row >= gi->RowCount)
                break;
        }
        const int height = m_ctrl->GetRowHeight(row);
        if (height <= 0)
            continue;
        const int bottom = y + height;
        DrawRow(drawDC, row, y, bottom, pass);
        y = bottom;

        if (y > gi->GridHeight) {
            gi->BottomRow = row;
            break;
        }
        // The data source may have rows beyond the count that it adds when
        // asked; a view that shows the end of the sheet asks.
        if (row >= gi->RowCount - 1) {
            const long countBefore = gi->RowCount;
            long next = row + 1;
            m_ctrl->ClampTargetRow(next);
            if (gi->RowCount > countBefore)
                m_redrawList.AddRange(0, row + 1, gi->ColumnCount, row + 1);
        }
    }

    m_redrawList.Clear();
    if (y < gi->GridHeight && gi->BottomRow == gi->RowCount)
        pass.belowAreaY = y;

    if (pass.rightAreaX >= 0 || pass.belowAreaY >= 0) {
        CBrush brush(BackColor());
        const RECT client = ViewRect();
        if (pass.rightAreaX >= 0) {
            const RECT right{pass.rightAreaX, client.top, client.right, client.bottom};
            drawDC->FillRect(&right, &brush);
        }
        if (pass.belowAreaY >= 0) {
            const RECT below{client.left, pass.belowAreaY, client.right, client.bottom};
            drawDC->FillRect(&below, &brush);
        }
    }

    if (buffered)
        dc->BitBlt(0, 0, gi->GridWidth, gi->GridHeight, offscreenDC, 0, 0, SRCCOPY);

    if ((m_hasFocus || FindDialogOpen()) && pass.focusFound) {
        RECT focus = pass.focusRect;
        if (gi->SelectRows) {
            focus.left = 0;
            focus.right = std::min(pass.lastRight, gi->GridWidth);
        }
        m_ctrl->DrawFocusRectangle(dc, &focus);
    }

    if (previousOffscreenFont)
        offscreenDC->SelectObject(previousOffscreenFont);
    if (previousFont)
        dc->SelectObject(previousFont);
}

void CUGGrid::DrawRow(CDC* drawDC, long row, int top, int bottom, PassState& pass)
{
    CUGGridInfo* gi = m_GI;
    int x = 0;
    for (int col = 0; col < gi->ColumnCount; ++col) {
        if (col == gi->LockedCols && gi->LeftCol > col) {
            col = gi->LeftCol;
            if (col >= gi->ColumnCount)
                break;
        }
        const int width = m_ctrl->GetColumnWidth(col);
        if (width <= 0)
            continue;
        const RECT cellRect{x, top, x + width, bottom};
        x += width;

        // A row or column that begins at the view's edge still counts for
        // the bottom row and the right column, but none of it shows.
        const bool outside = top >= gi->GridHeight || cellRect.left >= gi->GridWidth;
        if (!outside && m_redrawList.Contains(col, row)) {
            DrawCell(drawDC, col, row, cellRect, pass);
        } else if (!outside && IsFocusCell(col, row)) {
            pass.focusRect = cellRect;
            pass.focusFound = true;
        }

        if (x > gi->GridWidth) {
            gi->RightCol = col;
            break;
        }
    }
    pass.lastRight = x;
    if (x < gi->GridWidth && gi->RightCol == gi->ColumnCount)
        pass.rightAreaX = x;
}

bool CUGGrid::IsFocusCell(int col, long row) const
{
    return row == m_GI->CurrentRow && (col == m_GI->CurrentCol || m_GI->SelectRows);
}

void CUGGrid::DrawCell(CDC* drawDC, int col, long row, RECT rect, PassState& pass)
{
    CUGGridInfo* gi = m_GI;
    m_ctrl->GetCell(col, row, &m_cell);

    // A joined block is drawn whole, once, from whichever of its cells the
    // pass meets first, and with the origin's cell record: the other cells
    // of a block carry no content of their own.
    if (gi->JoinsEnabled && m_cell.IsPropertySet(CUGCell::PropJoinInfo)) {
        int originCol = col;
        long originRow = row;
        if (m_ctrl->GetJoinStart(originCol, originRow) == 0) {
            if (m_redrawList.WasJoinDrawn(originCol, originRow))
                return;
            m_redrawList.MarkJoinDrawn(originCol, originRow);
            m_ctrl->GetCellRect(originCol, originRow, rect);
            if (originCol != col || originRow != row) {
                col = originCol;
                row = originRow;
                m_ctrl->GetCell(col, row, &m_cell);
            }
        }
    }

    const int typeIndex =
        m_cell.IsPropertySet(CUGCell::PropCellType) ? m_cell.GetCellType() : -1;
    CUGCellType* type = m_ctrl->GetCellType(typeIndex);

    if (IsFocusCell(col, row)) {
        type->OnDraw(drawDC, &rect, col, row, &m_cell, 0, 1);
    } else {
        int block = 0;
        const int selected =
            gi->MultiSelect && gi->MultiSelect->IsSelected(col, row, &block) ? block + 1 : 0;
        type->OnDraw(drawDC, &rect, col, row, &m_cell, selected, 0);
    }
    DrawLockedBoundary(drawDC, col, row, rect);
    pass.dcState->Restore();

    if (IsFocusCell(col, row)) {
        pass.focusRect = rect;
        pass.focusFound = true;
    }
}

// The line between the locked and the scrolled part is drawn by the cells
// on both sides of it, so it is back whichever of them was repainted.
void CUGGrid::DrawLockedBoundary(CDC* drawDC, int col, long row, const RECT& rect)
{
    CUGGridInfo* gi = m_GI;
    if (gi->LockedCols <= 0 && gi->LockedRows <= 0)
        return;
    drawDC->SelectStockObject(BLACK_PEN);
    if (gi->LockedCols > 0) {
        if (col == gi->LeftCol) {
            drawDC->MoveTo(rect.left - 1, rect.top);
            drawDC->LineTo(rect.left - 1, rect.bottom + 1);
        } else if (col == gi->LockedCols - 1) {
            drawDC->MoveTo(rect.right - 1, rect.top);
            drawDC->LineTo(rect.right - 1, rect.bottom + 1);
        }
    }
    if (gi->LockedRows > 0) {
        if (row == gi->TopRow) {
            drawDC->MoveTo(rect.left, rect.top - 1);
            drawDC->LineTo(rect.right + 1, rect.top - 1);
        } else if (row == gi->LockedRows - 1) {
            drawDC->MoveTo(rect.left, rect.bottom - 1);
            drawDC->LineTo(rect.right + 1, rect.bottom - 1);
        }
    }
}

// --- Off-screen bitmap -----------------------------------------------------------

int CUGGrid::SetDoubleBuffer(int mode)
{
    m_offscreenBitmap.reset();
    if (mode != 1) {
        m_doubleBufferMode = 0;
        return 0;
    }
    if (GetSafeHwnd())
        GetClientRect(&m_clientRect);
    const int width = std::max<int>(1, m_clientRect.right - m_clientRect.left);
    const int height = std::max<int>(1, m_clientRect.bottom - m_clientRect.top);

    CClientDC windowDC(this);
    auto bitmap = std::make_unique<CBitmap>();
    if (!bitmap->CreateCompatibleBitmap(&windowDC, width, height)) {
        m_doubleBufferMode = 0;
        return 1;
    }
    {
        CDC fillDC;
        fillDC.CreateCompatibleDC(&windowDC);
        fillDC.SelectObject(bitmap.get());
        fillDC.FillSolidRect(0, 0, width, height, BackColor());
    }
    m_offscreenBitmap = std::move(bitmap);
    m_doubleBufferMode = 1;
    return 0;
}

void CUGGrid::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    GetClientRect(&m_clientRect);
    if (m_doubleBufferMode == 1)
        SetDoubleBuffer(1);
}

// --- Mouse -----------------------------------------------------------------------

CUGGrid::Hit CUGGrid::HitTest(CPoint point)
{
    Hit hit;
    hit.onCell = m_ctrl->GetCellFromPoint(point.x, point.y, hit.col, hit.row, hit.rect) == 0;
    if (!hit.onCell) {
        hit.col = -1;
        hit.row = -1;
        hit.rect = RECT{0, 0, 0, 0};
    }
    return hit;
}

bool CUGGrid::InputBlocked() const
{
    return !m_ctrl || !m_GI || m_ctrl->IsEditInProgress();
}

void CUGGrid::OnLButtonDown(UINT flags, CPoint point)
{
    if (InputBlocked())
        return;
    SetCapture();
    m_GI->MoveKind = CUGCtrl::MoveByLeftButton;
    m_GI->KeyFlags = static_cast<int>(flags);
    Hit hit = HitTest(point);
    int answer = 0;
    if (hit.onCell) {
        m_ctrl->GotoCell(hit.col, hit.row);
        answer = m_ctrl->GetCellTypeOf(hit.col, hit.row)
                     ->OnLeftClick(hit.col, hit.row, 1, &hit.rect, &point);
        if (answer)
            m_mouseOwnedByCellType = 1;
    }
    m_ctrl->NotifyCellLeftButton(hit.col, hit.row, 1, &hit.rect, &point, answer);
    m_GI->MoveKind = CUGCtrl::MoveByKeyboard;
}

void CUGGrid::OnLButtonUp(UINT /*flags*/, CPoint point)
{
    if (m_ctrl && m_GI) {
        Hit hit = HitTest(point);
        int answer = 0;
        if (hit.onCell)
            answer = m_ctrl->GetCellTypeOf(hit.col, hit.row)
                         ->OnLeftClick(hit.col, hit.row, 0, &hit.rect, &point);
        m_ctrl->NotifyCellLeftButton(hit.col, hit.row, 0, &hit.rect, &point, answer);
    }
    if (GetCapture() == this)
        ::ReleaseCapture();
    m_mouseOwnedByCellType = 0;
}

void CUGGrid::OnLButtonDblClk(UINT /*flags*/, CPoint point)
{
    if (!m_ctrl || !m_GI)
        return;
    Hit hit = HitTest(point);
    int answer = 0;
    if (hit.onCell)
        answer = m_ctrl->GetCellTypeOf(hit.col, hit.row)
                     ->OnDoubleClick(hit.col, hit.row, &hit.rect, &point);
    m_ctrl->NotifyCellDoubleClick(hit.col, hit.row, &hit.rect, &point, answer);
}

void CUGGrid::OnRButtonDown(UINT flags, CPoint point)
{
    if (InputBlocked())
        return;
    m_GI->MoveKind = CUGCtrl::MoveByRightButton;
    m_GI->KeyFlags = static_cast<int>(flags);
    Hit hit = HitTest(point);
    int answer = 0;
    if (hit.onCell) {
        m_ctrl->GotoCell(hit.col, hit.row);
        answer = m_ctrl->GetCellTypeOf(hit.col, hit.row)
                     ->OnRightClick(hit.col, hit.row, 1, &hit.rect, &point);
    }
    m_ctrl->NotifyCellRightButton(hit.col, hit.row, 1, &hit.rect, &point, answer);
    m_GI->MoveKind = CUGCtrl::MoveByKeyboard;
    if (m_GI->PopupMenuEnabled) {
        POINT screen = point;
        ClientToScreen(&screen);
        m_ctrl->ShowPopupMenu(hit.col, hit.row, &screen, kSection);
    }
}

void CUGGrid::OnRButtonUp(UINT /*flags*/, CPoint point)
{
    if (!m_ctrl || !m_GI)
        return;
    Hit hit = HitTest(point);
    int answer = 0;
    if (hit.onCell)
        answer = m_ctrl->GetCellTypeOf(hit.col, hit.row)
                     ->OnRightClick(hit.col, hit.row, 0, &hit.rect, &point);
    m_ctrl->NotifyCellRightButton(hit.col, hit.row, 0, &hit.rect, &point, answer);
}

void CUGGrid::OnMouseMove(UINT flags, CPoint point)
{
    if (InputBlocked())
        return;
    // A cell type that took the press (a check box, a button) follows the
    // mouse until the release wherever it goes, so it hears of the moves at
    // the cell it owns.
    if (m_mouseOwnedByCellType) {
        const int col = m_GI->CurrentCol;
        const long row = m_GI->CurrentRow;
        const int answer = m_ctrl->GetCellTypeOf(col, row)->OnMouseMove(col, row, &point, flags);
        m_ctrl->NotifyCellMouseMove(col, row, &point, flags, answer);
        return;
    }
    m_GI->MoveKind = CUGCtrl::MoveByDrag;
    m_GI->KeyFlags = static_cast<int>(flags);
    Hit hit = HitTest(point);
    if (hit.onCell) {
        const int answer =
            m_ctrl->GetCellTypeOf(hit.col, hit.row)->OnMouseMove(hit.col, hit.row, &point, flags);
        m_ctrl->NotifyCellMouseMove(hit.col, hit.row, &point, flags, answer);
    }
    if (flags & MK_LBUTTON)
        RunDragLoop(point);
    m_GI->MoveKind = CUGCtrl::MoveByKeyboard;
}

// The steps of one axis of auto-scrolling. With a MouseScrollMode exponent
// the step grows with the distance of the pointer beyond the edge, measured
// in default cell sizes; a base below 1 (a pointer inside the view over the
// partly shown last cell) still moves one step.
int CUGGrid::ScrollSteps(int beyond, int cellSize) const
{
    const int exponent = m_GI->MouseScrollMode;
    const int base = std::max(1, beyond / std::max(1, cellSize) + 1);
    return ClampToInt(static_cast<long long>(std::pow(static_cast<double>(base), exponent)));
}

// One pass of the drag loop: follow the pointer with the current cell, then
// scroll when it is beyond an edge. Answers whether a single step was made,
// after which the loop pauses so that the scrolling stays followable.
bool CUGGrid::DragStep(CPoint point, DragEdges& edges)
{
    CUGGridInfo* gi = m_GI;
    Hit hit = HitTest(point);
    if (hit.onCell) {
        // A partly shown last column scrolls the view sideways and a partly
        // shown last row scrolls it down; neither moves the other axis.
        if (hit.col == gi->RightCol)
            edges.right = true;
        if (hit.row == gi->BottomRow)
            edges.bottom = true;
        if (gi->LockedRows == 0 && gi->LockedCols == 0) {
            m_ctrl->GotoCell(hit.col, hit.row);
        } else {
            // Dragging from the scrolled part into the locked part scrolls
            // back one step instead of jumping to the locked cell.
            if (gi->DragCol >= gi->LockedCols && hit.col < gi->LockedCols)
                m_ctrl->MoveCurrentColumn(CUGCtrl::StepBack);
            else
                m_ctrl->GotoColumn(hit.col);
            if (gi->DragRow >= gi->LockedRows && hit.row < gi->LockedRows)
                m_ctrl->MoveCurrentRow(CUGCtrl::StepBack);
            else
                m_ctrl->GotoRow(hit.row);
        }
    }

    bool singleStep = false;
    const bool exponential = gi->MouseScrollMode != 0;

    const bool left = point.x < 0;
    const bool right = !left && (point.x > gi->GridWidth || edges.right);
    if (left || right) {
        if (!exponential) {
            m_ctrl->MoveCurrentColumn(left ? CUGCtrl::StepBack : CUGCtrl::StepForward);
            singleStep = true;
        } else {
            const int steps = left ? ScrollSteps(-point.x, gi->DefaultColWidth)
                                   : ScrollSteps(point.x - gi->GridWidth, gi->DefaultColWidth);
            m_ctrl->GotoColumn(
                ClampToInt(static_cast<long long>(gi->DragCol) + (left ? -steps : steps)));
            singleStep = singleStep || steps == 1;
        }
    }

    const bool up = point.y < 0;
    const bool down = !up && (point.y > gi->GridHeight || edges.bottom);
    if (up || down) {
        if (!exponential) {
            m_ctrl->MoveCurrentRow(up ? CUGCtrl::StepBack : CUGCtrl::StepForward);
            singleStep = true;
        } else {
            const int steps = up ? ScrollSteps(-point.y, gi->DefaultRowHeight)
                                 : ScrollSteps(point.y - gi->GridHeight, gi->DefaultRowHeight);
            m_ctrl->GotoRow(
                ClampToInt(static_cast<long long>(gi->DragRow) + (up ? -steps : steps)));
            singleStep = singleStep || steps == 1;
        }
    }
    return singleStep;
}

// The drag loop runs while the left button is held: it keeps scrolling with
// the pointer held still beyond an edge, and gives the mouse message that
// ends the hold (a move or the release) back to the normal handling. Other
// messages are dispatched here so that painting and timers go on.
void CUGGrid::RunDragLoop(CPoint point)
{
    DragEdges edges;
    for (;;) {
        const bool moved = DragStep(point, edges);
        if (moved && m_GI->MouseScrollDelay > 0)
            ::Sleep(static_cast<DWORD>(m_GI->MouseScrollDelay));
        // The release may have gone to another window that took the mouse.
        if (!GetSafeHwnd() || ::GetCapture() != m_hWnd)
            break;

        MSG msg;
        bool leave = false;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP
                || msg.message == WM_QUIT) {
                leave = true;
                break;
            }
            if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                break;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (leave || !GetSafeHwnd())
            break;
    }
    if (m_GI)
        m_GI->MoveKind = CUGCtrl::MoveByKeyboard;
}

// --- Keyboard --------------------------------------------------------------------

// Held-down arrow keys speed up: with a divisor d the n-th repeated key-down
// moves (n / d)^3 + 1 cells, and the first repeats can be slowed down so that
// a single press does not run on.
int CUGGrid::KeyStep()
{
    const int divisor = m_GI->KeyAcceleration;
    if (divisor <= 0)
        return 1;
    ++m_keyRepeatCount;
    const long long q = m_keyRepeatCount / divisor;
    if (m_GI->KeyAccelerationDelay > 0 && q == 0 && m_keyRepeatCount >= 2)
        ::Sleep(static_cast<DWORD>(m_GI->KeyAccelerationDelay));
    return ClampToInt(q * q * q + 1);
}

void CUGGrid::OnKeyDown(UINT ch, UINT /*repeatCount*/, UINT /*flags*/)
{
    if (!m_ctrl || !m_GI)
        return;
    CUGGridInfo* gi = m_GI;
    gi->MoveKind = CUGCtrl::MoveByKeyboard;
    const int step = KeyStep();

    UINT key = ch;
    const int answer =
        m_ctrl->GetCellTypeOf(gi->CurrentCol, gi->CurrentRow)
            ->OnKeyDown(gi->CurrentCol, gi->CurrentRow, &key);
    m_ctrl->NotifyKeyDown(&key, answer);

    const bool control = ::GetKeyState(VK_CONTROL) < 0;
    switch (key) {
    case VK_LEFT:
        m_ctrl->GotoColumn(ClampToInt(static_cast<long long>(gi->DragCol) - step));
        break;
    case VK_RIGHT:
        m_ctrl->GotoColumn(ClampToInt(static_cast<long long>(gi->DragCol) + step));
        break;
    case VK_UP:
        m_ctrl->GotoRow(ClampToInt(static_cast<long long>(gi->DragRow) - step));
        break;
    case VK_DOWN:
        m_ctrl->GotoRow(ClampToInt(static_cast<long long>(gi->DragRow) + step));
        break;
    case VK_PRIOR:
        m_ctrl->MoveCurrentRow(CUGCtrl::StepPageBack);
        break;
    case VK_NEXT:
        m_ctrl->MoveCurrentRow(CUGCtrl::StepPageForward);
        break;
    case VK_HOME:
        if (control)
            m_ctrl->MoveCurrentRow(CUGCtrl::StepFirst);
        else
            m_ctrl->MoveCurrentColumn(CUGCtrl::StepFirst);
        break;
    case VK_END:
        if (control)
            m_ctrl->MoveCurrentRow(CUGCtrl::StepLast);
        else
            m_ctrl->MoveCurrentColumn(CUGCtrl::StepLast);
        break;
    default:
        break;
    }
}

void CUGGrid::OnKeyUp(UINT ch, UINT repeatCount, UINT flags)
{
    m_keyRepeatCount = 0;
    CWnd::OnKeyUp(ch, repeatCount, flags);
}

void CUGGrid::OnChar(UINT ch, UINT /*repeatCount*/, UINT /*flags*/)
{
    if (!m_ctrl || !m_GI)
        return;
    UINT character = ch;
    const int col = m_GI->CurrentCol;
    const long row = m_GI->CurrentRow;
    const int answer = m_ctrl->GetCellTypeOf(col, row)->OnCharDown(col, row, &character);
    m_ctrl->NotifyCharacter(&character, answer);
}

// One notch (120) scrolls three rows; partial notches of high-resolution
// wheels scroll nothing until they add up to a notch in a single message.
BOOL CUGGrid::OnMouseWheel(UINT flags, short delta, CPoint screenPoint)
{
    if (m_ctrl && m_GI)
        m_ctrl->SetTopRow(m_GI->TopRow - 3 * (delta / WHEEL_DELTA));
    return CWnd::OnMouseWheel(flags, delta, screenPoint);
}

// --- Focus and cursor ------------------------------------------------------------

void CUGGrid::OnSetFocus(CWnd* oldWnd)
{
    m_hasFocus = 1;
    m_mouseOwnedByCellType = 0;
    m_keyRepeatCount = 0;
    CWnd::OnSetFocus(oldWnd);
    if (!m_ctrl || !m_GI)
        return;
    m_ctrl->NotifyFocusGained(kSection);
    PaintCell(m_GI->CurrentCol, m_GI->CurrentRow);
}

void CUGGrid::OnKillFocus(CWnd* newWnd)
{
    m_hasFocus = 0;
    CWnd::OnKillFocus(newWnd);
    if (!m_ctrl || !m_GI)
        return;
    PaintCell(m_GI->CurrentCol, m_GI->CurrentRow);
    m_ctrl->NotifyFocusLost(kSection);
}

int CUGGrid::OnMouseActivate(CWnd* /*topParent*/, UINT /*hitTest*/, UINT /*message*/)
{
    SetFocus();
    return MA_ACTIVATE;
}

// The view takes every key, arrows and Tab and Enter included; while its
// in-place edit has the focus the edit's keys must not go to the dialog
// either.
UINT CUGGrid::OnGetDlgCode()
{
    constexpr UINT wanted = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
    HWND focus = ::GetFocus();
    if (focus && ::IsChild(m_hWnd, focus))
        return wanted;
    return wanted | static_cast<UINT>(Default());
}

BOOL CUGGrid::OnSetCursor(CWnd* /*wnd*/, UINT /*hitTest*/, UINT /*message*/)
{
    ::SetCursor(m_GI && m_GI->ArrowCursor ? m_GI->ArrowCursor
                                          : ::LoadCursorW(nullptr, IDC_ARROW));
    return TRUE;
}

// --- Cell tips -------------------------------------------------------------------

INT_PTR CUGGrid::OnToolHitTest(CPoint point, TOOLINFOW* info) const
{
    if (!m_ctrl || !m_GI)
        return -1;
    int col = 0;
    long row = 0;
    RECT rect{};
    if (m_ctrl->GetCellFromPoint(point.x, point.y, col, row, rect) != 0)
        return -1;
    if (col != g_tipCol || row != g_tipRow) {
        g_tipCol = col;
        g_tipRow = row;
        if (HWND tip = GetToolTipWindow())
            ::SendMessageW(tip, TTM_POP, 0, 0);
        return -1;
    }
    if (info) {
        info->cbSize = sizeof(TOOLINFOW);
        info->uFlags = kTipToolFlags;
        info->hwnd = m_hWnd;
        info->uId = reinterpret_cast<UINT_PTR>(m_hWnd);
        info->lpszText = LPSTR_TEXTCALLBACKW;
    }
    return 1;
}

BOOL CUGGrid::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header || header->code != TTN_NEEDTEXTW || !m_ctrl || !m_GI)
        return CWnd::OnNotify(wParam, lParam, result);

    auto* request = reinterpret_cast<NMTTDISPINFOW*>(lParam);
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    int col = 0;
    long row = 0;
    RECT rect{};
    m_tipText.Empty();
    if (m_ctrl->GetCellFromPoint(cursor.x, cursor.y, col, row, rect) == 0)
        m_ctrl->GetCellHintText(col, row, kSection, &m_tipText);

    // Short texts go into the request's own buffer; a longer one is kept
    // here until the next request so that the tip shows all of it.
    constexpr int capacity = static_cast<int>(sizeof(request->szText) / sizeof(wchar_t));
    if (m_tipText.GetLength() < capacity) {
        std::wcsncpy(request->szText, m_tipText.GetString(), capacity);
        request->szText[capacity - 1] = L'\0';
        request->lpszText = request->szText;
    } else {
        request->lpszText = const_cast<wchar_t*>(m_tipText.GetString());
    }
    request->hinst = nullptr;
    if (result)
        *result = 0;
    return TRUE;
}

void CUGGrid::InvertTrackingRect(const RECT& rect)
{
    CDC* dc = GetDC();
    dc->DrawFocusRect(&rect);
    ReleaseDC(dc);
}
