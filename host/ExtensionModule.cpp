#include "ExtensionModule.h"

#include <memory>

#include "CDynLinkLibrary.h"

namespace {

struct ExtensionModuleState {
    bool initialized = false;
    HINSTANCE resourceHandle = nullptr;
    AFX_EXTENSION_MODULE record;
    // The module's place in the framework's resource chain.
    std::unique_ptr<CDynLinkLibrary> library;
};

ExtensionModuleState& State()
{
    static ExtensionModuleState state;
    return state;
}

}  // namespace

BOOL ExtensionModule::Notify(HINSTANCE instance, DWORD reason)
{
    if (reason == DLL_PROCESS_ATTACH)
        Startup(instance);
    else if (reason == DLL_PROCESS_DETACH)
        Shutdown();
    return TRUE;
}

void ExtensionModule::Startup(HINSTANCE instance)
{
    ExtensionModuleState& state = State();
    if (state.initialized)
        return;
    if (!AfxInitExtensionModule(state.record, instance))
        return;
    state.initialized = true;
    state.resourceHandle = instance;
    state.record.hResource = instance;
    state.library = std::make_unique<CDynLinkLibrary>(state.record);
}

void ExtensionModule::Shutdown()
{
    ExtensionModuleState& state = State();
    if (!state.initialized)
        return;
    AfxTermExtensionModule(state.record);
    state.library.reset();
    state.resourceHandle = nullptr;
    state.initialized = false;
}

bool ExtensionModule::IsInitialized()
{
    return State().initialized;
}

HINSTANCE ExtensionModule::ModuleResourceHandle()
{
    return State().resourceHandle;
}

const AFX_EXTENSION_MODULE& ExtensionModule::Record()
{
    return State().record;
}
