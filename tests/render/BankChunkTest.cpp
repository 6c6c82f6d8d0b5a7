#include <gtest/gtest.h>

#include <cstring>

#include "host/BankChunk.h"
#include "plugin/vst2.h"

namespace orvrender {
namespace {

constexpr int32_t kId = VST_FOURCC('O', 'v', 'M', 'x');

int32_t swapped(int32_t v) { return static_cast<int32_t>(__builtin_bswap32(static_cast<uint32_t>(v))); }

void put(std::vector<uint8_t>& bytes, size_t at, int32_t value) { std::memcpy(bytes.data() + at, &value, 4); }

int32_t get(const std::vector<uint8_t>& bytes, size_t at) {
    int32_t value;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

// Version, identifier, then the bank stream's header: identifier, kind '8', ..., current index at 17.
std::vector<uint8_t> bankChunk(int32_t current, bool reversed) {
    std::vector<uint8_t> bytes(8 + 41 + 168, 0);
    const auto order = [reversed](int32_t v) { return reversed ? swapped(v) : v; };
    put(bytes, 0, order(0x02000000));
    put(bytes, 4, order(kId));
    put(bytes, 8, order(kId));
    bytes[12] = '8';
    put(bytes, 25, order(current));
    return bytes;
}

TEST(BankChunk, ReadsAndWritesTheCurrentProgramInTheChunksOwnByteOrder) {
    for (const bool reversed : {false, true}) {
        std::optional<BankChunk> chunk = BankChunk::recognise(bankChunk(5, reversed), kId);
        ASSERT_TRUE(chunk) << reversed;
        EXPECT_EQ(chunk->currentProgram(), 5);
        chunk->setCurrentProgram(19);
        EXPECT_EQ(chunk->currentProgram(), 19);
        const std::vector<uint8_t> expected = bankChunk(19, reversed);
        EXPECT_EQ(chunk->bytes(), expected) << "only the current index may change";
        EXPECT_EQ(get(chunk->bytes(), 25), reversed ? swapped(19) : 19);
    }
}

TEST(BankChunk, RefusesWhatIsNotOurBank) {
    std::vector<uint8_t> otherEffect = bankChunk(0, false);
    put(otherEffect, 4, VST_FOURCC('L', 'S', 'P', 'x'));
    std::vector<uint8_t> legacyVersion = bankChunk(0, false);
    put(legacyVersion, 0, 0x01000000);
    std::vector<uint8_t> presetKind = bankChunk(0, false);
    presetKind[12] = '"';
    std::vector<uint8_t> truncated = bankChunk(0, false);
    truncated.resize(8 + 40);
    for (const auto& bytes : {otherEffect, legacyVersion, presetKind, truncated, std::vector<uint8_t>{}})
        EXPECT_FALSE(BankChunk::recognise(bytes, kId));
}

}  // namespace
}  // namespace orvrender
