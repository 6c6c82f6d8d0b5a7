#pragma once

#include "engine/EngineSettings.h"

namespace orv {

// The limiter's settings as one block sees them: read once from the published settings at
// the start of the block, so every sample of the block works with one consistent set.
struct LimiterSettings {
    double driveTarget = 1.0;
    double outputSource = 1.0;  // 1/driveTarget with AutoOut, else the output ceiling
    double levellerTarget = 1.0;
    bool levellerOn = false;
    bool oversampleOn = false;
    double linkAmount = 0.0;
    double transientMix = 0.0;
    double releaseMs = 50.0;
    bool powerOn = true;
    bool secondOrder = false;  // "DetectorOrder" "II"

    static LimiterSettings from(const EngineSettings& s) {
        LimiterSettings l;
        l.driveTarget = s.driveTarget.load();
        l.outputSource = s.autoOutOn.load() ? 1.0 / l.driveTarget : s.outputTarget.load();
        l.levellerTarget = s.levellerTarget.load();
        l.levellerOn = s.levellerOn.load() != 0;
        l.oversampleOn = s.oversampleOn.load() != 0;
        l.linkAmount = s.linkAmount.load();
        l.transientMix = s.transientMix.load();
        l.releaseMs = s.releaseMs.load();
        l.powerOn = s.powerOn.load() != 0;
        l.secondOrder = s.detectorOrder.load() != 0;
        return l;
    }
};

}  // namespace orv
