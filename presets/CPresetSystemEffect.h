#pragma once

#include <atomic>
#include <cstdint>

#include "plugin/base/AudioEffectX.h"
#include "presets/ProgramRecord.h"

namespace orv {

class CPresetSystemEditor;

// Owns the bank of 27 programs: the host sees one program (the current one of the bank)
// and saves and restores the whole bank as one chunk.
class CPresetSystemEffect : public AudioEffectX {
public:
    CPresetSystemEffect(audioMasterCallback audioMaster, int32_t numParams);
    ~CPresetSystemEffect() override;

    // --- host-facing ---
    void setParameter(int32_t index, float value) override;
    float getParameter(int32_t index) override;
    int32_t getProgram() override { return 0; }
    void setProgram(int32_t program) override { (void)program; }
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    bool getProgramNameIndexed(int32_t category, int32_t index, char* text) override;
    void resume() override {}

    // --- preset system ---
    virtual int32_t getCurrentProgramIndex() { return currentProgramIndex.load(std::memory_order_relaxed); }
    virtual void applyProgram(int32_t index);
    virtual void renameCurrentProgram(const char* name);
    virtual int32_t getEffectId() { return cEffect.uniqueID; }
    virtual void resetProgramToDefault(int32_t index);
    virtual bool isParameterExcludedFromSave(int32_t index) = 0;
    virtual bool isParameterExcludedFromLoad(int32_t index) = 0;
    virtual void captureDefaultProgram();
    virtual void loadFactoryPrograms();

    ProgramRecord& program(int32_t index) { return programStore[index]; }
    const ProgramRecord& program(int32_t index) const { return programStore[index]; }
    const ProgramRecord& getDefaultProgram() const { return defaultProgram; }
    bool isApplyingProgram() const { return applyingProgram.load(std::memory_order_relaxed); }

protected:
    CPresetSystemEditor* presetEditor() const;

    ProgramRecord* programStore = nullptr;
    std::atomic<int32_t> currentProgramIndex{0};
    ProgramRecord defaultProgram{};
    std::atomic<bool> applyingProgram{false};
};

}  // namespace orv
