#pragma once

#include "CWnd.h"

// The system EDIT control. Its EN_UPDATE notification is offered to the
// control itself first (OnUpdate), as MFC's reflected notifications are.
class CEdit : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void SetSel(DWORD selection, BOOL noScroll = FALSE);
    DWORD GetSel() const;
    void GetSel(int& start, int& end) const;
    void LimitText(int maxChars = 0);
    void ReplaceSel(LPCWSTR text, BOOL canUndo = FALSE);
    void Clear();
    int LineFromChar(int index = -1) const;
    int GetLineCount() const;

protected:
    // The text is about to be shown changed; TRUE keeps the notification
    // from the parent.
    virtual BOOL OnUpdate();
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
