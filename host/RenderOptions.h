// Everything the command line can ask of one run of the renderer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orvrender {

enum class SampleFormat { Float32, Pcm24, Pcm16 };

struct ParameterAssignment {
    std::string name;
    float value = 0.0f;
};

struct RenderOptions {
    std::string input;
    std::string output;
    std::string pluginPath;  // empty: our own plug-in
    int32_t blockSize = 512;
    bool doublePrecision = false;
    std::optional<SampleFormat> format;  // unset: follow the input
    bool compensateLatency = true;
    std::optional<std::string> program;
    std::vector<ParameterAssignment> assignments;
    std::string stateFile;
    std::string saveStateFile;
    std::string jsonFile;
    bool listPrograms = false;
    bool listParams = false;
    bool quiet = false;
    bool help = false;
    bool demo = false;
    std::string demoFolder;  // --demo: where the two WAV files go

    bool rendersAudio() const { return demo || !input.empty(); }
};

}  // namespace orvrender
