#pragma once

#include <string>

// Text of LISP source files: UTF-8 (with or without a byte order mark), or
// the system's ANSI code page when the bytes are not UTF-8.
class LispSourceFile {
public:
    // False when the file cannot be opened.
    static bool Read(const std::wstring& path, std::wstring& text);
};
