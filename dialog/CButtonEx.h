#pragma once

#include "CButton.h"

// The lot table dialog's Cancel button. A press of the mouse button on it
// marks a cancel under way before the grid can complain about an unfinished
// entry, and asks the dialog's cancel confirmation at once; the press never
// reaches the button itself (no pressed look, no click). The keyboard still
// works the standard way.
class CButtonEx : public CButton {
public:
    CButtonEx() = default;
    ~CButtonEx() override = default;

protected:
    void OnLButtonDown(UINT flags, CPoint point) override;
};
