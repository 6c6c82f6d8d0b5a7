// printf-style formatting into a std::string, for short report and listing lines.
#pragma once

#include <cstdio>
#include <string>

namespace orvrender {

template <typename... Values>
std::string formatted(const char* format, Values... values) {
    char text[1024];
    std::snprintf(text, sizeof(text), format, values...);
    return text;
}

}  // namespace orvrender
