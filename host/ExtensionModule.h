#pragma once

#include <windows.h>

#include "AfxResource.h"

// The module as an extension module of the windowing framework, from library
// start-up to shutdown: while it is joined, the framework finds the module's
// dialog templates through the resource chain. lotgrid.arx's DllMain passes
// its notifications here; a program that links the module's code directly (a
// test) has no such DllMain and calls Notify itself with its own instance.
class ExtensionModule {
public:
    // The library's load and unload notifications (DllMain). Start-up joins
    // once per process; shutdown leaves only after a successful start-up.
    // Every notification is answered TRUE.
    static BOOL Notify(HINSTANCE instance, DWORD reason);

    static bool IsInitialized();
    // The module's own resource handle (its instance handle) as recorded at
    // start-up; null before a successful start-up and after shutdown. The
    // command makes it the current resource handle while its dialog runs.
    static HINSTANCE ModuleResourceHandle();
    static const AFX_EXTENSION_MODULE& Record();

private:
    static void Startup(HINSTANCE instance);
    static void Shutdown();
};
