#pragma once

// Refuses to go deeper when the thread's stack is nearly used up, so that
// runaway recursion in LISP ends in an error instead of a crash.
class LispStackGuard {
public:
    // Throws LispEvalError("stack overflow") when less than a safe margin of
    // the current thread's stack is left.
    static void Check();
};
