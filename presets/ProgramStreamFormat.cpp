#include "presets/ProgramStreamFormat.h"

namespace orv::stream {

std::optional<Header> readHeader(ByteSpan bytes, bool reverse) {
    if (!bytes.holds(0, kHeaderSize)) return std::nullopt;
    Header h;
    h.identifier = bytes.u32(0, false);
    h.kind = bytes.data()[4];
    h.version = bytes.i32(5, reverse);
    h.parametersPerProgram = bytes.i32(9, reverse);
    h.recordCount = bytes.i32(13, reverse);
    h.currentProgram = bytes.i32(17, reverse);
    h.recordBytes = bytes.i32(21, reverse);
    for (size_t i = 0; i < 4; ++i) h.reserved[i] = bytes.i32(25 + 4 * i, reverse);
    return h;
}

void writeHeader(uint8_t* at, const Header& h) {
    putU32(at, h.identifier);
    at[4] = h.kind;
    putI32(at + 5, h.version);
    putI32(at + 9, h.parametersPerProgram);
    putI32(at + 13, h.recordCount);
    putI32(at + 17, h.currentProgram);
    putI32(at + 21, h.recordBytes);
    for (size_t i = 0; i < 4; ++i) putI32(at + 25 + 4 * i, h.reserved[i]);
}

}  // namespace orv::stream
