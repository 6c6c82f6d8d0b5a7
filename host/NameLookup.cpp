#include "host/NameLookup.h"

#include <algorithm>
#include <cctype>

#include "host/RenderError.h"

namespace orvrender {

namespace {

std::string folded(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    std::string result = text.substr(first, text.find_last_not_of(' ') - first + 1);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

std::vector<int32_t> matches(const std::vector<std::string>& names, const std::string& wanted, bool exact) {
    std::vector<int32_t> found;
    const std::string key = exact ? wanted : folded(wanted);
    for (size_t i = 0; i < names.size(); ++i)
        if ((exact ? names[i] : folded(names[i])) == key) found.push_back(static_cast<int32_t>(i));
    return found;
}

}  // namespace

int32_t findByName(const std::vector<std::string>& names, const std::string& wanted, const std::string& what) {
    for (const bool exact : {true, false}) {
        const std::vector<int32_t> found = matches(names, wanted, exact);
        if (found.size() == 1) return found[0];
        if (found.size() > 1) throw RenderError(what + " name '" + wanted + "' is ambiguous");
    }
    throw RenderError("unknown " + what + " '" + wanted + "'");
}

}  // namespace orvrender
