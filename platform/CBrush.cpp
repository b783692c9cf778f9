#include "CBrush.h"

CBrush::CBrush(COLORREF color)
{
    CreateSolidBrush(color);
}

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    return Attach(::CreateSolidBrush(color));
}

BOOL CBrush::CreateSysColorBrush(int index)
{
    return Attach(::GetSysColorBrush(index));
}
