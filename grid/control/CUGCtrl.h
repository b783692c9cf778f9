#pragma once

#include "CMenu.h"
#include "CPen.h"
#include "CUGArrowType.h"
#include "CUGCell.h"
#include "CUGCellType.h"
#include "CUGCheckBoxType.h"
#include "CUGDropListType.h"
#include "CUGEdit.h"
#include "CUGGridInfo.h"
#include "CUGPtrList.h"
#include "CWnd.h"

#include <memory>
#include <vector>

class CBitmap;
class CDC;
class CFindReplaceDialog;
class CFont;
class CString;
class CUGDataSource;
class CUGGrid;
class CUGTopHdg;
class CUGSideHdg;
class CUGCnrBtn;
class CUGVScroll;
class CUGHScroll;
class CUGTab;
class CUGHint;

// The grid control: one child window that owns and lays out its part windows
// (cell area, column and row headings, corner button, both scroll bars, sheet
// tabs), a hint window and a hidden in-place edit. It keeps one settings
// record per sheet, reaches cells only through data sources, and tells its
// owner everything that happens through the block of virtual notifications
// below: names beginning with Notify report, names beginning with Ask answer
// nonzero to allow.
//
// The implementation is split by subject:
//   CUGCtrl.cpp ............ construction, parts, layout, sheets, menu,
//                            redraw, window messages, notification defaults
//   CUGCtrlNavigation.cpp .. the current cell, scrolling, hit tests, joins
//   CUGCtrlCells.cpp ....... registries, cell access, joins, sorting, fits
//   CUGCtrlSizes.cpp ....... counts, widths, heights and sheet settings
//   CUGCtrlEditing.cpp ..... the in-place edit: start, finish, continue, cancel
//   CUGCtrlSelection.cpp ... the selection setters, copy, cut and paste
//   CUGCtrlFind.cpp ........ the find and replace dialogs and their search
//
// Results: 0 success, 1 a value out of range or not set, 2 refused by a
// permission question, 3 a further failure where stated, -1 not offered.
class CUGCtrl : public CWnd {
public:
    // Section codes passed in notifications.
    enum Section {
        SectionCellArea = 1,
        SectionColumnHeading = 2,
        SectionRowHeading = 3,
        SectionCorner = 4,
        SectionHScroll = 5,
        SectionVScroll = 6,
        SectionTabs = 7,
    };
    // How the last move of the current cell came about (CUGGridInfo::MoveKind).
    enum MoveKindCode {
        MoveByKeyboard = 0,
        MoveByLeftButton = 1,
        MoveByRightButton = 2,
        MoveByDrag = 3,
        MoveByScrollBar = 4,
    };
    // Step codes of MoveCurrentColumn/Row and MoveLeftColumn/MoveTopRow.
    enum StepCode {
        StepBack = 0,
        StepForward = 1,
        StepPageBack = 2,
        StepPageForward = 3,
        StepFirst = 4,
        StepLast = 5,
    };
    // Child window identifiers of the parts.
    static constexpr UINT IdCellArea = 1;
    static constexpr UINT IdColumnHeading = 2;
    static constexpr UINT IdRowHeading = 3;
    static constexpr UINT IdCorner = 4;
    static constexpr UINT IdTabs = 5;
    static constexpr UINT IdVScroll = 6;
    static constexpr UINT IdHScroll = 7;
    static constexpr UINT IdDefaultEdit = 123;
    static constexpr int MaxSheets = 1024;
    static constexpr int MaxColumns = 32000;

    CUGCtrl();
    ~CUGCtrl() override;

    // --- Creation, structure and redraw (CUGCtrl.cpp) --------------------------

