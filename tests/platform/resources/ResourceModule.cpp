// A module that carries only resources, loaded by the tests as an extension
// module would be.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
