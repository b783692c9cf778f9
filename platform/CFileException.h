#pragma once

#include "CString.h"

#include <windows.h>

#include <stdexcept>

// A failure of a file operation: the cause in the framework's terms, the
// system's error code and the file's path.
class CFileException : public std::runtime_error {
public:
    enum Cause {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };

    CFileException(int cause = none, LONG osError = -1, const CString& fileName = CString());

    // The cause that a system error code stands for.
    static int OsErrorToException(LONG osError);
    // Throws the exception for the system error `osError` on `fileName`.
    [[noreturn]] static void ThrowOsError(LONG osError, const CString& fileName = CString());

    // The message for the user, cut to `maxError` characters with its
    // terminator; answers FALSE when there is no buffer.
    BOOL GetErrorMessage(LPWSTR error, UINT maxError, PUINT helpContext = nullptr) const;
    CString GetErrorMessage() const;

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};
