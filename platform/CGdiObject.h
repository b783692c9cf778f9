#pragma once

#include "CObject.h"

#include <windows.h>

// Owner of one GDI object handle. The object deletes the handle it holds when
// it is destroyed (or on DeleteObject); Attach hands a handle over to it and
// Detach takes it back, after which the object no longer deletes it. Wrappers
// that only name a handle they do not own (those a CDC answers from
// SelectObject) are detached by their owner before they go.
class CGdiObject : public CObject {
public:
    CGdiObject() = default;
    ~CGdiObject() override;

    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }

    // Takes ownership of `object`; the wrapper must be empty.
    BOOL Attach(HGDIOBJ object);
    // Gives up the handle without deleting it.
    HGDIOBJ Detach();
    // Deletes the handle now; an empty wrapper answers FALSE.
    BOOL DeleteObject();

    // The object's description (LOGPEN, LOGBRUSH, LOGFONT, BITMAP) copied into
    // `buffer`; answers the bytes copied, 0 on failure.
    int GetObject(int count, LPVOID buffer) const;

    HGDIOBJ m_hObject = nullptr;
};
