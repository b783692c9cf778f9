#pragma once

#include "LispValue.h"
#include "arx/adsdef.h"

// LISP values and host list chains, both ways.
class ResbufConverter {
public:
    // The argument chain of an external function call, allocated by the host
    // (acutRelRb frees it): strings 5005, integers 5003 when they fit 16 bits
    // else 5010, reals 5001, lists 5016 ... 5017 (a dotted pair ends in 5018),
    // nil 5019, T 5021. Other values throw LispEvalError.
    static resbuf* FromArguments(const LispArgs& args);

    // The LISP value of a chain handed over with acedRetList: a chain that is
    // one list is that list; any other chain becomes the list of its items.
    // 5016 ... 5017 nest; a 5019 inside a list is nil.
    static LispRef ToValue(const resbuf* chain);
};
