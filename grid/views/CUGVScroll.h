#pragma once

#include "CScrollBar.h"

class CUGCtrl;
class CUGGridInfo;

// The grid's vertical scroll bar. A sheet whose maximum top row is above
// 1000 is mapped onto 1000 positions, so that the thumb reaches every part
// of a very long sheet.
class CUGVScroll : public CScrollBar {
public:
    // Range, page and position from the sheet.
    void Update();
    // One scroll message forwarded by the control.
    void OnScroll(UINT code, UINT position);

    CUGCtrl* m_ctrl = nullptr;
    CUGGridInfo* m_GI = nullptr;

protected:
    int OnCreate(LPCREATESTRUCTW createStruct) override;
    void OnRButtonDown(UINT flags, CPoint point) override;

private:
    void ShowTrackingHint();
    long RowAtPosition(UINT position) const;
    int PositionOfRow(long row) const;
    void MoveThumb(int position);

    // Rows per position is m_scaledRows / 1000 when the bar is scaled, else 1;
    // the arithmetic stays in integers so that the last position reaches the
    // last top row exactly.
    long m_scaledRows = 0;
    int m_lastMaxTopRow = -1;
    int m_lastThumbMode = -1;
    int m_lastLockedRows = -1;
    long m_trackedRow = 0;
    bool m_thumbTracking = false;
};
