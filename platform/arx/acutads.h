#pragma once

#include "adsdef.h"
#include "arxexport.h"

// The host's list utilities. Nodes and their strings come from the host's
// allocator; acutRelRb frees what acutNewRb, acutBuildList and acad__strdup
// allocated.

extern "C" {

// A new node of type `type` with a zero value, or null.
ARXCORE_API resbuf* acutNewRb(int type);

// A new chain from type/value pairs ended by 0, e.g.
// acutBuildList(RTLB, RTSTR, L"A", RTSHORT, 3, RTLE, 0). Strings are copied;
// points are passed as ads_point, entity names as ads_name. Null for an
// unknown type code or when memory runs out.
ARXCORE_API resbuf* acutBuildList(int type, ...);

// Frees every node of the chain and every string it owns.
ARXCORE_API int acutRelRb(resbuf* chain);

// A host-owned copy of `text`, or null.
ARXCORE_API ACHAR* acad__strdup(const ACHAR* text);

}  // extern "C"
