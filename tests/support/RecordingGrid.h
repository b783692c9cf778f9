#pragma once

#include "CStringArray.h"
#include "CUGCtrl.h"
#include "CUGDropListType.h"
#include "CUGMem.h"
#include "MessageLog.h"

#include <windows.h>

#include <cstdio>
#include <string>

// A grid control that writes the notifications of navigation, layout and
// input to a log, one line each with its arguments, for comparison with the
// expected sequence. Permission questions answer what the test sets.
class RecordingGrid : public CUGCtrl {
public:
    MessageLog log;
    int allowMove = 1;
    int allowView = 1;
    int allowMenu = 1;
    int allowEditStart = 1;
    int allowEditFinish = 1;
    int allowEditContinue = 1;
    int allowCellTypeEvent = 1;
    CWnd* substituteEdit = nullptr;  // handed over in AskEditStart when set
    UINT refusedKey = 0;             // AskEditKey refuses this character
    const wchar_t* addedChoice = nullptr;  // added to a drop list as it opens
    int allowResize = 1;
    int allowColumnMove = 1;

    template <typename... Args>
    void Note(const char* format, Args... args)
    {
        char line[160];
        std::snprintf(line, sizeof line, format, args...);
        log.Add(line);
    }

    void NotifySetup() override { Note("Setup"); }
    void NotifySheetSetup(int sheet) override { Note("SheetSetup %d", sheet); }
    int AskMoveCurrentCell(int oldCol, long oldRow, int newCol, long newRow) override
    {
        Note("AskMoveCurrentCell %d %ld %d %ld", oldCol, oldRow, newCol, newRow);
        return allowMove;
    }
    int AskMoveView(int oldLeft, long oldTop, int newLeft, long newTop) override
    {
        Note("AskMoveView %d %ld %d %ld", oldLeft, oldTop, newLeft, newTop);
        return allowView;
    }
    void NotifyRowsPastEnd(long count, long past, long added) override
    {
        Note("RowsPastEnd %ld %ld %ld", count, past, added);
    }
    void NotifyCurrentColumnChanged(int oldCol, int newCol) override
    {
        Note("CurrentColumnChanged %d %d", oldCol, newCol);
    }
    void NotifyCurrentRowChanged(long oldRow, long newRow) override
    {
        Note("CurrentRowChanged %ld %ld", oldRow, newRow);
    }
    void NotifyCurrentCellChanged(int oldCol, int newCol, long oldRow, long newRow) override
    {
        Note("CurrentCellChanged %d %d %ld %ld", oldCol, newCol, oldRow, newRow);
    }
    void NotifyLeftColumnChanged(int oldCol, int newCol) override
    {
        Note("LeftColumnChanged %d %d", oldCol, newCol);
    }
    void NotifyTopRowChanged(long oldRow, long newRow) override
    {
        Note("TopRowChanged %ld %ld", oldRow, newRow);
    }
    void NotifyCellLeftButton(int col, long row, int pressed, RECT*, POINT*, int handled) override
    {
        Note("CellLeftButton %d %ld %d %d", col, row, pressed, handled);
    }
    void NotifyCellRightButton(int col, long row, int pressed, RECT*, POINT*,
                               int handled) override
    {
        Note("CellRightButton %d %ld %d %d", col, row, pressed, handled);
    }
    void NotifyCellDoubleClick(int col, long row, RECT*, POINT*, int handled) override
    {
        Note("CellDoubleClick %d %ld %d", col, row, handled);
    }
    void NotifyKeyDown(UINT* key, int handled) override
    {
        Note("KeyDown %u %d", *key, handled);
    }
    void NotifyCharacter(UINT* key, int handled) override
    {
        Note("Character %u %d", *key, handled);
    }
    void NotifyFocusGained(int section) override { Note("FocusGained %d", section); }
    void NotifyFocusLost(int section) override { Note("FocusLost %d", section); }
    int AskResizeColumn(int col) override
    {
        Note("AskResizeColumn %d", col);
        return allowResize;
    }
    void NotifyColumnResizing(int col, int* width) override
    {
        Note("ColumnResizing %d %d", col, *width);
    }
    void NotifyColumnResized(int col, int* width) override
    {
        Note("ColumnResized %d %d", col, *width);
    }
    int AskResizeRow(long row) override
    {
        Note("AskResizeRow %ld", row);
        return allowResize;
    }
    void NotifyRowResizing(long row, int* height) override
    {
        Note("RowResizing %ld %d", row, *height);
    }
    void NotifyRowResized(long row, int* height) override
    {
        Note("RowResized %ld %d", row, *height);
    }
    int AskResizeColumnHeading() override
    {
        Note("AskResizeColumnHeading");
        return allowResize;
    }
    int AskResizeRowHeading() override
    {
        Note("AskResizeRowHeading");
        return allowResize;
    }
    int NotifyColumnHeadingResizing(int* height) override
    {
        Note("ColumnHeadingResizing %d", *height);
        return 1;
    }
    int NotifyColumnHeadingResized(int* height) override
    {
        Note("ColumnHeadingResized %d", *height);
        return 1;
    }
    void NotifyColumnHeadingLeftButton(int col, long row, int pressed, RECT*, POINT*,
                                       int) override
    {
        Note("ColumnHeadingLeftButton %d %ld %d", col, row, pressed);
    }
    int AskColumnDragStart(int col) override
    {
        Note("AskColumnDragStart %d", col);
        return 1;
    }
    int AskColumnMove(int from, int to) override
    {
        Note("AskColumnMove %d %d", from, to);
        return allowColumnMove;
    }
    void NotifySheetTabSelected(int id) override { Note("SheetTabSelected %d", id); }
    void NotifyMenuCommand(int col, long row, int section, int id) override
    {
        Note("MenuCommand %d %ld %d %d", col, row, section, id);
    }
    int AskMenuStart(int col, long row, int section) override
    {
        Note("AskMenuStart %d %ld %d", col, row, section);
        return allowMenu;
    }
    void NotifyCellStoring(int col, long row, CUGCell* cell) override
    {
        Note("CellStoring %d %ld %ls", col, row, cell->GetText());
    }
    int NotifyCellTypeEvent(long type, int col, long row, long message, LONG_PTR param) override
    {
        Note("CellTypeEvent %ld %d %ld %ld", type, col, row, message);
        if (message == CUGDropListType::DropListOpening && addedChoice)
            reinterpret_cast<CStringArray*>(param)->Add(addedChoice);
        return allowCellTypeEvent;
    }
    int AskEditStart(int col, long row, CWnd** edit) override
    {
        Note("AskEditStart %d %ld", col, row);
        if (substituteEdit)
            *edit = substituteEdit;
        return allowEditStart;
    }
    int AskEditKey(int col, long row, CWnd*, UINT* key) override
    {
        Note("AskEditKey %d %ld %u", col, row, *key);
        return *key != refusedKey;
    }
    int AskEditFinish(int col, long row, CWnd*, const wchar_t* text, int cancelled) override
    {
        Note("AskEditFinish %d %ld %ls %d", col, row, text, cancelled);
        return allowEditFinish;
    }
    int AskEditContinue(int col, long row, int* newCol, long* newRow) override
    {
        Note("AskEditContinue %d %ld %d %ld", col, row, *newCol, *newRow);
        return allowEditContinue;
    }
    void NotifyLayout(RECT* cells, RECT*, RECT*, RECT*, RECT*, RECT*, RECT*) override
    {
        Note("Layout %ld %ld %ld %ld", cells->left, cells->top, cells->right, cells->bottom);
    }
};

