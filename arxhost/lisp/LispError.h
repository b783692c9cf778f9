#pragma once

#include <stdexcept>
#include <string>

// A failure of reading or evaluating LISP. The message is the text after
// "; error: " that the user sees.
class LispError : public std::runtime_error {
public:
    explicit LispError(std::wstring message)
        : std::runtime_error("LISP error"), m_message(std::move(message)) {}
    const std::wstring& Message() const { return m_message; }

private:
    std::wstring m_message;
};

// Malformed input text: the form is skipped and reading goes on behind it.
class LispReadError : public LispError {
public:
    using LispError::LispError;
};

// A failure while evaluating a well-formed expression.
class LispEvalError : public LispError {
public:
    using LispError::LispError;
};
