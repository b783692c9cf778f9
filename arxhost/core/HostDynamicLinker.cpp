#include "HostDynamicLinker.h"

#include "HostSession.h"
#include "arx/AcRxClass.h"

bool HostDynamicLinker::unlockApplication(void* appId) const
{
    HostSession* session = HostSession::Current();
    if (!session)
        return false;
    session->apps[appId].unlocked = true;
    return true;
}

bool HostDynamicLinker::registerAppMDIAware(void* appId) const
{
    HostSession* session = HostSession::Current();
    if (!session)
        return false;
    session->apps[appId].mdiAware = true;
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
