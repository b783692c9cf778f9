#pragma once

#include "CArray.h"

#include <windows.h>

// Array of 32-bit values, as MFC's CDWordArray.
class CDWordArray : public CArray<DWORD, DWORD> {
};
