#pragma once

#include "CUGDropListType.h"
#include "CUGGrid.h"
#include "MyCug.h"

#include <windows.h>

#include <string>

// Works the lot grid with the messages a user's mouse and keyboard send:
// presses on cells, choices in the open drop list, entries in the Numbering
// editor.
class LotGridDriver {
public:
    explicit LotGridDriver(MyCug& grid) : m_grid(grid) {}

    HWND CellArea() const { return m_grid.GetCellArea()->GetSafeHwnd(); }
    HWND List() const
    {
        auto* type = dynamic_cast<CUGDropListType*>(m_grid.GetCellType(1));
        return type && type->GetListBox() ? type->GetListBox()->GetSafeHwnd() : nullptr;
    }

    // A press and release in the middle of cell (col, row); the release goes
    // to whichever window took the mouse, as the system sends it.
    void Click(int col, long row)
    {
        RECT rect{};
        m_grid.GetCellRect(col, row, rect);
        const int x = (rect.left + rect.right) / 2;
        const int y = (rect.top + rect.bottom) / 2;
        ::SendMessageW(CellArea(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        POINT at{x, y};
        HWND to = ::GetCapture() ? ::GetCapture() : CellArea();
        ::MapWindowPoints(CellArea(), to, &at, 1);
        ::SendMessageW(to, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }

    // Picks item `index` of the open drop list with the keyboard; false when
    // no list is open or it has no such item (the list is then closed).
    bool ChooseItem(int index)
    {
        HWND list = List();
        if (!list)
            return false;
        if (index < 0 || index >= ::SendMessageW(list, LB_GETCOUNT, 0, 0)) {
            ::SendMessageW(list, WM_KEYDOWN, VK_ESCAPE, 1);
            return false;
        }
        ::SendMessageW(list, LB_SETCURSEL, index, 0);
        ::SendMessageW(list, WM_KEYDOWN, VK_RETURN, 1);
        return true;
    }

    // Opens the Layer list of `row` and picks `layer` from it.
    bool Choose(long row, const wchar_t* layer)
    {
        Click(MyCug::kColumnLayer, row);
        HWND list = List();
        if (!list)
            return false;
        const LRESULT index =
            ::SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(layer));
        return ChooseItem(index == LB_ERR ? -1 : static_cast<int>(index));
    }

    // Clicks the Numbering cell of `row`, puts `text` in its editor and
    // presses Enter; false when no editor opened.
    bool EnterNumber(long row, const wchar_t* text)
    {
        Click(MyCug::kColumnNumbering, row);
        if (::GetFocus() != m_grid.NumberEdit.GetSafeHwnd())
            return false;
        m_grid.NumberEdit.SetWindowText(text);
        ::SendMessageW(::GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
        return true;
    }

    // The row as "Layer|Quantity|Type|Numbering".
    std::wstring Row(long row)
    {
        std::wstring text;
        for (int col = 0; col < 4; ++col) {
            if (col)
                text += L"|";
            text += static_cast<const wchar_t*>(m_grid.CellText(col, row));
        }
        return text;
    }

private:
    MyCug& m_grid;
};
