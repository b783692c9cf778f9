#pragma once

#include <windows.h>

// A message box owned by the active window of the thread, titled with the
// program's name; answers the button pressed (IDOK, IDCANCEL, ...).
int AfxMessageBox(LPCWSTR text, UINT type = MB_OK, UINT helpId = 0);
