// The Windows DLL as a host's loader sees it: exactly the two entry names, undecorated, and
// nothing imported that a Windows system lacks (the C and C++ run-times are linked in).
#if defined(_WIN32)

#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "support/VstHost.h"

namespace {

using orvtest::PluginModule;

const IMAGE_DATA_DIRECTORY& directory(HMODULE module, int entry) {
    const auto* base = reinterpret_cast<const uint8_t*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    return nt->OptionalHeader.DataDirectory[entry];
}

HMODULE pluginModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(PluginModule::shared().entry()), &module);
    return module;
}

TEST(ModuleImage, ExportsExactlyTheTwoEntryNames) {
    ASSERT_TRUE(PluginModule::shared().loaded()) << ORV_PLUGIN_PATH;
    const HMODULE module = pluginModule();
    ASSERT_NE(module, nullptr);
    const auto* base = reinterpret_cast<const uint8_t*>(module);
    const IMAGE_DATA_DIRECTORY& exports = directory(module, IMAGE_DIRECTORY_ENTRY_EXPORT);
    ASSERT_NE(exports.VirtualAddress, 0u);
    const auto* table = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + exports.VirtualAddress);
    const auto* names = reinterpret_cast<const DWORD*>(base + table->AddressOfNames);
    std::set<std::string> exported;
    for (DWORD i = 0; i < table->NumberOfNames; ++i) exported.insert(reinterpret_cast<const char*>(base + names[i]));
    EXPECT_EQ(exported, (std::set<std::string>{"VSTPluginMain", "main"}));
    EXPECT_EQ(table->NumberOfFunctions, 2u);
}

TEST(ModuleImage, ImportsOnlyWhatTheSystemHas) {
    ASSERT_TRUE(PluginModule::shared().loaded()) << ORV_PLUGIN_PATH;
    const HMODULE module = pluginModule();
    ASSERT_NE(module, nullptr);
    const auto* base = reinterpret_cast<const uint8_t*>(module);
    const IMAGE_DATA_DIRECTORY& imports = directory(module, IMAGE_DIRECTORY_ENTRY_IMPORT);
    ASSERT_NE(imports.VirtualAddress, 0u);
    wchar_t systemFolder[MAX_PATH];
    ASSERT_GT(GetSystemDirectoryW(systemFolder, MAX_PATH), 0u);
    std::vector<std::string> imported;
    for (const auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         entry->Name != 0; ++entry) {
        const std::string name = reinterpret_cast<const char*>(base + entry->Name);
        imported.push_back(name);
        const std::wstring path = std::wstring(systemFolder) + L"\\" + std::wstring(name.begin(), name.end());
        EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << name << " is not a system DLL";
    }
    EXPECT_FALSE(imported.empty());
}

}  // namespace

#endif
