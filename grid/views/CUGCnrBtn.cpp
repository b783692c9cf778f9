#include "CUGCnrBtn.h"

#include "CDC.h"
#include "CPaintDC.h"
#include "CUGCtrl.h"
#include "CUGGridInfo.h"

void CUGCnrBtn::RedrawAll()
{
    if (!GetSafeHwnd())
        return;
    Invalidate(TRUE);
    UpdateWindow();
}

// The corner is cell (-1, -1), drawn by its cell type like any heading.
void CUGCnrBtn::OnPaint()
{
    CPaintDC dc(this);
    // The corner reports itself as part of the column heading.
    m_ctrl->NotifyPaintSetup(&dc, nullptr, CUGCtrl::SectionColumnHeading);
    dc.SetBkColor(GetSysColor(COLOR_BTNFACE));
    m_ctrl->GetCell(-1, -1, &m_cell);
    CUGCellType* type = m_ctrl->GetCellType(m_cell.GetCellType());
    if (m_GI->DefaultFont)
        dc.SelectObject(m_GI->DefaultFont);
    RECT client;
    GetClientRect(&client);
    type->OnDraw(&dc, &client, -1, -1, &m_cell, 0, 0);
}
