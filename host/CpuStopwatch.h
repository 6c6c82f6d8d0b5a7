// Adds up the CPU time this thread spends between start() and stop().
#pragma once

#include <time.h>

namespace orvrender {

class CpuStopwatch {
public:
    void start() { started_ = now(); }
    void stop() { total_ += now() - started_; }
    double seconds() const { return total_; }

private:
    static double now() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
    }

    double started_ = 0.0;
    double total_ = 0.0;
};

}  // namespace orvrender
