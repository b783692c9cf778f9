#pragma once

#include <string>

#include "LispValue.h"

// Writes AutoLISP data in AutoLISP's forms.
class LispPrinter {
public:
    // The form prin1 and the command line show: strings quoted with \" \\ \n
    // \t escapes, symbols in upper case, reals with six significant digits
    // and at least one decimal, nil, dotted pairs as (A . 1).
    static std::wstring Prin1(const LispRef& value);
    // The form princ shows: strings as their bare text.
    static std::wstring Princ(const LispRef& value);

    static std::wstring FormatReal(double value);
    static std::wstring QuoteString(const std::wstring& text);
};
