#include "CUGHScroll.h"

// FIXME: range, page and scrolling.
void CUGHScroll::Update() {}
void CUGHScroll::OnScroll(UINT, UINT) {}
