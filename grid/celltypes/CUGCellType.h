#pragma once

#include "CObject.h"

#include <windows.h>

class CDC;
class CUGCell;
class CUGCtrl;
class CBitmap;

// A cell type draws a cell and answers the mouse and key events on it. The
// base class is itself the normal cell type: borders and grid lines, the
// background, an optional bitmap and the aligned text, with left-aligned text
// spilling into empty cells to its right. It ignores input. The drop list,
// check box and arrow types derive from it and reuse its drawing routines.
//
// A type is registered with CUGCtrl::AddCellType, which stores the owning
// control and the registration index here.
class CUGCellType : public CObject {
public:
    CUGCellType();
    ~CUGCellType() override;
    CUGCellType(const CUGCellType&) = delete;
    CUGCellType& operator=(const CUGCellType&) = delete;

    // Virtual slots, in the order cell types written against them rely on.
    virtual const wchar_t* GetName();
    virtual const GUID* GetTypeId();
    // Shrinks the editor's rectangle for a type with a button (answer 1);
    // the normal type leaves it alone (0).
    virtual int GetEditArea(RECT* editRect);
    virtual int ReservedQueryA();
    virtual int ReservedQueryB();
    virtual int OnSystemColorChange();
    virtual int OnLeftClick(int col, long row, int isDown, const RECT* cellRect,
                            const POINT* point);
    virtual int OnRightClick(int col, long row, int isDown, const RECT* cellRect,
                             const POINT* point);
    virtual int OnDoubleClick(int col, long row, const RECT* cellRect, const POINT* point);
    virtual int OnKeyDown(int col, long row, UINT* virtualKey);
    virtual int OnCharDown(int col, long row, UINT* character);
    virtual int OnMouseMove(int col, long row, POINT* point, UINT keyFlags);
    // selected: 0, or the selection block number + 1; current: 1 for the
    // current cell.
    virtual void OnDraw(CDC* dc, RECT* rect, int col, long row, CUGCell* cell, int selected,
                        int current);
    virtual void OnPrint(CDC* dc, RECT* rect, int col, long row, CUGCell* cell);
    virtual void OnCellSetFocus(int col, long row, CUGCell* cell);
    virtual void OnCellKillFocus(int col, long row, CUGCell* cell);
    virtual void GetBestSize(CDC* dc, SIZE* size, CUGCell* cell);

    int UsesDefaultEdit() const { return m_useDefaultEdit; }
    int SetUseDefaultEdit(int flag);
    int SetDrawLabelText(int flag);
    int GetTypeIndex() const { return m_typeIndex; }
    void SetTypeIndex(int index) { m_typeIndex = index; }
    CUGCtrl* GetOwner() const { return m_ctrl; }
    void SetOwner(CUGCtrl* ctrl) { m_ctrl = ctrl; }

    // Drawing routines that derived types call. ------------------------------

    // Draws the border lines (and grid lines) of `cell` in `rect` and
    // answers in `innerRect` what is left for the content.
    void DrawCellBorders(CDC* dc, const RECT* rect, RECT* innerRect, CUGCell* cell);
    // Draws the text (or label) of `cell` into `rect`, the content rectangle.
    // A negative `offset` draws the continuation of a neighbour's text that
    // overflows into this cell.
    void DrawCellText(CDC* dc, RECT* rect, int offset, int col, long row, CUGCell* cell,
                      int selected, int current);
    // Draws `bitmap` scaled into the left of `rect` over `backColor`; the
    // width used.
    int DrawCellBitmap(CDC* dc, CBitmap* bitmap, const RECT* rect, COLORREF backColor);
    // The (negative) shift of the text of the nearest non-empty cell left of
    // (col, row) whose text reaches into this cell, with that cell in
    // `scratchCell` and its column in `neighbourCol`; 0 when none reaches.
    int GetOverflowOffset(CDC* dc, int col, long row, int* neighbourCol, CUGCell* scratchCell);
    int CanOverflow(CUGCell* cell);

protected:
    int m_useDefaultEdit = 1;
    int m_drawLabel = 0;
    int m_canOverflow = 1;
    double m_scale = 1.0;
    CUGCtrl* m_ctrl = nullptr;
    int m_typeIndex = -1;
};
