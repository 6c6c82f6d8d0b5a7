#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>

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
    // The whole bank, whatever isPreset says; the data stay valid until the next call.
    int32_t getChunk(void** data, bool isPreset) override;
    // 0 when the chunk was loaded; -1, with nothing changed, when it was refused.
    int32_t setChunk(void* data, int32_t byteSize, bool isPreset) override;
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

    // The user's stored metering settings, passed through setParameter; run once at construction.
    void loadMeteringPrefs();

    // --- store access for the editor side; every copy goes value by value ---
    bool hasProgramStore() const { return programStore != nullptr; }
    const ProgramRecord& program(int32_t index) const { return programStore[index]; }
    const ProgramRecord& getDefaultProgram() const { return defaultProgram; }
    std::span<const ProgramRecord, kNumStoredPrograms> programs() const {
        return std::span<const ProgramRecord, kNumStoredPrograms>(programStore, kNumStoredPrograms);
    }
    void replaceProgram(int32_t index, const ProgramRecord& record);
    void replaceBank(const ProgramBank& bank);
    ProgramBank snapshotBank() const;
    ParameterMask excludedFromSave();
    ParameterMask excludedFromLoad();
    bool isApplyingProgram() const { return applyingProgram.load(std::memory_order_relaxed); }

protected:
    CPresetSystemEditor* presetEditor() const;

    ProgramRecord* programStore = nullptr;
    std::atomic<int32_t> currentProgramIndex{0};
    ProgramRecord defaultProgram{};
    std::atomic<bool> applyingProgram{false};

private:
    int32_t setLegacyChunk(const uint8_t* data, size_t size, bool reverse);
    int32_t setStreamChunk(const uint8_t* data, size_t size, bool reverse);

    std::unique_ptr<uint8_t[]> chunkBuffer;
};

}  // namespace orv
