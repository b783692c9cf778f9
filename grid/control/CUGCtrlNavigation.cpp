// Placeholder bodies; replaced as the subject is built.
#include "CUGCtrl.h"

int CUGCtrl::GotoCell(int col, long row)
{
    return 0;
}

int CUGCtrl::GotoColumn(int col)
{
    return 0;
}

int CUGCtrl::GotoRow(long row)
{
    return 0;
}

int CUGCtrl::SetLeftColumn(int col)
{
    return 0;
}

int CUGCtrl::SetTopRow(long row)
{
    return 0;
}

int CUGCtrl::MoveCurrentColumn(int code)
{
    return 0;
}

int CUGCtrl::MoveCurrentRow(int code)
{
    return 0;
}

int CUGCtrl::MoveLeftColumn(int code)
{
    return 0;
}

int CUGCtrl::MoveTopRow(int code)
{
    return 0;
}

void CUGCtrl::CommitCurrentCellMove()
{

}

void CUGCtrl::ScrollToShowTargetColumn()
{

}

void CUGCtrl::ScrollToShowTargetRow()
{

}

void CUGCtrl::ComputeMaxLeftColumn()
{

}

void CUGCtrl::ComputeMaxTopRow()
{

}

int CUGCtrl::ClampTargetColumn(int& col)
{
    return 0;
}

int CUGCtrl::ClampTargetRow(long& row)
{
    return 0;
}

int CUGCtrl::ClampLeftColumn(int& col)
{
    return 0;
}

int CUGCtrl::ClampTopRow(long& row)
{
    return 0;
}

int CUGCtrl::GetCellFromPoint(int x, int y, int& col, long& row)
{
    return 0;
}

int CUGCtrl::GetCellFromPoint(int x, int y, int& col, long& row, RECT& cellRect)
{
    return 0;
}

int CUGCtrl::GetCellRect(int& col, long& row, RECT& rect)
{
    return 0;
}

int CUGCtrl::GetJoinStart(int& col, long& row)
{
    return 0;
}

int CUGCtrl::GetJoinRange(int& col, long& row, int& endCol, long& endRow)
{
    return 0;
}

int CUGCtrl::SetTrackingWindow(CWnd* window)
{
    return 0;
}

int CUGCtrl::SetTrackingWindowMode(int mode)
{
    return 0;
}

void CUGCtrl::KeepTrackingWindowClear()
{

}
