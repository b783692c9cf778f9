#pragma once

#include <windows.h>

#include <string>

// Writes text to one of the process's standard streams: wide to a console,
// UTF-8 to a pipe or file.
class ConsoleWriter {
public:
    static void Write(DWORD stream, const std::wstring& text);
};
