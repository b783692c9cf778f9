#include "ModuleHarness.h"

#include "ModuleEntry.h"
#include "arx/acedads.h"

ModuleHarness::ModuleHarness(ArxEntryPoint entry)
{
    host.Script().active = true;
    host.SetWriters([this](const std::wstring& text) { out += text; },
                    [this](const std::wstring& text) { err += text; });
    app = host.AttachModule(L"lotgrid", entry ? entry : acrxEntryPoint);
}

int TestHandler::calls = 0;
std::vector<short> TestHandler::argumentTypes;
std::function<int()> TestHandler::s_behaviour;

TestHandler::TestHandler(std::function<int()> behaviour) : m_saved(LispFunctionTable[0].Handler)
{
    calls = 0;
    argumentTypes.clear();
    s_behaviour = std::move(behaviour);
    LispFunctionTable[0].Handler = &TestHandler::Run;
}

TestHandler::~TestHandler()
{
    LispFunctionTable[0].Handler = m_saved;
    s_behaviour = nullptr;
}

int TestHandler::Run()
{
    ++calls;
    argumentTypes.clear();
    for (const resbuf* node = acedGetArgs(); node; node = node->rbnext)
        argumentTypes.push_back(node->restype);
    return s_behaviour();
}
