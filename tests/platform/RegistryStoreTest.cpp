// The settings store on Windows: values land in the registry with the registry's own types,
// as the system's reg tool sees them, and values the tool stores are read back.
#if defined(_WIN32)

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/SettingsStore.h"
#include "support/TempSettingsFolder.h"

namespace orv {
namespace {

// Runs the system's reg.exe with the arguments and collects what it prints. A 32-bit test asks
// for the 64-bit tool (through Sysnative): both see the same HKEY_CURRENT_USER\Software, and
// the native one starts much faster where 32-bit programs are emulated.
struct RegToolResult {
    DWORD exitCode = ~0u;
    std::string output;
};

std::wstring regToolPath() {
    wchar_t folder[MAX_PATH];
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    if (wow64) {
        GetWindowsDirectoryW(folder, MAX_PATH);
        return std::wstring(folder) + L"\\Sysnative\\reg.exe";
    }
    GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\reg.exe";
}

RegToolResult runRegTool(const std::string& arguments) {
    RegToolResult result;
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return result;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    const std::wstring tool = regToolPath();
    std::wstring commandLine = L"\"" + tool + L"\" " + std::wstring(arguments.begin(), arguments.end());
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(tool.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                        nullptr, nullptr, &startup, &process);
    CloseHandle(writeEnd);
    if (started) {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got > 0) result.output.append(buffer, got);
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &result.exitCode);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(readEnd);
    return result;
}

// "    Name    TYPE    data" lines of a reg query listing, as {type, data}; empty when absent.
std::pair<std::string, std::string> listedValue(const std::string& listing, const std::string& name) {
    const std::string start = "    " + name + "    ";
    size_t at = listing.find("\n" + start);
    if (at == std::string::npos) return {};
    at += 1 + start.size();
    size_t end = listing.find_first_of("\r\n", at);
    const std::string rest = listing.substr(at, end - at);
    const size_t gap = rest.find("    ");
    if (gap == std::string::npos) return {rest, ""};
    return {rest.substr(0, gap), rest.substr(gap + 4)};
}

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(isolation.valid()); }

    // The key as reg.exe names it: under the real HKEY_CURRENT_USER, where the fixture put it.
    std::string regKey(const char* key) const {
        return "\"HKCU\\" + isolation.registryRoot() + "\\" + key + "\"";
    }

    orvtest::TempSettingsFolder isolation;
};

TEST_F(RegistryStoreTest, ValuesCarryTheRegistryTypesTheToolSees) {
    const uint8_t stream[] = {0x4f, 0x76, 0x4d, 0x78, 0x22, 0x00, 0xff};
    ASSERT_TRUE(settings::writeBinary(settings::kPresetKey, "DefaultPreset", stream, sizeof(stream)));
    ASSERT_TRUE(settings::writeString(settings::kPresetKey, "CurrDir", "C:\\Users\\me\\My Presets"));
    // Missing PREFS subkey: the writer creates it.
    ASSERT_TRUE(settings::writeDword(settings::kPrefsKey, "Metering_Scale", 2));
    ASSERT_TRUE(settings::writeDword(settings::kPrefsKey, "Metering_AttShow", 0x80000007u));

    const RegToolResult presets = runRegTool("query " + regKey(settings::kPresetKey));
    ASSERT_EQ(presets.exitCode, 0u) << presets.output;
    EXPECT_EQ(listedValue(presets.output, "DefaultPreset"), std::make_pair(std::string("REG_BINARY"),
                                                                           std::string("4F764D782200FF")));
    EXPECT_EQ(listedValue(presets.output, "CurrDir"),
              std::make_pair(std::string("REG_SZ"), std::string("C:\\Users\\me\\My Presets")));

    const RegToolResult prefs = runRegTool("query " + regKey(settings::kPrefsKey));
    ASSERT_EQ(prefs.exitCode, 0u) << prefs.output;
    EXPECT_EQ(listedValue(prefs.output, "Metering_Scale"), std::make_pair(std::string("REG_DWORD"), std::string("0x2")));
    EXPECT_EQ(listedValue(prefs.output, "Metering_AttShow"),
              std::make_pair(std::string("REG_DWORD"), std::string("0x80000007")));

    // Removal really removes: the tool no longer finds the value.
    ASSERT_TRUE(settings::deleteValue(settings::kPresetKey, "CurrDir"));
    EXPECT_NE(runRegTool("query " + regKey(settings::kPresetKey) + " /v CurrDir").exitCode, 0u);
}

TEST_F(RegistryStoreTest, StringsAreStoredAsTerminatedUtf16) {
    const std::string text = "Z:\\home\\d\xc3\xa9j\xc3\xa0 vu \xe2\x82\xac \xf0\x9f\x8e\xb5";  // é à € and one astral
    ASSERT_TRUE(settings::writeString(settings::kPresetKey, "CurrPreset", text));

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\Orv-sound\\Orvmorix", 0, KEY_QUERY_VALUE, &key),
              ERROR_SUCCESS);
    DWORD type = 0;
    wchar_t data[64] = {};
    DWORD size = sizeof(data);
    const LONG result = RegQueryValueExW(key, L"CurrPreset", nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    ASSERT_EQ(result, ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    const std::wstring expected = L"Z:\\home\\d\u00e9j\u00e0 vu \u20ac \U0001F3B5";
    ASSERT_EQ(size, (expected.size() + 1) * sizeof(wchar_t));
    EXPECT_EQ(std::wstring(data), expected);
    EXPECT_EQ(settings::readString(settings::kPresetKey, "CurrPreset"), text);
}

TEST_F(RegistryStoreTest, ReadsWhatTheToolStoresAndRejectsOtherTypes) {
    const std::string key = regKey(settings::kPresetKey);
    const std::string adds[] = {
        "add " + key + " /v ManualPath /t REG_SZ /d \"C:\\Orv\\Manual.pdf\" /f",
        "add " + key + " /v MemoA /t REG_BINARY /d 0102FE /f",
        "add " + key + " /v Number /t REG_DWORD /d 4294967295 /f",
        "add " + key + " /v Expandable /t REG_EXPAND_SZ /d \"%TEMP%\" /f",
        "add " + key + " /v Words /t REG_MULTI_SZ /d \"a\" /f",
    };
    for (const std::string& add : adds) {
        const RegToolResult r = runRegTool(add);
        ASSERT_EQ(r.exitCode, 0u) << add << "\n" << r.output;
    }
    EXPECT_EQ(settings::readString(settings::kPresetKey, "ManualPath"), "C:\\Orv\\Manual.pdf");
    EXPECT_EQ(settings::readBinary(settings::kPresetKey, "MemoA"), (std::vector<uint8_t>{0x01, 0x02, 0xfe}));
    EXPECT_EQ(settings::readDword(settings::kPresetKey, "Number"), 0xffffffffu);
    EXPECT_FALSE(settings::readString(settings::kPresetKey, "Expandable"));
    EXPECT_FALSE(settings::readString(settings::kPresetKey, "Words"));
    EXPECT_FALSE(settings::readBinary(settings::kPresetKey, "Number"));
}

}  // namespace
}  // namespace orv

#endif
