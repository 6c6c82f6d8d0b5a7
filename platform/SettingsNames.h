#pragma once

#include <string_view>

namespace orv::settings {

// The key paths and value names every back end accepts, so that a setting that works on one
// system works on all: a name is not empty, does not start with '.' and holds no '/';
// a key path is one or more such names joined by single backslashes.
bool isPlainName(std::string_view name);
bool isValidKeyPath(const char* key);
bool isValidValueName(const char* name);

}  // namespace orv::settings
