#pragma once

#include "CObject.h"

#include <windows.h>

class CWnd;

// A menu handle that the object owns and destroys.
class CMenu : public CObject {
public:
    CMenu() = default;
    ~CMenu() override;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    HMENU GetSafeHmenu() const { return m_hMenu; }

    BOOL CreatePopupMenu();
    BOOL DestroyMenu();
    BOOL AppendMenu(UINT flags, UINT_PTR idNewItem = 0, LPCWSTR newItem = nullptr);
    BOOL DeleteMenu(UINT position, UINT flags);
    UINT GetMenuItemCount() const;
    UINT EnableMenuItem(UINT idItem, UINT enable);
    // With TPM_RETURNCMD the chosen command id (0 for none); otherwise
    // nonzero on success and the choice arrives as WM_COMMAND.
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* wnd, LPCRECT rect = nullptr);
};
