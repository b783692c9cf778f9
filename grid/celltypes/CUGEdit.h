#pragma once

#include "CEdit.h"

class CUGCtrl;

// The grid's own in-place edit window. The control creates it hidden as its
// child 123 and shows it over the cell being edited (CUGCtrl::StartEdit).
// It grows cell by cell to the right, and then downward, as the text gets
// longer; asks the grid's data source and owner about every typed
// character; turns Tab, Enter, Escape and the vertical arrows into the end
// of the edit with a cell to go on in; and hands its text to
// CUGCtrl::FinishEdit when it loses the focus.
//
// Call flow of a key that ends the edit: OnKeyDown records where to go on
// and gives the focus to the control -> OnKillFocus -> FinishEdit (which
// hides this window and may start the next cell's edit in it again).
class CUGEdit : public CEdit {
public:
    // Grows the window to whole cells so that its text fits; only while
    // auto-sizing is on.
    void AutoSizeToText();
    // Answers the previous setting.
    int SetAutoSize(int flag);
    // The virtual-key code of the last key pressed, 0 since the focus came.
    int GetLastKey() const { return LastKey; }

    // The owning grid; the control sets it.
    CUGCtrl* m_ctrl = nullptr;

protected:
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;
    void OnKeyDown(UINT ch, UINT repeatCount, UINT flags) override;
    void OnChar(UINT ch, UINT repeatCount, UINT flags) override;
    UINT OnGetDlgCode() override;
    int OnMouseActivate(CWnd* topParent, UINT hitTest, UINT message) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    BOOL OnUpdate() override;

    // Ends the edit going on in (col, row) of the grid.
    void ContinueIn(int col, long row);

    int CancelFlag = 0;
    int ContinueFlag = 0;
    int NextCol = 0;
    int NextRow = 0;
    int LastKey = 0;
    int AutoSize = 1;
    // The window's height when it got the focus and after its last growth:
    // while they are equal the text is one line, and Up and Down leave the
    // edit instead of moving the caret between lines.
    int InitialHeight = 0;
    int CurrentHeight = 0;
};
