// The program's own operator new and delete: plain malloc and free, except
// that while a FreedMemoryPoison lives a freed block is poisoned and queued,
// and only the block that the queue pushes out is really freed.
#include "FreedMemoryPoison.h"

#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// Enough blocks that a record freed by one call of the grid is still
// poisoned when the rest of that call, and the next few, read it.
constexpr std::size_t HeldBlocks = 4096;

bool g_poisoning = false;
void* g_held[HeldBlocks] = {};
std::size_t g_nextHeld = 0;

void ReleaseHeld()
{
    for (void*& block : g_held) {
        std::free(block);
        block = nullptr;
    }
    g_nextHeld = 0;
}

}  // namespace

FreedMemoryPoison::FreedMemoryPoison()
{
    g_poisoning = true;
}

FreedMemoryPoison::~FreedMemoryPoison()
{
    g_poisoning = false;
    ReleaseHeld();
}

void* operator new(std::size_t size)
{
    if (void* block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    if (!block)
        return;
    if (!g_poisoning) {
        std::free(block);
        return;
    }
    std::memset(block, FreedMemoryPoison::Pattern, _msize(block));
    void*& slot = g_held[g_nextHeld];
    g_nextHeld = (g_nextHeld + 1) % HeldBlocks;
    std::free(slot);
    slot = block;
}

void operator delete(void* block, std::size_t) noexcept
{
    operator delete(block);
}
