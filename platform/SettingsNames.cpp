#include "platform/SettingsNames.h"

namespace orv::settings {

bool isPlainName(std::string_view name) {
    return !name.empty() && name.front() != '.' && name.find('/') == std::string_view::npos;
}

bool isValidKeyPath(const char* key) {
    if (!key) return false;
    std::string_view rest(key);
    for (;;) {
        const size_t end = rest.find('\\');
        if (!isPlainName(rest.substr(0, end))) return false;
        if (end == std::string_view::npos) return true;
        rest.remove_prefix(end + 1);
    }
}

bool isValidValueName(const char* name) { return name && isPlainName(name); }

}  // namespace orv::settings
