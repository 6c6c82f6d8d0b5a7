// A minimal VST 2.4 effect for the renderer's tests: a pure delay of DELAY_FRAMES samples, so
// a correct host's output equals its input exactly, whether the latency is reported at once or
// after the first frames. Built with other channel counts, or to
// return no effect at all, or to export no entry, to stand for plug-ins the renderer must refuse.
#include <cstring>
#include <vector>

#include "plugin/vst2.h"

#ifndef DELAY_CHANNELS
#define DELAY_CHANNELS 2
#endif
#ifndef DELAY_FRAMES
#define DELAY_FRAMES 700
#endif
// Reports its latency only once it has processed this many frames, as some plug-ins do.
#ifndef DELAY_REPORTED_AFTER
#define DELAY_REPORTED_AFTER 0
#endif

namespace {

class DelayEffect {
public:
    DelayEffect() {
        std::memset(&record_, 0, sizeof(record_));
        record_.magic = kEffectMagic;
        record_.dispatcher = &dispatch;
        record_.setParameter = [](AEffect*, int32_t, float) {};
        record_.getParameter = [](AEffect*, int32_t) { return 0.0f; };
        record_.processReplacing = &process<float>;
        record_.processDoubleReplacing = &process<double>;
        record_.numInputs = DELAY_CHANNELS;
        record_.numOutputs = DELAY_CHANNELS;
        record_.flags = effFlagsCanReplacing | effFlagsCanDoubleReplacing;
        record_.initialDelay = DELAY_REPORTED_AFTER == 0 ? DELAY_FRAMES : 0;
        record_.ioRatio = 1.0f;
        record_.object = this;
        record_.uniqueID = VST_FOURCC('D', 'l', 'a', 'y');
        for (auto& line : lines_) line.assign(DELAY_FRAMES, 0.0);
    }

    AEffect* record() { return &record_; }

private:
    static DelayEffect* self(AEffect* effect) { return static_cast<DelayEffect*>(effect->object); }

    static intptr_t dispatch(AEffect* effect, int32_t opcode, int32_t, intptr_t, void* ptr, float) {
        switch (opcode) {
            case effClose:
                delete self(effect);
                return 1;
            case effGetEffectName:
                std::strcpy(static_cast<char*>(ptr), "Test Delay");
                return 1;
            default:
                return 0;
        }
    }

    template <typename Sample>
    static void process(AEffect* effect, Sample** inputs, Sample** outputs, int32_t frames) {
        DelayEffect& delay = *self(effect);
        for (int32_t i = 0; i < frames; ++i) {
            for (int c = 0; c < DELAY_CHANNELS; ++c) {
                const double in = static_cast<double>(inputs[c][i]);
                outputs[c][i] = static_cast<Sample>(delay.lines_[c][delay.position_]);
                delay.lines_[c][delay.position_] = in;
            }
            delay.position_ = (delay.position_ + 1) % DELAY_FRAMES;
        }
        delay.processed_ += frames;
        if (delay.processed_ >= DELAY_REPORTED_AFTER) delay.record_.initialDelay = DELAY_FRAMES;
    }

    AEffect record_;
    std::vector<double> lines_[DELAY_CHANNELS];
    size_t position_ = 0;
    long processed_ = 0;
};

}  // namespace

#ifndef DELAY_NO_ENTRY
extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback host) {
    if (!host || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
#ifdef DELAY_RETURNS_NULL
    return nullptr;
#else
    return (new DelayEffect)->record();
#endif
}
#endif
