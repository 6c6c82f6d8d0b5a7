// One effect for a fuzz target's whole run, with the property every target checks: data that a
// load refuses leave the effect exactly as it was.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "plugin/Plugin.h"
#include "presets/CPresetSystemEditor.h"

namespace orvfuzz {

inline intptr_t VSTCALLBACK fuzzHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

// Stored values go to a private folder, never to the user's; in memory where the system offers it,
// since the stored-value target rewrites files on every input.
inline const std::string& settingsFolder() {
    // Never destroyed: the exit handler below still needs it.
    static const std::string* folder = [] {
        std::string pattern = (::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + std::string("/orv-fuzz-XXXXXX");
        if (!::mkdtemp(pattern.data())) std::abort();
        ::setenv("XDG_CONFIG_HOME", pattern.c_str(), 1);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(settingsFolder(), ignored);
        });
        return new std::string(pattern);
    }();
    return *folder;
}

inline orv::Plugin& effect() {
    static orv::Plugin* plugin = [] {
        settingsFolder();
        return new orv::Plugin(fuzzHost);
    }();
    return *plugin;
}

inline orv::CPresetSystemEditor& presets() { return *static_cast<orv::CPresetSystemEditor*>(effect().getEditor()); }

// Everything a load may change: the programs, which one is current, the live parameters.
struct State {
    orv::ProgramBank bank;
    int32_t current;
    float parameters[orv::kNumParams];
    // Byte for byte, so a NaN that got in would show as well.
    bool operator==(const State& other) const {
        return std::memcmp(bank.data(), other.bank.data(), sizeof(orv::ProgramRecord) * bank.size()) == 0 &&
               current == other.current && std::memcmp(parameters, other.parameters, sizeof(parameters)) == 0;
    }
};

inline State state() {
    State s{effect().snapshotBank(), effect().getCurrentProgramIndex(), {}};
    for (int32_t i = 0; i < orv::kNumParams; ++i) s.parameters[i] = effect().getParameter(i);
    return s;
}

inline std::vector<uint8_t> chunk() {
    void* data = nullptr;
    const int32_t size = effect().getChunk(&data, false);
    if (size <= 0 || !data) std::abort();
    return std::vector<uint8_t>(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
}

// A load that reports failure must have changed nothing; one that succeeded must leave a state
// whose chunk loads again to the same state.
template <typename Load>
void checkLoad(Load load) {
    const State before = state();
    if (!load()) {
        if (!(state() == before)) std::abort();
        return;
    }
    const State after = state();
    std::vector<uint8_t> saved = chunk();
    if (effect().setChunk(saved.data(), static_cast<int32_t>(saved.size()), false) != 0) std::abort();
    if (!(state() == after)) std::abort();
}

}  // namespace orvfuzz
