#pragma once

#include "CUGCellType.h"

// The drop-list cell type: a button at the right of the cell opens a list of
// the choices in the cell's label.
//
// FIXME: the button, the list window and the choosing are still missing; the
// type draws and behaves as a normal cell until then.
class CUGDropListType : public CUGCellType {
public:
    const wchar_t* GetName() override;
    const GUID* GetTypeId() override;
};
