#include "engine/LimiterCore.h"

#include "engine/GainComputer.h"

namespace orv {

LimiterCore::LimiterCore() : dry_(kMaxLookAhead + kDetectorDelay), audio_(kMaxLookAhead) {
    setSampleRate(sampleRate_);
    setGeometry(geometry_);
    reset(settings_);
}

bool LimiterCore::valid() const {
    return dry_.valid() && detector_.valid() && audio_.valid() && release_.valid() && brickwall_.valid();
}

void LimiterCore::setSampleRate(double fs) {
    sampleRate_ = fs;
    glides_.setSampleRate(fs);
    leveller_.setSampleRate(fs);
    refreshBanks();
}

void LimiterCore::setGeometry(const LimiterGeometry& geometry) {
    geometry_ = geometry;
    dry_.setLength(geometry.lookAhead + kDetectorDelay);
    detector_.setInterpolationMode(geometry.interpolationMode);
    audio_.setLength(geometry.lookAhead);
    release_.setWindow(geometry.lookAhead);
    brickwall_.setGeometry(geometry.shapeLength, geometry.envelopeDelay);
}

void LimiterCore::reset(const LimiterSettings& settings) {
    beginBlock(settings);
    glides_.reset(settings.driveTarget, settings.outputSource);
    dry_.reset();
    leveller_.reset();
    detector_.reset();
    audio_.reset();
    release_.reset();
    brickwall_.reset();
}

void LimiterCore::beginBlock(const LimiterSettings& settings) {
    settings_ = settings;
    refreshBanks();
}

// The banks follow "Release" and the rate. Deriving them here, on the audio thread, from the
// one published release time means a block never sees half of an old and half of a new bank.
void LimiterCore::refreshBanks() {
    if (settings_.releaseMs == banksReleaseMs_ && sampleRate_ == banksRate_) return;
    banks_.compute(settings_.releaseMs, sampleRate_);
    banksReleaseMs_ = settings_.releaseMs;
    banksRate_ = sampleRate_;
}

void LimiterCore::process(const StereoPair* in, LimiterFrame* out, int count) {
    for (int i = 0; i < count; ++i) out[i] = step(in[i]);
}

LimiterFrame LimiterCore::step(StereoPair in) {
    const LimiterSettings& s = settings_;
    glides_.step(s.driveTarget, s.outputSource);
    LimiterFrame f;
    f.dry = dry_.push(in);

    const double drive = glides_.drive();
    const StereoPair driven = {in.l * drive, in.r * drive};
    f.levellerGain = leveller_.step(driven, s.levellerTarget, s.levellerOn);
    detector_.push({driven.l * f.levellerGain, driven.r * f.levellerGain});
    const StereoPair magnitude = detector_.magnitude(s.oversampleOn);
    const StereoPair audio = audio_.push(detector_.delayed());

    const StereoPair release = release_.step(magnitude, s.linkAmount, banks_, s.secondOrder);
    const StereoPair brickwall = brickwall_.step(magnitude);

    if (!s.powerOn) {
        f.out = f.dry;
        f.stage1 = {1.0, 1.0};
        f.gain = {1.0, 1.0};
        return f;
    }
    const double t = s.transientMix;
    f.gain = {limiterGain(brickwall.l, release.l, t), limiterGain(brickwall.r, release.r, t)};
    f.stage1 = {releaseStageGain(release.l, t), releaseStageGain(release.r, t)};
    const double output = glides_.output();
    f.out = {f.gain.l * audio.l * output, f.gain.r * audio.r * output};
    return f;
}

}  // namespace orv
