// What a render measured, as text for standard error and as JSON.
#pragma once

#include <cstdint>
#include <string>

#include "host/SignalMeter.h"

namespace orvrender {

struct RenderReport {
    std::string inputPath;
    std::string outputPath;
    std::string pluginPath;
    std::string effectName;
    int sampleRate = 0;
    int inputChannels = 0;
    int64_t frames = 0;  // of the input, and of the output when latency is compensated
    int32_t blockSize = 0;
    bool doublePrecision = false;
    int32_t latency = 0;
    bool latencyCompensated = true;
    LevelFigures input{};
    LevelFigures output{};
    double processingSeconds = 0.0;  // CPU time spent inside the plug-in's process calls

    double durationSeconds() const { return sampleRate > 0 ? static_cast<double>(frames) / sampleRate : 0.0; }
    // Seconds of audio per CPU second; infinite when too little was processed to time.
    double realtimeFactor() const;
};

std::string reportText(const RenderReport& report);
std::string reportJson(const RenderReport& report);

}  // namespace orvrender
