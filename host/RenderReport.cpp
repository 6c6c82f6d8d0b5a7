#include "host/RenderReport.h"

#include <cmath>
#include <limits>

#include "host/Formatted.h"

namespace orvrender {

namespace {

std::string level(double value, const char* unit) {
    if (!std::isfinite(value)) return formatted("%8s %s", "-inf", unit);
    return formatted("%+8.2f %s", value, unit);
}

std::string jsonNumber(double value) { return std::isfinite(value) ? formatted("%.6f", value) : "null"; }

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (const unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            out += formatted("\\u%04x", c);
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string jsonLevels(const LevelFigures& figures) {
    return "{\"sample_peak_dbfs\": " + jsonNumber(figures.samplePeakDb) +
           ", \"true_peak_dbtp\": " + jsonNumber(figures.truePeakDb) +
           ", \"integrated_lufs\": " + jsonNumber(figures.loudnessLufs) + "}";
}

}  // namespace

double RenderReport::realtimeFactor() const {
    return processingSeconds > 0.0 ? durationSeconds() / processingSeconds : std::numeric_limits<double>::infinity();
}

std::string reportText(const RenderReport& r) {
    std::string text = r.inputPath + " -> " + r.outputPath + " through " + r.effectName + "\n";
    text += formatted("  duration     %.3f s at %d Hz, %s input, %d-sample blocks, %s\n", r.durationSeconds(),
                      r.sampleRate, r.inputChannels == 1 ? "mono" : "stereo", r.blockSize,
                      r.doublePrecision ? "64-bit" : "32-bit");
    text += formatted("  latency      %d samples (%s)\n", r.latency,
                      r.latencyCompensated ? "compensated" : "kept in the output");
    text += formatted("                  input       output\n");
    text += "  sample peak  " + level(r.input.samplePeakDb, "dBFS") + "  " + level(r.output.samplePeakDb, "dBFS") + "\n";
    text += "  true peak    " + level(r.input.truePeakDb, "dBTP") + "  " + level(r.output.truePeakDb, "dBTP") + "\n";
    text += "  loudness     " + level(r.input.loudnessLufs, "LUFS") + "  " + level(r.output.loudnessLufs, "LUFS") + "\n";
    const double factor = r.realtimeFactor();
    text += std::isfinite(factor) ? formatted("  speed        %.1f x realtime\n", factor)
                                  : std::string("  speed        too short to time\n");
    return text;
}

std::string reportJson(const RenderReport& r) {
    std::string json = "{\n";
    json += "  \"input_file\": " + jsonString(r.inputPath) + ",\n";
    json += "  \"output_file\": " + jsonString(r.outputPath) + ",\n";
    json += "  \"plugin\": " + jsonString(r.pluginPath) + ",\n";
    json += "  \"effect\": " + jsonString(r.effectName) + ",\n";
    json += "  \"duration_seconds\": " + jsonNumber(r.durationSeconds()) + ",\n";
    json += "  \"frames\": " + std::to_string(r.frames) + ",\n";
    json += "  \"sample_rate\": " + std::to_string(r.sampleRate) + ",\n";
    json += "  \"input_channels\": " + std::to_string(r.inputChannels) + ",\n";
    json += "  \"block_size\": " + std::to_string(r.blockSize) + ",\n";
    json += std::string("  \"double_precision\": ") + (r.doublePrecision ? "true" : "false") + ",\n";
    json += "  \"latency_samples\": " + std::to_string(r.latency) + ",\n";
    json += std::string("  \"latency_compensated\": ") + (r.latencyCompensated ? "true" : "false") + ",\n";
    json += "  \"input\": " + jsonLevels(r.input) + ",\n";
    json += "  \"output\": " + jsonLevels(r.output) + ",\n";
    json += "  \"processing_seconds\": " + jsonNumber(r.processingSeconds) + ",\n";
    json += "  \"realtime_factor\": " + jsonNumber(r.realtimeFactor()) + "\n";
    return json + "}\n";
}

}  // namespace orvrender
