#include "RenderCases.h"

#include "presets/ProgramRecord.h"

namespace orvtest {

std::vector<RenderCase> renderCases() {
    constexpr int32_t kBlockSizes[] = {512, 64, 1000, 4096, 1};
    std::vector<RenderCase> cases;
    auto add = [&cases, &kBlockSizes](int32_t program, float rate, double seconds) {
        const size_t n = cases.size();
        const int32_t next = (program + 1) % orv::kNumStoredPrograms;
        cases.push_back({program, next, rate, n % 2 == 1, kBlockSizes[n % 5], seconds});
    };
    // Every factory program at the base rate.
    for (int32_t p = 0; p < orv::kNumStoredPrograms; ++p) add(p, 44100.0f, 0.75);
    // The other rates, including both higher rate classes, with the plain, hard, 8-bit and
    // reconstructing programs.
    constexpr int32_t kPrograms[] = {0, 4, 10, 11, 19, 26};
    for (float rate : {48000.0f, 88200.0f, 96000.0f, 176400.0f, 192000.0f})
        for (int32_t p : kPrograms) add(p, rate, 0.5);
    // Rates off the usual grid give other rate-dependent coefficients, computed with library
    // functions whose last bits differ between run-times.
    for (float rate : {8000.0f, 22050.0f, 32000.0f, 63999.0f, 100000.0f, 150000.0f})
        for (int32_t p : {3, 19}) add(p, rate, 0.4);
    return cases;
}

}  // namespace orvtest
