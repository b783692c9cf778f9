#pragma once

#include <cstddef>

// Refuses to go deeper when the thread's stack is nearly used up, so that
// runaway recursion in LISP ends in an error instead of a crash.
class LispStackGuard {
public:
    // Throws LispEvalError("stack overflow") when less than a safe margin of
    // the current thread's stack is left: room for the C++ frames below the
    // check (printing, host calls, a module's dialog).
    static void Check();
    // True when more than `bytes` of the current thread's stack are left;
    // for recursions that stop on their own terms (reading, printing).
    static bool HasRoom(std::size_t bytes);
};
