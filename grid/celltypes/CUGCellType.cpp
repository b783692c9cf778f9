// Placeholder bodies; replaced as the subject is built.
#include "CUGCellType.h"

CUGCellType::CUGCellType() = default;
CUGCellType::~CUGCellType() = default;

const wchar_t* CUGCellType::GetName()
{
    return nullptr;
}

const GUID* CUGCellType::GetTypeId()
{
    return nullptr;
}

int CUGCellType::GetEditArea(RECT* editRect)
{
    return 0;
}

int CUGCellType::ReservedQueryA()
{
    return 0;
}

int CUGCellType::ReservedQueryB()
{
    return 0;
}

int CUGCellType::OnSystemColorChange()
{
    return 0;
}

int CUGCellType::OnLeftClick(int col, long row, int isDown, const RECT* cellRect, const POINT* point)
{
    return 0;
}

int CUGCellType::OnRightClick(int col, long row, int isDown, const RECT* cellRect, const POINT* point)
{
    return 0;
}

int CUGCellType::OnDoubleClick(int col, long row, const RECT* cellRect, const POINT* point)
{
    return 0;
}

int CUGCellType::OnKeyDown(int col, long row, UINT* virtualKey)
{
    return 0;
}

int CUGCellType::OnCharDown(int col, long row, UINT* character)
{
    return 0;
}

int CUGCellType::OnMouseMove(int col, long row, POINT* point, UINT keyFlags)
{
    return 0;
}

void CUGCellType::OnDraw(CDC* dc, RECT* rect, int col, long row, CUGCell* cell, int selected, int current)
{

}

void CUGCellType::OnPrint(CDC* dc, RECT* rect, int col, long row, CUGCell* cell)
{

}

void CUGCellType::OnCellSetFocus(int col, long row, CUGCell* cell)
{

}

void CUGCellType::OnCellKillFocus(int col, long row, CUGCell* cell)
{

}

void CUGCellType::GetBestSize(CDC* dc, SIZE* size, CUGCell* cell)
{

}

int CUGCellType::SetUseDefaultEdit(int flag)
{
    return 0;
}

int CUGCellType::SetDrawLabelText(int flag)
{
    return 0;
}

void CUGCellType::DrawCellBorders(CDC* dc, const RECT* rect, RECT* innerRect, CUGCell* cell)
{

}

void CUGCellType::DrawCellText(CDC* dc, RECT* rect, int offset, int col, long row, CUGCell* cell, int selected, int current)
{

}

int CUGCellType::DrawCellBitmap(CDC* dc, CBitmap* bitmap, const RECT* rect, COLORREF backColor)
{
    return 0;
}

int CUGCellType::GetOverflowOffset(CDC* dc, int col, long row, int* neighbourCol, CUGCell* scratchCell)
{
    return 0;
}

int CUGCellType::CanOverflow(CUGCell* cell)
{
    return 0;
}
