#pragma once

class CUGCell;
class CUGCtrl;
class CString;
class CWnd;

// The cell storage interface of the grid. The control reads and writes every
// cell through a data source and, in a second group of operations, asks the
// source's leave before moves and edits and tells it about them.
//
// The virtual operations keep a fixed order (sources written against it keep
// working): destructor; Reserved1..11; the row, column and cell operations;
// find and sort; Reserved26..28; the move and edit questions with Reserved33..35
// among them; GetPrevNonBlankCol. Every base result means "not offered" (-1)
// or "allowed" (1), so a source overrides only what it supports.
//
// Results: 0 success, 1 failure, -1 not available; Ask... nonzero = allowed.
// Column arguments are data-source columns: the control translates grid
// columns through its column table before calling.
class CUGDataSource {
public:
    CUGDataSource() = default;
    CUGDataSource(const CUGDataSource&) = delete;
    CUGDataSource& operator=(const CUGDataSource&) = delete;

    virtual ~CUGDataSource();

    virtual int Reserved1();
    virtual int Reserved2();
    virtual int Reserved3();
    virtual int Reserved4();
    virtual int Reserved5();
    virtual int Reserved6();
    virtual int Reserved7();
    virtual int Reserved8();
    virtual int Reserved9();
    virtual int Reserved10();
    virtual int Reserved11();

    virtual int AppendRow();
    virtual int InsertRow(long row);
    virtual int AppendCol();
    virtual int InsertCol(int col);
    virtual int DeleteRow(long row);
    virtual int DeleteCol(int col);
    virtual int DeleteCell(int col, long row);
    virtual int Empty();
    virtual int GetCell(int col, long row, CUGCell* cell);
    virtual int SetCell(int col, long row, CUGCell* cell);
    virtual int FindFirst(CString* text, int* col, long* row, int flags);
    virtual int FindNext(CString* text, int* col, long* row, int flags);
    virtual int SortBy(int* cols, int count, int flags);
    virtual int SortByColumn(int col, int flags);

    virtual int Reserved26();
    virtual int Reserved27();
    virtual int Reserved28();

    virtual int NotifyRowsPastEnd(long rowCount, long rowsPast, long* rowsAdded);
    virtual void NotifyCurrentRowChanged(long oldRow, long newRow);
    virtual void NotifyCurrentColumnChanged(int oldCol, int newCol);
    virtual int AskMoveCurrentCell(int oldCol, long oldRow, int newCol, long newRow);

    virtual int Reserved33();
    virtual int Reserved34();
    virtual int Reserved35();

    virtual int AskEditStart(int col, long row, CWnd** edit);
    virtual int AskEditKey(int col, long row, CWnd* edit, unsigned int* key);
    virtual int AskEditFinish(int col, long row, CWnd* edit, const wchar_t* text,
                              int cancelled);
    virtual int AskEditContinue(int oldCol, long oldRow, int* newCol, long* newRow);
    virtual int GetPrevNonBlankCol(int* col, long row);

    // The control that registered the source; set at registration.
    void SetOwner(CUGCtrl* owner) { Owner = owner; }
    CUGCtrl* GetOwner() const { return Owner; }

    // -1 until registered; 0 is the sheet's built-in memory source.
    int GetID() const { return ID; }
    void SetID(int id) { ID = id; }

protected:
    CUGCtrl* Owner = nullptr;
    int ID = -1;
};
