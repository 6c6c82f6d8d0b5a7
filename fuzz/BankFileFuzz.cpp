// The bytes of a bank file, loaded with a normal and with an endian-reversed click.
#include "FuzzedEffect.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> file(data, data + size);
    for (bool endianReversed : {false, true})
        orvfuzz::checkLoad([&] { return orvfuzz::presets().loadBankImage({file.data(), file.size()}, endianReversed, true); });
    return 0;
}
