#pragma once

#include "CBitmap.h"
#include "CUGCell.h"
#include "CWnd.h"
#include "CellDCState.h"
#include "CellRedrawList.h"

#include <memory>

class CDC;
class CUGCtrl;
class CUGGridInfo;

// The cell area: the child window of the grid control that shows the cells
// of the current sheet. It paints only the cells on its redraw list, moves
// its picture with ScrollDC when the view scrolls, can paint through an
// off-screen bitmap, and turns mouse, wheel and key input into cell type
// events and control notifications.
//
// Call flow:
//   WM_PAINT ........... whole sheet on the redraw list -> DrawCells
//   Update() ........... scroll shift -> ScrollDC -> uncovered strip and the
//                        old and new current cell -> DrawCells
//   OnLButtonDown ...... GotoCell -> cell type OnLeftClick -> NotifyCellLeftButton
//   OnMouseMove ........ drag loop: GotoCell/GotoColumn/GotoRow, auto-scroll
//   OnKeyDown .......... cell type OnKeyDown -> NotifyKeyDown -> navigation
class CUGGrid : public CWnd {
public:
    CUGGrid();
    ~CUGGrid() override;

    BOOL Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                CWnd* parent, UINT id) override;

    void RedrawAll();
    void Update();
    void PaintCell(int col, long row);
    void PaintColumn(int col);
    void PaintRow(long row);
    void PaintRange(int startCol, long startRow, int endCol, long endRow);
    // 0 done; 1 the off-screen bitmap could not be made (double buffering is
    // then off).
    int SetDoubleBuffer(int mode);
    int GetDoubleBuffer() const { return m_doubleBufferMode; }
    // Inverts `rect` on the screen: drawn twice, the tracking line of a
    // heading drag is gone again.
    void InvertTrackingRect(const RECT& rect);

    // The painting pass over the cells on the redraw list. `offscreenDC` is
    // null without double buffering.
    void DrawCells(CDC* dc, CDC* offscreenDC);

    CUGCtrl* m_ctrl = nullptr;
    CUGGridInfo* m_GI = nullptr;

protected:
    int OnCreate(LPCREATESTRUCTW createStruct) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;
    int OnMouseActivate(CWnd* topParent, UINT hitTest, UINT message) override;
    UINT OnGetDlgCode() override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    void OnKeyDown(UINT ch, UINT repeatCount, UINT flags) override;
    void OnKeyUp(UINT ch, UINT repeatCount, UINT flags) override;
    void OnChar(UINT ch, UINT repeatCount, UINT flags) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnRButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint screenPoint) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* info) const override;

private:
    // What one painting pass gathers on its way over the rows.
    struct PassState {
        CellDCState* dcState = nullptr;  // puts the DC back after each cell
        RECT focusRect{-1, -1, -1, -1};
        bool focusFound = false;
        int lastRight = 0;    // right edge of the last column walked
        int rightAreaX = -1;  // start of the empty area right of the cells
        int belowAreaY = -1;  // start of the empty area below them
    };
    // The cell under a point of the view; column and row -1 off the cells.
    struct Hit {
        bool onCell = false;
        int col = -1;
        long row = -1;
        RECT rect{0, 0, 0, 0};
    };
    // Set once the drag has touched the partly shown last column or row.
    struct DragEdges {
        bool right = false;
        bool bottom = false;
    };

    bool FindDialogOpen() const;
    void AddWholeSheet();
    RECT ViewRect() const;
    COLORREF BackColor() const;
    void DrawRow(CDC* drawDC, long row, int top, int bottom, PassState& pass);
    void DrawCell(CDC* drawDC, int col, long row, RECT rect, PassState& pass);
    void DrawLockedBoundary(CDC* drawDC, int col, long row, const RECT& rect);
    bool IsFocusCell(int col, long row) const;
    Hit HitTest(CPoint point);
    bool InputBlocked() const;
    void RunDragLoop(CPoint point);
    bool DragStep(CPoint point, DragEdges& edges);
    int ScrollSteps(int beyond, int cellSize) const;
    int KeyStep();

    CellRedrawList m_redrawList;
    std::unique_ptr<CBitmap> m_offscreenBitmap;
    RECT m_clientRect{};
    int m_doubleBufferMode = 0;
    CUGCell m_cell;
    int m_keyRepeatCount = 0;
    int m_hasFocus = 0;
    int m_mouseOwnedByCellType = 0;
    CString m_tipText;  // the last cell tip, for texts too long for the request
    // The left column and top row the picture shows, as the last painting
    // pass left it. Update scrolls from there: a repaint asked for between a
    // scroll and its commit (the selection erasing its old block, an owner's
    // notification) has moved the picture already, and the commit's own
    // update must not move it a second time.
    long m_shownLeftCol = 0;
    long m_shownTopRow = 0;
};
