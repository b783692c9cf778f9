#include "LispStackGuard.h"

#include <windows.h>

#include "LispError.h"

namespace {

constexpr std::size_t kMargin = 256 * 1024;

// The lowest address of this thread's stack reservation, found once.
const char* StackLimit()
{
    thread_local const char* lowest = [] {
        MEMORY_BASIC_INFORMATION info{};
        int probe = 0;
        VirtualQuery(&probe, &info, sizeof info);
        return static_cast<const char*>(info.AllocationBase);
    }();
    return lowest;
}

}  // namespace

bool LispStackGuard::HasRoom(std::size_t bytes)
{
    const char* lowest = StackLimit();
    char here = 0;
    return !lowest || &here - lowest > static_cast<std::ptrdiff_t>(bytes);
}

void LispStackGuard::Check()
{
    if (!HasRoom(kMargin))
        throw LispEvalError(L"stack overflow");
}
