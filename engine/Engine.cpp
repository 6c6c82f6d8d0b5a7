#include "engine/Engine.h"

#include <algorithm>

#include "engine/RateCoefficients.h"

namespace orv {

Engine::Engine() {
    applyRate(geometry_.rateHz);
    suspend();
}

Engine::~Engine() = default;

bool Engine::valid() const { return limiter_.valid() && meters_.valid() && shapes_.valid(); }

void Engine::setSampleRate(float rate) {
    const int32_t rateHz = validatedRate(rate);
    if (rateHz != geometry_.rateHz) applyRate(rateHz);
    suspend();
}

void Engine::applyRate(int32_t rateHz) {
    geometry_.setRate(rateHz);
    rateHz_ = rateHz;
    const double fs = rateHz;
    limiter_.setSampleRate(fs);
    requantiser_.setFadeCoefficient(autoblackCoefficient(fs));
    meters_.setCoefficient(meterCoefficient(fs));
    shapes_.select(settings_.noiseShapeType, rateHz);
    shapes_.fill();
    applyGeometry();
}

void Engine::applyGeometry() {
    LimiterGeometry limiter;
    limiter.lookAhead = geometry_.lookAhead;
    limiter.shapeLength = geometry_.shapeLength;
    limiter.envelopeDelay = geometry_.envelopeDelay;
    limiter.interpolationMode = geometry_.interpolationMode;
    limiter_.setGeometry(limiter);
    meters_.setInterpolationMode(geometry_.interpolationMode);
}

void Engine::suspend() {
    noise_.reset();
    limiter_.reset(LimiterSettings::from(settings_));
    requantiser_.reset();
    meters_.reset();
    calibration_.reset();
}

void Engine::setTransShape(int32_t index) {
    if (index < 0 || index > 2 || index == geometry_.transShape) return;
    settings_.transShape = index;
    geometry_.setTransShape(index);
    applyGeometry();
    suspend();
}

void Engine::setReleaseMs(double ms) { settings_.releaseMs = ms; }
void Engine::setTransientMix(double mix) { settings_.transientMix = mix; }

void Engine::setNoiseShapeType(int32_t type) {
    settings_.noiseShapeType = type;
    shapes_.select(type, rateHz_);
    requantiser_.restartErrorRing();
}

void Engine::setAttShowMask(int32_t mask) {
    settings_.attShowMask = mask;
    meters_.resetGainReduction();
}

template <typename Sample>
void Engine::processBlock(const Sample* inL, const Sample* inR, Sample* outL, Sample* outR, int32_t frames) {
    if (!valid()) {
        std::fill(outR, outR + std::max(frames, 0), Sample(0));
        std::fill(outL, outL + std::max(frames, 0), Sample(0));
        return;
    }
    driver_.process(settings_, ShapingFilter{shapes_.shapeSet(), shapes_.shapeTaps()}, inL, inR, outL, outR, frames);
}

void Engine::process(const float* inL, const float* inR, float* outL, float* outR, int32_t frames) {
    processBlock(inL, inR, outL, outR, frames);
}

void Engine::process(const double* inL, const double* inR, double* outL, double* outR, int32_t frames) {
    processBlock(inL, inR, outL, outR, frames);
}

void Engine::getMeterValues(float values[kMeterValueCount]) { meters_.read(values); }

}  // namespace orv
