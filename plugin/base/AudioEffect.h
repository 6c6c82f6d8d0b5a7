#pragma once

#include <cstdint>

#include "plugin/base/AEffEditor.h"
#include "plugin/vst2.h"

namespace orv {

// The VST 2.4 host-interface base: owns the effect record, turns the classic opcodes into
// virtual calls and sends the host requests.
class AudioEffect {
public:
    AudioEffect(audioMasterCallback audioMaster, int32_t numPrograms, int32_t numParams);
    virtual ~AudioEffect();
    AudioEffect(const AudioEffect&) = delete;
    AudioEffect& operator=(const AudioEffect&) = delete;

    AEffect* getAeffect() { return &cEffect; }
    static AudioEffect* fromAeffect(AEffect* e) { return e ? static_cast<AudioEffect*>(e->object) : nullptr; }

    virtual intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);

    // --- state ---
    virtual void open() {}
    virtual void close() {}
    virtual void suspend() {}
    virtual void resume() {}

    // --- processing ---
    virtual void process(float** inputs, float** outputs, int32_t sampleFrames);
    virtual void processReplacing(float** inputs, float** outputs, int32_t sampleFrames) = 0;
    virtual void processDoubleReplacing(double** inputs, double** outputs, int32_t sampleFrames);

    // --- parameters ---
    virtual void setParameter(int32_t index, float value) {
        (void)index;
        (void)value;
    }
    virtual float getParameter(int32_t index) {
        (void)index;
        return 0;
    }
    virtual void setParameterAutomated(int32_t index, float value);
    virtual void getParameterLabel(int32_t index, char* label) { (void)index, (void)label; }
    virtual void getParameterDisplay(int32_t index, char* text) { (void)index, (void)text; }
    virtual void getParameterName(int32_t index, char* text) { (void)index, (void)text; }

    // --- programs and chunks ---
    virtual int32_t getProgram() { return curProgram; }
    virtual void setProgram(int32_t program) { curProgram = program; }
    virtual void setProgramName(char* name) { (void)name; }
    virtual void getProgramName(char* name) {
        if (name) *name = 0;
    }
    virtual int32_t getChunk(void** data, bool isPreset = false) {
        (void)data, (void)isPreset;
        return 0;
    }
    virtual int32_t setChunk(void* data, int32_t byteSize, bool isPreset = false) {
        (void)data, (void)byteSize, (void)isPreset;
        return 0;
    }

    // --- set-up ---
    virtual void setSampleRate(float rate) { sampleRate = rate; }
    virtual void setBlockSize(int32_t size) { blockSize = size; }
    float getSampleRate() const { return sampleRate; }
    int32_t getBlockSize() const { return blockSize; }

    // --- editor ---
    virtual void setEditor(AEffEditor* newEditor);
    AEffEditor* getEditor() const { return editor; }

    // --- record set-up helpers ---
    void setUniqueID(int32_t id) { cEffect.uniqueID = id; }
    void setNumInputs(int32_t n) { cEffect.numInputs = n; }
    void setNumOutputs(int32_t n) { cEffect.numOutputs = n; }
    void canProcessReplacing(bool state = true) { setFlag(effFlagsCanReplacing, state); }
    void canDoubleReplacing(bool state = true) { setFlag(effFlagsCanDoubleReplacing, state); }
    void programsAreChunks(bool state = true) { setFlag(effFlagsProgramChunks, state); }
    void setInitialDelay(int32_t delay) { cEffect.initialDelay = delay; }

    // --- host requests ---
    virtual int32_t getMasterVersion();
    intptr_t callHost(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0);

protected:
    void setFlag(int32_t flag, bool state);

    audioMasterCallback audioMaster;
    AEffEditor* editor = nullptr;
    float sampleRate = 44100.0f;
    int32_t blockSize = 1024;
    int32_t numPrograms;
    int32_t numParams;
    int32_t curProgram = 0;
    AEffect cEffect;
};

}  // namespace orv
