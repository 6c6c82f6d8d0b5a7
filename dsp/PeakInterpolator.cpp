#include "dsp/PeakInterpolator.h"

#include <cmath>

#include "dsp/DotProduct.h"

namespace orv {

PeakInterpolator::PeakInterpolator()
    : tables_(InterpolatorTables::instance()), dot3_(bestDot3()), left_(kRoom), right_(kRoom) {}

void PeakInterpolator::setMode(int mode) {
    if (mode >= 0 && mode <= 2) mode_ = mode;
}

void PeakInterpolator::reset() {
    left_.clear();
    right_.clear();
    write_ = 0;
}

int PeakInterpolator::points(int channel, double out[kMaxPoints]) const {
    const double* x = window(channel);
    if (mode_ == 1) {
        out[0] = foldedDot(tables_.halfway, x, InterpolatorTables::kTaps);
        return 1;
    }
    if (mode_ == 2) {
        static_assert(InterpolatorTables::kPoints == 3, "one dot3 per channel");
        dot3_(tables_.quarter[0], InterpolatorTables::kTaps, x, InterpolatorTables::kTaps, out);
        return InterpolatorTables::kPoints;
    }
    return 0;
}

double PeakInterpolator::largestMagnitude(int channel) const {
    double values[kMaxPoints];
    const int count = points(channel, values);
    const double centreMagnitude = std::fabs(centre(channel));
    // Two times: the point unless the centre is strictly larger. Four times: a point
    // replaces the pick only when strictly larger, in the order of the points.
    if (count == 1) return centreMagnitude > std::fabs(values[0]) ? centreMagnitude : std::fabs(values[0]);
    double largest = centreMagnitude;
    for (int i = 0; i < count; ++i) {
        if (std::fabs(values[i]) > largest) largest = std::fabs(values[i]);
    }
    return largest;
}

}  // namespace orv
