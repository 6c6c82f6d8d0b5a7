#pragma once

#include "plugin/base/AudioEffect.h"

namespace orv {

// The VST 2.x extensions: opcodes from effProcessEvents upward and the newer host requests.
class AudioEffectX : public AudioEffect {
public:
    AudioEffectX(audioMasterCallback audioMaster, int32_t numPrograms, int32_t numParams)
        : AudioEffect(audioMaster, numPrograms, numParams) {}

    intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) override;

    virtual bool canParameterBeAutomated(int32_t index) {
        (void)index;
        return true;
    }
    virtual bool getProgramNameIndexed(int32_t category, int32_t index, char* text) {
        (void)category, (void)index, (void)text;
        return false;
    }
    virtual bool getParameterProperties(int32_t index, VstParameterProperties* p) {
        (void)index, (void)p;
        return false;
    }
    virtual bool getEffectName(char* name) {
        (void)name;
        return false;
    }
    virtual bool getVendorString(char* text) {
        (void)text;
        return false;
    }
    virtual bool getProductString(char* text) {
        (void)text;
        return false;
    }
    virtual int32_t getVendorVersion() { return 0; }
    virtual int32_t getPlugCategory() { return kPlugCategUnknown; }
    virtual int32_t canDo(char* text) {
        (void)text;
        return 0;
    }
    virtual int32_t getGetTailSize() { return 0; }

    // --- host requests ---
    bool isInputConnected(int32_t input);
    bool isOutputConnected(int32_t output);
    bool updateDisplay();
    bool beginEdit(int32_t index);
    bool endEdit(int32_t index);
    bool canHostDo(const char* text);
    bool ioChanged();
};

}  // namespace orv
