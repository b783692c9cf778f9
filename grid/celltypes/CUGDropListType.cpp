#include "CUGDropListType.h"

const wchar_t* CUGDropListType::GetName()
{
    return L"Standard DropList";
}

const GUID* CUGDropListType::GetTypeId()
{
    static const GUID id = {0x1667A6A0, 0xF746, 0x11D0,
                            {0x9C, 0x7F, 0x00, 0x80, 0xC8, 0x3F, 0x71, 0x2F}};
    return &id;
}
