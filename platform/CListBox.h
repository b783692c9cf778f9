#pragma once

#include "CWnd.h"

// The system LISTBOX control.
class CListBox : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int AddString(LPCWSTR text);
    int InsertString(int index, LPCWSTR text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    int GetText(int index, CString& text) const;
    int GetTextLen(int index) const;
    int FindStringExact(int startAfter, LPCWSTR text) const;
    int GetTopIndex() const;
    int SetTopIndex(int index);
    int GetItemHeight(int index) const;
};
