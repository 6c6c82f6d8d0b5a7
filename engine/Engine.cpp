#include "engine/Engine.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

namespace orv {

namespace {
constexpr int32_t kMaxLatency = 512 + 31;
constexpr int32_t kDelayRoom = 544;

// Aligned operator new: the Windows run-time has no posix_memalign.
double* allocateAligned(int32_t count) {
    void* p = ::operator new(sizeof(double) * count, std::align_val_t(16), std::nothrow);
    if (p == nullptr) return nullptr;
    std::memset(p, 0, sizeof(double) * count);
    return static_cast<double*>(p);
}

void freeAligned(double* p) {
    if (p != nullptr) ::operator delete(p, std::align_val_t(16));
}
}  // namespace

Engine::Engine() {
    delayL_ = allocateAligned(kDelayRoom);
    delayR_ = allocateAligned(kDelayRoom);
    suspend();
}

Engine::~Engine() {
    freeAligned(delayL_);
    freeAligned(delayR_);
}

void Engine::setSampleRate(float rate) {
    const int32_t oldRate = rateHz_;
    // Truncation of an out-of-range or NaN float is undefined: test the range first.
    int32_t hz = 44100;
    if (rate >= 5000.0f && rate < 200001.0f) hz = static_cast<int32_t>(rate);
    if (hz < 5000 || hz > 200000) hz = 44100;
    rateHz_ = hz;
    if (rateHz_ != oldRate) {
        rateShift_ = rateHz_ < 80000 ? 0 : (rateHz_ < 170000 ? 1 : 2);
        lookAhead_ = 128 << rateShift_;
    }
    suspend();
}

void Engine::suspend() {
    delayPos_ = 0;
    if (delayL_) std::memset(delayL_, 0, sizeof(double) * kDelayRoom);
    if (delayR_) std::memset(delayR_, 0, sizeof(double) * kDelayRoom);
}

void Engine::setTransShape(int32_t index) { settings_.transShape = index; }

int32_t Engine::latency() const { return lookAhead_ + 31; }

void Engine::setReleaseMs(double ms) { settings_.releaseMs = ms; }
void Engine::setTransientMix(double mix) { settings_.transientMix = mix; }
void Engine::setNoiseShapeType(int32_t type) { settings_.noiseShapeType = type; }
void Engine::setAttShowMask(int32_t mask) { settings_.attShowMask = mask; }

template <typename Sample>
void Engine::processBlock(const Sample* inL, const Sample* inR, Sample* outL, Sample* outR, int32_t frames) {
    const int32_t length = latency();
    static_assert(kMaxLatency <= kDelayRoom, "delay room");
    for (int32_t i = 0; i < frames; ++i) {
        const double l = delayL_[delayPos_];
        const double r = delayR_[delayPos_];
        delayL_[delayPos_] = static_cast<double>(inL[i]);
        delayR_[delayPos_] = static_cast<double>(inR[i]);
        if (++delayPos_ >= length) delayPos_ = 0;
        outR[i] = static_cast<Sample>(r);
        outL[i] = static_cast<Sample>(l);
    }
}

void Engine::process(const float* inL, const float* inR, float* outL, float* outR, int32_t frames) {
    processBlock(inL, inR, outL, outR, frames);
}

void Engine::process(const double* inL, const double* inR, double* outL, double* outR, int32_t frames) {
    processBlock(inL, inR, outL, outR, frames);
}

void Engine::getMeterValues(float values[kMeterValueCount]) {
    for (int i = 0; i < kMeterValueCount; ++i) values[i] = (i >= 8) ? 1.0f : 0.0f;
}

}  // namespace orv
