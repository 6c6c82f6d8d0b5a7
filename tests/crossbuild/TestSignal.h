// Deterministic stereo material for rendering through every build of the plug-in. It is made
// with + - * only (no library functions, whose last bits differ between run-times), so every
// build feeds the plug-in the same bits.
#pragma once

#include <cstdint>
#include <vector>

namespace orvtest {

struct StereoSignal {
    std::vector<double> left;
    std::vector<double> right;
};

// frames samples of: a rising tone with noise driven far over full scale, loud square bursts,
// digital silence, a very quiet tone (requantiser territory), and impulses over a tone.
inline StereoSignal makeTestSignal(int64_t frames, uint32_t seed) {
    StereoSignal s;
    s.left.resize(static_cast<size_t>(frames));
    s.right.resize(static_cast<size_t>(frames));
    uint32_t state = seed * 2654435761u + 1u;
    auto noise = [&state] {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) * (1.0 / 8388608.0) - 1.0;  // exact, in [-1, 1)
    };
    // Two resonators y[n] = k y[n-1] - y[n-2] with fixed coefficients: pure tones without sin().
    double l1 = 0.0, l2 = 0.04, r1 = 0.0, r2 = -0.07;
    const double kLeft = 1.9921875, kRight = 1.96875;
    for (int64_t n = 0; n < frames; ++n) {
        const double ln = kLeft * l1 - l2;
        l2 = l1;
        l1 = ln;
        const double rn = kRight * r1 - r2;
        r2 = r1;
        r1 = rn;
        const double toneL = ln, toneR = rn;  // about 0.45 and 0.4 peak
        const double at = static_cast<double>(n) / static_cast<double>(frames);
        double l = 0.0, r = 0.0;
        if (at < 0.25) {
            const double ramp = 0.25 + at * 12.0;  // up to 3.25 times
            l = ramp * (toneL + 0.1 * noise());
            r = ramp * (toneR + 0.1 * noise());
        } else if (at < 0.4) {
            l = (toneL >= 0.0 ? 1.8 : -1.8) + 0.2 * noise();
            r = (toneR >= 0.0 ? -1.5 : 1.5) * (n % 4096 < 2048 ? 1.0 : 0.25);
        } else if (at < 0.5) {
            // digital silence
        } else if (at < 0.7) {
            l = 0.002 * toneL;
            r = 0.0005 * toneR + 0.00001 * noise();
        } else {
            l = 0.6 * toneL + (n % 997 == 0 ? 1.9 : 0.0);
            r = 0.6 * toneR - (n % 1499 == 0 ? 2.4 : 0.0);
        }
        s.left[static_cast<size_t>(n)] = l;
        s.right[static_cast<size_t>(n)] = r;
    }
    return s;
}

}  // namespace orvtest
