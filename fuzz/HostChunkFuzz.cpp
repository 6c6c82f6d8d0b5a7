// The host chunk as effSetChunk receives it.
#include "FuzzedEffect.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 0x7fffffff) return 0;
    // A copy of exactly `size` bytes, so reading past the end is caught.
    std::vector<uint8_t> chunk(data, data + size);
    orvfuzz::checkLoad([&] {
        return orvfuzz::effect().setChunk(chunk.data(), static_cast<int32_t>(chunk.size()), false) == 0;
    });
    return 0;
}
