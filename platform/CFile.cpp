#include "CFile.h"

#include <cassert>

CFile::~CFile()
{
    // Closing here cannot report a failure; callers that must know close
    // explicitly.
    if (m_hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hFile);
}

BOOL CFile::Open(LPCWSTR fileName, UINT openFlags, CFileException* error)
{
    assert(m_hFile == INVALID_HANDLE_VALUE && "CFile::Open: the file is already open");

    DWORD access = 0;
    switch (openFlags & 0x3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    case modeReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    default: assert(false && "CFile::Open: invalid access mode"); break;
    }

    DWORD share = 0;
    switch (openFlags & 0x70) {
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: share = 0; break; // exclusive
    }

    DWORD creation = OPEN_EXISTING;
    if (openFlags & modeCreate)
        creation = (openFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

    SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, FALSE};
    HANDLE file = ::CreateFileW(fileName, access, share, &security, creation,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (error) {
            LONG osError = static_cast<LONG>(::GetLastError());
            *error = CFileException(CFileException::OsErrorToException(osError), osError,
                                    CString(fileName));
        }
        return FALSE;
    }
    m_hFile = file;
    m_strFileName = fileName;
    return TRUE;
}

UINT CFile::Read(void* buffer, UINT count)
{
    assert(m_hFile != INVALID_HANDLE_VALUE && "CFile::Read: the file is not open");
    if (count == 0)
        return 0;
    DWORD read = 0;
    if (!::ReadFile(m_hFile, buffer, count, &read, nullptr))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
    return read;
}

void CFile::Write(const void* buffer, UINT count)
{
    assert(m_hFile != INVALID_HANDLE_VALUE && "CFile::Write: the file is not open");
    if (count == 0)
        return;
    DWORD written = 0;
    if (!::WriteFile(m_hFile, buffer, count, &written, nullptr))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
    // A short write without an error means the disk ran full.
    if (written < count)
        throw CFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
}

void CFile::Flush()
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        return;
    if (!::FlushFileBuffers(m_hFile))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
}

void CFile::Close()
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        return;
    HANDLE file = m_hFile;
    m_hFile = INVALID_HANDLE_VALUE;
    if (!::CloseHandle(file))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size = {};
    if (!::GetFileSizeEx(m_hFile, &size))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(size.QuadPart);
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER zero = {}, position = {};
    if (!::SetFilePointerEx(m_hFile, zero, &position, FILE_CURRENT))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from)
{
    assert(from <= end && "CFile::Seek: invalid origin");
    LARGE_INTEGER distance = {}, position = {};
    distance.QuadPart = offset;
    if (!::SetFilePointerEx(m_hFile, distance, &position, from))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(position.QuadPart);
}
