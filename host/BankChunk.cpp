#include "host/BankChunk.h"

#include <cstring>

namespace orvrender {

namespace {

constexpr size_t kVersionOffset = 0;
constexpr size_t kIdentifierOffset = 4;
constexpr size_t kStreamOffset = 8;
constexpr size_t kStreamKindOffset = kStreamOffset + 4;
constexpr size_t kCurrentProgramOffset = kStreamOffset + 17;
constexpr size_t kStreamHeaderSize = 41;
constexpr int32_t kBankChunkVersion = 0x02000000;
constexpr uint8_t kBankStreamKind = '8';

int32_t reversedBytes(int32_t value) {
    return static_cast<int32_t>(__builtin_bswap32(static_cast<uint32_t>(value)));
}

int32_t nativeInteger(const std::vector<uint8_t>& bytes, size_t offset) {
    int32_t value;
    std::memcpy(&value, bytes.data() + offset, sizeof(value));
    return value;
}

}  // namespace

std::optional<BankChunk> BankChunk::recognise(std::vector<uint8_t> bytes, int32_t effectId) {
    if (bytes.size() < kStreamOffset + kStreamHeaderSize) return std::nullopt;
    const int32_t identifier = nativeInteger(bytes, kIdentifierOffset);
    bool reversed = false;
    if (identifier == reversedBytes(effectId))
        reversed = true;
    else if (identifier != effectId)
        return std::nullopt;
    BankChunk chunk(std::move(bytes), reversed);
    if (chunk.readInteger(kVersionOffset) != kBankChunkVersion) return std::nullopt;
    if (chunk.bytes_[kStreamKindOffset] != kBankStreamKind) return std::nullopt;
    return chunk;
}

int32_t BankChunk::currentProgram() const { return readInteger(kCurrentProgramOffset); }

void BankChunk::setCurrentProgram(int32_t index) { writeInteger(kCurrentProgramOffset, index); }

int32_t BankChunk::readInteger(size_t offset) const {
    const int32_t value = nativeInteger(bytes_, offset);
    return reversed_ ? reversedBytes(value) : value;
}

void BankChunk::writeInteger(size_t offset, int32_t value) {
    const int32_t stored = reversed_ ? reversedBytes(value) : value;
    std::memcpy(bytes_.data() + offset, &stored, sizeof(stored));
}

}  // namespace orvrender
