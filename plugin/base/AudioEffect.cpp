#include "plugin/base/AudioEffect.h"

#include <cstring>

namespace orv {

namespace {

intptr_t VSTCALLBACK dispatchEntry(AEffect* e, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                   float opt) {
    AudioEffect* effect = AudioEffect::fromAeffect(e);
    if (!effect) return 0;
    if (opcode == effClose) {
        effect->dispatcher(opcode, index, value, ptr, opt);
        delete effect;
        return 1;
    }
    return effect->dispatcher(opcode, index, value, ptr, opt);
}

void VSTCALLBACK processEntry(AEffect* e, float** inputs, float** outputs, int32_t frames) {
    if (AudioEffect* effect = AudioEffect::fromAeffect(e)) effect->process(inputs, outputs, frames);
}

void VSTCALLBACK processReplacingEntry(AEffect* e, float** inputs, float** outputs, int32_t frames) {
    if (AudioEffect* effect = AudioEffect::fromAeffect(e)) effect->processReplacing(inputs, outputs, frames);
}

void VSTCALLBACK processDoubleReplacingEntry(AEffect* e, double** inputs, double** outputs, int32_t frames) {
    if (AudioEffect* effect = AudioEffect::fromAeffect(e))
        effect->processDoubleReplacing(inputs, outputs, frames);
}

void VSTCALLBACK setParameterEntry(AEffect* e, int32_t index, float value) {
    if (AudioEffect* effect = AudioEffect::fromAeffect(e)) effect->setParameter(index, value);
}

float VSTCALLBACK getParameterEntry(AEffect* e, int32_t index) {
    AudioEffect* effect = AudioEffect::fromAeffect(e);
    return effect ? effect->getParameter(index) : 0.0f;
}

}  // namespace

AudioEffect::AudioEffect(audioMasterCallback audioMaster_, int32_t numPrograms_, int32_t numParams_)
    : audioMaster(audioMaster_), numPrograms(numPrograms_), numParams(numParams_) {
    std::memset(&cEffect, 0, sizeof(cEffect));
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatchEntry;
    cEffect.process = processEntry;
    cEffect.setParameter = setParameterEntry;
    cEffect.getParameter = getParameterEntry;
    cEffect.numPrograms = numPrograms_;
    cEffect.numParams = numParams_;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = VST_FOURCC('N', 'o', 'E', 'f');
    cEffect.version = 1;
    cEffect.processReplacing = processReplacingEntry;
    cEffect.processDoubleReplacing = processDoubleReplacingEntry;
}

AudioEffect::~AudioEffect() { delete editor; }

void AudioEffect::setFlag(int32_t flag, bool state) {
    if (state)
        cEffect.flags |= flag;
    else
        cEffect.flags &= ~flag;
}

void AudioEffect::setEditor(AEffEditor* newEditor) {
    editor = newEditor;
    setFlag(effFlagsHasEditor, newEditor != nullptr);
}

void AudioEffect::process(float** inputs, float** outputs, int32_t sampleFrames) {
    (void)inputs, (void)outputs, (void)sampleFrames;
}

void AudioEffect::processDoubleReplacing(double** inputs, double** outputs, int32_t sampleFrames) {
    (void)inputs, (void)outputs, (void)sampleFrames;
}

intptr_t AudioEffect::callHost(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    return audioMaster ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
}

int32_t AudioEffect::getMasterVersion() {
    const intptr_t version = audioMaster ? callHost(audioMasterVersion) : 1;
    return version == 0 ? 0 : (version > 0x7fffffff ? 0x7fffffff : static_cast<int32_t>(version));
}

void AudioEffect::setParameterAutomated(int32_t index, float value) {
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

intptr_t AudioEffect::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    switch (opcode) {
        case effOpen:
            open();
            return 0;
        case effClose:
            close();
            return 0;
        case effSetProgram:
            if (value >= 0 && value < numPrograms) setProgram(static_cast<int32_t>(value));
            return 0;
        case effGetProgram:
            getProgram();
            return 0;
        case effSetProgramName:
            setProgramName(static_cast<char*>(ptr));
            return 0;
        case effGetProgramName:
            if (ptr) getProgramName(static_cast<char*>(ptr));
            return 0;
        case effGetParamLabel:
            if (ptr) getParameterLabel(index, static_cast<char*>(ptr));
            return 0;
        case effGetParamDisplay:
            if (ptr) getParameterDisplay(index, static_cast<char*>(ptr));
            return 0;
        case effGetParamName:
            if (ptr) getParameterName(index, static_cast<char*>(ptr));
            return 0;
        case effSetSampleRate:
            setSampleRate(opt);
            return 0;
        case effSetBlockSize:
            setBlockSize(static_cast<int32_t>(value));
            return 0;
        case effMainsChanged:
            if (value == 0)
                suspend();
            else
                resume();
            return 0;
        case effEditGetRect:
            return (editor && ptr && editor->getRect(static_cast<ERect**>(ptr))) ? 1 : 0;
        case effEditOpen:
            return (editor && editor->open(ptr)) ? 1 : 0;
        case effEditClose:
            if (editor) editor->close();
            return 0;
        case effEditIdle:
            if (editor) editor->idle();
            return 0;
        case effIdentify:
            return VST_FOURCC('N', 'v', 'E', 'f');
        case effGetChunk:
            return ptr ? getChunk(static_cast<void**>(ptr), index != 0) : 0;
        case effSetChunk:
            if (value < 0 || value > 0x7fffffff) return -1;
            return setChunk(ptr, static_cast<int32_t>(value), index != 0);
        default:
            return 0;
    }
}

}  // namespace orv
