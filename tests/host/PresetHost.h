// A test host instance with the preset-system view: the chunk, the bank in it, the live parameters.
#pragma once

#include <gtest/gtest.h>

#include "support/ProgramStreamBytes.h"
#include "support/TempSettingsFolder.h"
#include "support/VstHost.h"

namespace orvtest {

class PresetHost : public TestHost {
public:
    Bytes getChunk(int32_t isPreset = 0) {
        void* data = nullptr;
        const intptr_t n = dispatch(effGetChunk, isPreset, 0, &data);
        if (n <= 0 || !data) return {};
        const uint8_t* bytes = static_cast<const uint8_t*>(data);
        return Bytes(bytes, bytes + n);
    }
    intptr_t setChunk(const Bytes& chunk) {
        return dispatch(effSetChunk, 0, static_cast<intptr_t>(chunk.size()), const_cast<uint8_t*>(chunk.data()));
    }
    Bytes bankStream() {
        const Bytes chunk = getChunk();
        return chunk.size() > 8 ? Bytes(chunk.begin() + 8, chunk.end()) : Bytes();
    }
    std::vector<TestProgram> programs() { return programsOfBank(bankStream()); }
    int32_t currentProgram() { return static_cast<int32_t>(get32(bankStream(), 17)); }
    std::string programName() { return text(effGetProgramName); }

    // What the host can see of the state: the whole chunk and every parameter.
    struct State {
        Bytes chunk;
        std::vector<float> parameters;
        bool operator==(const State&) const = default;
    };
    State state() {
        State s{getChunk(), {}};
        for (int32_t i = 0; i < kParams; ++i) s.parameters.push_back(getParameter(i));
        return s;
    }

    // The engine-facing parameters (0..21) follow the values of the current program.
    void expectParametersOf(const TestProgram& program) {
        for (int32_t k = 0; k < 22; ++k) EXPECT_EQ(getParameter(k), program.values[k]) << "parameter " << k;
    }
};

// Each test starts from an empty settings folder and one open instance.
class PresetHostTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(settings.valid()); }
    void open() { ASSERT_TRUE(host.open()); }

    TempSettingsFolder settings;
    PresetHost host;
};

}  // namespace orvtest
