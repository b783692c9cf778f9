#pragma once

#include "ArxHost.h"
#include "LispFunctionTable.h"
#include "ModuleEntry.h"

#include <functional>
#include <string>

// A scripted host with the module attached through its real entry function
// (or a test's wrapper around it); its error lines are collected.
struct ModuleHarness {
    explicit ModuleHarness(ArxEntryPoint entry = acrxEntryPoint)
    {
        host.Script().active = true;
        host.SetWriters([](const std::wstring&) {}, [this](const std::wstring& text) { err += text; });
        app = host.AttachModule(L"lotgrid", entry);
    }
    // The value or the error of one LISP expression as printed, "" for none.
    std::wstring Evaluate(const wchar_t* lisp)
    {
        ArxEvalResult result = host.Evaluate(lisp).at(0);
        return result.kind == ArxEvalResult::Kind::NoValue ? L"" : result.text;
    }
    ArxHost host;
    void* app = nullptr;
    std::wstring err;
};

// Puts a test handler into the function table's LOTDIALOG entry while it
// lives; it counts its calls.
class TestHandler {
public:
    explicit TestHandler(std::function<int()> behaviour) : m_saved(LispFunctionTable[0].Handler)
    {
        calls = 0;
        s_behaviour = std::move(behaviour);
        LispFunctionTable[0].Handler = [] { return ++calls, s_behaviour(); };
    }
    ~TestHandler() { LispFunctionTable[0].Handler = m_saved; }
    TestHandler(const TestHandler&) = delete;
    TestHandler& operator=(const TestHandler&) = delete;
    static inline int calls = 0;

private:
    static inline std::function<int()> s_behaviour;
    int (*m_saved)();
};
