#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv {

// Preset and bank files are read whole; anything larger than this is not one of them.
inline constexpr size_t kMaxProgramFileBytes = 1u << 20;

// The whole content of a file opened for reading only (a read-only file loads too); nothing when
// it cannot be opened or read, or is larger than kMaxProgramFileBytes.
std::optional<std::vector<uint8_t>> readProgramFile(const std::string& path);

// Creates or truncates the file and writes the bytes; false when any step failed.
bool writeProgramFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace orv
