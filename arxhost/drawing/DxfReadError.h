#pragma once

#include <stdexcept>
#include <string>

// A file that cannot be read as a DXF drawing: damaged, truncated, binary or
// of another kind. `Line()` is the 1-based line where reading stopped (0 when
// the file could not be opened at all).
class DxfReadError : public std::runtime_error {
public:
    DxfReadError(long long line, std::wstring message)
        : std::runtime_error("DXF read error"), m_line(line), m_message(std::move(message)) {}

    long long Line() const { return m_line; }
    const std::wstring& Message() const { return m_message; }

private:
    long long m_line;
    std::wstring m_message;
};

// A drawing that could not be written; the file it was to replace is as it was.
class DxfWriteError : public std::runtime_error {
public:
    explicit DxfWriteError(std::wstring message)
        : std::runtime_error("DXF write error"), m_message(std::move(message)) {}

    const std::wstring& Message() const { return m_message; }

private:
    std::wstring m_message;
};
