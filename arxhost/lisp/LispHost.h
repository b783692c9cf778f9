#pragma once

#include <string>

#include "LispValue.h"

// What the evaluator needs from the program around it.
class LispHost {
public:
    virtual ~LispHost() = default;
    // Text written by princ, prin1, print and terpri.
    virtual void Write(const std::wstring& text) = 0;
    // The value of a system variable for getvar, or nil when there is none.
    virtual LispRef GetVar(const std::wstring& name) = 0;
};
