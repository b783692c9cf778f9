#include "LispStackGuard.h"

#include <windows.h>

#include "LispError.h"

namespace {

// Room left for the C++ frames below the check (printing, host calls, a
// module's dialog) once LISP stops going deeper.
constexpr size_t kMargin = 256 * 1024;

}  // namespace

void LispStackGuard::Check()
{
    // The lowest address of this thread's stack reservation, found once.
    thread_local const char* lowest = [] {
        MEMORY_BASIC_INFORMATION info{};
        int probe = 0;
        VirtualQuery(&probe, &info, sizeof info);
        return static_cast<const char*>(info.AllocationBase);
    }();
    char here = 0;
    if (lowest && &here - lowest < static_cast<ptrdiff_t>(kMargin))
        throw LispEvalError(L"stack overflow");
}
