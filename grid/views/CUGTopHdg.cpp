#include "CUGTopHdg.h"

// FIXME: heading painting.
BOOL CUGTopHdg::Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                       CWnd* parent, UINT id)
{
    return CWnd::Create(className, windowName, style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect,
                        parent, id);
}
void CUGTopHdg::Update() {}
void CUGTopHdg::GetHeadingCellRect(int, long, RECT& rect) { rect = {}; }
int CUGTopHdg::HitTestHeading(POINT, int& col, long& row, RECT&) { col = -1; row = -1; return 1; }
int CUGTopHdg::GetHeadingRowHeight(long) const { return 0; }
void CUGTopHdg::RepaintNow() {}
void CUGTopHdg::OnPaint() { Default(); }
void CUGTopHdg::DrawHeadings(CDC*) {}
