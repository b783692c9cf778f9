#include "CBitmap.h"

#include "AfxResource.h"
#include "CDC.h"

#include <cassert>

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height)
{
    assert(dc && "CBitmap::CreateCompatibleBitmap: a device context is needed");
    return Attach(::CreateCompatibleBitmap(dc->GetSafeHdc(), width, height));
}

BOOL CBitmap::LoadBitmap(UINT resourceId)
{
    return LoadBitmap(MAKEINTRESOURCEW(resourceId));
}

BOOL CBitmap::LoadBitmap(LPCWSTR resourceName)
{
    HINSTANCE module = AfxFindResourceHandle(resourceName, RT_BITMAP);
    return Attach(::LoadBitmapW(module, resourceName));
}

int CBitmap::GetBitmap(BITMAP* bitmap) const
{
    return GetObject(sizeof(BITMAP), bitmap);
}
