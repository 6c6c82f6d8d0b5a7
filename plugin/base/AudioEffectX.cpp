#include "plugin/base/AudioEffectX.h"

namespace orv {

// A pin counts as connected unless the host says otherwise.
bool AudioEffectX::isInputConnected(int32_t input) {
    return callHost(audioMasterPinConnected, input, 0) == 0;
}

bool AudioEffectX::isOutputConnected(int32_t output) {
    return callHost(audioMasterPinConnected, output, 1) == 0;
}

bool AudioEffectX::updateDisplay() { return callHost(audioMasterUpdateDisplay) != 0; }
bool AudioEffectX::beginEdit(int32_t index) { return callHost(audioMasterBeginEdit, index) != 0; }
bool AudioEffectX::endEdit(int32_t index) { return callHost(audioMasterEndEdit, index) != 0; }

bool AudioEffectX::canHostDo(const char* text) {
    return callHost(audioMasterCanDo, 0, 0, const_cast<char*>(text)) == 1;
}

bool AudioEffectX::ioChanged() { return callHost(audioMasterIOChanged) != 0; }

intptr_t AudioEffectX::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    switch (opcode) {
        case effProcessEvents:
            return 0;
        case effCanBeAutomated:
            return canParameterBeAutomated(index) ? 1 : 0;
        case effString2Parameter:
            return 0;
        case effGetProgramNameIndexed:
            if (!ptr || value < INT32_MIN || value > INT32_MAX) return 0;
            return getProgramNameIndexed(static_cast<int32_t>(value), index, static_cast<char*>(ptr)) ? 1 : 0;
        case effGetInputProperties:
        case effGetOutputProperties:
            return 0;
        case effGetPlugCategory:
            return getPlugCategory();
        case effGetEffectName:
            return (ptr && getEffectName(static_cast<char*>(ptr))) ? 1 : 0;
        case effGetVendorString:
            return (ptr && getVendorString(static_cast<char*>(ptr))) ? 1 : 0;
        case effGetProductString:
            return (ptr && getProductString(static_cast<char*>(ptr))) ? 1 : 0;
        case effGetVendorVersion:
            return getVendorVersion();
        case effCanDo:
            return ptr ? canDo(static_cast<char*>(ptr)) : 0;
        case effGetTailSize:
            return getGetTailSize();
        case effGetParameterProperties:
            return (ptr && getParameterProperties(index, static_cast<VstParameterProperties*>(ptr))) ? 1 : 0;
        case effGetVstVersion:
            return kVstVersion;
        case effEditKeyDown:
        case effEditKeyUp: {
            if (!editor) return 0;
            const unsigned char modifiers = (opt >= 0.0f && opt < 256.0f) ? static_cast<unsigned char>(opt) : 0;
            VstKeyCode key{index, static_cast<unsigned char>(value), modifiers};
            const bool used = opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key);
            return used ? 1 : 0;
        }
        case effSetEditKnobMode:
            return (editor && editor->setKnobMode(static_cast<int32_t>(value))) ? 1 : 0;
        case effGetCurrentMidiProgram:
            return -1;
        case effGetSpeakerArrangement:
            // Both arrangement pointers are answered with null.
            if (value) *reinterpret_cast<void**>(value) = nullptr;
            if (ptr) *static_cast<void**>(ptr) = nullptr;
            return 0;
        case effSetTotalSampleToProcess:
            return value;
        default:
            if (opcode < effProcessEvents) return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
            return 0;
    }
}

}  // namespace orv
