// One effect instance, driven only through the VST 2.4 record: opened on creation, suspended
// and closed on destruction.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/PluginModule.h"

namespace orvrender {

class Effect {
public:
    explicit Effect(const PluginModule& module);
    ~Effect();
    Effect(const Effect&) = delete;
    Effect& operator=(const Effect&) = delete;

    // Identity and shape, as the record states them.
    int32_t inputs() const { return effect_->numInputs; }
    int32_t outputs() const { return effect_->numOutputs; }
    int32_t parameterCount() const { return effect_->numParams; }
    int32_t programCount() const { return effect_->numPrograms; }
    int32_t uniqueId() const { return effect_->uniqueID; }
    int32_t initialDelay() const { return effect_->initialDelay; }
    bool hasFlag(int32_t flag) const { return (effect_->flags & flag) != 0; }
    std::string name();

    void setSampleRate(float rate);
    void setBlockSize(int32_t frames);
    void setProcessPrecision(bool doublePrecision);
    void resume();
    void suspend();

    void process(float** inputs, float** outputs, int32_t frames);
    void process(double** inputs, double** outputs, int32_t frames);

    std::string parameterName(int32_t index);
    std::string parameterDisplay(int32_t index);
    std::string parameterLabel(int32_t index);
    float parameter(int32_t index);
    void setParameter(int32_t index, float value);

    int32_t currentProgram();
    void setProgram(int32_t index);
    std::string programName();
    std::optional<std::string> programName(int32_t index);

    std::vector<uint8_t> chunk();
    // The plug-in's answer; plug-ins signal a rejected chunk with a negative result.
    intptr_t setChunk(const std::vector<uint8_t>& bytes);

private:
    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f);
    std::string text(int32_t opcode, int32_t index = 0);

    std::string path_;
    AEffect* effect_ = nullptr;
    bool resumed_ = false;
};

}  // namespace orvrender
