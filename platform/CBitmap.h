#pragma once

#include "CGdiObject.h"

class CDC;

// A device-dependent bitmap.
class CBitmap : public CGdiObject {
public:
    CBitmap() = default;

    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }

    // A bitmap of the colour format of the device of `dc`.
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    // A bitmap resource, looked up in the current resource module and then
    // the extension modules.
    BOOL LoadBitmap(UINT resourceId);
    BOOL LoadBitmap(LPCWSTR resourceName);

    // The bitmap's size and format; answers nonzero on success.
    int GetBitmap(BITMAP* bitmap) const;
};
