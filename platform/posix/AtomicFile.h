#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv::posixfs {

// Creates every missing folder of an absolute path; true when the folder exists afterwards.
bool makeFolders(const std::string& folder);

// Writes the bytes to a fresh temporary file in the folder, flushes it to disk and renames it over
// `name`: readers and concurrent writers see the old or the new content, never a mixture.
bool replaceFile(const std::string& folder, const std::string& name, const uint8_t* data, size_t size);

// The whole content of a regular file, or nothing when it is missing, unreadable or larger than maxBytes.
std::optional<std::vector<uint8_t>> readFile(const std::string& path, size_t maxBytes);

// True when the file is gone afterwards (also when it never existed).
bool removeFile(const std::string& path);

}  // namespace orv::posixfs
