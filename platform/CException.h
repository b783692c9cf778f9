#pragma once

#include "CString.h"

#include <windows.h>

#include <stdexcept>

// The base of the framework's exceptions (file and archive failures). what()
// is the user's message in UTF-8; GetErrorMessage gives it wide.
class CException : public std::runtime_error {
public:
    explicit CException(const CString& message);

    CString GetErrorMessage() const { return m_message; }
    // The message cut to `maxError` characters with its terminator; answers
    // FALSE when there is no buffer.
    BOOL GetErrorMessage(LPWSTR error, UINT maxError, PUINT helpContext = nullptr) const;

private:
    CString m_message;
};
