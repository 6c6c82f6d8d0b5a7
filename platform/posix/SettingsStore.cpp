// The per-user settings store on POSIX systems. A key is a folder under the user's configuration
// folder (the backslashes of the registry path become folders); a value is a file in it whose
// first byte is the registry type and whose remaining bytes are the data.
#include "platform/SettingsStore.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "platform/SettingsNames.h"
#include "platform/posix/AtomicFile.h"

namespace orv::settings {

namespace {

// The registry's numbering, so a value means the same on both back ends.
enum ValueType : uint8_t { kTypeString = 1, kTypeBinary = 3, kTypeDword = 4 };

// Far above anything the effect stores (a bank stream is 27041 bytes); bounds what a reader loads.
constexpr size_t kMaxValueBytes = 1u << 20;

std::string configRoot() {
    // Only an absolute XDG_CONFIG_HOME counts; a relative one is to be ignored.
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.config";
    const passwd* pw = ::getpwuid(::getuid());
    if (pw && pw->pw_dir && pw->pw_dir[0] == '/') return std::string(pw->pw_dir) + "/.config";
    return {};
}

std::optional<std::string> keyFolder(const char* key) {
    if (!key) return std::nullopt;
    std::string folder = configRoot();
    if (folder.empty()) return std::nullopt;
    const std::string path = key;
    size_t start = 0;
    for (;;) {
        const size_t end = path.find('\\', start);
        const std::string part = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!isPlainName(part)) return std::nullopt;
        folder += "/" + part;
        if (end == std::string::npos) return folder;
        start = end + 1;
    }
}

std::optional<std::string> valuePath(const char* key, const char* name) {
    if (!name || !isPlainName(name)) return std::nullopt;
    const std::optional<std::string> folder = keyFolder(key);
    if (!folder) return std::nullopt;
    return *folder + "/" + name;
}

bool writeValue(const char* key, const char* name, ValueType type, const void* data, size_t size) {
    if (!name || !isPlainName(name) || (size > 0 && !data) || size >= kMaxValueBytes) return false;
    const std::optional<std::string> folder = keyFolder(key);
    if (!folder || !posixfs::makeFolders(*folder)) return false;
    std::vector<uint8_t> content(1 + size);
    content[0] = type;
    if (size > 0) std::memcpy(content.data() + 1, data, size);
    return posixfs::replaceFile(*folder, name, content.data(), content.size());
}

// The data of a value of the given type; nothing for any other type or a file that is not a value.
std::optional<std::vector<uint8_t>> readValue(const char* key, const char* name, ValueType type) {
    const std::optional<std::string> path = valuePath(key, name);
    if (!path) return std::nullopt;
    std::optional<std::vector<uint8_t>> content = posixfs::readFile(*path, kMaxValueBytes);
    if (!content || content->empty() || (*content)[0] != type) return std::nullopt;
    content->erase(content->begin());
    return content;
}

}  // namespace

bool writeBinary(const char* key, const char* name, const void* data, size_t size) {
    return writeValue(key, name, kTypeBinary, data, size);
}

bool writeString(const char* key, const char* name, const std::string& value) {
    return writeValue(key, name, kTypeString, value.data(), value.size());
}

bool writeDword(const char* key, const char* name, uint32_t value) {
    const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                              static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    return writeValue(key, name, kTypeDword, bytes, sizeof(bytes));
}

std::optional<std::vector<uint8_t>> readBinary(const char* key, const char* name) {
    return readValue(key, name, kTypeBinary);
}

std::optional<std::string> readString(const char* key, const char* name) {
    const std::optional<std::vector<uint8_t>> bytes = readValue(key, name, kTypeString);
    if (!bytes) return std::nullopt;
    // Like a registry string read: the text ends at its first terminator.
    std::string text(bytes->begin(), bytes->end());
    return text.substr(0, std::strlen(text.c_str()));
}

std::optional<uint32_t> readDword(const char* key, const char* name) {
    const std::optional<std::vector<uint8_t>> b = readValue(key, name, kTypeDword);
    if (!b || b->size() != 4) return std::nullopt;
    return static_cast<uint32_t>((*b)[0]) | static_cast<uint32_t>((*b)[1]) << 8 |
           static_cast<uint32_t>((*b)[2]) << 16 | static_cast<uint32_t>((*b)[3]) << 24;
}

bool deleteValue(const char* key, const char* name) {
    const std::optional<std::string> path = valuePath(key, name);
    return path && posixfs::removeFile(*path);
}

}  // namespace orv::settings
