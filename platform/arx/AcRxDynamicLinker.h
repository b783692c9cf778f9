#pragma once

#include "AcRxObject.h"

// The host's module loader as the module sees it: it records, per
// application id, what the module allows and supports.
class ARXCORE_API AcRxDynamicLinker : public AcRxObject {
public:
    // Lets the host unload the application again.
    virtual bool unlockApplication(void* appId) const = 0;
    // Declares the application able to serve several open drawings.
    virtual bool registerAppMDIAware(void* appId) const = 0;

    AcRxClass* isA() const override;
    static AcRxClass* desc();
};
