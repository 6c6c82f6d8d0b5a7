// Renders the fixed cases through a plug-in module, as a host does (VSTPluginMain, setParameter,
// the process entries), and writes every output sample. Built from this one source for every
// target, so the files of the Linux, x64 and x86 builds can be compared.
//   orvmorix-crossbuild-render output-file [plug-in module]
#include <cstdio>
#include <string>
#include <vector>

#include "RenderCases.h"
#include "RenderResults.h"
#include "TestSignal.h"
#include "presets/FactoryPrograms.h"
#include "support/VstHost.h"

namespace {

using orvtest::CaseResult;
using orvtest::RenderCase;
using orvtest::TestHost;

void applyProgram(TestHost& host, int32_t program) {
    for (int32_t i = 0; i < orv::kNumParams; ++i)
        host.setParameter(i, static_cast<float>(orv::kFactoryPrograms[program].values[i]));
}

template <typename Sample>
void processRange(TestHost& host, const orvtest::StereoSignal& in, size_t from, size_t to, int32_t blockSize,
                  CaseResult& out) {
    std::vector<Sample> inL(static_cast<size_t>(blockSize)), inR(inL.size()), outL(inL.size()), outR(inL.size());
    for (size_t at = from; at < to; at += static_cast<size_t>(blockSize)) {
        const size_t n = std::min(static_cast<size_t>(blockSize), to - at);
        for (size_t i = 0; i < n; ++i) {
            inL[i] = static_cast<Sample>(in.left[at + i]);
            inR[i] = static_cast<Sample>(in.right[at + i]);
        }
        Sample* ins[2] = {inL.data(), inR.data()};
        Sample* outs[2] = {outL.data(), outR.data()};
        host.processBlock(ins, outs, static_cast<int32_t>(n));
        for (size_t i = 0; i < n; ++i) {
            out.left[at + i] = static_cast<double>(outL[i]);
            out.right[at + i] = static_cast<double>(outR[i]);
        }
    }
}

bool render(VstPluginMainProc entry, const RenderCase& c, uint32_t seed, CaseResult& out) {
    TestHost host;
    if (!host.open(entry)) return false;
    host.setSampleRate(c.sampleRate);
    host.dispatch(effSetBlockSize, 0, c.blockSize);
    host.dispatch(effMainsChanged, 0, 1);
    applyProgram(host, c.program);

    const auto frames = static_cast<int64_t>(c.seconds * static_cast<double>(c.sampleRate));
    const orvtest::StereoSignal in = orvtest::makeTestSignal(frames, seed);
    out.left.assign(in.left.size(), 0.0);
    out.right.assign(in.right.size(), 0.0);
    const size_t half = in.left.size() / 2;
    for (int part = 0; part < 2; ++part) {
        const size_t from = part == 0 ? 0 : half, to = part == 0 ? half : in.left.size();
        if (part == 1) applyProgram(host, c.nextProgram);
        if (c.doublePrecision) {
            processRange<double>(host, in, from, to, c.blockSize, out);
        } else {
            processRange<float>(host, in, from, to, c.blockSize, out);
        }
    }
    out.latency = host.effect()->initialDelay;
    for (int32_t i = 0; i < orv::kNumParams; ++i) out.displays.push_back(host.parameterDisplay(i));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s output-file [plug-in module]\n", argv[0]);
        return 2;
    }
    orvtest::PluginModule module(argc == 3 ? argv[2] : ORV_PLUGIN_PATH);
    if (!module.loaded()) {
        std::fprintf(stderr, "cannot load the plug-in module\n");
        return 1;
    }
    const std::vector<RenderCase> cases = orvtest::renderCases();
    std::vector<CaseResult> results(cases.size());
    for (size_t i = 0; i < cases.size(); ++i) {
        if (!render(module.entry(), cases[i], static_cast<uint32_t>(i), results[i])) {
            std::fprintf(stderr, "case %zu: the plug-in made no effect\n", i);
            return 1;
        }
    }
    if (!orvtest::writeResults(argv[1], results)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
