#pragma once

#include "arx/AcRxDynamicLinker.h"

// The host's dynamic linker: records per application id what a module allows
// (unloading) and supports (several open drawings) in the current session.
class HostDynamicLinker : public AcRxDynamicLinker {
public:
    bool unlockApplication(void* appId) const override;
    bool registerAppMDIAware(void* appId) const override;

    AcRxClass* isA() const override;
    static AcRxClass* desc();
};
