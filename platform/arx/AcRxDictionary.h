#pragma once

#include "AcRxObject.h"
#include "adsdef.h"

// A registry of named service objects.
class ARXCORE_API AcRxDictionary : public AcRxObject {
public:
    // The entry named `key`, or null.
    virtual AcRxObject* at(const ACHAR* key) const = 0;

    AcRxClass* isA() const override;
    static AcRxClass* desc();
};
