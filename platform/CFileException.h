#pragma once

#include "CException.h"
#include "CString.h"

#include <windows.h>

// A failure of a file operation: the cause in the framework's terms, the
// system's error code and the file's path.
class CFileException : public CException {
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

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};
