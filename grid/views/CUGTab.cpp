#include "CUGTab.h"

CUGTab::CUGTab() = default;

// FIXME: the tabs.
int CUGTab::AddTab(const wchar_t*, int) { return 1; }
void CUGTab::RedrawAll() { RedrawWindow(); }
int CUGTab::OnCreate(LPCREATESTRUCTW createStruct) { return CWnd::OnCreate(createStruct); }
void CUGTab::OnPaint() { Default(); }
void CUGTab::OnSize(UINT type, int cx, int cy) { CWnd::OnSize(type, cx, cy); }
void CUGTab::ComputeMaxScrollOffset() {}
int CUGTab::MeasureLabel(const wchar_t*) { return 0; }
