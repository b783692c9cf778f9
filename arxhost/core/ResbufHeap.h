#pragma once

#include "arx/adsdef.h"

// The host's own allocation of list nodes and their strings, on the C
// runtime's heap that the module shares. The exported list utilities
// (acutNewRb, acutBuildList, acad__strdup) add scripted allocation faults on
// top; the host's internal conversions allocate here directly, so that a
// fault set up for a module's calls is never used up by the host itself.
class ResbufHeap {
public:
    // A zeroed node of `type`, or null.
    static resbuf* NewNode(int type);
    // A copy of `text`, or null (also for a null text).
    static ACHAR* CopyText(const ACHAR* text);
    // Frees every node of the chain and the string of every string node.
    static void FreeChain(resbuf* chain);
    // A node-by-node copy, strings included; null when memory runs out.
    static resbuf* CopyChain(const resbuf* chain);
};
