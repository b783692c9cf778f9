#pragma once

#include "CUGCell.h"
#include "CWnd.h"
#include "CellRedrawList.h"

class CUGCtrl;
class CUGGridInfo;

// The row headings left of the cell area: heading columns -1 (next to the
// cells) out to -RowHeadingCols (leftmost), drawn by their cells' types.
class CUGSideHdg : public CWnd {
public:
    // Scroll-aware repaint: follows the top row with ScrollDC and repaints
    // the uncovered rows and the old and new current row.
    void Update();
    void GetHeadingCellRect(int col, long row, RECT& rect);
    int HitTestHeading(POINT point, int& col, long& row, RECT& rect);
    int GetHeadingColumnWidth(int col) const;
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
    // Finds a sizable heading-column or row edge under the pointer.
    void DetectEdge(CPoint point);
    void DragSizing(CPoint point);
    void EndSizing();
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
    RECT m_trackingRect{0, -1, 0, -1};
    CellRedrawList m_redrawList;
    long m_bottomRow = 0;
    long m_rowsAbove = 0;
};
