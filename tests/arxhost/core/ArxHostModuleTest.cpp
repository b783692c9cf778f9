// Modules coming and going: messages in the host's order, registration per
// drawing, the dynamic linker's records, and files that are no module.
#include <gtest/gtest.h>
#include <windows.h>

#include "ProbeModule.h"
#include "arx/AcRxClass.h"
#include "arx/AcRxDynamicLinker.h"
#include "arx/rxregsvc.h"

namespace {

std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

TEST(ArxHostModules, MessagesFollowTheModulesLifeAndRegistrationTheDrawing)
{
    ProbeModule::Reset();
    ScriptedHost scripted;
    ArxHost& host = scripted.host;
    void* app = host.AttachModule(L"probe", ProbeModule::Entry);
    EXPECT_EQ(ProbeModule::messages, (std::vector<int>{1, 3}));
    EXPECT_TRUE(host.IsRegistered(L"probe"));
    EXPECT_TRUE(host.HasFunction(L"PROBE"));

    host.SendAppMessage(app, AcRx::kUnloadDwgMsg);
    EXPECT_FALSE(host.IsRegistered(L"PROBE"));
    EXPECT_EQ(host.Evaluate(L"(probe)")[0].text, L"no function definition: PROBE");
    host.SendAppMessage(app, AcRx::kLoadDwgMsg);
    EXPECT_TRUE(host.IsRegistered(L"PROBE"));

    host.Script().refuseDefun = true;
    host.SendAppMessage(app, AcRx::kUnloadDwgMsg);
    host.SendAppMessage(app, AcRx::kLoadDwgMsg);
    EXPECT_FALSE(host.IsRegistered(L"PROBE"));
    host.Script().refuseDefun = false;

    host.SendAppMessage(app, AcRx::kLoadDwgMsg);
    ProbeModule::messages.clear();
    host.UnloadModules();
    EXPECT_EQ(ProbeModule::messages, (std::vector<int>{4, 2}));
    EXPECT_FALSE(host.HasFunction(L"PROBE")) << "a function outlived its module";
}

TEST(ArxHostModules, RegistryOffersTheDynamicLinker)
{
    AcRxObject* entry = acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER);
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->isA()->isDerivedFrom(AcRxDynamicLinker::desc()));
    EXPECT_FALSE(AcRxDynamicLinker::desc()->isDerivedFrom(entry->isA()));
    EXPECT_EQ(acrxSysRegistry()->at(L"Linker"), nullptr);
}

TEST(ArxHostModules, FilesThatAreNoModuleAreRefusedWithAMessage)
{
    ScriptedHost scripted;
    std::wstring error;
    EXPECT_FALSE(scripted.host.LoadModule(ProgramFolder() + L"missing.arx", error));
    EXPECT_NE(error.find(L"cannot load module"), std::wstring::npos) << std::string(error.begin(), error.end());
    EXPECT_NE(error.find(L"missing.arx"), std::wstring::npos);

    error.clear();
    EXPECT_FALSE(scripted.host.LoadModule(ProgramFolder() + L"arxcore.dll", error));
    EXPECT_NE(error.find(L"does not export acrxEntryPoint"), std::wstring::npos)
        << std::string(error.begin(), error.end());
    EXPECT_FALSE(scripted.host.IsRegistered(L"LOTDIALOG"));
}

TEST(ArxHostModules, TheBuiltModuleLoadsRegistersAndLeaves)
{
    ScriptedHost scripted;
    std::wstring error;
    ASSERT_TRUE(scripted.host.LoadModule(ProgramFolder() + L"lotgrid.arx", error))
        << std::string(error.begin(), error.end());
    EXPECT_TRUE(scripted.host.IsRegistered(L"LOTDIALOG"));
    ASSERT_EQ(scripted.host.Script().linkerCalls.size(), 2u);
    EXPECT_EQ(scripted.host.Script().linkerCalls[0].appId,
              scripted.host.Script().linkerCalls[1].appId);
    EXPECT_TRUE(scripted.host.IsUnlocked(scripted.host.Script().linkerCalls[0].appId));
    EXPECT_TRUE(scripted.host.IsMdiAware(scripted.host.Script().linkerCalls[0].appId));

    scripted.host.UnloadModules();
    EXPECT_FALSE(scripted.host.IsRegistered(L"LOTDIALOG"));
    EXPECT_EQ(GetModuleHandleW(L"lotgrid.arx"), nullptr) << "the library stayed loaded";
}

}  // namespace
