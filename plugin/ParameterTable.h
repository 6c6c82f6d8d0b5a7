#pragma once

#include <cstdint>

#include "plugin/vst2.h"

namespace orv {

enum ParameterIndex : int32_t {
    kOutput = 0,
    kDrive,
    kTransient,
    kRelease,
    kTransShape,
    kLink,
    kOversample,
    kDetectorOrder,
    kPower,
    kScale,
    kBits,
    kNoiseShape,
    kCalibrate,
    kLeveller,
    kMeterOvs,
    kAutoOut,
    kQuantize,
    kAutoblack,
    kMeterType,
    kAttZoom,
    kAttShow,
    kPostMeter,
    kDummy1,
    kDummy2,
    kDummy3,
    kLayoutVersion,
    kParameterCount
};

// Parameters 0..21 drive the engine; 22..24 live only in the program record; 25 is the layout version.
inline constexpr int32_t kEngineParameterCount = kDummy1;
inline constexpr int32_t kCurrentLayoutVersion = 2;
inline constexpr float kLayoutVersionValue = 0.025f;

struct ParameterInfo {
    const char* name;
    const char* label;          // null: nothing written
    int32_t steps;              // 0: continuous
    const char* const* choices; // one text per step, for stepped parameters with fixed texts
};

const ParameterInfo& parameterInfo(int32_t index);  // index must be 0..25
bool isParameterIndex(int32_t index);

// Host step metadata; false for the indices that have none.
bool fillParameterProperties(int32_t index, VstParameterProperties& properties);

// The display text for a stored normalised value; false when the parameter shows nothing.
bool formatParameterDisplay(int32_t index, float value, char* text);

}  // namespace orv
