#pragma once

#include "CObject.h"

class CUGCell;

// Base of the format objects a cell may point to. After a cell is fetched the
// control hands it to its format, which may adjust any property (for example
// turn a stored number into display text). The base leaves cells alone.
class CUGCellFormat : public CObject {
public:
    CUGCellFormat() = default;
    ~CUGCellFormat() override = default;

    virtual void ApplyFormat(CUGCell* cell);
    // Checks a format's own settings; the grid never calls it.
    virtual int ValidateFormat();
};
