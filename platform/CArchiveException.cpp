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

std::string Narrow(const CString& text)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, text, text.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, text.GetLength(), narrow.data(), n, nullptr, nullptr);
    return narrow;
}

} // namespace

CArchiveException::CArchiveException(int cause, const CString& archiveName)
    : std::runtime_error(Narrow(MessageFor(cause, archiveName))),
      m_cause(cause), m_strFileName(archiveName)
{
}

BOOL CArchiveException::GetErrorMessage(LPWSTR error, UINT maxError, PUINT helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    if (!error || maxError == 0)
        return FALSE;
    CString message = GetErrorMessage();
    wcsncpy(error, message, maxError - 1);
    error[maxError - 1] = L'\0';
    return TRUE;
}

CString CArchiveException::GetErrorMessage() const
{
    return MessageFor(m_cause, m_strFileName);
}
