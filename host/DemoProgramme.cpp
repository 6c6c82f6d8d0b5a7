#include "host/DemoProgramme.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace orvrender {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kBeat = 0.5;  // 120 beats per minute
constexpr int kBars = 4;
constexpr int kBeatsPerBar = 4;
constexpr double kLength = kBars * kBeatsPerBar * kBeat;
constexpr double kBassRoots[kBars] = {55.0, 55.0, 43.65, 49.0};

// A fixed noise source, so the programme is identical everywhere.
class Noise {
public:
    double next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_) / 2147483648.0 - 1.0;
    }

private:
    uint32_t state_ = 0x2545F491u;
};

struct Mix {
    std::vector<double> left;
    std::vector<double> right;

    explicit Mix(size_t frames) : left(frames), right(frames) {}

    size_t frames() const { return left.size(); }

    // Adds `voice` (time since its onset -> sample) from `onset` for `duration` seconds.
    template <typename Voice>
    void add(double onset, double duration, double leftGain, double rightGain, Voice voice) {
        const size_t first = static_cast<size_t>(onset * kDemoSampleRate);
        const size_t last = std::min(frames(), static_cast<size_t>((onset + duration) * kDemoSampleRate));
        for (size_t i = first; i < last; ++i) {
            const double v = voice(static_cast<double>(i - first) / kDemoSampleRate);
            left[i] += leftGain * v;
            right[i] += rightGain * v;
        }
    }
};

void addDrums(Mix& mix, Noise& noise) {
    for (int beat = 0; beat < kBars * kBeatsPerBar; ++beat) {
        const double at = beat * kBeat;
        mix.add(at, 0.45, 1.0, 1.0, [](double t) {
            // The pitch falls from 150 to 50 Hz; the phase is its integral.
            const double phase = 2.0 * kPi * (50.0 * t + 100.0 * 0.03 * (1.0 - std::exp(-t / 0.03)));
            return std::sin(phase) * std::exp(-t / 0.25);
        });
        if (beat % 2 == 1) {
            mix.add(at, 0.3, 0.9, 1.0, [&noise](double t) {
                return 0.6 * noise.next() * std::exp(-t / 0.12) + 0.5 * std::sin(2.0 * kPi * 185.0 * t) * std::exp(-t / 0.08);
            });
        }
        for (int half = 0; half < 2; ++half) {
            double previous = 0.0;
            mix.add(at + half * kBeat / 2, 0.1, 0.6, 0.3, [&noise, &previous](double t) {
                const double white = noise.next();
                const double high = white - previous;  // first difference: a bright hiss
                previous = white;
                return 0.25 * high * std::exp(-t / 0.03);
            });
        }
    }
}

void addBass(Mix& mix) {
    const double note = kBeat / 2;
    for (int bar = 0; bar < kBars; ++bar) {
        const double root = kBassRoots[bar];
        for (int step = 0; step < 2 * kBeatsPerBar; ++step) {
            const double frequency = step == 6 ? 2.0 * root : root;
            mix.add((bar * kBeatsPerBar) * kBeat + step * note, note, 1.0, 1.0, [frequency, note](double t) {
                double saw = 0.0;
                for (int k = 1; k <= 6; ++k) saw += std::sin(2.0 * kPi * k * frequency * t) / k;
                const double envelope = std::min(1.0, t / 0.005) * std::min(1.0, (note - t) / 0.01) * (0.6 + 0.4 * std::exp(-t / 0.05));
                return 0.5 * saw * envelope;
            });
        }
    }
}

void addTone(Mix& mix) {
    mix.add(0.0, kLength, 0.8, 0.5, [](double t) {
        const double fade = std::min(1.0, t / 1.0) * std::min(1.0, (kLength - t) / 0.5);
        return 0.3 * std::sin(2.0 * kPi * 440.0 * t + 0.5 * std::sin(2.0 * kPi * 5.0 * t)) * fade;
    });
}

}  // namespace

std::vector<double> demoProgramme() {
    Mix mix(static_cast<size_t>(kLength * kDemoSampleRate));
    Noise noise;
    addDrums(mix, noise);
    addBass(mix);
    addTone(mix);
    double peak = 0.0;
    for (size_t i = 0; i < mix.frames(); ++i) peak = std::max({peak, std::abs(mix.left[i]), std::abs(mix.right[i])});
    const double gain = kDemoPeak / peak;
    std::vector<double> stereo(2 * mix.frames());
    for (size_t i = 0; i < mix.frames(); ++i) {
        stereo[2 * i] = gain * mix.left[i];
        stereo[2 * i + 1] = gain * mix.right[i];
    }
    return stereo;
}

}  // namespace orvrender
