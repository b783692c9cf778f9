#pragma once

#include "CGdiObject.h"

// A logical pen. A pen that could not be created leaves the wrapper empty;
// selecting an empty wrapper selects nothing.
class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color);

    operator HPEN() const { return static_cast<HPEN>(m_hObject); }

    BOOL CreatePen(int style, int width, COLORREF color);
};
