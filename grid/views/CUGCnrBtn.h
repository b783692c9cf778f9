#pragma once

#include "CUGCell.h"
#include "CWnd.h"

class CUGCtrl;
class CUGGridInfo;

// The corner button above the row headings and left of the column headings;
// it shows cell (-1, -1).
class CUGCnrBtn : public CWnd {
public:
    void Update() {}
    void RedrawAll();

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
    CUGCell m_cell;
    int m_sizingActive = 0;
    int m_atEdge = 0;
    int m_sizingHeight = 0;
    int m_sizingWidth = 0;
};
