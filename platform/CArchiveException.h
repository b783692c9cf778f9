#pragma once

#include "CString.h"

#include <windows.h>

#include <stdexcept>

// A failure of an archive: data that ended early or is not in the expected
// format, or an archive used in the wrong direction.
class CArchiveException : public std::runtime_error {
public:
    enum Cause {
        none,
        genericException,
        readOnly,    // a write to an archive that loads
        endOfFile,   // the data ended before what was being read
        writeOnly,   // a read from an archive that stores
        badIndex,    // a count or length that cannot be right
        badClass,
        badSchema,
        bufferFull,
    };

    CArchiveException(int cause = none, const CString& archiveName = CString());

    // The message for the user, cut to `maxError` characters with its
    // terminator; answers FALSE when there is no buffer.
    BOOL GetErrorMessage(LPWSTR error, UINT maxError, PUINT helpContext = nullptr) const;
    CString GetErrorMessage() const;

    int m_cause;
    CString m_strFileName;
};
