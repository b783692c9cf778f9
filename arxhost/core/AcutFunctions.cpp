// The host's list utilities (acutads.h). Nodes and strings come from the C
// runtime's heap, which the module shares, so a module may also free a string
// it was handed with free().
#include <cstdarg>
#include <cstdlib>
#include <cstring>

#include "arx/acutads.h"
#include "arx/adscodes.h"

resbuf* acutNewRb(int type)
{
    auto* node = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
    if (node)
        node->restype = static_cast<short>(type);
    return node;
}

int acutRelRb(resbuf* chain)
{
    while (chain) {
        resbuf* next = chain->rbnext;
        if (chain->restype == RTSTR)
            std::free(chain->resval.rstring);
        std::free(chain);
        chain = next;
    }
    return RTNORM;
}

ACHAR* acad__strdup(const ACHAR* text)
{
    if (!text)
        return nullptr;
    size_t bytes = (wcslen(text) + 1) * sizeof(ACHAR);
    auto* copy = static_cast<ACHAR*>(std::malloc(bytes));
    if (copy)
        std::memcpy(copy, text, bytes);
    return copy;
}

resbuf* acutBuildList(int type, ...)
{
    va_list args;
    va_start(args, type);
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    bool failed = false;
    for (; type != 0 && !failed; type = va_arg(args, int)) {
        resbuf* node = acutNewRb(type);
        if (!node) {
            failed = true;
            break;
        }
        (tail ? tail->rbnext : head) = node;
        tail = node;
        switch (type) {
        case RTREAL:
        case RTANG:
            node->resval.rreal = va_arg(args, double);
            break;
        case RTSHORT:
            node->resval.rint = static_cast<short>(va_arg(args, int));
            break;
        case RTLONG:
            node->resval.rlong = va_arg(args, int);
            break;
        case RTSTR: {
            const ACHAR* text = va_arg(args, const ACHAR*);
            node->resval.rstring = acad__strdup(text ? text : L"");
            failed = !node->resval.rstring;
            break;
        }
        case RTPOINT:
        case RT3DPOINT: {
            const ads_real* point = va_arg(args, const ads_real*);
            node->resval.rpoint[0] = point[0];
            node->resval.rpoint[1] = point[1];
            node->resval.rpoint[2] = type == RT3DPOINT ? point[2] : 0.0;
            break;
        }
        case RTENAME: {
            const std::int64_t* name = va_arg(args, const std::int64_t*);
            node->resval.rlname[0] = name[0];
            node->resval.rlname[1] = name[1];
            break;
        }
        case RTLB:
        case RTLE:
        case RTDOTE:
        case RTNIL:
        case RTT:
        case RTVOID:
        case RTNONE:
            break;
        default:
            failed = true;   // a type code without a known value
        }
    }
    va_end(args);
    if (failed) {
        acutRelRb(head);
        return nullptr;
    }
    return head;
}
