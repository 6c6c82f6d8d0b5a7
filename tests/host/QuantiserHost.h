// An instance set up to show the requantiser on its own: the limiter bypassed (the output is
// the input, delayed by the latency), quantisation on, calibration off.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "plugin/base/StepHelpers.h"
#include "support/VstHost.h"

namespace orvtest {

struct QuantiserSetup {
    int32_t bitsIndex = 2;  // 8, 12, 16, 20, 24 bits
    int32_t noiseShape = 0;  // off, type A .. F
    bool autoblack = false;
    float rate = 44100.0f;
};

class QuantiserHost : public TestHost {
public:
    static constexpr int32_t kPower = 8, kBits = 10, kNoiseShape = 11, kCalibrate = 12, kQuantize = 16,
                             kAutoblack = 17;

    // Opens the instance (when not yet open) and applies the setup.
    bool setUp(const QuantiserSetup& s) {
        if (!effect() && !open()) return false;
        setSampleRate(s.rate);
        setParameter(kPower, orv::stepValue(0, 2));
        setParameter(kCalibrate, orv::stepValue(0, 4));
        setParameter(kQuantize, orv::stepValue(1, 2));
        setParameter(kAutoblack, orv::stepValue(s.autoblack ? 1 : 0, 2));
        setParameter(kBits, orv::stepValue(s.bitsIndex, 5));
        setParameter(kNoiseShape, orv::stepValue(s.noiseShape, 7));
        // Everything above leaves the engine state alone; start from a fresh stream.
        dispatch(effMainsChanged, 0, 0);
        dispatch(effMainsChanged, 0, 1);
        return true;
    }

    int32_t latency() const { return effect()->initialDelay; }

    // The outputs lined up with the inputs: the signal runs on through silence for the
    // latency, and the first latency output samples are dropped.
    void runAligned(const std::vector<double>& inL, const std::vector<double>& inR, std::vector<double>& outL,
                    std::vector<double>& outR, int32_t block = 512) {
        const size_t delay = static_cast<size_t>(latency());
        std::vector<double> l(inL), r(inR), rawL, rawR;
        l.resize(inL.size() + delay, 0.0);
        r.resize(inR.size() + delay, 0.0);
        process(l, r, rawL, rawR, block);
        outL.assign(rawL.begin() + static_cast<std::ptrdiff_t>(delay), rawL.end());
        outR.assign(rawR.begin() + static_cast<std::ptrdiff_t>(delay), rawR.end());
    }

    static double steps(int32_t bitsIndex) { return static_cast<double>(int64_t{1} << (7 + 4 * bitsIndex)); }
};

}  // namespace orvtest