    // Takes the place of the dialog's placeholder control `id`; 1 on
    // success, 0 when the placeholder cannot be subclassed.
    int AttachToDialogItem(CWnd* dialog, UINT id);
    // Creates the control as a child of `parent`; FALSE when the window
    // cannot be created.
    BOOL CreateControl(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    BOOL CreateGrid(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CreateControl(style, rect, parent, id);
    }
    void AdjustComponentSizes();

    int SetSheetCount(int count);
    int GetSheetCount() const { return static_cast<int>(m_sheets.size()); }
    int SetSheetNumber(int index, int redraw = TRUE);
    int GetSheetNumber() const { return m_sheetNumber; }
    // Makes the tab `id` current, then tells the owner as a click would.
    int SelectSheetTab(int id);

    int AddMenuItem(int id, const wchar_t* text);
    int RemoveMenuItem(int id);
    int ClearMenu();
    int ShowPopupMenu(int col, long row, const POINT* screenPoint, int section);

    void EnableUpdate(int flag) { m_redrawEnabled = flag; }
    int IsUpdateEnabled() const { return m_redrawEnabled; }
    // Repainting; virtual so that a grid may watch what is repainted.
    virtual void RedrawAll();
    virtual void RedrawRange(int startCol, long startRow, int endCol, long endRow);
    void RedrawCell(int col, long row);
    void RedrawRow(long row);
    void RedrawCol(int col);

    // The parts, for the views and for owners that reach into them.
    CUGGrid* GetCellArea() const { return m_grid.get(); }
    CUGTopHdg* GetColumnHeading() const { return m_topHdg.get(); }
    CUGSideHdg* GetRowHeading() const { return m_sideHdg.get(); }
    CUGCnrBtn* GetCornerButton() const { return m_cnrBtn.get(); }
    CUGVScroll* GetVScrollBar() const { return m_vScroll.get(); }
    CUGHScroll* GetHScrollBar() const { return m_hScroll.get(); }
    CUGTab* GetTabs() const { return m_tab.get(); }
    // The hint window is made when first asked for: most grids never show a
    // hint, and a top-level window costs as much as a screen of cells.
    CUGHint* GetHint();
    CUGEdit* GetDefaultEdit() { return &m_defaultEdit; }
    CPen* GetHighlightPen() { return &m_highlightPen; }
    CPen* GetShadowPen() { return &m_shadowPen; }
    int IsEditInProgress() const { return m_editInProgress; }
    // The parts pass clicks on themselves on to the cell area's focus.
    void FocusCellArea();
    // The find and replace dialog while it is open, else null.
    CFindReplaceDialog* GetFindDialog() const { return m_findDialog; }
    // Set by the tabs while their grip is dragged: the layout then moves only
    // the tabs and the horizontal bar.
    void SetTabSizing(int flag) { m_tabSizing = flag; }

    // --- Navigation and the current cell (CUGCtrlNavigation.cpp) ------------

    int GetCurrentCol() const { return GridInfo->CurrentCol; }
    long GetCurrentRow() const { return GridInfo->CurrentRow; }
    int GetLeftCol() const { return GridInfo->LeftCol; }
    long GetTopRow() const { return GridInfo->TopRow; }

    int GotoCell(int col, long row);
    int GotoColumn(int col);
    int GotoRow(long row);
    int SetLeftColumn(int col);
    int SetTopRow(long row);
    int MoveCurrentColumn(int code);
    int MoveCurrentRow(int code);
    int MoveLeftColumn(int code);
    int MoveTopRow(int code);
    void CommitCurrentCellMove();
    void ScrollToShowTargetColumn();
    void ScrollToShowTargetRow();
    void ComputeMaxLeftColumn();
    void ComputeMaxTopRow();
    int ClampTargetColumn(int& col);
    int ClampTargetRow(long& row);
    int ClampLeftColumn(int& col);
    int ClampTopRow(long& row);
    // (x, y) in cell area coordinates; 1 when no cell is there.
    int GetCellFromPoint(int x, int y, int& col, long& row);
    int GetCellFromPoint(int x, int y, int& col, long& row, RECT& cellRect);
    // The cell's rectangle in cell area coordinates; with joins on (col, row)
    // become the block's origin and the rectangle the whole block's.
    int GetCellRect(int& col, long& row, RECT& rect);
    int GetJoinStart(int& col, long& row);
    int GetJoinRange(int& col, long& row, int& endCol, long& endRow);
    int SetTrackingWindow(CWnd* window);
    int SetTrackingWindowMode(int mode);
    void KeepTrackingWindowClear();

    // --- Registries and cell access (CUGCtrlCells.cpp) ------------------------

    int AddCellType(CUGCellType* type);
    CUGCellType* GetCellType(int index);
    CUGCellType* GetCellTypeOf(int col, long row);
    int RemoveCellType(int index);

    int AddDataSource(CUGDataSource* source);
    int RemoveDataSource(int index);
    CUGDataSource* GetDataSource(int index) const;
    int GetDataSourceCount() const { return m_dataSourceCount; }

    int AddFont(int height, int width, int escapement, int orientation, int weight,
                BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, const wchar_t* face);
    int AddFontSimple(const wchar_t* face, int height, int weight);
    int RemoveFont(int index);
    int ClearFonts();
    CFont* GetFont(int index) const;
    int AddBitmapResource(UINT id, const wchar_t* name = nullptr);
    int AddBitmapFile(const wchar_t* path);
    int RemoveBitmap(int index);
    int ClearBitmaps();
    CBitmap* GetBitmap(int index) const;

    int GetCell(int col, long row, CUGCell* cell);
    int GetCellRaw(int col, long row, CUGCell* cell);
    int SetCell(int col, long row, CUGCell* cell);
    int SetCellRange(int startCol, long startRow, int endCol, long endRow, CUGCell* cell);
    int QuickSetText(int col, long row, const wchar_t* text);
    int QuickSetNumber(int col, long row, double number);
    int QuickSetTextColor(int col, long row, COLORREF color);
    int QuickSetBackColor(int col, long row, COLORREF color);
    int QuickSetAlignment(int col, long row, short alignment);
    int QuickSetBorder(int col, long row, short border);
    int QuickSetBorderColor(int col, long row, CPen* pen);
    int QuickSetFont(int col, long row, int fontIndex);
    int QuickSetBitmap(int col, long row, int bitmapIndex);
    int QuickSetCellType(int col, long row, long type);
    int QuickSetCellTypeEx(int col, long row, long style);
    int QuickSetMask(int col, long row, const wchar_t* mask);
    int QuickSetLabel(int col, long row, const wchar_t* label);
    int QuickSetReadOnly(int col, long row, int state);
    int QuickGetText(int col, long row, CString* text);
    const wchar_t* QuickGetTextPtr(int col, long row);

    int FitColumnsToWidth(int firstCol, int lastCol);
    int JoinCells(int startCol, long startRow, int endCol, long endRow);
    int SortByColumn(int col, int flags = 0);
    int SortByColumns(int* cols, int count, int flags = 0);
    void ResetCurrentCell();
    int BestFitColumns(int firstCol, int lastCol, long rowsToScan, int flags);

    // --- Selection and clipboard (CUGCtrlSelection.cpp) ------------------------

    int ClearSelection();
    int SelectCell(int col, long row);
    int SelectRange(int startCol, long startRow, int endCol, long endRow);
    int EnableSelection(int mode);
    int SetRowSelection(int flag);
    int UnjoinCells(int col, long row);
    // The clipboard carries the text as CF_TEXT (ANSI) and CF_UNICODETEXT;
    // reading prefers the Unicode form. Results: 0 done, 1 the clipboard
    // could not be opened or (reading) holds no text.
    int Copy() { return CopySelection(0); }
    int Cut() { return CopySelection(1); }
    int CopySelection(int cut);
    void BuildSelectionText(CString& out, int cut);
    int WriteClipboardText(const CString& text);
    int Paste();
    int ReadClipboardText(CString& out);
    int PasteText(CString& text);

    // --- Find and replace (CUGCtrlFind.cpp) -------------------------------------

    // 1 while a find dialog is already open, 3 when the system cannot open one.
    int FindDialog();
    int ReplaceDialog();
    int SetFindAllColumns(int flag);
    int FindFirstInDataSource(CString* text, int* col, long* row, int flags);
    int FindInDataSource(CString* text, int* col, long* row, int flags);
    // The find dialog's actions; 1 when it reported that it closes.
    int HandleFindMessage();

    // --- Counts, sizes and settings (CUGCtrlSizes.cpp) ------------------------

    int GetColumnCount() const { return GridInfo->ColumnCount; }
    long GetRowCount() const { return GridInfo->RowCount; }
    int SetColumnCount(int count, int redraw = TRUE);
    int SetRowCount(long count, int redraw = TRUE);
    // Out of range: 1 for a width, 0 for a height.
    int GetColumnWidth(int col) const;
    int GetRowHeight(long row) const;
    int SetColumnWidth(int col, int width);
    int SetRowHeight(long row, int height);
    int SetLockedColumns(int count);
    int SetLockedRows(long count);
    int AppendColumn();
    int AppendRow();
    int InsertColumn(int col);
    int InsertRow(long row);
    int DeleteColumn(int col);
    int DeleteRow(long row);
    int MoveColumn(int fromCol, int toCol, int before);

    int SetDefaultColumnWidth(int width);
    int SetDefaultRowHeight(int height);
    int SetUniformRowHeight(int flag);
    int SetVScrollWidth(int width);
    int SetHScrollHeight(int height);
    int SetRowHeadingWidth(int width);
    int SetColumnHeadingHeight(int height);
    int SetRowHeadingColumnCount(int count);
    int SetColumnHeadingRowCount(int count);
    int SetColumnHeadingRowHeight(int headingRow, int height);
    int SetDefaultFont(int index);
    int SetDefaultFont(CFont* font);
    int SetDefaultDataSource(int index);
    int SetColumnDataSource(int col, int index);
    int SetColumnDataIndex(int col, int index);
    int SetColumnDefault(int col, CUGCell* cell);
    int GetColumnDefault(int col, CUGCell* cell);
    int SetGridDefault(CUGCell* cell);
    int SetHeadingDefault(CUGCell* cell);
    int SetMouseScrollMode(int mode);
    int SetMouseScrollDelay(int delay);
    int SetKeyAcceleration(int divisor);
    int SetKeyAccelerationDelay(int delay);
    int SetCancelEditOnFocusLoss(int flag);
    int EnableCellHints(int flag);
    int EnableVScrollHints(int flag);
    int EnableHScrollHints(int flag);
    int SetTabWidth(int width);
    int SetEditWindow(CWnd* edit);
    int EnableJoins(int flag);
    int EnableColumnSwapping(int flag);
    int EnablePopupMenu(int flag);

    // --- Editing (CUGCtrlEditing.cpp) -----------------------------------------

    // Opens the in-place edit over (col, row), the current cell after the
    // move there; `key` >= 1 is typed into it as the first input. 0 the edit
    // is open; 1 no edit (a type without in-place editing, a read-only cell,
    // the corner, or refused); 2 the move to the cell was refused.
    int StartEdit(int col, long row, int key);
    int StartEditCurrent();
    // Called by the edit window when it lets go of the edit. 1 the edit
    // ended (or none was open); 0 it was refused and stays open.
    int FinishEdit(const wchar_t* text, int cancel, int continueEditing, int nextCol,
                   long nextRow);
    // Closes the edit without storing or asking anybody.
    int CancelEdit();
    int GetEditCol() const { return m_editCol; }
    long GetEditRow() const { return m_editRow; }
    // The cell as it was read when the edit started.
    const CUGCell* GetEditCell() const { return &m_editCell; }
    CWnd* GetEditWindow() const { return m_editWindow; }
    // The part window that holds the edit window during the edit.
    CWnd* GetEditParent() const { return m_editParent; }

    // --- Notifications, in slot order -----------------------------------------

    virtual void NotifyFocusGained(int section);
    virtual void NotifySetup();
    virtual void NotifySheetSetup(int sheet);
    virtual int AskMoveCurrentCell(int oldCol, long oldRow, int newCol, long newRow);
    virtual int AskMoveView(int oldLeftCol, long oldTopRow, int newLeftCol, long newTopRow);
    virtual void NotifyRowsPastEnd(long rowCount, long rowsPast, long rowsAdded);
    virtual void NotifySlot97();
    virtual int AskResizeColumn(int col);
    virtual void NotifyColumnResizing(int col, int* width);
    virtual void NotifyColumnResized(int col, int* width);
    virtual int AskResizeRow(long row);
    virtual void NotifyRowResizing(long row, int* height);
    virtual void NotifyRowResized(long row, int* height);
    virtual int AskResizeColumnHeading();
    virtual int AskResizeRowHeading();
    virtual int NotifyColumnHeadingResizing(int* height);
    virtual int NotifyRowHeadingResizing(int* width);
    virtual int NotifyColumnHeadingResized(int* height);
    virtual int NotifyRowHeadingResized(int* width);
    virtual void NotifyCurrentColumnChanged(int oldCol, int newCol);
    virtual void NotifyCurrentRowChanged(long oldRow, long newRow);
    virtual void NotifyCurrentCellChanged(int oldCol, int newCol, long oldRow, long newRow);
    virtual void NotifyLeftColumnChanged(int oldCol, int newCol);
    virtual void NotifyTopRowChanged(long oldRow, long newRow);
    virtual void NotifyCellLeftButton(int col, long row, int pressed, RECT* rect, POINT* point,
                                      int handled);
    virtual void NotifyCellRightButton(int col, long row, int pressed, RECT* rect,
                                       POINT* point, int handled);
    virtual void NotifyCellDoubleClick(int col, long row, RECT* rect, POINT* point,
                                       int handled);
    virtual void NotifyCellMouseMove(int col, long row, POINT* point, UINT keyFlags,
                                     int handled);
    virtual void NotifyColumnHeadingLeftButton(int col, long headingRow, int pressed,
                                               RECT* rect, POINT* point, int handled);
    virtual void NotifyColumnHeadingRightButton(int col, long headingRow, int pressed,
                                                RECT* rect, POINT* point, int handled);
    virtual void NotifyColumnHeadingDoubleClick(int col, long headingRow, RECT* rect,
                                                POINT* point, int handled);
    virtual void NotifyRowHeadingLeftButton(int headingCol, long row, int pressed, RECT* rect,
                                            POINT* point, int handled);
    virtual void NotifyRowHeadingRightButton(int headingCol, long row, int pressed,
                                             RECT* rect, POINT* point, int handled);
    virtual void NotifyRowHeadingDoubleClick(int headingCol, long row, RECT* rect,
                                             POINT* point, int handled);
    virtual void NotifyCornerLeftButton(int pressed, RECT* rect, POINT* point, int handled);
    virtual void NotifyCornerRightButton(int pressed, RECT* rect, POINT* point, int handled);
    virtual void NotifyCornerDoubleClick(RECT* rect, POINT* point, int handled);
    virtual void NotifyKeyDown(UINT* key, int handled);
    virtual void NotifyCharacter(UINT* key, int handled);
    virtual void NotifyCellFetched(int dataCol, long row, CUGCell* cell);
    virtual void NotifyCellStoring(int col, long row, CUGCell* cell);
    virtual void NotifySlot132();
    // `param` carries a pointer for some events, so it is pointer-sized.
    virtual int NotifyCellTypeEvent(long typeIndex, int col, long row, long message,
                                    LONG_PTR param);
    virtual int AskEditStart(int col, long row, CWnd** edit);
    virtual int AskEditKey(int col, long row, CWnd* edit, UINT* key);
    virtual int AskEditFinish(int col, long row, CWnd* edit, const wchar_t* text,
                              int cancelled);
    virtual int AskEditContinue(int col, long row, int* newCol, long* newRow);
    virtual void NotifyMenuCommand(int col, long row, int section, int itemId);
    virtual int AskMenuStart(int col, long row, int section);
    virtual int GetCellHintText(int col, long row, int section, CString* text);
    virtual int GetVerticalScrollHint(long row, CString* text);
    virtual int GetHorizontalScrollHint(int col, CString* text);
    virtual int CompareCellsForSort(CUGCell* a, CUGCell* b, int flags);
    virtual void NotifyPaintSetup(CDC* dc, CDC* offscreenDC, int section);
    virtual void NotifyLayout(RECT* cellArea, RECT* columnHeading, RECT* rowHeading,
                              RECT* corner, RECT* vScroll, RECT* hScroll, RECT* tabs);
    virtual void NotifySheetTabSelected(int tabId);
    virtual COLORREF GetDefaultBackColor(int section);
    virtual void DrawFocusRectangle(CDC* dc, RECT* rect);
    virtual void NotifyFocusLost(int section);
    virtual int AskColumnDragStart(int col);
    virtual int AskColumnMove(int fromCol, int toCol);
    virtual void NotifyTrackingWindowMoved(RECT* oldRect, RECT* newRect);

    // The current sheet's record, shared with every part of the grid.
    CUGGridInfo* GridInfo = nullptr;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    int OnCreate(LPCREATESTRUCTW createStruct) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnPaint() override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnSysColorChange() override;
    void OnHScroll(UINT code, UINT pos, CScrollBar* scrollBar) override;
    void OnVScroll(UINT code, UINT pos, CScrollBar* scrollBar) override;
    UINT OnGetDlgCode() override;
    // Adds the find dialog's registered message to the handled ones.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Creates the part windows, the hint and the hidden default edit.
    void CreateParts();
    // A new sheet record bound to this control.
    std::unique_ptr<CUGGridInfo> CreateSheet();
    // Points every part at the current sheet's record.
    void BindPartsToSheet();
    // The data source and data column that serve grid column `col`.
    CUGDataSource* DataSourceOf(int col, int* dataCol) const;
    // The locked width and the largest left column, after widths changed.
    void ColumnWidthsChanged();
    // The width of a column or the height of a row for the walks of
    // navigation and hit testing (heading indices and the past-the-end index
    // answer as the walks need them).
    int WidthForWalk(int col) const;
    int HeightForWalk(long row) const;
    void CreatePens();
    // Steps of the edit (CUGCtrlEditing.cpp).
    void ClearSelectionForEdit(int col, long row);
    int OpenFindDialog(BOOL findOnly);
    void ReplaceCurrentText(const CString& replacement);
    CWnd* EditPlacement(int col, long row, RECT& rect);
    CWnd* UsableEditWindow(CWnd* edit);
    void HideEditWindow();
    void NextEditCell(int& nextCol, long& nextRow);

    // Built-in cell types; indices 0..3 in this order.
    CUGCellType m_normalType;
    CUGDropListType m_dropListType;
    CUGCheckBoxType m_checkBoxType;
    CUGArrowType m_arrowType;

    CUGCell m_scratchCell;  // every quick operation and current-cell handling
    CUGEdit m_defaultEdit;

    // The cell being edited and where.
    CUGCell m_editCell;
    int m_editCol = -1;
    long m_editRow = -1;
    CWnd* m_editWindow = nullptr;
    CWnd* m_editParent = nullptr;
    int m_editInProgress = 0;
    // Set while FinishEdit or CancelEdit closes the edit (hiding its window,
    // going on to the next cell): the focus loss that hiding causes must not
    // finish the same edit a second time.
    int m_editClosing = 0;

    CPen m_highlightPen;
    CPen m_shadowPen;

    // Data sources registered by the owner; entry 0 is never used.
    std::vector<CUGDataSource*> m_dataSources;
    int m_dataSourceCount = 0;

    CUGPtrList m_fontList;
    CUGPtrList m_bitmapList;
    CUGPtrList m_cellTypeList;
    CUGPtrList m_unusedLists[3];
    std::vector<std::unique_ptr<CFont>> m_fonts;      // what m_fontList points at
    std::vector<std::unique_ptr<CBitmap>> m_bitmaps;  // what m_bitmapList points at

    CMenu m_menu;
    int m_menuCol = -1;
    long m_menuRow = -1;
    int m_menuSection = 0;

    std::unique_ptr<CUGGrid> m_grid;
    std::unique_ptr<CUGTopHdg> m_topHdg;
    std::unique_ptr<CUGSideHdg> m_sideHdg;
    std::unique_ptr<CUGVScroll> m_vScroll;
    std::unique_ptr<CUGHScroll> m_hScroll;
    std::unique_ptr<CUGCnrBtn> m_cnrBtn;
    std::unique_ptr<CUGTab> m_tab;
    std::unique_ptr<CUGHint> m_hint;

    std::vector<std::unique_ptr<CUGGridInfo>> m_sheets;
    int m_sheetNumber = 0;

    int m_redrawEnabled = 1;
    CWnd* m_trackingWindow = nullptr;
    CFindReplaceDialog* m_findDialog = nullptr;  // deletes itself when closed
    int m_findDialogOpen = 0;
    int m_findAllColumns = 0;
    int m_tabSizing = 0;
    int m_partsCreated = 0;
};
