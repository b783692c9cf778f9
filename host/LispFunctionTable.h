#pragma once

#include "arx/adsdef.h"

// The module's LISP functions. An entry's index in the table is its function
// code with the host.
struct FunctionEntry {
    const ACHAR* Name;     // the LISP name
    int (*Handler)();      // answers RTNORM or RTERROR
};

constexpr int LispFunctionCount = 1;
extern FunctionEntry LispFunctionTable[LispFunctionCount];

// acedDefun for every entry in index order; RTERROR at the first one the host
// refuses, else RTNORM.
int RegisterFunctions();
// acedUndef for every entry in index order; RTNORM.
int UnregisterFunctions();
// Runs the handler of the invoked function: RSRSLT when it answered RTNORM,
// RSERR otherwise, RTERROR for a function code outside the table.
int DispatchFunction();
