#pragma once

// Linkage of the host's operations. The module imports them from the host's
// core library (arxcore.dll); the core library itself is built with
// ARXCORE_BUILD and exports them.
#if defined(ARXCORE_BUILD)
#define ARXCORE_API __declspec(dllexport)
#else
#define ARXCORE_API __declspec(dllimport)
#endif

// The module's own exports (acrxEntryPoint, acrxGetApiVersion).
#define ARXMODULE_EXPORT extern "C" __declspec(dllexport)
