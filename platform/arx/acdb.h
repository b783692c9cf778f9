#pragma once

#include "adsdef.h"
#include "arxexport.h"

extern "C" {

// Reports a failure of the module (written to standard error); execution
// goes on.
ARXCORE_API void acdbFail(const ACHAR* text);

}  // extern "C"
