#include "CArchiveException.h"

#include <cwchar>

namespace {

CString MessageFor(int cause, const CString& fileName)
{
    const CString name = fileName.IsEmpty() ? CString(L"an unnamed file") : fileName;
    const wchar_t* format = nullptr;
    switch (cause) {
    case CArchiveException::readOnly:
        format = L"Tried to write to %s while it was being read.";
        break;
    case CArchiveException::endOfFile: format = L"Reached end of file while reading %s."; break;
    case CArchiveException::writeOnly:
        format = L"Tried to read from %s while it was being written.";
        break;
    case CArchiveException::badIndex: format = L"%s has a bad format."; break;
    case CArchiveException::badClass: format = L"%s contained an unexpected object."; break;
    case CArchiveException::badSchema: format = L"%s contains an incorrect schema."; break;
    default: return L"Unexpected file format.";
    }
    CString message;
    message.Format(format, name.GetString());
    return message;
}


} // namespace

CArchiveException::CArchiveException(int cause, const CString& archiveName)
    : CException(MessageFor(cause, archiveName)), m_cause(cause), m_strFileName(archiveName)
{
}


