// Streams a file through the effect block by block: reads, feeds both plug-in inputs (mono
// to both), processes in 32 or 64 bits, drops and pads for latency, meters and writes.
#pragma once

#include <cstdint>

#include "host/Effect.h"
#include "host/LatencyCompensator.h"
#include "host/ProgressBar.h"
#include "host/SignalMeter.h"
#include "host/SoundFile.h"

namespace orvrender {

struct StreamEnds {
    SoundFileReader& reader;
    SoundFileWriter& writer;
    SignalMeter& inputMeter;
    SignalMeter& outputMeter;
};

struct RenderTotals {
    int64_t inputFrames = 0;
    int64_t outputFrames = 0;
    double processingSeconds = 0.0;
    int32_t latency = 0;  // as the plug-in last reported it
};

RenderTotals renderStream(Effect& effect, StreamEnds ends, LatencyCompensator& latency, ProgressBar& progress,
                          int32_t blockSize, bool doublePrecision);

}  // namespace orvrender
