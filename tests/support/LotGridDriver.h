#pragma once

#include "CUGDropListType.h"
#include "CUGGrid.h"
#include "MyCug.h"

#include <windows.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

using LayerCounts = std::vector<std::pair<const wchar_t*, const wchar_t*>>;

// The lot table as the command hands it to the grid: "*" and the given
// layers with their counts, the type choices and the rows, and the used
// flags derived from the rows.
inline void FillLotTable(MyCug& grid, const LayerCounts& layers,
                         const std::vector<MyCug::RecordResult>& rows,
                         const wchar_t* types = L"T1\nT2\n")
{
    grid.Layers.Add(L"*");
    grid.Counts.Add(L"");
    grid.LayerUsed.Add(0);
    for (const auto& [name, count] : layers) {
        grid.Layers.Add(name);
        grid.Counts.Add(count);
        grid.LayerUsed.Add(0);
    }
    grid.TypeChoices = types;
    for (const MyCug::RecordResult& row : rows)
        grid.Results.Add(row);
    grid.MarkUsedLayers();
}

// A lot table's five members in one line, for comparing whole tables.
inline std::wstring LotTableText(const CStringArray& layers, const CStringArray& counts,
                                 const CArray<int, int>& used, const CString& types,
                                 const CArray<MyCug::RecordResult, const MyCug::RecordResult&>& rows)
{
    std::wstring text = L"rows";
    for (const MyCug::RecordResult& row : rows)
        text += L" " + std::wstring(row.Layer) + L"|" + row.Quantity.str() + L"|" + row.Type.str()
                + L"|" + row.Numbering.str();
    text += L" layers";
    for (int i = 0; i < layers.GetSize(); ++i)
        text += L" " + layers[i].str() + L"=" + (i < counts.GetSize() ? counts[i].str() : L"?")
                + L":" + (i < used.GetSize() ? std::to_wstring(used[i]) : L"?");
    if (counts.GetSize() != layers.GetSize() || used.GetSize() != layers.GetSize())
        text += L" (counts and flags not one per layer)";
    return text + L" types " + types.str();
}

inline std::wstring LotTableText(const MyCug& grid)
{
    return LotTableText(grid.Layers, grid.Counts, grid.LayerUsed, grid.TypeChoices, grid.Results);
}

// What breaks the lot table's invariants, "" when nothing does: every row
// starts after the row above, "*" is the last row and holds the lots that
// the rows above leave, a layer is shown in at most one row, marked used
// exactly then and offered in no other row's choices.
inline std::string LotTableFaults(MyCug& grid)
{
    std::ostringstream fault;
    const long rows = grid.GetRowCount();
    auto number = [&grid](int col, long row) { return _wtoi(grid.CellText(col, row)); };
    for (long r = 0, above = 0; r < rows; ++r) {
        const CString layer = grid.CellText(0, r);
        if (r > 0 && number(3, r) < number(3, r - 1) + number(1, r - 1))
            fault << "row " << r << " starts before the end of the row above; ";
        if (layer == L"*" && (r != rows - 1 || number(1, r) != grid.TotalCount - above))
            fault << "\"*\" in row " << r << " of " << rows << " holds " << number(1, r) << " of "
                  << grid.TotalCount - above << "; ";
        above += layer.IsEmpty() ? 0 : number(1, r);
    }
    for (int j = 0; j < grid.Layers.GetSize(); ++j) {
        const std::wstring name = grid.Layers[j].str();
        int shownIn = 0;
        for (long r = 0; r < rows && name != L"*"; ++r) {
            CUGCell cell;
            grid.GetCellRaw(0, r, &cell);
            const std::wstring label = L"\n" + std::wstring(cell.GetLabel() ? cell.GetLabel() : L"");
            if (grid.CellText(0, r) == name.c_str())
                ++shownIn;
            else if (grid.LayerUsed[j] && label.find(L"\n" + name + L"\n") != std::wstring::npos)
                fault << "used layer " << j << " offered in row " << r << "; ";
        }
        if (name != L"*" && (shownIn > 1 || grid.LayerUsed[j] != (shownIn > 0 ? 1 : 0)))
            fault << "layer " << j << " shown in " << shownIn << " rows, used flag " << grid.LayerUsed[j] << "; ";
    }
    return fault.str();
}

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
        for (int col = 0; col < 4; ++col)
            text += (col ? L"|" : L"") + m_grid.CellText(col, row).str();
        return text;
    }

private:
    MyCug& m_grid;
};
