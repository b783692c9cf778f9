#pragma once

#include "CUGCell.h"
#include "CWnd.h"
#include "CellRedrawList.h"

class CUGCtrl;
class CUGGridInfo;

// The column headings above the cell area: heading rows -1 (next to the
// cells) up to -ColumnHeadingRows (topmost), drawn by their cells' types.
class CUGTopHdg : public CWnd {
public:
    BOOL Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                CWnd* parent, UINT id) override;

    // Repaints at once when the left column moved; the current cell's
    // heading needs no repaint of its own.
    void Update();
    // The rectangle of heading cell (col, row) in this window; empty for a
    // column scrolled out of view.
    void GetHeadingCellRect(int col, long row, RECT& rect);
    // 0 with the cell under `point`, else 1 with column and row -1.
    int HitTestHeading(POINT point, int& col, long& row, RECT& rect);
    int GetHeadingRowHeight(long row) const;
    // Gives the topmost heading row what the others leave of the heading
    // height, then repaints at once.
    void RepaintNow();

    CUGCtrl* m_ctrl = nullptr;
    CUGGridInfo* m_GI = nullptr;

protected:
    void OnPaint() override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnRButtonUp(UINT flags, CPoint point) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;

private:
    void DrawHeadings(CDC* dc);
    // Finds a sizable column or heading-row edge under the pointer.
    void DetectEdge(CPoint point);
    void DragSizing(CPoint point);
    void DragColumnMove(CPoint point);
    void EndSizing();
    // The tracking line in the cell area, drawn and erased by inversion.
    void MoveTrackingLine(const RECT& rect);
    void EraseTrackingLine();

    CUGCell m_cell;
    int m_sizingActive = 0;
    int m_atEdge = 0;
    int m_edgeKind = 0;
    int m_edgeIndex = 0;
    int m_startSize = 0;
    int m_startPosition = 0;
    int m_startTotal = 0;
    RECT m_trackingRect{-1, 0, -1, 0};
    CellRedrawList m_redrawList;
    int m_pickedCol = -1;
    int m_dropPosition = -1;
};
