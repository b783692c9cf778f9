#include "LispSourceFile.h"

#include <windows.h>

#include <string>

bool LispSourceFile::Read(const std::wstring& path, std::wstring& text)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);

    size_t skip = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    const char* data = bytes.data() + skip;
    int size = static_cast<int>(bytes.size() - skip);
    UINT codePage = CP_UTF8;
    int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, data, size, nullptr, 0);
    if (length == 0 && size > 0) {
        codePage = CP_ACP;
        length = MultiByteToWideChar(codePage, 0, data, size, nullptr, 0);
    }
    text.assign(static_cast<size_t>(length), L'\0');
    if (length > 0)
        MultiByteToWideChar(codePage, codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0, data, size,
                            text.data(), length);
    return true;
}
