#include "AllocationWatch.h"

#include <cstdlib>
#include <new>

namespace {
volatile bool watching = false;
std::size_t largest = 0;
}  // namespace

void AllocationWatch::Watch(bool on)
{
    if (on)
        largest = 0;
    watching = on;
}

std::size_t AllocationWatch::Largest()
{
    return largest;
}

void* operator new(std::size_t size)
{
    if (watching && size > largest)
        largest = size;
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}
