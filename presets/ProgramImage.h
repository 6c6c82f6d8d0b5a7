#pragma once

#include <cstdint>
#include <optional>

#include "presets/ByteOrder.h"
#include "presets/ProgramStreamFormat.h"

namespace orv {

// The bytes of a preset or bank file or of a stored default or memory: the effect identifier in
// the writer's byte order, a kind byte, then a program stream's remaining header and records or a
// legacy body.
struct ImagePrefix {
    bool reverse;  // written in the other byte order
    uint8_t kind;
};

// True for data in the reverse byte order, false for the machine's; nothing when the four bytes
// at the start are neither the effect identifier nor its reversed form.
std::optional<bool> identifierByteOrder(ByteSpan bytes, uint32_t effectId);

// Identifier and kind of an image; `invertOrder` turns the detected byte order round (the user's
// "endian-reversed" load). Nothing for fewer than 5 bytes or a foreign identifier.
std::optional<ImagePrefix> readImagePrefix(ByteSpan image, uint32_t effectId, bool invertOrder);

// Values per program of the legacy layouts, from the image's whole size.
int32_t legacyPresetValueCount(size_t imageSize);
int32_t legacyBankValueCount(size_t imageSize);

}  // namespace orv
