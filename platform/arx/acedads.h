#pragma once

#include <windows.h>

#include "adsdef.h"
#include "arxexport.h"

// The host's editor operations: LISP function registration, arguments and
// results of a LISP call, alert box, system variables, file dialog, windows.

extern "C" {

// Registers `name` as a LISP function of the calling module with function code
// `funcode`; nonzero when registered.
ARXCORE_API int acedDefun(const ACHAR* name, int funcode);
ARXCORE_API int acedUndef(const ACHAR* name, int funcode);

// The function code of the LISP call in progress.
ARXCORE_API int acedGetFunCode();
// The argument chain of the LISP call in progress (host-owned), or null.
ARXCORE_API resbuf* acedGetArgs();

// Result of the LISP call in progress. acedRetList copies the chain; the
// caller still owns and frees its own.
ARXCORE_API int acedRetList(const resbuf* chain);
ARXCORE_API int acedRetNil();
ARXCORE_API int acedRetVoid();

// A modal alert box with `text`.
ARXCORE_API int acedAlert(const ACHAR* text);

// Fills `result` with the value of a system variable ("DWGPREFIX",
// "DWGNAME"); a string value is the caller's to free with acutRelRb or free().
ARXCORE_API int acedGetVar(const ACHAR* name, resbuf* result);

// The common file dialog. Flags: 1 names a file to write, 2 leaves out the
// warning about replacing a file; without 1 an existing file is opened.
// Answers RTNORM and a string node with the path, or RTERROR when cancelled.
ARXCORE_API int acedGetFileD(const ACHAR* title, const ACHAR* defaultPath,
                             const ACHAR* extension, int flags, resbuf* result);

// The host's main window and its active drawing window.
ARXCORE_API HWND adsw_acadMainWnd();
ARXCORE_API HWND adsw_acadDocWnd();

}  // extern "C"
