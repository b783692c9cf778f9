#include "CMenu.h"

#include "CWnd.h"

CMenu::~CMenu()
{
    DestroyMenu();
}

BOOL CMenu::CreatePopupMenu()
{
    DestroyMenu();
    m_hMenu = ::CreatePopupMenu();
    return m_hMenu != nullptr;
}

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    BOOL done = ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    return done;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idNewItem, LPCWSTR newItem)
{
    return ::AppendMenuW(m_hMenu, flags, idNewItem, newItem);
}

BOOL CMenu::DeleteMenu(UINT position, UINT flags)
{
    return ::DeleteMenu(m_hMenu, position, flags);
}

UINT CMenu::GetMenuItemCount() const
{
    int count = ::GetMenuItemCount(m_hMenu);
    return count < 0 ? 0 : static_cast<UINT>(count);
}

UINT CMenu::EnableMenuItem(UINT idItem, UINT enable)
{
    return static_cast<UINT>(::EnableMenuItem(m_hMenu, idItem, enable));
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* wnd, LPCRECT rect)
{
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, AfxHwndOf(wnd), rect);
}
