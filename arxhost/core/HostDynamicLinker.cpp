#include "HostDynamicLinker.h"

#include "HostSession.h"
#include "arx/AcRxClass.h"

bool HostDynamicLinker::unlockApplication(void* appId) const
{
    HostSession* session = HostSession::Current();
    if (!session)
        return false;
    session->apps[appId].unlocked = true;
    session->script.linkerCalls.push_back({ArxLinkerCall::Operation::UnlockApplication, appId});
    return true;
}

bool HostDynamicLinker::registerAppMDIAware(void* appId) const
{
    HostSession* session = HostSession::Current();
    if (!session)
        return false;
    session->apps[appId].mdiAware = true;
    session->script.linkerCalls.push_back({ArxLinkerCall::Operation::RegisterAppMDIAware, appId});
    return true;
}

AcRxClass* HostDynamicLinker::isA() const
{
    return desc();
}

AcRxClass* HostDynamicLinker::desc()
{
    static AcRxClass description(L"HostDynamicLinker", AcRxDynamicLinker::desc());
    return &description;
}
