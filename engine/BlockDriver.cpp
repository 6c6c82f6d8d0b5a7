#include "engine/BlockDriver.h"

namespace orv {

BlockDriver::BlockValues BlockDriver::beginBlock(const EngineSettings& settings, ShapingFilter shaping) {
    const LimiterSettings limiter = LimiterSettings::from(settings);
    limiter_.beginBlock(limiter);
    // Before the drive the input meters show the input as the drive will see it.
    meters_.beginBlock(settings.postMeterOn.load() ? 1.0 : limiter_.driveGain(), settings.attShowMask.load());
    requantiser_.setWordLength(settings.bitsIndex.load());
    return {shaping, settings.quantizeOn.load() != 0, settings.autoblackOn.load() != 0,
            settings.meterOvsOn.load() != 0, !limiter.powerOn};
}

StereoPair BlockDriver::finish(const LimiterFrame& frame, const BlockValues& block) {
    meters_.serviceRequests();
    meters_.measureInput(frame.dry);
    // In bypass the displayed gain is 1.0, leveller included: nothing to lower the reading.
    if (!block.bypassed) {
        meters_.measureGain(0, frame.gain.l, frame.stage1.l, frame.levellerGain);
        meters_.measureGain(1, frame.gain.r, frame.stage1.r, frame.levellerGain);
    }
    meters_.measureOutput(frame.out, block.meterOversampled);
    const StereoPair out = block.quantize ? requantiser_.process(frame.out, block.shaping, block.autoblack) : frame.out;
    return {clippedOutput(out.l), clippedOutput(out.r)};
}

}  // namespace orv
