#include "CDynLinkLibrary.h"

namespace {
CDynLinkLibrary* g_first = nullptr;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state)
    : m_hModule(state.hModule), m_hResource(state.hResource)
{
    CDynLinkLibrary** link = &g_first;
    while (*link)
        link = &(*link)->m_next;
    *link = this;
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    for (CDynLinkLibrary** link = &g_first; *link; link = &(*link)->m_next) {
        if (*link == this) {
            *link = m_next;
            break;
        }
    }
}

const CDynLinkLibrary* CDynLinkLibrary::First()
{
    return g_first;
}
