// The library's start-up and shutdown notifications: joining the resource
// chain once, leaving it only after joining, and the recorded handle.
#include <gtest/gtest.h>
#include <windows.h>

#include "CDynLinkLibrary.h"
#include "ExtensionModule.h"

namespace {

int ChainEntriesFor(HINSTANCE instance)
{
    int count = 0;
    for (const CDynLinkLibrary* library = CDynLinkLibrary::First(); library;
         library = library->Next())
        if (library->m_hModule == instance && library->m_hResource == instance)
            ++count;
    return count;
}

TEST(ExtensionModule, JoinsOnceAndLeavesOnlyAfterJoining)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    ASSERT_FALSE(ExtensionModule::IsInitialized());

    // Shutdown without a start-up, and thread notifications, do nothing.
    EXPECT_TRUE(ExtensionModule::Notify(instance, DLL_PROCESS_DETACH));
    EXPECT_TRUE(ExtensionModule::Notify(instance, DLL_THREAD_ATTACH));
    EXPECT_FALSE(ExtensionModule::IsInitialized());
    EXPECT_EQ(ExtensionModule::ModuleResourceHandle(), nullptr);
    EXPECT_EQ(ChainEntriesFor(instance), 0);

    EXPECT_TRUE(ExtensionModule::Notify(instance, DLL_PROCESS_ATTACH));
    EXPECT_TRUE(ExtensionModule::Notify(instance, DLL_PROCESS_ATTACH));
    EXPECT_TRUE(ExtensionModule::IsInitialized());
    EXPECT_EQ(ExtensionModule::ModuleResourceHandle(), instance);
    EXPECT_EQ(ExtensionModule::Record().hModule, instance);
    EXPECT_EQ(ExtensionModule::Record().hResource, instance);
    EXPECT_EQ(ChainEntriesFor(instance), 1) << "joined the resource chain twice";

    EXPECT_TRUE(ExtensionModule::Notify(instance, DLL_THREAD_DETACH));
    EXPECT_TRUE(ExtensionModule::IsInitialized());

    EXPECT_TRUE(ExtensionModule::Notify(instance, DLL_PROCESS_DETACH));
    EXPECT_FALSE(ExtensionModule::IsInitialized());
    EXPECT_EQ(ExtensionModule::ModuleResourceHandle(), nullptr);
    EXPECT_FALSE(ExtensionModule::Record().bInitialized);
    EXPECT_EQ(ChainEntriesFor(instance), 0);
    EXPECT_TRUE(ExtensionModule::Notify(instance, DLL_PROCESS_DETACH));
}

}  // namespace
