#include "RenderResults.h"

#include <cstdio>
#include <memory>

namespace orvtest {

namespace {

constexpr char kMagic[8] = {'O', 'R', 'V', 'X', 'B', '0', '0', '1'};

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// All x86 targets are little-endian: values are written as they lie in memory.
template <typename T>
bool put(std::FILE* f, const T& v) {
    return std::fwrite(&v, sizeof(T), 1, f) == 1;
}
template <typename T>
bool get(std::FILE* f, T& v) {
    return std::fread(&v, sizeof(T), 1, f) == 1;
}

bool putSamples(std::FILE* f, const std::vector<double>& samples) {
    return put(f, static_cast<uint64_t>(samples.size())) &&
           std::fwrite(samples.data(), sizeof(double), samples.size(), f) == samples.size();
}

bool getSamples(std::FILE* f, std::vector<double>& samples) {
    uint64_t count = 0;
    if (!get(f, count) || count > (uint64_t(1) << 28)) return false;
    samples.resize(static_cast<size_t>(count));
    return std::fread(samples.data(), sizeof(double), samples.size(), f) == samples.size();
}

}  // namespace

bool writeResults(const std::string& path, const std::vector<CaseResult>& results) {
    File f(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!f || std::fwrite(kMagic, 1, sizeof(kMagic), f.get()) != sizeof(kMagic)) return false;
    if (!put(f.get(), static_cast<uint32_t>(results.size()))) return false;
    for (const CaseResult& r : results) {
        if (!put(f.get(), r.latency) || !putSamples(f.get(), r.left) || !putSamples(f.get(), r.right)) return false;
        if (!put(f.get(), static_cast<uint32_t>(r.displays.size()))) return false;
        for (const std::string& text : r.displays) {
            if (!put(f.get(), static_cast<uint32_t>(text.size())) ||
                std::fwrite(text.data(), 1, text.size(), f.get()) != text.size()) {
                return false;
            }
        }
    }
    return std::fflush(f.get()) == 0;
}

std::optional<std::vector<CaseResult>> readResults(const std::string& path) {
    File f(std::fopen(path.c_str(), "rb"), &std::fclose);
    char magic[sizeof(kMagic)];
    uint32_t count = 0;
    if (!f || std::fread(magic, 1, sizeof(magic), f.get()) != sizeof(magic) ||
        std::string(magic, sizeof(magic)) != std::string(kMagic, sizeof(kMagic)) || !get(f.get(), count)) {
        return std::nullopt;
    }
    std::vector<CaseResult> results(count);
    for (CaseResult& r : results) {
        uint32_t displays = 0;
        if (!get(f.get(), r.latency) || !getSamples(f.get(), r.left) || !getSamples(f.get(), r.right) ||
            !get(f.get(), displays) || displays > 1000) {
            return std::nullopt;
        }
        r.displays.resize(displays);
        for (std::string& text : r.displays) {
            uint32_t length = 0;
            if (!get(f.get(), length) || length > 1000) return std::nullopt;
            text.resize(length);
            if (std::fread(text.data(), 1, length, f.get()) != length) return std::nullopt;
        }
    }
    return results;
}

}  // namespace orvtest
