#pragma once

#include "dsp/StereoPair.h"
#include "engine/BrickwallPath.h"
#include "engine/Detector.h"
#include "engine/FollowerBanks.h"
#include "engine/GainGlides.h"
#include "engine/Leveller.h"
#include "engine/LimiterSettings.h"
#include "engine/ReleasePath.h"
#include "dsp/StereoDelay.h"

namespace orv {

// Look-ahead geometry of the limiter at one sample rate and window shape.
struct LimiterGeometry {
    int lookAhead = 128;          // 128, 256 or 512
    int shapeLength = 64;         // 8 .. 128
    int envelopeDelay = 2;        // lookAhead - 2 * shapeLength + 2
    int interpolationMode = 2;    // 0 none, 1 two times, 2 four times
};

// What one sample of the limiter hands on to the meters and the requantiser.
struct LimiterFrame {
    StereoPair out;        // limited (or, with Power off, the dry pair)
    StereoPair dry;        // the raw input delayed by the full latency
    double levellerGain;
    StereoPair stage1;     // gain of the release path alone
    StereoPair gain;       // final gain
};

// The stereo look-ahead brickwall limiter: gain glides, dry delay, drive, leveller,
// detector, look-ahead delay, release path, brickwall path and gain computer.
class LimiterCore {
public:
    static constexpr int kMaxLookAhead = 512;
    static constexpr int kDetectorDelay = Detector::kDelay;

    LimiterCore();

    bool valid() const;
    // Rate-dependent coefficients. The caller resets afterwards.
    void setSampleRate(double fs);
    // The caller resets afterwards.
    void setGeometry(const LimiterGeometry& geometry);
    // Clears all signal history; the working gains start at their targets as the next block
    // finds them.
    void reset(const LimiterSettings& settings);
    // Takes the settings for the next samples.
    void beginBlock(const LimiterSettings& settings);
    // Runs count samples; inputs must be finite.
    void process(const StereoPair* in, LimiterFrame* out, int count);

    // The working drive gain, before the next sample's glide step.
    double driveGain() const { return glides_.drive(); }
    const LimiterGeometry& geometry() const { return geometry_; }
    const FollowerBanks& banks() const { return banks_; }

private:
    static constexpr int kRun = ReleasePath::kMaxRun;

    // The stages feed forward only, so each one runs over the whole run before the next.
    void processRun(const StereoPair* in, LimiterFrame* out, int count);
    void refreshBanks();

    LimiterGeometry geometry_;
    LimiterSettings settings_;
    double sampleRate_ = 44100.0;
    FollowerBanks banks_;
    double banksReleaseMs_ = 0.0;
    double banksRate_ = 0.0;
    bool gainsStartAtTargets_ = true;

    GainGlides glides_;
    StereoDelay dry_;
    Leveller leveller_;
    Detector detector_;
    StereoDelay audio_;
    ReleasePath release_;
    BrickwallPath brickwall_;
};

}  // namespace orv
