#include "CRect.h"

#include <utility>

void CRect::NormalizeRect()
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

bool CRect::IntersectRect(LPCRECT a, LPCRECT b)
{
    return ::IntersectRect(this, a, b) != FALSE;
}

bool CRect::UnionRect(LPCRECT a, LPCRECT b)
{
    return ::UnionRect(this, a, b) != FALSE;
}
