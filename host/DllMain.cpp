// The library entry of lotgrid.arx; it is not part of lotgrid_host, so that
// programs linking the module's code directly have no DllMain of their own.
#include <windows.h>

#include "ExtensionModule.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/)
{
    return ExtensionModule::Notify(instance, reason);
}
