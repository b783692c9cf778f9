#pragma once

#include <cstdint>

// Basic data of the host's LISP interface: the list node `resbuf` and the
// value types it carries. Strings are wide throughout.

using ACHAR = wchar_t;
using ads_real = double;
using ads_int = short;                 // the 16-bit LISP integer
using ads_point = ads_real[3];
using ads_name = std::int64_t[2];      // an entity name: two 64-bit integers
using ads_pointp = ads_real*;

// Coordinate indices into an ads_point.
enum { X = 0, Y = 1, Z = 2 };

union ads_u_val {
    ads_real rreal;
    ads_real rpoint[3];
    short rint;
    ACHAR* rstring;
    std::int32_t rlong;
    std::int64_t rlname[2];
};

// One node of a host list: the next node (or null), the type code (adscodes.h)
// and the value that the type code selects.
struct resbuf {
    resbuf* rbnext;
    short restype;
    ads_u_val resval;
};
