#pragma once

namespace orv {

// One sample of each channel.
struct StereoPair {
    double l;
    double r;
};

}  // namespace orv
