#include "host/SignalMeter.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "host/RenderError.h"

namespace orvrender {

namespace {

double decibels(double amplitude) {
    return amplitude > 0.0 ? 20.0 * std::log10(amplitude) : -std::numeric_limits<double>::infinity();
}

}  // namespace

SignalMeter::SignalMeter(int sampleRate) {
    state_ = ebur128_init(kChannels, static_cast<unsigned long>(sampleRate),
                          EBUR128_MODE_I | EBUR128_MODE_SAMPLE_PEAK | EBUR128_MODE_TRUE_PEAK);
    if (!state_) throw RenderError("cannot measure loudness at " + std::to_string(sampleRate) + " Hz");
}

SignalMeter::~SignalMeter() { ebur128_destroy(&state_); }

void SignalMeter::add(const double* interleavedStereo, int64_t frames) {
    if (frames > 0) ebur128_add_frames_double(state_, interleavedStereo, static_cast<size_t>(frames));
}

LevelFigures SignalMeter::figures() const {
    double samplePeak = 0.0;
    double truePeak = 0.0;
    for (unsigned int channel = 0; channel < kChannels; ++channel) {
        double peak = 0.0;
        ebur128_sample_peak(state_, channel, &peak);
        samplePeak = std::max(samplePeak, peak);
        ebur128_true_peak(state_, channel, &peak);
        truePeak = std::max(truePeak, peak);
    }
    // The interpolation filter's ripple can read a little under a sample; no true peak is lower.
    truePeak = std::max(truePeak, samplePeak);
    double loudness = -std::numeric_limits<double>::infinity();
    ebur128_loudness_global(state_, &loudness);
    return {decibels(samplePeak), decibels(truePeak), loudness};
}

}  // namespace orvrender
