// The host side of the VST 2.4 callback: what this renderer answers when a plug-in asks.
#pragma once

#include <cstdint>

#include "plugin/vst2.h"

namespace orvrender {

// What the callback reports about the stream; one renderer hosts one effect at a time.
struct HostState {
    float sampleRate = 44100.0f;
    int32_t blockSize = 512;
};

HostState& hostState();

intptr_t VSTCALLBACK hostCallback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                  float opt);

}  // namespace orvrender
