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
    settings_ = settings;
    refreshBanks();
    glides_.reset(settings.driveTarget, settings.outputSource);
    gainsStartAtTargets_ = true;
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
    // Settings made between a reset and the first block (a host restoring its state after a
    // suspend) take effect at once: the glide exists for running audio, not for silence.
    if (gainsStartAtTargets_) glides_.reset(settings.driveTarget, settings.outputSource);
    gainsStartAtTargets_ = false;
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
    for (int start = 0; start < count; start += kRun) processRun(in + start, out + start, count - start < kRun ? count - start : kRun);
}

void LimiterCore::processRun(const StereoPair* in, LimiterFrame* f, int count) {
    const LimiterSettings& s = settings_;
    StereoPair magnitude[kRun] = {};  // filled below; initialised so the compiler can tell
    StereoPair audio[kRun], release[kRun], brickwall[kRun];
    double output[kRun];
    for (int i = 0; i < count; ++i) {
        glides_.step(s.driveTarget, s.outputSource);
        output[i] = glides_.output();
        f[i].dry = dry_.push(in[i]);
        const double drive = glides_.drive();
        const StereoPair driven = {in[i].l * drive, in[i].r * drive};
        const double leveller = leveller_.step(driven, s.levellerTarget, s.levellerOn);
        f[i].levellerGain = leveller;
        detector_.push({driven.l * leveller, driven.r * leveller});
        magnitude[i] = detector_.magnitude(s.oversampleOn);
        audio[i] = audio_.push(detector_.delayed());
    }
    release_.run(magnitude, release, count, s.linkAmount, banks_, s.secondOrder);
    brickwall_.run(magnitude, brickwall, count);

    if (!s.powerOn) {
        for (int i = 0; i < count; ++i) {
            f[i].out = f[i].dry;
            f[i].stage1 = {1.0, 1.0};
            f[i].gain = {1.0, 1.0};
        }
        return;
    }
    const double t = s.transientMix;
    for (int i = 0; i < count; ++i) {
        f[i].gain = {limiterGain(brickwall[i].l, release[i].l, t), limiterGain(brickwall[i].r, release[i].r, t)};
        f[i].stage1 = {releaseStageGain(release[i].l, t), releaseStageGain(release[i].r, t)};
        f[i].out = {f[i].gain.l * audio[i].l * output[i], f[i].gain.r * audio[i].r * output[i]};
    }
}

}  // namespace orv
