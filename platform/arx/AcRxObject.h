#pragma once

#include "arxexport.h"

class AcRxClass;

// Root of the host's runtime classes: every object tells its class.
class ARXCORE_API AcRxObject {
public:
    virtual ~AcRxObject();
    virtual AcRxClass* isA() const = 0;
    static AcRxClass* desc();
};
