#pragma once

#include <cstdint>

#include "plugin/vst2.h"

namespace orv {

class AudioEffect;

// The host-facing editor interface: what the dispatcher's editor opcodes reach.
class AEffEditor {
public:
    explicit AEffEditor(AudioEffect* effect) : effect_(effect) {}
    virtual ~AEffEditor() = default;
    AEffEditor(const AEffEditor&) = delete;
    AEffEditor& operator=(const AEffEditor&) = delete;

    virtual bool getRect(ERect** rect) {
        (void)rect;
        return false;
    }
    virtual bool open(void* parentWindow) {
        systemWindow_ = parentWindow;
        return false;
    }
    virtual void close() { systemWindow_ = nullptr; }
    virtual bool isOpen() const { return systemWindow_ != nullptr; }
    virtual void idle() {}
    virtual bool onKeyDown(VstKeyCode& key) {
        (void)key;
        return false;
    }
    virtual bool onKeyUp(VstKeyCode& key) {
        (void)key;
        return false;
    }
    virtual bool setKnobMode(int32_t mode) {
        (void)mode;
        return false;
    }
    // A parameter changed; the matching controls follow.
    virtual void setParameter(int32_t index, float value) {
        (void)index;
        (void)value;
    }

    AudioEffect* getEffect() const { return effect_; }

protected:
    AudioEffect* effect_;
    void* systemWindow_ = nullptr;
};

}  // namespace orv
