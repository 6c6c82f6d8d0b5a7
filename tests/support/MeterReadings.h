// The ten meter readings in read-out order, by name.
#pragma once

namespace orvtest {

struct MeterReadings {
    static constexpr int kCount = 10;
    float v[kCount];
    float inputPeak(int ch) const { return v[0 + ch]; }
    float outputPeak(int ch) const { return v[2 + ch]; }
    float inputRms(int ch) const { return v[4 + ch]; }
    float outputRms(int ch) const { return v[6 + ch]; }
    float gainReduction(int ch) const { return v[8 + ch]; }
};

}  // namespace orvtest
