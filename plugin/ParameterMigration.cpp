#include "plugin/ParameterMigration.h"

#include "plugin/ParameterTable.h"
#include "plugin/base/StepHelpers.h"

namespace orv {

namespace {

// Version 0 had a four-way "Bits" (none, then three depths) and a four-way "Scale" (peak, then three K scales).
void migrateFromVersion0(ParameterAccess& a) {
    a.setParameter(kAutoblack, stepValue(0, 2));

    const int32_t b = stepIndex(a.storedValue(kBits), 4);
    if (b != 0) {
        a.setParameter(kQuantize, stepValue(1, 2));
        a.setParameter(kBits, stepValue(b - 1, 3));
    } else {
        a.setParameter(kQuantize, stepValue(0, 2));
        a.setParameter(kBits, stepValue(1, 3));
    }

    a.setParameter(kAttShow, stepValue(7, 8));
    a.setParameter(kAttZoom, stepValue(0, 2));
    a.setParameter(kPostMeter, stepValue(1, 2));

    const int32_t s = stepIndex(a.storedValue(kScale), 4);
    if (s == 0) {
        a.setParameter(kMeterType, stepValue(0, 2));
        a.setParameter(kScale, stepValue(1, 3));
    } else {
        a.setParameter(kMeterType, stepValue(1, 2));
        a.setParameter(kScale, stepValue(s - 1, 3));
    }
}

// Version 1 had three depths (8, 16, 24 bits) and four noise-shaping choices (off, A, B, C).
void migrateFromVersion1(ParameterAccess& a) {
    static const int32_t kDepthOf[3] = {0, 2, 4};
    const int32_t m = clampedStepIndex(a.storedValue(kBits), 3);
    a.setParameter(kBits, stepValue(kDepthOf[m], 5));
    a.setParameter(kNoiseShape, stepValue(stepIndex(a.storedValue(kNoiseShape), 4), 7));
}

}  // namespace

void migrateParameterLayout(int32_t version, ParameterAccess& access) {
    if (version == 0) migrateFromVersion0(access);
    if (version == 0 || version == 1) migrateFromVersion1(access);
}

}  // namespace orv
