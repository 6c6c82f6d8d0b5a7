#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv {

// Per-user settings: keys under HKEY_CURRENT_USER holding binary, string and dword values.
// Windows keeps them in the registry; POSIX in one folder per key under $XDG_CONFIG_HOME
// (default ~/.config), one file per value, each replaced atomically.
// Key paths use backslashes as the registry does, e.g. "SOFTWARE\\Orv-sound\\Orvmorix".
// Strings are UTF-8 here; the Windows back end stores them as UTF-16 REG_SZ.
namespace settings {

inline constexpr const char* kPresetKey = "SOFTWARE\\Orv-sound\\Orvmorix";
inline constexpr const char* kPrefsKey = "SOFTWARE\\Orv-sound\\Orvmorix\\PREFS";

// Writers create the key when missing; false when the value could not be stored.
bool writeBinary(const char* key, const char* name, const void* data, size_t size);
bool writeString(const char* key, const char* name, const std::string& value);
bool writeDword(const char* key, const char* name, uint32_t value);

// Readers give nothing when the key or value is missing or has another type.
std::optional<std::vector<uint8_t>> readBinary(const char* key, const char* name);
std::optional<std::string> readString(const char* key, const char* name);
std::optional<uint32_t> readDword(const char* key, const char* name);

// Removes a value; true when it is gone afterwards.
bool deleteValue(const char* key, const char* name);

}  // namespace settings
}  // namespace orv
