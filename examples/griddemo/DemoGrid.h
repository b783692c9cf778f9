#pragma once

#include "CUGCtrl.h"
#include "CUGMaskedEdit.h"
#include "DemoDataSource.h"

// The demo's grid: every sheet shows the demo data source's content, its
// columns can be moved by their headings, and with several sheets the tabs
// "Sheet1" ... "SheetN" switch between them.
//
// Every cell can be edited: typing a character starts the edit with it, F2
// or a double click starts it with the cell's text; Tab, Enter and the
// arrows go on in the next cell, Escape cancels. Two columns show the
// special editors: column D takes numbers of up to six digits through a
// masked edit ("999999"), and column E picks a fruit from a drop list.
// Column F is a check box ("done"), column G shows arrows.
//
// Blocks of cells are selected with the mouse and Shift or Ctrl; Ctrl+C,
// Ctrl+X and Ctrl+V copy, cut and paste them through the clipboard, Ctrl+F
// and Ctrl+H open the find and the replace dialog, which search every
// column.
class DemoGrid : public CUGCtrl {
public:
    static constexpr int kNumberColumn = 3;
    static constexpr int kChoiceColumn = 4;
    static constexpr int kCheckColumn = 5;
    static constexpr int kArrowColumn = 6;

    DemoGrid(int columns, long rows, int sheets)
        : m_columns(columns), m_rows(rows), m_sheets(sheets)
    {
    }

    // The leading columns and rows that stay in view while the others
    // scroll, as a spreadsheet's frozen panes; set before the grid is made.
    void LockLeadingCells(int columns, long rows)
    {
        m_lockedColumns = columns;
        m_lockedRows = rows;
    }

    void NotifySetup() override;
    void NotifySheetSetup(int sheet) override;
    void NotifySheetTabSelected(int tabId) override;
    // Scripts that drive the demo read where the current cell went and what
    // was stored from standard output.
    void NotifyCurrentCellChanged(int oldCol, int newCol, long oldRow, long newRow) override;
    void NotifyCellStoring(int col, long row, CUGCell* cell) override;
    void NotifyTopRowChanged(long oldRow, long newRow) override;
    void NotifyColumnResized(int col, int* width) override;

    void NotifyCharacter(UINT* key, int handled) override;
    void NotifyKeyDown(UINT* key, int handled) override;
    void NotifyCellDoubleClick(int col, long row, RECT* rect, POINT* point,
                               int handled) override;
    int AskEditStart(int col, long row, CWnd** edit) override;
    int NotifyCellTypeEvent(long typeIndex, int col, long row, long message,
                            LONG_PTR param) override;

private:
    void SetUpSpecialColumns();

    DemoDataSource m_source;
    CUGMaskedEdit m_numberEdit;
    int m_fontIndex = -1;
    int m_sourceIndex = -1;
    int m_columns;
    long m_rows;
    int m_sheets;
    int m_lockedColumns = 0;
    long m_lockedRows = 0;
};
