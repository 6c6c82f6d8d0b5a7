#include "plugin/Plugin.h"

#include <cmath>
#include <cstring>
#include <new>

#include "editor/Editor.h"
#include "plugin/ParameterMapping.h"
#include "plugin/base/StepHelpers.h"

namespace orv {

namespace {
const char kEffectName[] = "Orv Morix";
const char kVendorName[] = "Orv-sound";
const char kProductName[] = "Full band precision limiter";
constexpr int32_t kStartLatency = 159;

void copyIdentity(char* text, const char* value) { std::memcpy(text, value, std::strlen(value) + 1); }
}  // namespace

Plugin::Plugin(audioMasterCallback audioMaster) : CPresetSystemEffect(audioMaster, kParameterCount) {
    for (auto& v : values_) v.store(0.0f, std::memory_order_relaxed);

    lock_.acquire(EngineLock::kNoTimeLimit);

    setNumInputs(2);
    setNumOutputs(2);
    setUniqueID(kUniqueId);
    canProcessReplacing(true);
    canDoubleReplacing(true);

    engine_.reset(new (std::nothrow) Engine());
    setInitialDelay(kStartLatency);

    loadFactoryPrograms();
    loadMeteringPrefs();

    Editor* productEditor = new (std::nothrow) Editor(this);
    setEditor(productEditor);
    if (productEditor) productEditor->setLatency(kStartLatency);

    captureDefaultProgram();
    applyProgram(0);

    lock_.release();
}

Plugin::~Plugin() {
    lock_.acquire(EngineLock::kNoTimeLimit);
    engine_.reset();
    lock_.release();
}

Editor* Plugin::productEditor() const { return static_cast<Editor*>(editor); }

// ---------------------------------------------------------------- parameters

void Plugin::setParameter(int32_t index, float value) {
    // A NaN or infinite value has no meaning for any parameter and would reach undefined conversions.
    if (!std::isfinite(value)) return;
    if (isParameterIndex(index)) {
        mapToEngine(index, value);
        if (!isApplyingProgram()) CPresetSystemEffect::setParameter(index, value);
    }
    if (editor) editor->setParameter(index, value);
}

void Plugin::mapToEngine(int32_t index, float v) {
    if (index < kEngineParameterCount) values_[index].store(v, std::memory_order_relaxed);
    if (index == kLayoutVersion) {
        runMigration(v);
        return;
    }
    if (!engine_) return;
    Engine& e = *engine_;
    EngineSettings& s = e.settings();
    switch (index) {
        case kOutput: s.outputTarget = outputTargetFor(v); break;
        case kDrive: s.driveTarget = driveTargetFor(v); break;
        case kTransient: e.setTransientMix(transientMixFor(v)); break;
        case kRelease: e.setReleaseMs(releaseMsFor(v)); break;
        case kTransShape: changeTransShape(v); break;
        case kLink: s.linkAmount = static_cast<double>(v); break;
        case kOversample: s.oversampleOn = clampedStepIndex(v, 2); break;
        case kDetectorOrder: s.detectorOrder = clampedStepIndex(v, 2); break;
        case kPower: {
            const int32_t on = clampedStepIndex(v, 2);
            s.powerOn = on;
            s.powerGain = on ? 1.0 : 0.0;
            break;
        }
        case kScale: s.scaleIndex = clampedStepIndex(v, 3); break;
        case kBits: s.bitsIndex = clampedStepIndex(v, 5); break;
        case kNoiseShape: e.setNoiseShapeType(clampedStepIndex(v, 7)); break;
        case kCalibrate: s.calibrateMode = clampedStepIndex(v, 4); break;
        case kLeveller:
            s.levellerTarget = levellerTargetFor(v);
            s.levellerOn = v != 1.0f;
            break;
        case kMeterOvs: s.meterOvsOn = clampedStepIndex(v, 2); break;
        case kAutoOut: s.autoOutOn = clampedStepIndex(v, 2); break;
        case kQuantize: s.quantizeOn = clampedStepIndex(v, 2); break;
        case kAutoblack: s.autoblackOn = clampedStepIndex(v, 2); break;
        case kMeterType: s.meterTypeIndex = clampedStepIndex(v, 2); break;
        case kAttZoom: s.attZoomIndex = clampedStepIndex(v, 2); break;
        case kAttShow: e.setAttShowMask(clampedStepIndex(v, 8)); break;
        case kPostMeter: s.postMeterOn = clampedStepIndex(v, 2); break;
        default: break;  // "dummy": the value lives only in the program record
    }
}

// Re-sizing the smoothing window clears the engine, so it must not meet a block in progress.
void Plugin::changeTransShape(float value) {
    const int32_t index = clampedStepIndex(value, 3);
    EngineLockGuard guard(lock_, kLockTimeoutMs);
    if (!guard.held()) {
        pendingTransShape_.store(index, std::memory_order_release);
        return;
    }
    pendingTransShape_.store(-1, std::memory_order_relaxed);
    engine_->setTransShape(index);
}

// The migration's own changes are applied like a program's: not written back into the record,
// so an old-layout record migrates again, identically, each time it is applied.
void Plugin::runMigration(float value) {
    const bool wasApplying = applyingProgram.exchange(true, std::memory_order_relaxed);
    migrateParameterLayout(stepIndex(value, 100), *this);
    applyingProgram.store(wasApplying, std::memory_order_relaxed);
}

float Plugin::storedValue(int32_t index) { return values_[index].load(std::memory_order_relaxed); }

float Plugin::getParameter(int32_t index) {
    if (index >= 0 && index < kEngineParameterCount) return values_[index].load(std::memory_order_relaxed);
    if (index >= kDummy1 && index <= kDummy3) return CPresetSystemEffect::getParameter(index);
    if (index == kLayoutVersion) return kLayoutVersionValue;
    return -1.0f;
}

void Plugin::getParameterName(int32_t index, char* text) {
    if (text && isParameterIndex(index)) copyIdentity(text, parameterInfo(index).name);
}

void Plugin::getParameterLabel(int32_t index, char* text) {
    if (text && isParameterIndex(index) && parameterInfo(index).label) copyIdentity(text, parameterInfo(index).label);
}

void Plugin::getParameterDisplay(int32_t index, char* text) {
    if (text && index >= 0 && index < kEngineParameterCount) formatParameterDisplay(index, getParameter(index), text);
}

bool Plugin::getParameterProperties(int32_t index, VstParameterProperties* properties) {
    return properties && fillParameterProperties(index, *properties);
}

// ---------------------------------------------------------------- set-up

void Plugin::setSampleRate(float rate) {
    sampleRate = rate;
    bool latencyChanged = false;
    {
        EngineLockGuard guard(lock_, kLockTimeoutMs);
        if (!guard.held()) {
            pendingRateValue_.store(rate, std::memory_order_relaxed);
            pendingRate_.store(true, std::memory_order_release);
            return;
        }
        pendingRate_.store(false, std::memory_order_relaxed);
        const int32_t before = engine_ ? engine_->latency() : kStartLatency;
        applySampleRate(rate);
        latencyChanged = engine_ && engine_->latency() != before;
    }
    // Outside the lock: the host may call back into us.
    if (latencyChanged && canHostDo("acceptIOChanges")) ioChanged();
}

void Plugin::applySampleRate(float rate) {
    if (!engine_) return;
    const int32_t before = engine_->latency();
    engine_->setSampleRate(rate);
    if (engine_->latency() != before) reportLatency();
}

void Plugin::reportLatency() {
    const int32_t latency = engine_->latency();
    setInitialDelay(latency);
    if (Editor* e = productEditor()) e->setLatency(latency);
}

// The host's own suspend clears the signal history; never while a block runs.
void Plugin::suspend() {
    EngineLockGuard guard(lock_, EngineLock::kNoTimeLimit);
    if (engine_) engine_->suspend();
}

// Called with the lock held, before a block.
void Plugin::applyPendingChanges() {
    if (pendingRate_.exchange(false, std::memory_order_acquire))
        applySampleRate(pendingRateValue_.load(std::memory_order_relaxed));
    const int32_t shape = pendingTransShape_.exchange(-1, std::memory_order_acquire);
    if (shape >= 0) engine_->setTransShape(shape);
}

// ---------------------------------------------------------------- processing

template <typename Sample>
void Plugin::processBlock(Sample** inputs, Sample** outputs, int32_t frames) {
    if (!outputs || !outputs[0] || frames < 0) return;
    Sample* outL = outputs[0];
    Sample* outR = (outputs[1] && isOutputConnected(1)) ? outputs[1] : outputs[0];

    EngineLockGuard guard(lock_, kLockTimeoutMs);
    if (!guard.held() || !engine_ || !inputs || !inputs[0]) {
        // No configuration to run against: silence for this block, state untouched.
        std::memset(outR, 0, sizeof(Sample) * static_cast<size_t>(frames));
        std::memset(outL, 0, sizeof(Sample) * static_cast<size_t>(frames));
        return;
    }
    const Sample* inL = inputs[0];
    const Sample* inR = (inputs[1] && isInputConnected(1)) ? inputs[1] : inputs[0];
    applyPendingChanges();
    engine_->process(inL, inR, outL, outR, frames);
}

void Plugin::processReplacing(float** inputs, float** outputs, int32_t frames) {
    processBlock(inputs, outputs, frames);
}

void Plugin::processDoubleReplacing(double** inputs, double** outputs, int32_t frames) {
    processBlock(inputs, outputs, frames);
}

void Plugin::getMeterValues(float values[Engine::kMeterValueCount]) {
    if (values && engine_) engine_->getMeterValues(values);
}

// ---------------------------------------------------------------- identity

bool Plugin::getEffectName(char* name) {
    copyIdentity(name, kEffectName);
    return true;
}

bool Plugin::getVendorString(char* text) {
    copyIdentity(text, kVendorName);
    return true;
}

bool Plugin::getProductString(char* text) {
    copyIdentity(text, kProductName);
    return true;
}

}  // namespace orv
