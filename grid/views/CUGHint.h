#pragma once

#include "CString.h"
#include "CWnd.h"

class CFont;
class CUGCtrl;

// A small top-level popup with one line of text, placed in the control's
// client coordinates; the scroll bars show it beside the thumb while it is
// dragged.
class CUGHint : public CWnd {
public:
    // 1 on success, 0 when the class or the window cannot be made.
    int CreateHintWindow(CUGCtrl* owner, HBRUSH backgroundBrush);
    void HideHint();
    void ShowHint();
    void SetHintText(const wchar_t* text, int redraw);
    void SetHintPlacement(int flags) { m_placement = flags; }
    void SetHintTextAlignment(int flags) { m_textAlignment = flags; }
    void SetHintTextColor(COLORREF color) { m_textColor = color; }
    void SetHintBackColor(COLORREF color) { m_backColor = color; }
    void SetHintFont(CFont* font);
    void MoveHintWindow(int x, int y, int minWidth);

    CUGCtrl* m_ctrl = nullptr;

protected:
    void OnPaint() override;

private:
    CString m_text;
    COLORREF m_textColor = 0;
    COLORREF m_backColor = RGB(255, 255, 224);
    int m_placement = 1;
    int m_textAlignment = 1;
    CFont* m_font = nullptr;
    int m_lineHeight = 0;
};
