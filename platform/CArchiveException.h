#pragma once

#include "CException.h"
#include "CString.h"

#include <windows.h>

// A failure of an archive: data that ended early or is not in the expected
// format, or an archive used in the wrong direction.
class CArchiveException : public CException {
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

    int m_cause;
    CString m_strFileName;
};
