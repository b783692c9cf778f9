#include "ArxModule.h"

#include "arx/adscodes.h"

namespace {

using ApiVersionFunction = int (*)();

std::wstring SystemMessage(DWORD code)
{
    wchar_t* text = nullptr;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                      | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length ? std::wstring(text, length) : L"error " + std::to_wstring(code);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r'
                                || message.back() == L' ' || message.back() == L'.'))
        message.pop_back();
    return message;
}

}  // namespace

std::unique_ptr<ArxModule> ArxModule::Load(const std::wstring& path)
{
    HMODULE library = LoadLibraryW(path.c_str());
    if (!library)
        throw ModuleLoadError(L"cannot load module \"" + path + L"\": "
                              + SystemMessage(GetLastError()));
    auto entry = reinterpret_cast<ArxEntryPoint>(
        reinterpret_cast<void*>(GetProcAddress(library, "acrxEntryPoint")));
    auto version = reinterpret_cast<ApiVersionFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "acrxGetApiVersion")));
    if (!entry || !version) {
        FreeLibrary(library);
        throw ModuleLoadError(L"\"" + path + L"\" is no application module: it does not export "
                              + (entry ? L"acrxGetApiVersion" : L"acrxEntryPoint"));
    }
    int built = version();
    if (built != ACRX_API_VERSION) {
        FreeLibrary(library);
        throw ModuleLoadError(L"\"" + path + L"\" was built for interface version "
                              + std::to_wstring(built) + L"; this host serves version "
                              + std::to_wstring(ACRX_API_VERSION));
    }
    return std::make_unique<ArxModule>(path, entry, library);
}

ArxModule::ArxModule(std::wstring name, ArxEntryPoint entry, HMODULE library)
    : m_name(std::move(name)), m_entry(entry), m_library(library)
{
}

ArxModule::~ArxModule()
{
    if (m_library)
        FreeLibrary(m_library);
}
