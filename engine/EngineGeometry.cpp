#include "engine/EngineGeometry.h"

namespace orv {

namespace {
constexpr int32_t kDefaultRate = 44100;
constexpr int32_t kMinRate = 5000;
constexpr int32_t kMaxRate = 200000;
}  // namespace

int32_t validatedRate(float rate) {
    // Converting a NaN or out-of-range float to an integer is undefined: test first.
    if (!(rate >= static_cast<float>(kMinRate) && rate < static_cast<float>(kMaxRate + 1))) return kDefaultRate;
    return static_cast<int32_t>(rate);
}

void EngineGeometry::setRate(int32_t hz) {
    rateHz = hz;
    rateShift = hz < 80000 ? 0 : (hz < 170000 ? 1 : 2);
    lookAhead = 128 << rateShift;
    interpolationMode = hz <= 48000 ? 2 : (hz <= 96000 ? 1 : 0);
    updateShape();
}

void EngineGeometry::setTransShape(int32_t index) {
    if (index < 0 || index > 2) return;
    transShape = index;
    updateShape();
}

void EngineGeometry::updateShape() {
    constexpr int32_t kBaseLength[3] = {8, 16, 64};
    constexpr int32_t kMaxShapeLength = 128;  // "soft" at the highest rates stays at 128, not 256
    const int32_t length = kBaseLength[transShape] << rateShift;
    shapeLength = length < kMaxShapeLength ? length : kMaxShapeLength;
    envelopeDelay = lookAhead - 2 * shapeLength + 2;
}

}  // namespace orv
