#pragma once

#include <windows.h>

class CUGCtrl;
class CWnd;

// What the grid's two in-place edit windows (CUGEdit, CUGMaskedEdit) share.
namespace InPlaceEdit {

// Whether the focus went to the grid itself or to one of its part windows,
// where it stays within the grid.
bool IsGridWindow(const CUGCtrl* ctrl, const CWnd* wnd);

// Hands the edit window's text to the grid's FinishEdit. When the grid
// refuses the text, the edit window takes its cell, the mouse and the focus
// back, so that the user corrects the text where it is.
void ReportFocusLoss(CWnd& edit, CUGCtrl* ctrl, int cancel, int continueEditing, int nextCol,
                     long nextRow);

// The dialog code of an edit window: while Tab, Enter or Escape is held
// down the dialog manager must leave that key to the edit.
UINT DialogCode(UINT defaultCode);

// Whether a typed character may go into the text: the data source (when
// `askSource`) and then the owner are asked about it, and either may change
// it. Tab, Enter and Escape end the edit and never go into the text.
bool OfferCharacter(CWnd& edit, CUGCtrl* ctrl, bool askSource, UINT& character);

}  // namespace InPlaceEdit
