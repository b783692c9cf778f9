#include "CUGCheckBoxType.h"

const wchar_t* CUGCheckBoxType::GetName()
{
    return L"Standard CheckBox Type";
}

const GUID* CUGCheckBoxType::GetTypeId()
{
    static const GUID id = {0x93AAB8D0, 0xF749, 0x11D0,
                            {0x9C, 0x7F, 0x00, 0x80, 0xC8, 0x3F, 0x71, 0x2F}};
    return &id;
}
