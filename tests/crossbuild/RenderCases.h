// The cases every build renders: factory programs at every sample-rate class, in both sample
// formats and at several block sizes, with a program change half-way through each.
#pragma once

#include <cstdint>
#include <vector>

namespace orvtest {

struct RenderCase {
    int32_t program;      // factory program applied first
    int32_t nextProgram;  // applied half-way through
    float sampleRate;
    bool doublePrecision;
    int32_t blockSize;
    double seconds;
};

std::vector<RenderCase> renderCases();

}  // namespace orvtest
