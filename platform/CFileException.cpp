#include "CFileException.h"

#include <cwchar>

namespace {

CString MessageFor(int cause, const CString& fileName)
{
    const CString name = fileName.IsEmpty() ? CString(L"an unnamed file") : fileName;
    const wchar_t* format = L"An unknown error occurred while accessing %s.";
    switch (cause) {
    case CFileException::none: return L"No error occurred.";
    case CFileException::fileNotFound: format = L"%s was not found."; break;
    case CFileException::badPath: format = L"%s contains an invalid path."; break;
    case CFileException::tooManyOpenFiles:
        format = L"%s could not be opened because there are too many open files.";
        break;
    case CFileException::accessDenied: format = L"Access to %s was denied."; break;
    case CFileException::invalidFile:
        format = L"An invalid file handle was associated with %s.";
        break;
    case CFileException::directoryFull:
        format = L"%s could not be created because the directory is full.";
        break;
    case CFileException::badSeek: format = L"Seek failed on %s."; break;
    case CFileException::hardIO:
        format = L"A hardware I/O error was reported while accessing %s.";
        break;
    case CFileException::sharingViolation:
        format = L"A sharing violation occurred while accessing %s.";
        break;
    case CFileException::lockViolation:
        format = L"A locking violation occurred while accessing %s.";
        break;
    case CFileException::diskFull: format = L"Disk full while accessing %s."; break;
    case CFileException::endOfFile:
        format = L"An attempt was made to access %s past its end.";
        break;
    default: break;
    }
    CString message;
    message.Format(format, name.GetString());
    return message;
}


} // namespace

CFileException::CFileException(int cause, LONG osError, const CString& fileName)
    : CException(MessageFor(cause, fileName)),
      m_cause(cause), m_lOsError(osError), m_strFileName(fileName)
{
}

int CFileException::OsErrorToException(LONG osError)
{
    switch (osError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_FILENAME_EXCED_RANGE: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE: return hardIO;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
    }
}

void CFileException::ThrowOsError(LONG osError, const CString& fileName)
{
    throw CFileException(OsErrorToException(osError), osError, fileName);
}


