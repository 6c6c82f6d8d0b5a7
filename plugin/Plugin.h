#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "engine/Engine.h"
#include "platform/EngineLock.h"
#include "plugin/ParameterMigration.h"
#include "plugin/ParameterTable.h"
#include "presets/CPresetSystemEffect.h"

namespace orv {

class Editor;

// The effect: identity, the engine lock, the parameter model and the host's process entries.
class Plugin : public CPresetSystemEffect, private ParameterAccess {
public:
    static constexpr uint32_t kLockTimeoutMs = 1000;
    static constexpr int32_t kUniqueId = VST_FOURCC('O', 'v', 'M', 'x');

    explicit Plugin(audioMasterCallback audioMaster);
    ~Plugin() override;

    // False when construction could not get the memory it needs.
    bool isComplete() const { return engine_ != nullptr && programStore != nullptr && editor != nullptr; }

    // --- parameters ---
    void setParameter(int32_t index, float value) override;
    float getParameter(int32_t index) override;
    void getParameterName(int32_t index, char* text) override;
    void getParameterLabel(int32_t index, char* text) override;
    void getParameterDisplay(int32_t index, char* text) override;
    bool getParameterProperties(int32_t index, VstParameterProperties* properties) override;

    // --- set-up and processing ---
    void setSampleRate(float rate) override;
    void suspend() override;
    void processReplacing(float** inputs, float** outputs, int32_t frames) override;
    void processDoubleReplacing(double** inputs, double** outputs, int32_t frames) override;

    // --- identity ---
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    int32_t getVendorVersion() override { return 1500; }
    int32_t getPlugCategory() override { return kPlugCategMastering; }

    // --- preset system hooks ---
    bool isParameterExcludedFromSave(int32_t index) override {
        (void)index;
        return false;
    }
    bool isParameterExcludedFromLoad(int32_t index) override {
        (void)index;
        return false;
    }

    // Ten meter readings for the editor; marks them as read.
    virtual void getMeterValues(float values[Engine::kMeterValueCount]);

    Engine* engine() { return engine_.get(); }

private:
    // ParameterAccess, for the layout migration.
    float storedValue(int32_t index) override;

    void mapToEngine(int32_t index, float value);
    void changeTransShape(float value);
    void runMigration(float value);
    void applySampleRate(float rate);
    void applyPendingChanges();
    void reportLatency();
    Editor* productEditor() const;

    template <typename Sample>
    void processBlock(Sample** inputs, Sample** outputs, int32_t frames);

    EngineLock lock_;
    std::unique_ptr<Engine> engine_;
    std::atomic<float> values_[kParameterCount];
    std::atomic<int32_t> transShapeIndex_{-1};
    // Set-up that could not get the lock in time; the next block applies it first.
    std::atomic<int32_t> pendingTransShape_{-1};
    std::atomic<bool> pendingRate_{false};
    std::atomic<float> pendingRateValue_{0.0f};
};

}  // namespace orv
