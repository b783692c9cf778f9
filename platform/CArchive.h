#pragma once

#include "CArchiveException.h"
#include "CFile.h"
#include "CString.h"

#include <windows.h>

#include <vector>

// A buffered stream of values over a CFile, in the framework's archive
// encoding: every number little-endian in its own width, strings as a length
// (AfxWriteStringLength) followed by their characters.
//
// Reading past the end of the data or a string length that cannot be right
// throws CArchiveException; a failure of the file itself throws
// CFileException. A storing archive writes its buffer out on Flush and Close
// (and when destroyed, where a failure can no longer be reported: call Close).
// Close leaves the file open; the caller closes it.
class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2 };

    CArchive(CFile* file, UINT mode, int bufferSize = 4096);
    ~CArchive();

    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return m_loading; }
    BOOL IsStoring() const { return !m_loading; }
    CFile* GetFile() const { return m_pFile; }

    // Answers the bytes read: fewer than `count` only at the end of the data.
    UINT Read(void* buffer, UINT count);
    void Write(const void* buffer, UINT count);
    // Storing: writes the buffer to the file. Loading: gives the buffered but
    // unread bytes back to the file, so its position is where reading stopped.
    void Flush();
    // Flushes and lets go of the file.
    void Close();

    // Loading: the bytes that are still to be read. Readers check a count
    // read from the data against it before they allocate for it.
    ULONGLONG GetRemainingLength() const;

    CArchive& operator<<(BYTE value);
    CArchive& operator<<(WORD value);
    CArchive& operator<<(LONG value);
    CArchive& operator<<(DWORD value);
    CArchive& operator<<(int value);
    CArchive& operator<<(double value);
    CArchive& operator<<(LONGLONG value);
    CArchive& operator<<(ULONGLONG value);

    CArchive& operator>>(BYTE& value);
    CArchive& operator>>(WORD& value);
    CArchive& operator>>(LONG& value);
    CArchive& operator>>(DWORD& value);
    CArchive& operator>>(int& value);
    CArchive& operator>>(double& value);
    CArchive& operator>>(LONGLONG& value);
    CArchive& operator>>(ULONGLONG& value);

    // The file's path, for error reports.
    CString GetArchiveName() const;

private:
    template <class T> CArchive& Store(T value);
    template <class T> CArchive& Load(T& value);
    void FillBuffer();

    CFile* m_pFile;
    bool m_loading;
    bool m_flushOnDelete;
    std::vector<BYTE> m_buffer;
    size_t m_next = 0;  // loading: next unread byte; storing: bytes held
    size_t m_end = 0;   // loading: end of the buffered bytes
};

// The length of a string, and before it the Unicode tag (0xFF, then the
// 16-bit 0xFFFE) when `unicode` is set: one byte below 255; else 0xFF and 16
// bits below 0xFFFE; else 0xFFFF and 32 bits below 0xFFFFFFFF; else
// 0xFFFFFFFF and 64 bits.
void AfxWriteStringLength(CArchive& ar, UINT_PTR length, BOOL unicode);
// Reads what AfxWriteStringLength wrote; `charSize` becomes 2 after the
// Unicode tag and 1 without it. A length whose characters the rest of the
// data cannot hold throws CArchiveException before anyone allocates for it.
UINT_PTR AfxReadStringLength(CArchive& ar, int& charSize);

// Strings are stored in UTF-16 with the Unicode tag; a string stored without
// the tag is read as text in the system's 8-bit code page.
CArchive& operator<<(CArchive& ar, const CString& text);
CArchive& operator>>(CArchive& ar, CString& text);
