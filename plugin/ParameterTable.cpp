#include "plugin/ParameterTable.h"

#include <cstring>

#include "plugin/ParameterMapping.h"
#include "plugin/base/NumberFormat.h"
#include "plugin/base/StepHelpers.h"

namespace orv {

namespace {

const char* const kOffOn[] = {"off", "on"};
const char* const kShapes[] = {"hard", "med", "soft"};
const char* const kOrders[] = {"I", "II"};
const char* const kScales[] = {"K-12", "K-14", "K-20"};
const char* const kBitsTexts[] = {"8", "12", "16", "20", "24"};
const char* const kNoiseShapes[] = {"off", "type A", "type B", "type C", "type D", "type E", "type F"};
const char* const kCalibrations[] = {"off", "left", "l+r uncor", "right"};
const char* const kMeterTypes[] = {"peak", "k-system"};
const char* const kZooms[] = {"24dB", "12dB"};
const char* const kPrePost[] = {"pre", "post"};

const ParameterInfo kTable[kParameterCount] = {
    {"Output", "dB", 0, nullptr},
    {"Drive", "dB", 0, nullptr},
    {"Transient", "ms", 0, nullptr},
    {"Release", "ms", 0, nullptr},
    {"TransShape", nullptr, 3, kShapes},
    {"L/R Link", nullptr, 0, nullptr},
    {"Oversample", nullptr, 2, kOffOn},
    {"DetectorOrder", nullptr, 2, kOrders},
    {"Power", nullptr, 2, kOffOn},
    {"Scale", nullptr, 3, kScales},
    {"Bits", nullptr, 5, kBitsTexts},
    {"NoiseShape", nullptr, 7, kNoiseShapes},
    {"Calibrate", nullptr, 4, kCalibrations},
    {"Leveller", "dB", 0, nullptr},
    {"MeterOvs", nullptr, 2, kOffOn},
    {"AutoOut", nullptr, 2, kOffOn},
    {"Quantize", nullptr, 2, kOffOn},
    {"Autoblack", nullptr, 2, kOffOn},
    {"MeterType", nullptr, 2, kMeterTypes},
    {"AttZoom", nullptr, 2, kZooms},
    {"AttShow", nullptr, 8, nullptr},
    {"PostMeter", nullptr, 2, kPrePost},
    {"dummy", nullptr, 0, nullptr},
    {"dummy", nullptr, 0, nullptr},
    {"dummy", nullptr, 0, nullptr},
    {"resvd-vid", nullptr, 0, nullptr},
};

struct StepSizes {
    int32_t flags;
    float step;
    float smallStep;
    float largeStep;
};

constexpr int32_t kFloatStep = kVstParameterUsesFloatStep;
constexpr int32_t kSwitch = kVstParameterIsSwitch | kVstParameterUsesFloatStep;

StepSizes stepSizesFor(int32_t index) {
    switch (index) {
        case kOutput:
        case kLeveller:
            return {kFloatStep, 1.0f / 24.0f, 1.0f / 240.0f, 1.0f / 24.0f};
        case kDrive:
            return {kFloatStep, 1.0f / 96.0f, 1.0f / 960.0f, 1.0f / 96.0f};
        case kTransient:
        case kRelease:
        case kLink:
            return {kFloatStep, 5.0f, 5.0f, 5.0f};
        case kTransShape:
        case kScale:
            return {kFloatStep, 0.5f, 0.5f, 0.5f};
        case kBits:
            return {kFloatStep, 0.25f, 0.25f, 0.25f};
        case kNoiseShape:
            return {kFloatStep, 1.0f / 6.0f, 1.0f / 6.0f, 1.0f / 6.0f};
        case kCalibrate:
            return {kFloatStep, 10.0f / 3.0f, 10.0f / 3.0f, 10.0f / 3.0f};
        case kAttShow:
            return {kFloatStep, 10.0f / 7.0f, 10.0f / 7.0f, 10.0f / 7.0f};
        default:
            return {kSwitch, 1.0f, 1.0f, 1.0f};
    }
}

void copyText(char* text, const char* src) { std::memcpy(text, src, std::strlen(src) + 1); }

void formatAttShow(int32_t mask, char* text) {
    char* p = text;
    if (mask & 1) *p++ = '1';
    if (mask & 2) *p++ = '2';
    if (mask & 4) *p++ = 'L';
    *p = 0;
}

constexpr int kDisplayMaxLen = 12;

}  // namespace

bool isParameterIndex(int32_t index) { return index >= 0 && index < kParameterCount; }

const ParameterInfo& parameterInfo(int32_t index) { return kTable[index]; }

bool fillParameterProperties(int32_t index, VstParameterProperties& p) {
    if (!isParameterIndex(index) || (index >= kDummy1 && index <= kDummy3)) return false;
    if (index == kLayoutVersion) {
        p.flags = kFloatStep;
        p.stepFloat = 0.0001f;
        return true;
    }
    const StepSizes s = stepSizesFor(index);
    p.flags = s.flags;
    p.stepFloat = s.step;
    p.smallStepFloat = s.smallStep;
    p.largeStepFloat = s.largeStep;
    const char* name = kTable[index].name;
    std::memset(p.label, 0, sizeof(p.label));
    std::strncpy(p.label, name, sizeof(p.label) - 1);
    std::memset(p.shortLabel, 0, sizeof(p.shortLabel));
    std::strncpy(p.shortLabel, name, sizeof(p.shortLabel) - 1);
    return true;
}

bool formatParameterDisplay(int32_t index, float v, char* text) {
    if (!isParameterIndex(index)) return false;
    switch (index) {
        case kOutput:
            dB2string(static_cast<float>(outputTargetFor(v)), text, kDisplayMaxLen);
            return true;
        case kDrive:
            dB2string(static_cast<float>(driveTargetFor(v)), text, kDisplayMaxLen);
            return true;
        case kLeveller:
            dB2string(static_cast<float>(levellerTargetFor(v)), text, kDisplayMaxLen);
            return true;
        case kTransient:
            float2string(static_cast<float>(transientMixFor(v)), text, kDisplayMaxLen);
            return true;
        case kRelease:
            float2string(static_cast<float>(releaseMsFor(v)), text, kDisplayMaxLen);
            return true;
        case kLink:
            float2string(100.0f * v, text, kDisplayMaxLen);
            return true;
        case kAttShow:
            formatAttShow(clampedStepIndex(v, 8), text);
            return true;
        default:
            break;
    }
    const ParameterInfo& info = kTable[index];
    if (!info.choices) return false;
    copyText(text, info.choices[clampedStepIndex(v, info.steps)]);
    return true;
}

}  // namespace orv
