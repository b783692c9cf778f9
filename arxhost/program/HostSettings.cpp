#include "HostSettings.h"

#include <windows.h>

namespace {

// A drive ("C:\site", "C:/site") or a leading separator ("\\server\share",
// "\site") names a file regardless of the settings file's folder.
bool IsAbsolute(const std::wstring& path)
{
    return (!path.empty() && (path[0] == L'\\' || path[0] == L'/'))
           || (path.size() > 1 && path[1] == L':');
}

}  // namespace

HostSettings HostSettings::Read(const std::wstring& folder)
{
    std::wstring file = folder + FileName;
    // Room for the longest path Windows knows; the function cuts off the rest.
    std::wstring value(32768, L'\0');
    DWORD length = GetPrivateProfileStringW(L"arxhost", L"Drawing", L"", value.data(),
                                            static_cast<DWORD>(value.size()), file.c_str());
    value.resize(length);

    HostSettings settings;
    if (!value.empty())
        settings.drawing = IsAbsolute(value) ? value : folder + value;
    return settings;
}
