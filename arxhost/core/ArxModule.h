#pragma once

#include <windows.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "ArxHost.h"

// Thrown when a module file cannot be taken into the host.
class ModuleLoadError : public std::runtime_error {
public:
    explicit ModuleLoadError(std::wstring message)
        : std::runtime_error("module load error"), m_message(std::move(message)) {}
    const std::wstring& Message() const { return m_message; }

private:
    std::wstring m_message;
};

// One application module in the host: its library (none for a module linked
// into the process) and its entry function. Its address is its application id.
class ArxModule {
public:
    // LoadLibraryW and the two exports; throws ModuleLoadError.
    static std::unique_ptr<ArxModule> Load(const std::wstring& path);
    ArxModule(std::wstring name, ArxEntryPoint entry, HMODULE library = nullptr);
    // FreeLibrary for a loaded file.
    ~ArxModule();
    ArxModule(const ArxModule&) = delete;
    ArxModule& operator=(const ArxModule&) = delete;

    const std::wstring& Name() const { return m_name; }
    void* AppId() { return this; }
    void Send(AcRx::AppMsgCode message) { m_entry(message, AppId()); }

private:
    std::wstring m_name;
    ArxEntryPoint m_entry;
    HMODULE m_library;
};
