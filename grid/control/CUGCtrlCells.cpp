// Placeholder bodies; replaced as the subject is built.
#include "CUGCtrl.h"

#include "CUGCellFormat.h"
#include "CUGDataSource.h"

// Columns inside the grid are served by their own source (or the sheet's)
// under their data column index; heading columns and columns beyond the
// count go to the sheet's source under their raw index.
CUGDataSource* CUGCtrl::DataSourceOf(int col, int* dataCol) const
{
    CUGGridInfo* gi = GridInfo;
    if (col >= 0 && col < gi->ColumnCount) {
        const CUGGridInfo::ColumnEntry& entry = gi->Columns[col];
        *dataCol = entry.DataColumn;
        return entry.DataSource ? entry.DataSource : gi->DataSource;
    }
    *dataCol = col;
    return gi->DataSource;
}

int CUGCtrl::AddCellType(CUGCellType* type)
{
    if (!type)
        return -1;
    const int index = m_cellTypeList.Add(type);
    if (index < 0)
        return -1;
    type->SetOwner(this);
    type->SetTypeIndex(index);
    return index;
}

CUGCellType* CUGCtrl::GetCellType(int index)
{
    if (index < 1)
        return &m_normalType;
    auto* type = static_cast<CUGCellType*>(m_cellTypeList.GetPointer(index));
    return type ? type : &m_normalType;
}

CUGCellType* CUGCtrl::GetCellTypeOf(int col, long row)
{
    if (GetCell(col, row, &m_scratchCell) != 0
        || !m_scratchCell.IsPropertySet(CUGCell::PropCellType))
        return &m_normalType;
    return GetCellType(m_scratchCell.GetCellType());
}

int CUGCtrl::RemoveCellType(int index)
{
    return 0;
}

int CUGCtrl::AddDataSource(CUGDataSource* source)
{
    return 0;
}

int CUGCtrl::RemoveDataSource(int index)
{
    return 0;
}

CUGDataSource* CUGCtrl::GetDataSource(int index) const
{
    return nullptr;
}

int CUGCtrl::AddFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, const wchar_t* face)
{
    return 0;
}

int CUGCtrl::AddFontSimple(const wchar_t* face, int height, int weight)
{
    return 0;
}

int CUGCtrl::RemoveFont(int index)
{
    return 0;
}

int CUGCtrl::ClearFonts()
{
    return 0;
}

CFont* CUGCtrl::GetFont(int index) const
{
    return nullptr;
}

int CUGCtrl::AddBitmapResource(UINT id, const wchar_t* name)
{
    return 0;
}

int CUGCtrl::AddBitmapFile(const wchar_t* path)
{
    return 0;
}

int CUGCtrl::RemoveBitmap(int index)
{
    return 0;
}

int CUGCtrl::ClearBitmaps()
{
    return 0;
}

CBitmap* CUGCtrl::GetBitmap(int index) const
{
    return nullptr;
}

int CUGCtrl::GetCell(int col, long row, CUGCell* cell)
{
    if (!cell)
        return 1;
    CUGGridInfo* gi = GridInfo;
    cell->ClearAll();
    const bool dataCell = col >= 0 && row >= 0 && col < gi->ColumnCount;
    if (dataCell)
        cell->CopyInfoFrom(gi->Columns[col].DefaultCell.get());
    else
        cell->CopyInfoFrom(&gi->HeadingDefaultCell);
    if (row >= gi->RowCount)
        return 0;

    int dataCol = col;
    CUGDataSource* source = DataSourceOf(col, &dataCol);
    const int result = source->GetCell(dataCol, row, cell);
    NotifyCellFetched(dataCol, row, cell);
    if (CUGCellFormat* format = cell->GetFormat())
        format->ApplyFormat(cell);
    if (CUGCell* style = cell->GetStyleCell())
        cell->AddInfoFrom(style);
    return result;
}

int CUGCtrl::GetCellRaw(int col, long row, CUGCell* cell)
{
    if (!cell || col >= GridInfo->ColumnCount)
        return 1;
    cell->ClearAll();
    int dataCol = col;
    return DataSourceOf(col, &dataCol)->GetCell(dataCol, row, cell);
}

int CUGCtrl::SetCell(int col, long row, CUGCell* cell)
{
    if (!cell)
        return 1;
    NotifyCellStoring(col, row, cell);
    int dataCol = col;
    return DataSourceOf(col, &dataCol)->SetCell(dataCol, row, cell);
}

int CUGCtrl::SetCellRange(int startCol, long startRow, int endCol, long endRow, CUGCell* cell)
{
    return 0;
}

int CUGCtrl::QuickSetText(int col, long row, const wchar_t* text)
{
    return 0;
}

int CUGCtrl::QuickSetNumber(int col, long row, double number)
{
    return 0;
}

int CUGCtrl::QuickSetTextColor(int col, long row, COLORREF color)
{
    return 0;
}

int CUGCtrl::QuickSetBackColor(int col, long row, COLORREF color)
{
    return 0;
}

int CUGCtrl::QuickSetAlignment(int col, long row, short alignment)
{
    return 0;
}

int CUGCtrl::QuickSetBorder(int col, long row, short border)
{
    return 0;
}

int CUGCtrl::QuickSetBorderColor(int col, long row, CPen* pen)
{
    return 0;
}

int CUGCtrl::QuickSetFont(int col, long row, int fontIndex)
{
    return 0;
}

int CUGCtrl::QuickSetBitmap(int col, long row, int bitmapIndex)
{
    return 0;
}

int CUGCtrl::QuickSetCellType(int col, long row, long type)
{
    return 0;
}

int CUGCtrl::QuickSetCellTypeEx(int col, long row, long style)
{
    return 0;
}

int CUGCtrl::QuickSetMask(int col, long row, const wchar_t* mask)
{
    return 0;
}

int CUGCtrl::QuickSetLabel(int col, long row, const wchar_t* label)
{
    return 0;
}

int CUGCtrl::QuickSetReadOnly(int col, long row, int state)
{
    return 0;
}

int CUGCtrl::QuickGetText(int col, long row, CString* text)
{
    return 0;
}

const wchar_t* CUGCtrl::QuickGetTextPtr(int col, long row)
{
    return nullptr;
}

int CUGCtrl::FitColumnsToWidth(int firstCol, int lastCol)
{
    return 0;
}

int CUGCtrl::JoinCells(int startCol, long startRow, int endCol, long endRow)
{
    return 0;
}

int CUGCtrl::SortByColumn(int col, int flags)
{
    return 0;
}

int CUGCtrl::SortByColumns(int* cols, int count, int flags)
{
    return 0;
}

void CUGCtrl::ResetCurrentCell()
{

}

int CUGCtrl::BestFitColumns(int firstCol, int lastCol, long rowsToScan, int flags)
{
    return 0;
}
