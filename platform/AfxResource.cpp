#include "AfxResource.h"

#include "CDynLinkLibrary.h"

namespace {
HINSTANCE g_resourceHandle = nullptr;
}

HINSTANCE AfxGetResourceHandle()
{
    return g_resourceHandle ? g_resourceHandle : GetModuleHandleW(nullptr);
}

void AfxSetResourceHandle(HINSTANCE resource)
{
    g_resourceHandle = resource;
}

HINSTANCE AfxFindResourceHandle(LPCWSTR name, LPCWSTR type)
{
    HINSTANCE current = AfxGetResourceHandle();
    if (FindResourceW(current, name, type))
        return current;
    for (const CDynLinkLibrary* lib = CDynLinkLibrary::First(); lib; lib = lib->Next()) {
        if (lib->m_hResource && FindResourceW(lib->m_hResource, name, type))
            return lib->m_hResource;
    }
    return current;
}

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module)
{
    if (state.bInitialized)
        return TRUE;
    if (!module)
        return FALSE;
    state.hModule = module;
    state.hResource = module;
    state.bInitialized = TRUE;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL /*all*/)
{
    state.bInitialized = FALSE;
    state.hModule = nullptr;
    state.hResource = nullptr;
}
