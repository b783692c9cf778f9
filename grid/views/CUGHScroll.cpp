// CUGHScroll: the horizontal scroll bar. Its positions count the scrolled
// columns, from the first column after the locked ones.
#include "CUGHScroll.h"

#include "CString.h"
#include "CUGCtrl.h"
#include "CUGGrid.h"
#include "CUGGridInfo.h"
#include "CUGHint.h"

void CUGHScroll::Update()
{
    CUGGridInfo* gi = m_GI;
    if (!GetSafeHwnd())
        return;
    if (gi->MaxLeftCol != m_lastMaxLeftCol || gi->LockedCols != m_lastLockedCols) {
        m_lastMaxLeftCol = gi->MaxLeftCol;
        m_lastLockedCols = gi->LockedCols;
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE;
        const int page = gi->DefaultColWidth > 0
                             ? (gi->GridWidth - gi->LockedWidth) / gi->DefaultColWidth
                             : 1;
        info.nMin = 0;
        info.nPage = page;
        info.nMax = page - gi->LockedCols + gi->MaxLeftCol - 1;
        SetScrollInfo(&info, FALSE);
        Invalidate(FALSE);
        if (gi->HScrollRect.bottom - gi->HScrollRect.top == 0)
            m_ctrl->AdjustComponentSizes();
    }
    if (gi->LeftCol != gi->PreviousLeftCol && !m_thumbTracking)
        MoveThumb(gi->LeftCol - gi->LockedCols);
}

// Drawn only when the thumb moves or the range changed, for the reasons
// the vertical bar gives.
void CUGHScroll::MoveThumb(int position)
{
    if (position != GetScrollPos())
        SetScrollPos(position, TRUE);
}

void CUGHScroll::OnScroll(UINT code, UINT position)
{
    CUGGridInfo* gi = m_GI;
    m_ctrl->FocusCellArea();
    gi->MoveKind = CUGCtrl::MoveByScrollBar;
    const int colAtThumb = gi->LockedCols + static_cast<int>(position);
    switch (code) {
    case SB_LINELEFT:
        m_ctrl->MoveLeftColumn(CUGCtrl::StepBack);
        break;
    case SB_LINERIGHT:
        m_ctrl->MoveLeftColumn(CUGCtrl::StepForward);
        break;
    case SB_PAGELEFT:
        m_ctrl->MoveLeftColumn(CUGCtrl::StepPageBack);
        break;
    case SB_PAGERIGHT:
        m_ctrl->MoveLeftColumn(CUGCtrl::StepPageForward);
        break;
    case SB_LEFT:
        m_ctrl->MoveLeftColumn(CUGCtrl::StepFirst);
        break;
    case SB_RIGHT:
        m_ctrl->MoveLeftColumn(CUGCtrl::StepLast);
        break;
    case SB_THUMBPOSITION:
        if (gi->HScrollHints)
            m_ctrl->GetHint()->HideHint();
        m_thumbTracking = false;
        m_ctrl->SetLeftColumn(colAtThumb);
        MoveThumb(gi->LeftCol - gi->LockedCols);
        break;
    case SB_THUMBTRACK:
        m_thumbTracking = true;
        if (gi->HScrollThumbMode == 1)
            m_ctrl->SetLeftColumn(colAtThumb);
        m_trackedCol = colAtThumb;
        if (gi->HScrollHints)
            ShowTrackingHint();
        break;
    case SB_ENDSCROLL:
        // A drag that ended without a release position leaves the thumb
        // where the sheet is.
        if (m_thumbTracking) {
            m_thumbTracking = false;
            MoveThumb(gi->LeftCol - gi->LockedCols);
        }
        break;
    default:
        break;
    }
    gi->MoveKind = CUGCtrl::MoveByKeyboard;
}

// The hint sits above the bar, centred on the pointer.
void CUGHScroll::ShowTrackingHint()
{
    RECT bar;
    GetWindowRect(&bar);
    const DWORD messagePos = GetMessagePos();
    POINT point{static_cast<short>(LOWORD(messagePos)), bar.top};
    m_ctrl->ScreenToClient(&point);
    CUGHint* hint = m_ctrl->GetHint();
    hint->SetHintPlacement(20);
    hint->SetHintTextAlignment(4);
    CString text;
    m_ctrl->GetHorizontalScrollHint(m_trackedCol, &text);
    hint->SetHintText(text, FALSE);
    hint->MoveHintWindow(point.x, point.y - 1, 20);
    hint->ShowHint();
}

int CUGHScroll::OnCreate(LPCREATESTRUCTW createStruct)
{
    const int result = CScrollBar::OnCreate(createStruct);
    if (result != -1 && m_GI && m_GI->HScrollHints)
        EnableToolTips(TRUE);
    return result;
}

void CUGHScroll::OnRButtonDown(UINT flags, CPoint point)
{
    if (m_GI->PopupMenuEnabled) {
        POINT screen = point;
        ClientToScreen(&screen);
        m_ctrl->ShowPopupMenu(0, 0, &screen, CUGCtrl::SectionHScroll);
    }
    CScrollBar::OnRButtonDown(flags, point);
}
