#include "host/ProgressBar.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace orvrender {

namespace {

constexpr int kWidth = 40;

}  // namespace

ProgressBar::ProgressBar(bool wanted, int64_t total)
    : shown_(wanted && total > 0 && isatty(STDERR_FILENO) == 1), total_(total) {}

ProgressBar::~ProgressBar() { clear(); }

void ProgressBar::update(int64_t done) {
    if (!shown_) return;
    const int percent = static_cast<int>(100 * std::min(done, total_) / total_);
    if (percent == percent_) return;
    percent_ = percent;
    const int filled = percent * kWidth / 100;
    const std::string bar = std::string(static_cast<size_t>(filled), '#') + std::string(static_cast<size_t>(kWidth - filled), '.');
    std::fprintf(stderr, "\r[%s] %3d%%", bar.c_str(), percent);
    std::fflush(stderr);
}

void ProgressBar::clear() {
    if (!shown_ || percent_ < 0) return;
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
}

}  // namespace orvrender
