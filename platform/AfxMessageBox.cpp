#include "AfxMessageBox.h"

#include <string>

namespace {

// The title MFC gives message boxes: the program's name, without folder and
// extension.
std::wstring ApplicationTitle()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path);
    size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos)
        name.erase(0, slash + 1);
    size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0)
        name.erase(dot);
    return name;
}

} // namespace

int AfxMessageBox(LPCWSTR text, UINT type, UINT)
{
    HWND owner = GetActiveWindow();
    return MessageBoxW(owner, text, ApplicationTitle().c_str(), type);
}
