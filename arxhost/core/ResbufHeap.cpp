#include "ResbufHeap.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "arx/adscodes.h"

resbuf* ResbufHeap::NewNode(int type)
{
    auto* node = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
    if (node)
        node->restype = static_cast<short>(type);
    return node;
}

ACHAR* ResbufHeap::CopyText(const ACHAR* text)
{
    if (!text)
        return nullptr;
    size_t bytes = (std::wcslen(text) + 1) * sizeof(ACHAR);
    auto* copy = static_cast<ACHAR*>(std::malloc(bytes));
    if (copy)
        std::memcpy(copy, text, bytes);
    return copy;
}

void ResbufHeap::FreeChain(resbuf* chain)
{
    while (chain) {
        resbuf* next = chain->rbnext;
        if (chain->restype == RTSTR)
            std::free(chain->resval.rstring);
        std::free(chain);
        chain = next;
    }
}

resbuf* ResbufHeap::CopyChain(const resbuf* chain)
{
    resbuf* head = nullptr;
    resbuf** link = &head;
    for (const resbuf* node = chain; node; node = node->rbnext) {
        resbuf* copy = NewNode(node->restype);
        if (!copy) {
            FreeChain(head);
            return nullptr;
        }
        copy->resval = node->resval;
        if (node->restype == RTSTR && node->resval.rstring) {
            copy->resval.rstring = CopyText(node->resval.rstring);
            if (!copy->resval.rstring) {
                std::free(copy);
                FreeChain(head);
                return nullptr;
            }
        }
        *link = copy;
        link = &copy->rbnext;
    }
    return head;
}
