#pragma once

#include "CFile.h"

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

    operator const wchar_t*() const { return m_path; }
    const CString& Path() const { return m_path; }

private:
    CString m_path;
};

inline std::vector<BYTE> ReadAllBytes(const wchar_t* path)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone))
        return {};
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    bytes.resize(file.Read(bytes.data(), static_cast<UINT>(bytes.size())));
    return bytes;
}

inline void WriteAllBytes(const wchar_t* path, const std::vector<BYTE>& bytes)
{
    CFile file;
    if (file.Open(path, CFile::modeCreate | CFile::modeWrite))
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
}
