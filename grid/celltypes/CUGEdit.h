#pragma once

#include "CEdit.h"

class CUGCtrl;

// The grid's own in-place edit window. The control creates it hidden as its
// child 123 and shows it over the cell being edited.
//
// FIXME: growing with the text, the keys that finish an edit and the
// questions about typed characters are still missing.
class CUGEdit : public CEdit {
public:
    CUGCtrl* m_ctrl = nullptr;
};
