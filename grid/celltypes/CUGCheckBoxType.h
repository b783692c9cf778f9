#pragma once

#include "CUGCellType.h"

// The check-box cell type: a box that the user toggles with a click or the
// space bar.
//
// FIXME: the box and its toggling are still missing; the type draws and
// behaves as a normal cell until then.
class CUGCheckBoxType : public CUGCellType {
public:
    const wchar_t* GetName() override;
    const GUID* GetTypeId() override;
};
