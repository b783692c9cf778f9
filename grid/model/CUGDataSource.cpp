#include "CUGDataSource.h"

CUGDataSource::~CUGDataSource() = default;

int CUGDataSource::Reserved1()
{
    return -1;
}

int CUGDataSource::Reserved2()
{
    return -1;
}

int CUGDataSource::Reserved3()
{
    return -1;
}

int CUGDataSource::Reserved4()
{
    return -1;
}

int CUGDataSource::Reserved5()
{
    return -1;
}

int CUGDataSource::Reserved6()
{
    return -1;
}

int CUGDataSource::Reserved7()
{
    return -1;
}

int CUGDataSource::Reserved8()
{
    return -1;
}

int CUGDataSource::Reserved9()
{
    return -1;
}

int CUGDataSource::Reserved10()
{
    return -1;
}

int CUGDataSource::Reserved11()
{
    return -1;
}

int CUGDataSource::AppendRow()
{
    return -1;
}

int CUGDataSource::InsertRow(long /*row*/)
{
    return -1;
}

int CUGDataSource::AppendCol()
{
    return -1;
}

int CUGDataSource::InsertCol(int /*col*/)
{
    return -1;
}

int CUGDataSource::DeleteRow(long /*row*/)
{
    return -1;
}

int CUGDataSource::DeleteCol(int /*col*/)
{
    return -1;
}

int CUGDataSource::DeleteCell(int /*col*/, long /*row*/)
{
    return -1;
}

int CUGDataSource::Empty()
{
    return -1;
}

int CUGDataSource::GetCell(int /*col*/, long /*row*/, CUGCell* /*cell*/)
{
    return -1;
}

int CUGDataSource::SetCell(int /*col*/, long /*row*/, CUGCell* /*cell*/)
{
    return -1;
}

int CUGDataSource::FindFirst(CString* /*text*/, int* /*col*/, long* /*row*/, int /*flags*/)
{
    return -1;
}

int CUGDataSource::FindNext(CString* /*text*/, int* /*col*/, long* /*row*/, int /*flags*/)
{
    return -1;
}

int CUGDataSource::SortBy(int* /*cols*/, int /*count*/, int /*flags*/)
{
    return -1;
}

int CUGDataSource::SortByColumn(int /*col*/, int /*flags*/)
{
    return -1;
}

int CUGDataSource::Reserved26()
{
    return -1;
}

int CUGDataSource::Reserved27()
{
    return -1;
}

int CUGDataSource::Reserved28()
{
    return -1;
}

int CUGDataSource::NotifyRowsPastEnd(long /*rowCount*/, long /*rowsPast*/, long* /*rowsAdded*/)
{
    return -1;
}

void CUGDataSource::NotifyCurrentRowChanged(long /*oldRow*/, long /*newRow*/)
{
}

void CUGDataSource::NotifyCurrentColumnChanged(int /*oldCol*/, int /*newCol*/)
{
}

int CUGDataSource::AskMoveCurrentCell(int /*oldCol*/, long /*oldRow*/, int /*newCol*/,
                                      long /*newRow*/)
{
    return 1;
}

int CUGDataSource::Reserved33()
{
    return -1;
}

int CUGDataSource::Reserved34()
{
    return -1;
}

int CUGDataSource::Reserved35()
{
    return -1;
}

int CUGDataSource::AskEditStart(int /*col*/, long /*row*/, CWnd** /*edit*/)
{
    return 1;
}

int CUGDataSource::AskEditKey(int /*col*/, long /*row*/, CWnd* /*edit*/, unsigned int* /*key*/)
{
    return 1;
}

int CUGDataSource::AskEditFinish(int /*col*/, long /*row*/, CWnd* /*edit*/,
                                 const wchar_t* /*text*/, int /*cancelled*/)
{
    return 1;
}

int CUGDataSource::AskEditContinue(int /*oldCol*/, long /*oldRow*/, int* /*newCol*/,
                                   long* /*newRow*/)
{
    return 1;
}

int CUGDataSource::GetPrevNonBlankCol(int* /*col*/, long /*row*/)
{
    return -1;
}
