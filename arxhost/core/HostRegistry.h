#pragma once

#include "HostDynamicLinker.h"
#include "arx/AcRxDictionary.h"

// The host's service registry: one entry, "DynamicLinker".
class HostRegistry : public AcRxDictionary {
public:
    AcRxObject* at(const ACHAR* key) const override;

private:
    mutable HostDynamicLinker m_linker;
};
