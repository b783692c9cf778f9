#include "ModuleEntry.h"

#include "LispFunctionTable.h"
#include "arx/AcRxClass.h"
#include "arx/AcRxDynamicLinker.h"
#include "arx/rxregsvc.h"

namespace {

// The registry's dynamic linker, or null when its entry is something else.
AcRxDynamicLinker* DynamicLinker()
{
    AcRxObject* entry = acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER);
    if (!entry || !entry->isA()->isDerivedFrom(AcRxDynamicLinker::desc()))
        return nullptr;
    return static_cast<AcRxDynamicLinker*>(entry);
}

void OnApplicationLoaded(void* appId)
{
    // Looked up afresh for each call: the registry belongs to the host.
    if (AcRxDynamicLinker* linker = DynamicLinker())
        linker->unlockApplication(appId);
    if (AcRxDynamicLinker* linker = DynamicLinker())
        linker->registerAppMDIAware(appId);
}

}  // namespace

AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message, void* appId)
{
    switch (message) {
    case AcRx::kInitAppMsg:
        OnApplicationLoaded(appId);
        break;
    case AcRx::kLoadDwgMsg:
        RegisterFunctions();
        break;
    case AcRx::kUnloadDwgMsg:
        UnregisterFunctions();
        break;
    case AcRx::kInvkSubrMsg:
        DispatchFunction();
        break;
    case AcRx::kUnloadAppMsg:
    default:
        break;
    }
    return AcRx::kRetOK;
}

int acrxGetApiVersion()
{
    return ACRX_API_VERSION;
}
