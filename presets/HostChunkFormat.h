#pragma once

#include <cstddef>
#include <cstdint>

namespace orv::chunk {

// The host chunk: a version and the effect identifier, each 32 bits in the writer's byte order,
// then (version 2) a bank stream or (version 1) the legacy layout.
inline constexpr int32_t kVersion = 0x02000000;
inline constexpr int32_t kLegacyVersion = 0x01000000;
inline constexpr size_t kIdentifierOffset = 4;
inline constexpr size_t kHeaderSize = 8;
// 8 + a bank stream of 27 programs with every parameter saved.
inline constexpr size_t kSize = 27049;

}  // namespace orv::chunk
