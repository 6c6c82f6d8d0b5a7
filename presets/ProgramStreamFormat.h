#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "presets/ByteOrder.h"
#include "presets/ProgramRecord.h"

namespace orv {

// The one byte format in which programs leave and enter the effect: a 41-byte header, then typed
// records. Chunk, preset and bank files and the stored defaults and memories all carry it.
namespace stream {

// Kind byte at offset 4, after the effect identifier; also the kind byte of the legacy layouts.
inline constexpr uint8_t kKindLegacyPreset = 0x21;  // '!'
inline constexpr uint8_t kKindPreset = 0x22;        // '"'
inline constexpr uint8_t kKindLegacyBank = 0x37;    // '7'
inline constexpr uint8_t kKindBank = 0x38;          // '8'

inline constexpr int32_t kVersion = 0x01050000;
inline constexpr size_t kIdentifierSize = 4;
inline constexpr size_t kImagePrefixSize = 5;  // identifier and kind byte
inline constexpr size_t kHeaderSize = 41;

// Record header: type, body size, program index.
inline constexpr size_t kRecordHeaderSize = 12;
inline constexpr int32_t kNameRecord = 0;
inline constexpr int32_t kValueRecord = 1;
inline constexpr int32_t kNameBodySize = 156;
inline constexpr int32_t kValueBodySize = 20;
// What a reader needs of a body: the name bytes; the value at body offset 12.
inline constexpr int32_t kNameBytesNeeded = kProgramNameSize;
inline constexpr size_t kValueParameterOffset = 0;
inline constexpr size_t kValueOffset = 12;
inline constexpr int32_t kValueBytesNeeded = 16;

inline constexpr size_t kNameRecordSize = kRecordHeaderSize + kNameBodySize;    // 168
inline constexpr size_t kValueRecordSize = kRecordHeaderSize + kValueBodySize;  // 32

// Record bytes of one program with `savedValues` value records.
inline constexpr size_t programRecordBytes(size_t savedValues) { return kNameRecordSize + kValueRecordSize * savedValues; }

// Every field of a header, in the machine's byte order.
struct Header {
    uint32_t identifier = 0;
    uint8_t kind = 0;
    int32_t version = 0;
    int32_t parametersPerProgram = 0;
    int32_t recordCount = 0;
    int32_t currentProgram = 0;
    int32_t recordBytes = 0;
    int32_t reserved[4] = {};
};

// The header at the start of `bytes`, its integers reversed for a reverse-order stream;
// nothing when fewer than 41 bytes are there.
std::optional<Header> readHeader(ByteSpan bytes, bool reverse);
void writeHeader(uint8_t* at, const Header& header);

}  // namespace stream
}  // namespace orv
