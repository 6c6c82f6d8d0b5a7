// Compares the renders of the Linux build with those of the Windows builds:
//   orvmorix-crossbuild-compare linux.bin x64.bin x86.bin
// Every Windows render must agree with the Linux one within 1e-9 per sample, with the same
// latency and parameter displays; the Windows builds must agree with each other exactly.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "RenderCases.h"
#include "RenderResults.h"

namespace {

using orvtest::CaseResult;

constexpr double kTolerance = 1e-9;

struct Difference {
    double largest = 0.0;
    size_t caseIndex = 0, sample = 0;
    const char* channel = "";
    size_t differingSamples = 0;
    size_t otherMismatches = 0;  // lengths, latencies, displays
};

void compareChannel(const std::vector<double>& a, const std::vector<double>& b, size_t caseIndex,
                    const char* channel, Difference& d) {
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::memcmp(&a[i], &b[i], sizeof(double)) == 0) continue;
        ++d.differingSamples;
        const double diff = std::isnan(a[i]) || std::isnan(b[i]) ? INFINITY : std::fabs(a[i] - b[i]);
        if (diff > d.largest || d.differingSamples == 1) {
            d.largest = std::max(diff, d.largest);
            d.caseIndex = caseIndex;
            d.sample = i;
            d.channel = channel;
        }
    }
}

Difference compare(const std::vector<CaseResult>& a, const std::vector<CaseResult>& b, const char* names) {
    Difference d;
    for (size_t c = 0; c < a.size(); ++c) {
        if (a[c].left.size() != b[c].left.size() || a[c].right.size() != b[c].right.size()) {
            std::printf("  %s case %zu: lengths differ\n", names, c);
            ++d.otherMismatches;
            continue;
        }
        if (a[c].latency != b[c].latency) {
            std::printf("  %s case %zu: latency %d against %d\n", names, c, a[c].latency, b[c].latency);
            ++d.otherMismatches;
        }
        if (a[c].displays != b[c].displays) {
            for (size_t i = 0; i < a[c].displays.size() && i < b[c].displays.size(); ++i)
                if (a[c].displays[i] != b[c].displays[i])
                    std::printf("  %s case %zu: display of parameter %zu \"%s\" against \"%s\"\n", names, c, i,
                                a[c].displays[i].c_str(), b[c].displays[i].c_str());
            ++d.otherMismatches;
        }
        compareChannel(a[c].left, b[c].left, c, "left", d);
        compareChannel(a[c].right, b[c].right, c, "right", d);
    }
    return d;
}

bool report(const char* names, const Difference& d, double tolerance) {
    const bool ok = d.otherMismatches == 0 && d.largest <= tolerance;
    std::printf("%s: largest difference %.3g", names, d.largest);
    if (d.differingSamples > 0) {
        std::printf(" (case %zu, %s, sample %zu; %zu samples differ)", d.caseIndex, d.channel, d.sample,
                    d.differingSamples);
    }
    std::printf(" -> %s\n", ok ? "ok" : (tolerance == 0.0 ? "FAILED: must be identical" : "FAILED"));
    return ok;
}

// Every case's input has audible material, so a render of pure silence means nothing was compared.
bool hasSound(const std::vector<CaseResult>& results) {
    for (size_t c = 0; c < results.size(); ++c) {
        double peak = 0.0;
        for (double v : results[c].left) peak = std::max(peak, std::fabs(v));
        for (double v : results[c].right) peak = std::max(peak, std::fabs(v));
        if (!(peak > 0.0)) {
            std::printf("case %zu of the reference render is silent\n", c);
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s linux.bin x64.bin x86.bin\n", argv[0]);
        return 2;
    }
    std::vector<std::vector<CaseResult>> renders;
    for (int i = 1; i < 4; ++i) {
        auto r = orvtest::readResults(argv[i]);
        if (!r || r->size() != orvtest::renderCases().size()) {
            std::fprintf(stderr, "%s: missing, damaged or from another case table\n", argv[i]);
            return 1;
        }
        renders.push_back(std::move(*r));
    }
    size_t samples = 0;
    for (const CaseResult& c : renders[0]) samples += c.left.size() + c.right.size();
    std::printf("Cross-build comparison: %zu cases, %zu samples per build\n", renders[0].size(), samples);

    bool ok = hasSound(renders[0]);
    ok &= report("linux vs x64", compare(renders[0], renders[1], "linux vs x64"), kTolerance);
    ok &= report("linux vs x86", compare(renders[0], renders[2], "linux vs x86"), kTolerance);
    ok &= report("x64 vs x86", compare(renders[1], renders[2], "x64 vs x86"), 0.0);
    std::printf("%s\n", ok ? "Cross-build comparison passed." : "Cross-build comparison FAILED.");
    return ok ? 0 : 1;
}
