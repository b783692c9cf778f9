// versioninfo_dump.exe FILE...: the version resource of each file as Windows
// reads it for the file's properties (the strings of its first translation),
// one "NAME: KEY=VALUE" line each, for the package check to compare. Exit
// code 1 when a file has no readable version resource.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv)
{
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        std::wstring path = argv[i];
        std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
        DWORD unused = 0;
        std::vector<BYTE> data(GetFileVersionInfoSizeW(path.c_str(), &unused));
        struct Translation { WORD language, codePage; }* translation = nullptr;
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0, fixedLength = 0;
        if (data.empty() || !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data())
            || !VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length)
            || length < sizeof *translation
            || !VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedLength)) {
            wprintf(L"%ls: no version resource\n", name.c_str());
            status = 1;
            continue;
        }
        wprintf(L"%ls: FixedVersion=%u.%u.%u.%u FileType=%lu\n", name.c_str(),
                HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS), fixed->dwFileType);
        for (const wchar_t* key : {L"FileDescription", L"FileVersion", L"LegalCopyright",
                                   L"OriginalFilename", L"ProductName", L"ProductVersion"}) {
            wchar_t query[80];
            _snwprintf(query, 80, L"\\StringFileInfo\\%04x%04x\\%ls", translation->language,
                       translation->codePage, key);
            wchar_t* value = nullptr;
            if (!VerQueryValueW(data.data(), query, reinterpret_cast<void**>(&value), &length))
                value = const_cast<wchar_t*>(L"<none>");
            wprintf(L"%ls: %ls=%ls\n", name.c_str(), key, value);
        }
    }
    return status;
}
