#pragma once

#include "CUGGrid.h"
#include "RecordingGrid.h"

#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>

// A grid in a test frame for editing tests: `cols` x `rows` cells kept in a
// recording edit source (more rows than show by default, so that painting
// asks no questions about rows past the end) that logs into the grid's log,
// the cell area focused, cell (0, 0) current and the log empty.
struct EditingGrid {
    RecordingGrid grid;
    RecordingEditSource source;
    std::unique_ptr<GridTestFrame> frame;

    explicit EditingGrid(int cols = 5, long rows = 40, int width = 400, int height = 300)
    {
        ::SetCursorPos(1200, 1000);  // keep the pointer off the new window
        frame = std::make_unique<GridTestFrame>(grid, width, height);
        source.log = &grid.log;
        grid.SetDefaultDataSource(grid.AddDataSource(&source));
        grid.SetColumnCount(cols);
        grid.SetRowCount(rows);
        grid.GetCellArea()->SetFocus();
        grid.GotoCell(0, 0);
        grid.log.Clear();
    }

    HWND Focus() const { return ::GetFocus(); }
    // Key presses and characters go to the window with the focus, as the
    // keyboard sends them, but without the characters that translating a key
    // press would add.
    void Key(UINT key) { ::SendMessageW(::GetFocus(), WM_KEYDOWN, key, 1); }
    void Type(const wchar_t* text)
    {
        for (const wchar_t* p = text; *p; ++p)
            ::SendMessageW(::GetFocus(), WM_CHAR, *p, 1);
    }
    static std::wstring TextOf(HWND window)
    {
        wchar_t buffer[512] = {};
        ::GetWindowTextW(window, buffer, 512);
        return buffer;
    }
    std::wstring CellText(int col, long row)
    {
        const wchar_t* text = grid.QuickGetTextPtr(col, row);
        return text ? text : L"";
    }
};

// Holds the given keys down in the thread's keyboard state (as GetKeyState
// reads it) until it goes.
class HeldKeys {
public:
    HeldKeys(std::initializer_list<int> keys)
    {
        ::GetKeyboardState(m_saved);
        BYTE state[256];
        ::GetKeyboardState(state);
        for (int key : keys)
            state[key] = 0x80;
        ::SetKeyboardState(state);
    }
    ~HeldKeys() { ::SetKeyboardState(m_saved); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE m_saved[256];
};
