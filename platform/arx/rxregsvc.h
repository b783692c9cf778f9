#pragma once

#include "AcRxDictionary.h"
#include "arxexport.h"

// Name of the dynamic linker's entry in the service registry.
constexpr const wchar_t* ACRX_DYNAMIC_LINKER = L"DynamicLinker";

// The host's service registry.
ARXCORE_API AcRxDictionary* acrxSysRegistry();
