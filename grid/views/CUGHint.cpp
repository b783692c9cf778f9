#include "CUGHint.h"

// FIXME: the hint window.
int CUGHint::CreateHintWindow(CUGCtrl* owner, HBRUSH)
{
    m_ctrl = owner;
    return 0;
}

void CUGHint::HideHint() {}
void CUGHint::ShowHint() {}
void CUGHint::SetHintText(const wchar_t* text, int) { m_text = text; }
void CUGHint::SetHintFont(CFont* font) { m_font = font; }
void CUGHint::MoveHintWindow(int, int, int) {}
void CUGHint::OnPaint() { Default(); }
