#pragma once

#include <cstddef>

// The largest single allocation made while watching: a reader of damaged
// input must never allocate beyond what the input can hold. A program that
// uses this gets this library's replacement of operator new.
namespace AllocationWatch {
// Starts watching from nothing, or stops.
void Watch(bool on);
// The largest size asked of operator new while watching.
std::size_t Largest();
}  // namespace AllocationWatch
