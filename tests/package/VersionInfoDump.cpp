// versioninfo_dump.exe FILE...: each file's version resource as Windows reads
// it for the file's properties (the strings of its first translation), one
// "NAME: KEY=VALUE" line each; exit code 1 when a file has none.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv)
{
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        std::wstring name = argv[i];
        name = name.substr(name.find_last_of(L"\\/") + 1);
        DWORD unused = 0;
        std::vector<BYTE> data(GetFileVersionInfoSizeW(argv[i], &unused) + 1);
        WORD* translation = nullptr;
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        if (!GetFileVersionInfoW(argv[i], 0, static_cast<DWORD>(data.size()), data.data())
            || !VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length)
            || !VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length)) {
            wprintf(L"%ls: no version resource\n", name.c_str());
            status = 1;
            continue;
        }
        wprintf(L"%ls: FixedVersion=%u.%u.%u.%u FileType=%lu\n", name.c_str(),
                HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS), fixed->dwFileType);
        for (const wchar_t* key : {L"FileDescription", L"FileVersion", L"LegalCopyright",
                                   L"OriginalFilename", L"ProductName", L"ProductVersion"}) {
            wchar_t query[80], *value = nullptr;
            _snwprintf(query, 80, L"\\StringFileInfo\\%04x%04x\\%ls", translation[0], translation[1], key);
            bool found = VerQueryValueW(data.data(), query, reinterpret_cast<void**>(&value), &length);
            wprintf(L"%ls: %ls=%ls\n", name.c_str(), key, found ? value : L"<none>");
        }
    }
    return status;
}
