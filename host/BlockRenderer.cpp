#include "host/BlockRenderer.h"

#include <algorithm>
#include <vector>

#include "host/CpuStopwatch.h"
#include "host/RenderError.h"

namespace orvrender {

namespace {

template <typename Sample>
class StereoBlock {
public:
    explicit StereoBlock(int32_t frames)
        : left_(static_cast<size_t>(frames)), right_(static_cast<size_t>(frames)), channels_{left_.data(), right_.data()} {}

    Sample** channels() { return channels_; }

    // From interleaved stereo doubles; frames past `frames` up to `total` become silence.
    void fill(const double* stereo, int64_t frames, int64_t total) {
        for (int64_t i = 0; i < frames; ++i) {
            left_[static_cast<size_t>(i)] = static_cast<Sample>(stereo[2 * i]);
            right_[static_cast<size_t>(i)] = static_cast<Sample>(stereo[2 * i + 1]);
        }
        std::fill(left_.begin() + frames, left_.begin() + total, Sample(0));
        std::fill(right_.begin() + frames, right_.begin() + total, Sample(0));
    }

    void interleave(int64_t from, int64_t to, double* stereo) const {
        for (int64_t i = from; i < to; ++i) {
            *stereo++ = static_cast<double>(left_[static_cast<size_t>(i)]);
            *stereo++ = static_cast<double>(right_[static_cast<size_t>(i)]);
        }
    }

private:
    std::vector<Sample> left_;
    std::vector<Sample> right_;
    Sample* channels_[2];
};

// Mono input feeds both plug-in inputs.
void toStereo(const std::vector<double>& file, int channels, int64_t frames, std::vector<double>& stereo) {
    for (int64_t i = 0; i < frames; ++i) {
        const size_t at = static_cast<size_t>(i * channels);
        stereo[static_cast<size_t>(2 * i)] = file[at];
        stereo[static_cast<size_t>(2 * i + 1)] = file[at + static_cast<size_t>(channels - 1)];
    }
}

// A plug-in may set its latency only once it processes audio (and say so with
// audioMasterIOChanged); it is read after every block, before that block's output is kept.
void followLatency(Effect& effect, LatencyCompensator& latency, RenderTotals& totals) {
    const int32_t now = effect.initialDelay();
    if (now == totals.latency) return;
    if (!latency.updateLatency(now))
        throw RenderError("plug-in changed its latency from " + std::to_string(totals.latency) + " to " +
                          std::to_string(now) + " samples during rendering; try --no-latency-compensation");
    totals.latency = now;
}

template <typename Sample>
RenderTotals renderIn(Effect& effect, StreamEnds ends, LatencyCompensator& latency, ProgressBar& progress,
                      int32_t blockSize) {
    const int channels = ends.reader.channels();
    std::vector<double> fileBlock(static_cast<size_t>(blockSize * channels));
    std::vector<double> stereoIn(static_cast<size_t>(2 * blockSize));
    std::vector<double> stereoOut(static_cast<size_t>(2 * blockSize));
    StereoBlock<Sample> in(blockSize), out(blockSize);
    CpuStopwatch stopwatch;
    RenderTotals totals;
    totals.latency = effect.initialDelay();
    for (;;) {
        const int64_t read = ends.reader.read(fileBlock.data(), blockSize);
        toStereo(fileBlock, channels, read, stereoIn);
        ends.inputMeter.add(stereoIn.data(), read);
        const int64_t frames = read + (read < blockSize ? latency.takeTail(blockSize - read) : 0);
        if (frames == 0) break;
        in.fill(stereoIn.data(), read, frames);
        stopwatch.start();
        effect.process(in.channels(), out.channels(), static_cast<int32_t>(frames));
        stopwatch.stop();
        followLatency(effect, latency, totals);
        const int64_t dropped = latency.dropFrom(frames);
        out.interleave(dropped, frames, stereoOut.data());
        ends.writer.write(stereoOut.data(), frames - dropped);
        ends.outputMeter.add(stereoOut.data(), frames - dropped);
        totals.inputFrames += read;
        totals.outputFrames += frames - dropped;
        progress.update(totals.inputFrames);
    }
    totals.processingSeconds = stopwatch.seconds();
    return totals;
}

}  // namespace

RenderTotals renderStream(Effect& effect, StreamEnds ends, LatencyCompensator& latency, ProgressBar& progress,
                          int32_t blockSize, bool doublePrecision) {
    return doublePrecision ? renderIn<double>(effect, ends, latency, progress, blockSize)
                           : renderIn<float>(effect, ends, latency, progress, blockSize);
}

}  // namespace orvrender
