#include "host/Effect.h"

#include <array>
#include <cstring>

#include "host/HostCallback.h"
#include "host/RenderError.h"

namespace orvrender {

namespace {

// Plug-ins are known to write past the documented string lengths; give them room.
constexpr size_t kTextRoom = 512;

}  // namespace

Effect::Effect(const PluginModule& module) : path_(module.path()) {
    effect_ = module.entry()(&hostCallback);
    if (!effect_) throw RenderError("plug-in " + path_ + " returned no effect");
    if (effect_->magic != kEffectMagic) throw RenderError("plug-in " + path_ + " returned a record that is not a VST 2.4 effect");
    dispatch(effOpen);
}

Effect::~Effect() {
    if (resumed_) suspend();
    dispatch(effClose);
}

std::string Effect::name() { return text(effGetEffectName); }

void Effect::setSampleRate(float rate) {
    hostState().sampleRate = rate;
    dispatch(effSetSampleRate, 0, 0, nullptr, rate);
}

void Effect::setBlockSize(int32_t frames) {
    hostState().blockSize = frames;
    dispatch(effSetBlockSize, 0, frames);
}

void Effect::setProcessPrecision(bool doublePrecision) {
    dispatch(effSetProcessPrecision, 0, doublePrecision ? kVstProcessPrecision64 : kVstProcessPrecision32);
}

void Effect::resume() {
    dispatch(effMainsChanged, 0, 1);
    dispatch(effStartProcess);
    resumed_ = true;
}

void Effect::suspend() {
    dispatch(effStopProcess);
    dispatch(effMainsChanged, 0, 0);
    resumed_ = false;
}

void Effect::process(float** inputs, float** outputs, int32_t frames) {
    effect_->processReplacing(effect_, inputs, outputs, frames);
}

void Effect::process(double** inputs, double** outputs, int32_t frames) {
    effect_->processDoubleReplacing(effect_, inputs, outputs, frames);
}

std::string Effect::parameterName(int32_t index) { return text(effGetParamName, index); }
std::string Effect::parameterDisplay(int32_t index) { return text(effGetParamDisplay, index); }
std::string Effect::parameterLabel(int32_t index) { return text(effGetParamLabel, index); }
float Effect::parameter(int32_t index) { return effect_->getParameter(effect_, index); }
void Effect::setParameter(int32_t index, float value) { effect_->setParameter(effect_, index, value); }

int32_t Effect::currentProgram() { return static_cast<int32_t>(dispatch(effGetProgram)); }
void Effect::setProgram(int32_t index) { dispatch(effSetProgram, 0, index); }
std::string Effect::programName() { return text(effGetProgramName); }

std::optional<std::string> Effect::programName(int32_t index) {
    std::array<char, kTextRoom> buffer{};
    if (dispatch(effGetProgramNameIndexed, index, -1, buffer.data()) == 0) return std::nullopt;
    buffer.back() = '\0';
    return std::string(buffer.data());
}

std::vector<uint8_t> Effect::chunk() {
    void* data = nullptr;
    const intptr_t size = dispatch(effGetChunk, 0, 0, &data);
    if (size <= 0 || !data) return {};
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
}

intptr_t Effect::setChunk(const std::vector<uint8_t>& bytes) {
    // Plug-ins take the pointer as writable even though they only read it.
    std::vector<uint8_t> copy = bytes;
    return dispatch(effSetChunk, 0, static_cast<intptr_t>(copy.size()), copy.data());
}

intptr_t Effect::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string Effect::text(int32_t opcode, int32_t index) {
    std::array<char, kTextRoom> buffer{};
    dispatch(opcode, index, 0, buffer.data());
    buffer.back() = '\0';
    return std::string(buffer.data());
}

}  // namespace orvrender
