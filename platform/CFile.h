#pragma once

#include "CFileException.h"
#include "CObject.h"
#include "CString.h"

#include <windows.h>

// An unbuffered binary file on a wide path. Failures of Read, Write, Seek and
// Flush throw CFileException; Open answers FALSE and describes the failure.
// The handle is never inherited by child processes.
class CFile : public CObject {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,     // create the file, emptying an existing one
        modeNoTruncate = 0x2000, // with modeCreate: keep an existing file's contents
        typeText = 0x4000,       // accepted and ignored: CFile is binary
        typeBinary = 0x8000,
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    CFile() = default;
    ~CFile() override;

    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Opens `fileName` with a combination of OpenFlags; on failure answers
    // FALSE and fills `error` when one is given.
    virtual BOOL Open(LPCWSTR fileName, UINT openFlags, CFileException* error = nullptr);
    // Answers the bytes read: fewer than `count` only at the end of the file.
    virtual UINT Read(void* buffer, UINT count);
    virtual void Write(const void* buffer, UINT count);
    virtual void Flush();
    // Closes the file; a failure to close throws.
    virtual void Close();
    virtual ULONGLONG GetLength() const;
    virtual ULONGLONG GetPosition() const;
    // Moves to `offset` from `from` (a SeekPosition); answers the new position.
    virtual ULONGLONG Seek(LONGLONG offset, UINT from);

    // The path the file was opened with.
    CString GetFilePath() const { return m_strFileName; }

    HANDLE m_hFile = INVALID_HANDLE_VALUE;

protected:
    CString m_strFileName;
};
