#pragma once

#include "CGdiObject.h"

// A logical brush. A brush that could not be created leaves the wrapper empty.
class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color);

    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }

    BOOL CreateSolidBrush(COLORREF color);
    // The system's brush of a system colour index (COLOR_WINDOW, ...). The
    // system keeps these brushes; deleting one, as the destructor does, is
    // harmless.
    BOOL CreateSysColorBrush(int index);
};
