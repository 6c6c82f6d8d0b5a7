// What one build rendered for every case, as written to a file and read back for comparison.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvtest {

struct CaseResult {
    int32_t latency = 0;                // initialDelay after the run
    std::vector<double> left, right;    // every output sample (single precision widened)
    std::vector<std::string> displays;  // the 26 parameter displays after the run
};

bool writeResults(const std::string& path, const std::vector<CaseResult>& results);
std::optional<std::vector<CaseResult>> readResults(const std::string& path);

}  // namespace orvtest
