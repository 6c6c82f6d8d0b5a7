#include "presets/MeteringPrefs.h"

#include <cstdint>

#include "platform/SettingsStore.h"
#include "plugin/base/AudioEffect.h"
#include "plugin/base/StepHelpers.h"

namespace orv {

namespace {

struct MeteringPref {
    const char* valueName;
    int32_t parameter;
    int32_t steps;
};

// The order of reading and of writing.
constexpr MeteringPref kMeteringPrefs[] = {
    {"Metering_Scale", 9, 3},   {"Metering_Type", 18, 2}, {"Metering_Zoom", 19, 2},
    {"Metering_AttShow", 20, 8}, {"Metering_Recon", 14, 2}, {"Metering_Post", 21, 2},
};

}  // namespace

void loadMeteringPrefs(AudioEffect& effect) {
    for (const MeteringPref& pref : kMeteringPrefs) {
        const std::optional<uint32_t> stored = settings::readDword(settings::kPrefsKey, pref.valueName);
        // Only step indices reach the parameter: anything else would be a value outside 0..1.
        if (stored && *stored < static_cast<uint32_t>(pref.steps))
            effect.setParameter(pref.parameter, stepValue(static_cast<int32_t>(*stored), pref.steps));
    }
}

bool saveMeteringPrefs(AudioEffect& effect) {
    bool all = true;
    for (const MeteringPref& pref : kMeteringPrefs) {
        const int32_t index = clampedStepIndex(effect.getParameter(pref.parameter), pref.steps);
        all = settings::writeDword(settings::kPrefsKey, pref.valueName, static_cast<uint32_t>(index)) && all;
    }
    return all;
}

}  // namespace orv
