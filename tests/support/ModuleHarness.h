#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ArxHost.h"
#include "LispFunctionTable.h"

// A scripted host with the module attached through its real entry function
// (or a test's wrapper around it); output lines are collected.
struct ModuleHarness {
    explicit ModuleHarness(ArxEntryPoint entry = nullptr);
    ArxHost host;
    void* app = nullptr;
    std::wstring out;
    std::wstring err;
};

// Puts a test handler into the function table's LOTDIALOG entry for the
// lifetime of the object: it counts its calls, keeps the argument chain's
// type codes and does what `behaviour` does.
class TestHandler {
public:
    explicit TestHandler(std::function<int()> behaviour);
    ~TestHandler();
    TestHandler(const TestHandler&) = delete;
    TestHandler& operator=(const TestHandler&) = delete;

    static int calls;
    static std::vector<short> argumentTypes;   // of the last call

private:
    static int Run();
    static std::function<int()> s_behaviour;
    int (*m_saved)();
};
