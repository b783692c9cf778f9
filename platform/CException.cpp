#include "CException.h"

#include <cwchar>
#include <string>

namespace {

std::string Utf8(const CString& text)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, text, text.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, text.GetLength(), narrow.data(), n, nullptr, nullptr);
    return narrow;
}

} // namespace

CException::CException(const CString& message)
    : std::runtime_error(Utf8(message)), m_message(message)
{
}

BOOL CException::GetErrorMessage(LPWSTR error, UINT maxError, PUINT helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    if (!error || maxError == 0)
        return FALSE;
    wcsncpy(error, m_message, maxError - 1);
    error[maxError - 1] = L'\0';
    return TRUE;
}
