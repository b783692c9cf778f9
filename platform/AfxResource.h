#pragma once

#include <windows.h>

// Resource modules as MFC keeps them: a current resource handle that dialog
// templates and strings are loaded from, and a chain of extension modules
// (CDynLinkLibrary) searched after it.

// The framework's record of an extension module.
struct AFX_EXTENSION_MODULE {
    BOOL bInitialized = FALSE;
    HMODULE hModule = nullptr;
    HMODULE hResource = nullptr;
};

// The current resource module; until set it is the program's own module.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE resource);

// The module holding a resource: the current resource module first, then
// each module of the extension chain in the order they joined it.
HINSTANCE AfxFindResourceHandle(LPCWSTR name, LPCWSTR type);

// Records the module in `state`; a second call for the same record does
// nothing and succeeds.
BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module);
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL all = FALSE);
