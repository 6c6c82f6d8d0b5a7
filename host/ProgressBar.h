// A one-line progress bar on standard error, drawn only when that is a terminal.
#pragma once

#include <cstdint>

namespace orvrender {

class ProgressBar {
public:
    ProgressBar(bool wanted, int64_t total);
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void update(int64_t done);

private:
    void clear();

    bool shown_;
    int64_t total_;
    int percent_ = -1;
};

}  // namespace orvrender
