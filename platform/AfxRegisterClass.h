#pragma once

#include <windows.h>

// Registers a window class unless its module already has one of that name,
// as MFC's AfxRegisterClass does; windows of a class can then be created from
// any code path without each keeping a flag of its own. FALSE only when the
// class is missing and registering it failed.
BOOL AfxRegisterClass(WNDCLASSW* windowClass);
