#pragma once

#include "AfxResource.h"
#include "CObject.h"

// Membership of an extension module in the framework's resource chain, for
// as long as the object lives.
class CDynLinkLibrary : public CObject {
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state);
    ~CDynLinkLibrary() override;

    CDynLinkLibrary(const CDynLinkLibrary&) = delete;
    CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;

    HMODULE m_hModule;
    HMODULE m_hResource;

    // The chain, oldest member first.
    static const CDynLinkLibrary* First();
    const CDynLinkLibrary* Next() const { return m_next; }

private:
    CDynLinkLibrary* m_next = nullptr;
};
