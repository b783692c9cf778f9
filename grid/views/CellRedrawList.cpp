// Placeholder bodies; replaced as the subject is built.
#include "CellRedrawList.h"

void CellRedrawList::AddRange(int startCol, long startRow, int endCol, long endRow)
{

}

void CellRedrawList::ExtendFirst(int startCol, long startRow, int endCol, long endRow)
{

}

bool CellRedrawList::Contains(int col, long row) const
{
    return false;
}

bool CellRedrawList::WasJoinDrawn(int col, long row) const
{
    return false;
}

void CellRedrawList::MarkJoinDrawn(int col, long row)
{

}

void CellRedrawList::Clear()
{

}
