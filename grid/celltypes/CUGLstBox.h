#pragma once

#include "CListBox.h"

class CUGCtrl;

// The list of a drop-list cell (CUGDropListType): a list box in the cell
// area below the cell, that writes the chosen item into the cell and closes.
// Its window exists only while the list is open; the object lives with the
// cell type that owns it.
//
// Call flow: CUGDropListType::ShowDropList creates and focuses the window
// -> the user picks with the mouse (press and release on an item) or the
// keys (arrows, then Enter) -> ChooseCurrentItem -> DropListChosen -> the
// cell is stored -> the focus goes back to the cell area -> OnKillFocus
// destroys the window. Escape, or a press outside the list, closes it
// without a choice; Escape marks the cell as a loss of the focus does.
class CUGLstBox : public CListBox {
public:
    // Writes the selected item into the cell, unless the owner refuses it,
    // and closes the list.
    void ChooseCurrentItem();

    // 1 while the list has the keyboard focus.
    int ListOpen = 0;
    CUGCtrl* m_ctrl = nullptr;
    // The drop-list type's DropCol and DropRow, which the list resets when
    // it closes.
    int* ColumnRef = nullptr;
    int* RowRef = nullptr;
    // Set while the list closes on purpose (a choice, a press outside it),
    // so that its focus loss does not count as the user clicking away.
    int Choosing = 0;
    int TypeIndex = 0;

protected:
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnKeyDown(UINT ch, UINT repeatCount, UINT flags) override;
    UINT OnGetDlgCode() override;
    int OnMouseActivate(CWnd* topParent, UINT hitTest, UINT message) override;

private:
    // Closes the list without a choice, leaving the drop cell ready to open
    // again at the next press.
    void CloseWithoutChoice();
    // Closes the list without a choice as a loss of the focus would.
    void CloseByKey();
    void ReturnFocusToGrid();
};
