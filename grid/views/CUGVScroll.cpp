// CUGVScroll: the vertical scroll bar. Above 1000 possible top rows the bar
// works in 1000 positions and the scales translate between positions and
// rows, so that the thumb covers a sheet of a million rows.
#include "CUGVScroll.h"

#include "CString.h"
#include "CUGCtrl.h"
#include "CUGGrid.h"
#include "CUGGridInfo.h"
#include "CUGHint.h"

namespace {

constexpr int kScaledPositions = 1000;

}  // namespace

void CUGVScroll::Update()
{
    CUGGridInfo* gi = m_GI;
    if (!GetSafeHwnd())
        return;
    if (gi->MaxTopRow != m_lastMaxTopRow || gi->VScrollThumbMode != m_lastThumbMode
        || gi->LockedRows != m_lastLockedRows) {
        m_lastMaxTopRow = gi->MaxTopRow;
        m_lastThumbMode = gi->VScrollThumbMode;
        m_lastLockedRows = gi->LockedRows;
        const int maxTop = gi->MaxTopRow;
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        if (maxTop > kScaledPositions) {
            m_scaledRows = maxTop;
            if (gi->VScrollThumbMode == 2) {
                SetScrollRange(0, 2, FALSE);
                m_scaledRows = 0;
            } else {
                info.fMask = SIF_RANGE | SIF_PAGE;
                info.nMin = gi->LockedRows;
                info.nMax = kScaledPositions;
                info.nPage = 1;
                SetScrollInfo(&info, FALSE);
            }
        } else {
            if (gi->VScrollThumbMode == 2) {
                info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
                info.nMin = 0;
                info.nMax = 2;
                info.nPage = 0;
                info.nPos = 1;
            } else {
                const int page = gi->GridHeight / gi->DefaultRowHeight;
                info.fMask = SIF_RANGE | SIF_PAGE;
                info.nMin = gi->LockedRows;
                info.nPage = page;
                info.nMax = page + maxTop - 1;
            }
            SetScrollInfo(&info, FALSE);
            Invalidate(TRUE);
            m_scaledRows = 0;
        }
        if (gi->VScrollRect.right - gi->VScrollRect.left == 0)
            m_ctrl->AdjustComponentSizes();
    }
    if (gi->TopRow != gi->PreviousTopRow && !m_thumbTracking)
        MoveThumb(gi->VScrollThumbMode == 2 ? 1 : PositionOfRow(gi->TopRow));
}

// Under Wine drawing the bar costs more than painting a screen of cells, so
// it is drawn only when its thumb moves: on a long sheet most one-row scrolls
// leave it where it is. While the user drags the thumb the system draws it
// under the pointer, and the position is set once, when it is released.
void CUGVScroll::MoveThumb(int position)
{
    if (position != GetScrollPos())
        SetScrollPos(position, TRUE);
}

long CUGVScroll::RowAtPosition(UINT position) const
{
    if (m_scaledRows == 0)
        return static_cast<long>(position);
    return static_cast<long>(static_cast<long long>(position) * m_scaledRows / kScaledPositions);
}

int CUGVScroll::PositionOfRow(long row) const
{
    if (m_scaledRows == 0)
        return static_cast<int>(row);
    return static_cast<int>(static_cast<long long>(row) * kScaledPositions / m_scaledRows);
}

void CUGVScroll::OnScroll(UINT code, UINT position)
{
    CUGGridInfo* gi = m_GI;
    m_ctrl->FocusCellArea();
    gi->MoveKind = CUGCtrl::MoveByScrollBar;
    const long rowAtThumb = RowAtPosition(position);
    switch (code) {
    case SB_LINEUP:
        m_ctrl->MoveTopRow(CUGCtrl::StepBack);
        break;
    case SB_LINEDOWN:
        m_ctrl->MoveTopRow(CUGCtrl::StepForward);
        break;
    case SB_PAGEUP:
        m_ctrl->MoveTopRow(CUGCtrl::StepPageBack);
        break;
    case SB_PAGEDOWN:
        m_ctrl->MoveTopRow(CUGCtrl::StepPageForward);
        break;
    case SB_TOP:
        m_ctrl->MoveTopRow(CUGCtrl::StepFirst);
        break;
    case SB_BOTTOM:
        m_ctrl->MoveTopRow(CUGCtrl::StepLast);
        break;
    case SB_THUMBPOSITION:
        if (gi->VScrollHints)
            m_ctrl->GetHint()->HideHint();
        m_thumbTracking = false;
        m_ctrl->SetTopRow(rowAtThumb);
        MoveThumb(gi->VScrollThumbMode == 2 ? 1 : PositionOfRow(gi->TopRow));
        break;
    case SB_THUMBTRACK:
        m_thumbTracking = true;
        if (gi->VScrollThumbMode == 1)
            m_ctrl->SetTopRow(rowAtThumb);
        m_trackedRow = rowAtThumb + gi->LockedRows;
        if (gi->VScrollHints)
            ShowTrackingHint();
        break;
    case SB_ENDSCROLL:
        // A drag that ended without a release position leaves the thumb
        // where the sheet is.
        if (m_thumbTracking) {
            m_thumbTracking = false;
            MoveThumb(gi->VScrollThumbMode == 2 ? 1 : PositionOfRow(gi->TopRow));
        }
        break;
    default:
        break;
    }
    gi->MoveKind = CUGCtrl::MoveByKeyboard;
}

// The hint sits left of the bar, its right edge at the pointer's height.
void CUGVScroll::ShowTrackingHint()
{
    RECT bar;
    GetWindowRect(&bar);
    const DWORD messagePos = GetMessagePos();
    POINT point{bar.left, static_cast<short>(HIWORD(messagePos))};
    m_ctrl->ScreenToClient(&point);
    CUGHint* hint = m_ctrl->GetHint();
    hint->SetHintPlacement(34);
    hint->SetHintTextAlignment(4);
    CString text;
    m_ctrl->GetVerticalScrollHint(m_trackedRow, &text);
    hint->SetHintText(text, FALSE);
    hint->MoveHintWindow(point.x - 1, point.y, 40);
    hint->ShowHint();
}

int CUGVScroll::OnCreate(LPCREATESTRUCTW createStruct)
{
    const int result = CScrollBar::OnCreate(createStruct);
    if (result != -1 && m_GI && m_GI->VScrollHints)
        EnableToolTips(TRUE);
    return result;
}

void CUGVScroll::OnRButtonDown(UINT flags, CPoint point)
{
    if (m_GI->PopupMenuEnabled) {
        POINT screen = point;
        ClientToScreen(&screen);
        m_ctrl->ShowPopupMenu(0, 0, &screen, CUGCtrl::SectionVScroll);
    }
    CScrollBar::OnRButtonDown(flags, point);
}
