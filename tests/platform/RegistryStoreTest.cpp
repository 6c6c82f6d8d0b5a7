// The settings store on Windows: values land in the registry with the registry's own types and
// layouts, the system's reg tool sees them so and stores values the store reads back, and values
// of other types are not read.
#if defined(_WIN32)

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/SettingsStore.h"
#include "support/TempSettingsFolder.h"

namespace orv {
namespace {

// What a value holds, read with the registry API itself.
struct RawValue {
    DWORD type = REG_NONE;
    std::vector<uint8_t> bytes;
    bool operator==(const RawValue&) const = default;
};

std::optional<RawValue> rawValue(const wchar_t* key, const wchar_t* name) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return std::nullopt;
    RawValue value;
    DWORD size = 0;
    LONG result = RegQueryValueExW(opened, name, nullptr, &value.type, nullptr, &size);
    if (result == ERROR_SUCCESS) {
        value.bytes.resize(size);
        result = RegQueryValueExW(opened, name, nullptr, &value.type, value.bytes.data(), &size);
    }
    RegCloseKey(opened);
    if (result != ERROR_SUCCESS) return std::nullopt;
    return value;
}

void setRawValue(const wchar_t* key, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY opened = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(opened, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(opened);
}

RawValue raw(DWORD type, std::vector<uint8_t> bytes) { return {type, std::move(bytes)}; }

std::vector<uint8_t> utf16Bytes(const std::wstring& text) {
    const auto* begin = reinterpret_cast<const uint8_t*>(text.c_str());
    return std::vector<uint8_t>(begin, begin + (text.size() + 1) * sizeof(wchar_t));
}

const wchar_t kPresetKeyW[] = L"SOFTWARE\\Orv-sound\\Orvmorix";
const wchar_t kPrefsKeyW[] = L"SOFTWARE\\Orv-sound\\Orvmorix\\PREFS";

#if defined(_WIN64)
// Runs the system's reg.exe with the arguments and collects what it prints. Only the 64-bit
// suite runs it: where 32-bit programs are emulated, a 32-bit process that starts another one
// may crash the emulator.
struct RegToolResult {
    DWORD exitCode = ~0u;
    std::string output;
};

std::wstring regToolPath() {
    wchar_t folder[MAX_PATH];
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
#endif

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(isolation.valid()); }

    orvtest::TempSettingsFolder isolation;
};

TEST_F(RegistryStoreTest, StoredValuesHaveTheRegistryTypesAndLayouts) {
    const uint8_t stream[] = {0x4f, 0x76, 0x4d, 0x78, 0x22, 0x00, 0xff};
    ASSERT_TRUE(settings::writeBinary(settings::kPresetKey, "DefaultPreset", stream, sizeof(stream)));
    const std::string path = "Z:\\home\\d\xc3\xa9j\xc3\xa0 vu \xe2\x82\xac \xf0\x9f\x8e\xb5";  // é à € and one astral
    ASSERT_TRUE(settings::writeString(settings::kPresetKey, "CurrDir", path));
    // Missing PREFS subkey: the writer creates it.
    ASSERT_TRUE(settings::writeDword(settings::kPrefsKey, "Metering_AttShow", 0x80000007u));

    EXPECT_EQ(rawValue(kPresetKeyW, L"DefaultPreset"), raw(REG_BINARY, {stream, stream + sizeof(stream)}));
    EXPECT_EQ(rawValue(kPresetKeyW, L"CurrDir"),
              raw(REG_SZ, utf16Bytes(L"Z:\\home\\d\u00e9j\u00e0 vu \u20ac \U0001F3B5")));
    EXPECT_EQ(rawValue(kPrefsKeyW, L"Metering_AttShow"), raw(REG_DWORD, {0x07, 0x00, 0x00, 0x80}));
    EXPECT_EQ(settings::readString(settings::kPresetKey, "CurrDir"), path);

    ASSERT_TRUE(settings::deleteValue(settings::kPresetKey, "CurrDir"));
    EXPECT_FALSE(rawValue(kPresetKeyW, L"CurrDir"));
    EXPECT_TRUE(rawValue(kPresetKeyW, L"DefaultPreset"));
}

TEST_F(RegistryStoreTest, ValuesOfOtherTypesOrSizesAreNotRead) {
    const wchar_t expandable[] = L"%TEMP%";
    const wchar_t words[] = L"a\0b\0";
    const uint64_t quad = 5;
    const uint16_t shortDword = 5;
    const wchar_t unterminated[] = {L'a', L'b'};
    setRawValue(kPresetKeyW, L"Expandable", REG_EXPAND_SZ, expandable, sizeof(expandable));
    setRawValue(kPresetKeyW, L"Words", REG_MULTI_SZ, words, sizeof(words));
    setRawValue(kPresetKeyW, L"Quad", REG_QWORD, &quad, sizeof(quad));
    setRawValue(kPresetKeyW, L"Short", REG_DWORD, &shortDword, sizeof(shortDword));
    setRawValue(kPresetKeyW, L"Unterminated", REG_SZ, unterminated, sizeof(unterminated));

    EXPECT_FALSE(settings::readString(settings::kPresetKey, "Expandable"));
    EXPECT_FALSE(settings::readString(settings::kPresetKey, "Words"));
    EXPECT_FALSE(settings::readDword(settings::kPresetKey, "Quad"));
    EXPECT_FALSE(settings::readBinary(settings::kPresetKey, "Quad"));
    EXPECT_FALSE(settings::readDword(settings::kPresetKey, "Short"));
    // A string another program stored without its terminating zero is still the whole text.
    EXPECT_EQ(settings::readString(settings::kPresetKey, "Unterminated"), "ab");
}

#if defined(_WIN64)
// The system's own tool agrees: it lists our values with their types and data, and what it
// stores, the store reads.
class RegToolTest : public RegistryStoreTest {
protected:
    // The key as reg.exe names it: under the real HKEY_CURRENT_USER, where the fixture put it.
    std::string regKey(const char* key) const {
        return "\"HKCU\\" + isolation.registryRoot() + "\\" + key + "\"";
    }
};

TEST_F(RegToolTest, ListsStoredValuesWithTheirTypes) {
    const uint8_t stream[] = {0x4f, 0x76, 0x4d, 0x78, 0x22, 0x00, 0xff};
    ASSERT_TRUE(settings::writeBinary(settings::kPresetKey, "DefaultPreset", stream, sizeof(stream)));
    ASSERT_TRUE(settings::writeString(settings::kPresetKey, "CurrDir", "C:\\Users\\me\\My Presets"));
    ASSERT_TRUE(settings::writeDword(settings::kPrefsKey, "Metering_Scale", 2));

    const RegToolResult presets = runRegTool("query " + regKey(settings::kPresetKey));
    ASSERT_EQ(presets.exitCode, 0u) << presets.output;
    EXPECT_EQ(listedValue(presets.output, "DefaultPreset"),
              std::make_pair(std::string("REG_BINARY"), std::string("4F764D782200FF")));
    EXPECT_EQ(listedValue(presets.output, "CurrDir"),
              std::make_pair(std::string("REG_SZ"), std::string("C:\\Users\\me\\My Presets")));
    const RegToolResult prefs = runRegTool("query " + regKey(settings::kPrefsKey));
    ASSERT_EQ(prefs.exitCode, 0u) << prefs.output;
    EXPECT_EQ(listedValue(prefs.output, "Metering_Scale"), std::make_pair(std::string("REG_DWORD"), std::string("0x2")));

    ASSERT_TRUE(settings::deleteValue(settings::kPresetKey, "CurrDir"));
    EXPECT_NE(runRegTool("query " + regKey(settings::kPresetKey) + " /v CurrDir").exitCode, 0u);
}

TEST_F(RegToolTest, StoreReadsWhatTheToolStores) {
    const std::string key = regKey(settings::kPresetKey);
    const std::string adds[] = {
        "add " + key + " /v ManualPath /t REG_SZ /d \"C:\\Orv\\Manual.pdf\" /f",
        "add " + key + " /v MemoA /t REG_BINARY /d 0102FE /f",
        "add " + key + " /v Number /t REG_DWORD /d 4294967295 /f",
    };
    for (const std::string& add : adds) {
        const RegToolResult r = runRegTool(add);
        ASSERT_EQ(r.exitCode, 0u) << add << "\n" << r.output;
    }
    EXPECT_EQ(settings::readString(settings::kPresetKey, "ManualPath"), "C:\\Orv\\Manual.pdf");
    EXPECT_EQ(settings::readBinary(settings::kPresetKey, "MemoA"), (std::vector<uint8_t>{0x01, 0x02, 0xfe}));
    EXPECT_EQ(settings::readDword(settings::kPresetKey, "Number"), 0xffffffffu);
}
#endif

}  // namespace
}  // namespace orv

#endif
