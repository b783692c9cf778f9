#include "CUGVScroll.h"

// FIXME: range, page and scrolling.
void CUGVScroll::Update() {}
void CUGVScroll::OnScroll(UINT, UINT) {}
