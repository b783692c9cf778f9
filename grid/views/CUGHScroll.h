#pragma once

#include "CScrollBar.h"

class CUGCtrl;
class CUGGridInfo;

// The grid's horizontal scroll bar.
class CUGHScroll : public CScrollBar {
public:
    void Update();
    void OnScroll(UINT code, UINT position);

    CUGCtrl* m_ctrl = nullptr;
    CUGGridInfo* m_GI = nullptr;

protected:
    int OnCreate(LPCREATESTRUCTW createStruct) override;
    void OnRButtonDown(UINT flags, CPoint point) override;

private:
    void MoveThumb(int position);
    void ShowTrackingHint();

    int m_lastMaxLeftCol = -1;
    int m_lastLockedCols = -1;
    bool m_thumbTracking = false;
    int m_trackedCol = 0;
};
