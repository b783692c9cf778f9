#pragma once

#include "CUGCellType.h"

// The arrow cell type: a small arrow in the middle of the cell instead of
// text. Its cells are never edited.
//
// FIXME: the arrows are still missing; the type draws as a normal cell until
// then.
class CUGArrowType : public CUGCellType {
public:
    CUGArrowType() { m_useDefaultEdit = 0; }
};
