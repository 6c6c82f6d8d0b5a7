#pragma once

#include <cstdint>

#include "engine/Relaxed.h"

namespace orv {

// The engine settings derived from the parameters. setParameter writes them on any thread
// without the engine lock; the audio thread reads each one as it needs it.
struct EngineSettings {
    Relaxed<double> outputTarget{1.0};    // output ceiling, 0.25 .. 1.0
    Relaxed<double> driveTarget{1.0};     // input gain, 1/16 .. 16
    Relaxed<double> transientMix{0.0};    // 0 .. 0.5
    Relaxed<double> releaseMs{50.0};      // 1 .. 1000
    Relaxed<int32_t> transShape{2};       // 0 hard, 1 med, 2 soft
    Relaxed<double> linkAmount{0.0};      // 0 .. 1
    Relaxed<int32_t> oversampleOn{0};
    Relaxed<int32_t> detectorOrder{0};    // 0 "I", 1 "II"
    Relaxed<int32_t> powerOn{1};
    Relaxed<double> powerGain{1.0};       // powerOn as 1.0 / 0.0
    Relaxed<int32_t> scaleIndex{0};       // K-12, K-14, K-20
    Relaxed<int32_t> bitsIndex{0};        // 8, 12, 16, 20, 24 bits
    Relaxed<int32_t> noiseShapeType{0};   // 0 off, 1..6 type A..F
    Relaxed<int32_t> calibrateMode{0};    // off, left, l+r uncor, right
    Relaxed<double> levellerTarget{1.0};  // 0.25 .. 1.0
    Relaxed<int32_t> levellerOn{0};       // off when the parameter is exactly 1.0
    Relaxed<int32_t> meterOvsOn{0};
    Relaxed<int32_t> autoOutOn{0};
    Relaxed<int32_t> quantizeOn{0};
    Relaxed<int32_t> autoblackOn{0};
    Relaxed<int32_t> meterTypeIndex{0};   // peak, k-system
    Relaxed<int32_t> attZoomIndex{0};     // 24dB, 12dB
    Relaxed<int32_t> attShowMask{0};      // bit 0 stage 1, bit 1 stage 2, bit 2 leveller
    Relaxed<int32_t> postMeterOn{0};
};

}  // namespace orv
