#include "CUGSideHdg.h"

// FIXME: heading painting.
void CUGSideHdg::Update() {}
void CUGSideHdg::GetHeadingCellRect(int, long, RECT& rect) { rect = {}; }
int CUGSideHdg::HitTestHeading(POINT, int& col, long& row, RECT&) { col = -1; row = -1; return 1; }
int CUGSideHdg::GetHeadingColumnWidth(int) const { return 0; }
void CUGSideHdg::RepaintNow() {}
void CUGSideHdg::OnPaint() { Default(); }
void CUGSideHdg::DrawHeadings(CDC*) {}
