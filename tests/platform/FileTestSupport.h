#pragma once

#include "CString.h"

#include <windows.h>

#include <string>
#include <vector>

// A file path in the temporary folder, removed again when the object goes.
class TemporaryPath {
public:
    explicit TemporaryPath(const wchar_t* name)
    {
        wchar_t folder[MAX_PATH + 1] = {};
        ::GetTempPathW(MAX_PATH, folder);
        m_path = CString(folder) + name;
        ::DeleteFileW(m_path);
    }
    ~TemporaryPath() { ::DeleteFileW(m_path); }

    TemporaryPath(const TemporaryPath&) = delete;
    TemporaryPath& operator=(const TemporaryPath&) = delete;

    operator const wchar_t*() const { return m_path; }

private:
    CString m_path;
};

inline std::vector<BYTE> ReadAllBytes(const wchar_t* path)
{
    std::vector<BYTE> bytes;
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    BYTE chunk[4096];
    DWORD read = 0;
    while (::ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0)
        bytes.insert(bytes.end(), chunk, chunk + read);
    ::CloseHandle(file);
    return bytes;
}

inline void WriteAllBytes(const wchar_t* path, const std::vector<BYTE>& bytes)
{
    HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}
