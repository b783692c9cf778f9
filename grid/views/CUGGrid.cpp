// Placeholder bodies; replaced as the subject is built.
#include "CUGGrid.h"

CUGGrid::CUGGrid() = default;
CUGGrid::~CUGGrid() = default;

BOOL CUGGrid::Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(className, windowName, style, rect, parent, id);
}

void CUGGrid::RedrawAll()
{

}

void CUGGrid::Update()
{

}

void CUGGrid::PaintCell(int col, long row)
{

}

void CUGGrid::PaintColumn(int col)
{

}

void CUGGrid::PaintRow(long row)
{

}

void CUGGrid::PaintRange(int startCol, long startRow, int endCol, long endRow)
{

}

int CUGGrid::SetDoubleBuffer(int mode)
{
    return 0;
}

void CUGGrid::DrawCells(CDC* dc, CDC* offscreenDC)
{

}

int CUGGrid::OnCreate(LPCREATESTRUCTW createStruct)
{
    return CWnd::OnCreate(createStruct);
}

void CUGGrid::OnPaint()
{
    Default();
}

BOOL CUGGrid::OnEraseBkgnd(CDC* dc)
{
    return FALSE;
}

void CUGGrid::OnSize(UINT type, int cx, int cy)
{

}

void CUGGrid::OnSetFocus(CWnd* oldWnd)
{

}

void CUGGrid::OnKillFocus(CWnd* newWnd)
{

}

int CUGGrid::OnMouseActivate(CWnd* topParent, UINT hitTest, UINT message)
{
    return 0;
}

UINT CUGGrid::OnGetDlgCode()
{
    return 0;
}

BOOL CUGGrid::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    return FALSE;
}

void CUGGrid::OnKeyDown(UINT ch, UINT repeatCount, UINT flags)
{

}

void CUGGrid::OnKeyUp(UINT ch, UINT repeatCount, UINT flags)
{

}

void CUGGrid::OnChar(UINT ch, UINT repeatCount, UINT flags)
{

}

void CUGGrid::OnLButtonDown(UINT flags, CPoint point)
{

}

void CUGGrid::OnLButtonUp(UINT flags, CPoint point)
{

}

void CUGGrid::OnLButtonDblClk(UINT flags, CPoint point)
{

}

void CUGGrid::OnRButtonDown(UINT flags, CPoint point)
{

}

void CUGGrid::OnRButtonUp(UINT flags, CPoint point)
{

}

void CUGGrid::OnMouseMove(UINT flags, CPoint point)
{

}

BOOL CUGGrid::OnMouseWheel(UINT flags, short delta, CPoint screenPoint)
{
    return FALSE;
}

BOOL CUGGrid::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return FALSE;
}

INT_PTR CUGGrid::OnToolHitTest(CPoint point, TOOLINFOW* info) const
{
    return -1;
}