// A memory data source that writes the edit questions it is asked to a log
// (lines begin with "Source") and answers them with what the test sets.
class RecordingEditSource : public CUGMem {
public:
    MessageLog* log = nullptr;
    int allowEditStart = 1;
    int allowEditFinish = 1;
    int allowEditContinue = 1;

    template <typename... Args>
    void Note(const char* format, Args... args)
    {
        char line[160];
        std::snprintf(line, sizeof line, format, args...);
        if (log)
            log->Add(line);
    }
    int AskEditStart(int col, long row, CWnd**) override
    {
        Note("Source AskEditStart %d %ld", col, row);
        return allowEditStart;
    }
    int AskEditKey(int col, long row, CWnd*, unsigned int* key) override
    {
        Note("Source AskEditKey %d %ld %u", col, row, *key);
        return 1;
    }
    int AskEditFinish(int col, long row, CWnd*, const wchar_t* text, int cancelled) override
    {
        Note("Source AskEditFinish %d %ld %ls %d", col, row, text, cancelled);
        return allowEditFinish;
    }
    int AskEditContinue(int col, long row, int* newCol, long* newRow) override
    {
        Note("Source AskEditContinue %d %ld %d %ld", col, row, *newCol, *newRow);
        return allowEditContinue;
    }
};

// A top-level window with a client area of the given size that holds a grid
// created with CreateGrid, for tests that need real part windows.
class GridTestFrame : public CWnd {
public:
    GridTestFrame(CUGCtrl& grid, int clientWidth, int clientHeight)
    {
        RECT outer{0, 0, clientWidth, clientHeight};
        AdjustWindowRectEx(&outer, WS_POPUP | WS_BORDER, FALSE, 0);
        CreateEx(0, nullptr, L"Grid test", WS_POPUP | WS_BORDER | WS_VISIBLE, 10, 10,
                 outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr);
        grid.CreateGrid(WS_CHILD | WS_VISIBLE, RECT{0, 0, clientWidth, clientHeight}, this, 1000);
    }
};
