#include "AfxRegisterClass.h"

BOOL AfxRegisterClass(WNDCLASSW* windowClass)
{
    WNDCLASSW existing{};
    if (GetClassInfoW(windowClass->hInstance, windowClass->lpszClassName, &existing))
        return TRUE;
    return RegisterClassW(windowClass) != 0;
}
