#pragma once

#include "CArray.h"
#include "CString.h"

// Array of strings, as MFC's CStringArray.
class CStringArray : public CArray<CString, const CString&> {
};
