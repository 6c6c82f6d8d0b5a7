#include "platform/SettingsStore.h"

#include <windows.h>

#include <cstring>

#include "platform/SettingsNames.h"
#include "platform/win32/WideText.h"

namespace orv::settings {

namespace {

// A key under HKEY_CURRENT_USER, closed when the object goes.
class RegistryKey {
public:
    // Existing key, for reading values.
    static RegistryKey forQuery(const char* key) { return open(key, KEY_QUERY_VALUE); }

    // Existing key, for removing values.
    static RegistryKey forRemoval(const char* key) { return open(key, KEY_SET_VALUE); }

    // Existing key for writing, or a new one.
    static RegistryKey forWriting(const char* key) {
        RegistryKey opened = open(key, KEY_WRITE);
        if (opened) return opened;
        HKEY handle = nullptr;
        const LONG result = RegCreateKeyExW(HKEY_CURRENT_USER, win32::widen(key).c_str(), 0, nullptr,
                                            REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &handle, nullptr);
        return RegistryKey(result == ERROR_SUCCESS ? handle : nullptr, result);
    }

    RegistryKey(RegistryKey&& other) noexcept : handle_(other.handle_), status_(other.status_) {
        other.handle_ = nullptr;
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    RegistryKey& operator=(RegistryKey&&) = delete;
    ~RegistryKey() {
        if (handle_) RegCloseKey(handle_);
    }

    explicit operator bool() const { return handle_ != nullptr; }
    HKEY handle() const { return handle_; }
    LONG status() const { return status_; }

private:
    RegistryKey(HKEY handle, LONG status) : handle_(handle), status_(status) {}

    static RegistryKey open(const char* key, REGSAM access) {
        HKEY handle = nullptr;
        const LONG result = RegOpenKeyExW(HKEY_CURRENT_USER, win32::widen(key).c_str(), 0, access, &handle);
        return RegistryKey(result == ERROR_SUCCESS ? handle : nullptr, result);
    }

    HKEY handle_;
    LONG status_;
};

bool writeValue(const char* key, const char* name, DWORD type, const void* data, size_t size) {
    if (!isValidKeyPath(key) || !isValidValueName(name) || size > MAXDWORD || (size > 0 && !data)) return false;
    const RegistryKey opened = RegistryKey::forWriting(key);
    if (!opened) return false;
    return RegSetValueExW(opened.handle(), win32::widen(name).c_str(), 0, type, static_cast<const BYTE*>(data),
                          static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

// The value's bytes when it exists with the wanted type.
std::optional<std::vector<uint8_t>> readValue(const char* key, const char* name, DWORD wantedType) {
    if (!isValidKeyPath(key) || !isValidValueName(name)) return std::nullopt;
    const RegistryKey opened = RegistryKey::forQuery(key);
    if (!opened) return std::nullopt;
    const std::wstring valueName = win32::widen(name);
    for (;;) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(opened.handle(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            type != wantedType) {
            return std::nullopt;
        }
        std::vector<uint8_t> bytes(size);
        DWORD received = size;
        const LONG result =
            RegQueryValueExW(opened.handle(), valueName.c_str(), nullptr, &type, bytes.data(), &received);
        if (result == ERROR_MORE_DATA) continue;  // the value grew between the two queries
        if (result != ERROR_SUCCESS || type != wantedType) return std::nullopt;
        bytes.resize(received);
        return bytes;
    }
}

}  // namespace

bool writeBinary(const char* key, const char* name, const void* data, size_t size) {
    return writeValue(key, name, REG_BINARY, data, size);
}

bool writeString(const char* key, const char* name, const std::string& value) {
    const std::wstring wide = win32::widen(value);
    // REG_SZ data includes the terminating zero.
    return writeValue(key, name, REG_SZ, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
}

bool writeDword(const char* key, const char* name, uint32_t value) {
    const DWORD dword = value;
    return writeValue(key, name, REG_DWORD, &dword, sizeof(dword));
}

std::optional<std::vector<uint8_t>> readBinary(const char* key, const char* name) {
    return readValue(key, name, REG_BINARY);
}

std::optional<std::string> readString(const char* key, const char* name) {
    const auto bytes = readValue(key, name, REG_SZ);
    if (!bytes) return std::nullopt;
    std::wstring wide(bytes->size() / sizeof(wchar_t), L'\0');
    std::memcpy(wide.data(), bytes->data(), wide.size() * sizeof(wchar_t));
    // The text ends at its first zero (written values carry one; foreign ones may not).
    const size_t end = wide.find(L'\0');
    if (end != std::wstring::npos) wide.resize(end);
    return win32::narrow(wide);
}

std::optional<uint32_t> readDword(const char* key, const char* name) {
    const auto bytes = readValue(key, name, REG_DWORD);
    if (!bytes || bytes->size() != sizeof(DWORD)) return std::nullopt;
    DWORD value = 0;
    std::memcpy(&value, bytes->data(), sizeof(value));
    return value;
}

bool deleteValue(const char* key, const char* name) {
    if (!isValidKeyPath(key) || !isValidValueName(name)) return false;
    const RegistryKey opened = RegistryKey::forRemoval(key);
    if (!opened) return opened.status() == ERROR_FILE_NOT_FOUND;
    const LONG result = RegDeleteValueW(opened.handle(), win32::widen(name).c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

}  // namespace orv::settings
