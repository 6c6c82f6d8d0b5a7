#include "dsp/InterpolatorTables.h"

#include <cmath>

namespace orv {
namespace {

constexpr double kPi = 3.14159265358979323846;

double sinc(double t) { return t == 0.0 ? 1.0 : std::sin(kPi * t) / (kPi * t); }

double blackmanHarris(double t) {
    const double x = kPi * t / 32.0;
    return 0.35875 + 0.48829 * std::cos(x) + 0.14128 * std::cos(2.0 * x) + 0.01168 * std::cos(3.0 * x);
}

double hann(double t) { return 0.5 + 0.5 * std::cos(kPi * t / 32.0); }

double roundTo7Places(double v) { return std::round(v * 1e7) / 1e7; }

InterpolatorTables build() {
    InterpolatorTables tables{};
    for (int j = 0; j < InterpolatorTables::kTaps / 2; ++j) {
        const double t = 31.5 - j;
        tables.halfway[j] = sinc(t) * blackmanHarris(t);
    }
    const double points[InterpolatorTables::kPoints] = {31.25, 31.5, 31.75};
    for (int p = 0; p < InterpolatorTables::kPoints; ++p) {
        for (int k = 0; k < InterpolatorTables::kTaps; ++k) {
            const double t = (63 - k) - points[p];
            tables.quarter[p][k] = roundTo7Places(sinc(t) * hann(t));
        }
    }
    return tables;
}

}  // namespace

const InterpolatorTables& InterpolatorTables::instance() {
    static const InterpolatorTables tables = build();
    return tables;
}

}  // namespace orv
