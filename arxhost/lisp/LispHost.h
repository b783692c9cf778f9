#pragma once

#include <string>
#include <vector>

#include "LispError.h"
#include "LispValue.h"

class Drawing;

// What the evaluator needs from the program around it.
class LispHost {
public:
    virtual ~LispHost() = default;
    // Text written by princ, prin1, print and terpri.
    virtual void Write(const std::wstring& text) = 0;
    // The value of a system variable for getvar, or nil when there is none.
    virtual LispRef GetVar(const std::wstring& name) = 0;
    // Runs a command of the host, its name and answers as `command` got them;
    // throws LispEvalError when the host does not know it or it fails. A
    // host without commands knows none.
    virtual void Command(const std::vector<std::wstring>& words)
    {
        throw LispEvalError(L"unknown command \"" + (words.empty() ? L"" : words[0]) + L"\"");
    }
    // The drawing that entnext, ssget, tblnext and the others work on; a host
    // without a drawing answers null and those functions fail.
    virtual Drawing* CurrentDrawing() { return nullptr; }
    // The folders in which LOAD looks for a file given by a relative name, in
    // order; each is empty (the current folder) or ends in a separator.
    virtual std::vector<std::wstring> LoadFolders() const { return {std::wstring()}; }
};
