#pragma once

#include <windows.h>

class CDC;

// The drawing state that a cell type may change while it draws one cell,
// put back before the next cell is drawn.
//
// A SaveDC/RestoreDC pair around every cell costs more under Wine than
// drawing the cell: the restore selects the font again through the font
// engine. So the state is taken once per pass, compared after each cell, and
// only what changed is put back. A change that cannot be undone piece by
// piece (a clip region, the mapping mode, a moved origin) falls back to the
// full restore of the DC as it was when the pass began.
class CellDCState {
public:
    explicit CellDCState(CDC* dc);
    ~CellDCState();
    CellDCState(const CellDCState&) = delete;
    CellDCState& operator=(const CellDCState&) = delete;

    // After each cell: the DC is as it was when the pass began.
    void Restore();

private:
    struct Attributes {
        HGDIOBJ font, pen, brush;
        COLORREF textColor, backColor;
        int backMode, rop2;
        UINT textAlign;
        int mapMode;
        POINT viewportOrigin, windowOrigin;
        RECT clipBox;
    };
    static Attributes Read(HDC dc);
    static bool SameFrame(const Attributes& a, const Attributes& b);

    HDC m_dc;
    int m_saved;
    Attributes m_start;
};
