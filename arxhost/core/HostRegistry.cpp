#include "HostRegistry.h"

#include <cwchar>

#include "arx/rxregsvc.h"

AcRxObject* HostRegistry::at(const ACHAR* key) const
{
    if (key && std::wcscmp(key, ACRX_DYNAMIC_LINKER) == 0)
        return &m_linker;
    return nullptr;
}

AcRxDictionary* acrxSysRegistry()
{
    static HostRegistry registry;
    return &registry;
}
