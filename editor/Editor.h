#pragma once

#include <atomic>
#include <cstdint>

#include "presets/CPresetSystemEditor.h"

namespace orv {

// The product's editor object. It exists for the effect's whole life; its window opens on request.
class Editor : public CPresetSystemEditor {
public:
    static constexpr int16_t kWidth = 524;
    static constexpr int16_t kHeight = 462;

    explicit Editor(CPresetSystemEffect* effect);

    bool getRect(ERect** rect) override;
    bool open(void* parentWindow) override;

    // Latency shown in the info panel.
    void setLatency(int32_t samples) { latency_.store(samples, std::memory_order_relaxed); }
    int32_t getLatency() const { return latency_.load(std::memory_order_relaxed); }

private:
    ERect rect_{0, 0, kHeight, kWidth};
    std::atomic<int32_t> latency_{0};
};

}  // namespace orv
