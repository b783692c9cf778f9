// The host's list utilities (acutads.h). Nodes and strings come from the C
// runtime's heap, which the module shares, so a module may also free a string
// it was handed with free(). In scripted use each allocating operation can be
// made to fail on demand (ArxScript::failNewRb, failBuildList, failStrdup);
// acutBuildList's own nodes and copies do not count against the other two.
#include <cstdarg>

#include "HostSession.h"
#include "ResbufHeap.h"
#include "arx/acutads.h"
#include "arx/adscodes.h"

namespace {

// True when a scripted fault makes this call fail; counts the call down.
bool Fails(ArxAllocationFault ArxScript::*which)
{
    HostSession* session = HostSession::Current();
    if (!session)
        return false;
    ArxAllocationFault& fault = session->script.*which;
    if (fault.fail == 0)
        return false;
    if (fault.succeed > 0) {
        --fault.succeed;
        return false;
    }
    if (fault.fail > 0)
        --fault.fail;
    return true;
}

}  // namespace

resbuf* acutNewRb(int type)
{
    return Fails(&ArxScript::failNewRb) ? nullptr : ResbufHeap::NewNode(type);
}

int acutRelRb(resbuf* chain)
{
    ResbufHeap::FreeChain(chain);
    return RTNORM;
}

ACHAR* acad__strdup(const ACHAR* text)
{
    if (!text || Fails(&ArxScript::failStrdup))
        return nullptr;
    return ResbufHeap::CopyText(text);
}

resbuf* acutBuildList(int type, ...)
{
    if (Fails(&ArxScript::failBuildList))
        return nullptr;
    va_list args;
    va_start(args, type);
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    bool failed = false;
    for (; type != 0 && !failed; type = va_arg(args, int)) {
        resbuf* node = ResbufHeap::NewNode(type);
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
            node->resval.rstring = ResbufHeap::CopyText(text ? text : L"");
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
        ResbufHeap::FreeChain(head);
        return nullptr;
    }
    return head;
}
