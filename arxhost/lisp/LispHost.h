#pragma once

#include <string>
#include <vector>

#include "LispValue.h"

// What the evaluator needs from the program around it.
class LispHost {
public:
    virtual ~LispHost() = default;
    // Text written by princ, prin1, print and terpri.
    virtual void Write(const std::wstring& text) = 0;
    // The value of a system variable for getvar, or nil when there is none.
    virtual LispRef GetVar(const std::wstring& name) = 0;
    // The folders in which LOAD looks for a file given by a relative name, in
    // order; each is empty (the current folder) or ends in a separator.
    virtual std::vector<std::wstring> LoadFolders() const { return {std::wstring()}; }
};
