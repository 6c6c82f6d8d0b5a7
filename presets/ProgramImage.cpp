#include "presets/ProgramImage.h"

#include <algorithm>

namespace orv {

namespace {
// Legacy layouts: identifier, kind, then 24 name bytes and 4-byte values (banks: 27 such records).
constexpr int64_t kLegacyPresetFixedBytes = stream::kImagePrefixSize + kProgramNameSize;
constexpr int64_t kLegacyValueSize = 4;

int32_t clampedCount(int64_t n) { return static_cast<int32_t>(std::clamp<int64_t>(n, INT32_MIN, INT32_MAX)); }
}  // namespace

std::optional<bool> identifierByteOrder(ByteSpan bytes, uint32_t effectId) {
    if (!bytes.holds(0, stream::kIdentifierSize)) return std::nullopt;
    const uint32_t id = bytes.u32(0, false);
    if (id == effectId) return false;
    if (id == reverseBytes(effectId)) return true;
    return std::nullopt;
}

std::optional<ImagePrefix> readImagePrefix(ByteSpan image, uint32_t effectId, bool invertOrder) {
    if (!image.holds(0, stream::kImagePrefixSize)) return std::nullopt;
    const std::optional<bool> reverse = identifierByteOrder(image, effectId);
    if (!reverse) return std::nullopt;
    return ImagePrefix{*reverse != invertOrder, image.data()[stream::kIdentifierSize]};
}

int32_t legacyPresetValueCount(size_t imageSize) {
    return clampedCount((static_cast<int64_t>(imageSize) - kLegacyPresetFixedBytes) / kLegacyValueSize);
}

int32_t legacyBankValueCount(size_t imageSize) {
    const int64_t recordSize = (static_cast<int64_t>(imageSize) - static_cast<int64_t>(stream::kImagePrefixSize)) /
                               kNumStoredPrograms;
    return clampedCount((recordSize - kProgramNameSize) / kLegacyValueSize);
}

}  // namespace orv
