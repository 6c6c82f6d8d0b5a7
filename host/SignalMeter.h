// Sample peak, true peak and integrated loudness (ITU-R BS.1770, through libebur128) of a
// stereo stream fed block by block.
#pragma once

#include <cstdint>

#include <ebur128.h>

namespace orvrender {

struct LevelFigures {
    double samplePeakDb;  // dBFS; -inf for silence
    double truePeakDb;    // dBTP; -inf for silence
    double loudnessLufs;  // LUFS; -inf when nothing rises above the gate
};

class SignalMeter {
public:
    explicit SignalMeter(int sampleRate);
    ~SignalMeter();
    SignalMeter(const SignalMeter&) = delete;
    SignalMeter& operator=(const SignalMeter&) = delete;

    static constexpr int kChannels = 2;

    void add(const double* interleavedStereo, int64_t frames);
    LevelFigures figures() const;

private:
    ebur128_state* state_ = nullptr;
};

}  // namespace orvrender
