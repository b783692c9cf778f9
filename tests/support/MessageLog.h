#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Records what windows report, one line per event, for comparison with the
// expected sequence: notification order is behaviour.
class MessageLog {
public:
    void Add(std::string line) { m_lines.push_back(std::move(line)); }
    void Clear() { m_lines.clear(); }
    const std::vector<std::string>& Lines() const { return m_lines; }

private:
    std::vector<std::string> m_lines;
};

// Runs the thread's message loop for `ms` milliseconds.
inline void PumpMessagesFor(DWORD ms)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(1);
    }
}
