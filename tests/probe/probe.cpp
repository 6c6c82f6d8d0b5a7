// Loads a VST 2.4 plug-in, prints its identity, parameters and latency, and runs one block.
#include <cmath>
#include <cstdio>
#include <vector>

#include "support/VstHost.h"

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : ORV_PLUGIN_PATH;
    orvtest::PluginModule module(path);
    if (!module.loaded()) {
        std::fprintf(stderr, "orvmorix-probe: cannot load %s\n", path);
        return 1;
    }
    orvtest::TestHost host;
    if (!host.open(module.entry())) {
        std::fprintf(stderr, "orvmorix-probe: VSTPluginMain returned no effect\n");
        return 1;
    }
    host.setSampleRate(44100.0f);
    host.dispatch(effSetBlockSize, 0, 512);
    std::printf("%s — %s (%s), version %d, category %d\n", host.text(effGetEffectName).c_str(),
                host.text(effGetProductString).c_str(), host.text(effGetVendorString).c_str(),
                static_cast<int>(host.dispatch(effGetVendorVersion)), static_cast<int>(host.dispatch(effGetPlugCategory)));
    const AEffect* e = host.effect();
    std::printf("inputs %d, outputs %d, parameters %d, flags 0x%x, latency %d samples\n", e->numInputs, e->numOutputs,
                e->numParams, e->flags, e->initialDelay);
    std::printf("program: %s\n\n", host.text(effGetProgramName).c_str());
    for (int32_t i = 0; i < e->numParams; ++i)
        std::printf("%2d %-14s %9.6f  %s %s\n", i, host.parameterName(i).c_str(), host.getParameter(i),
                    host.parameterDisplay(i) == "<untouched>" ? "" : host.parameterDisplay(i).c_str(),
                    host.parameterLabel(i) == "<untouched>" ? "" : host.parameterLabel(i).c_str());

    // One second of a +6 dBFS sine, to show the effect runs.
    std::vector<double> in(44100), outL, outR;
    for (size_t n = 0; n < in.size(); ++n) in[n] = 2.0 * std::sin(2.0 * 3.141592653589793 * 440.0 * n / 44100.0);
    host.process(in, in, outL, outR, 512);
    double peakIn = 0, peakOut = 0;
    for (size_t n = 0; n < in.size(); ++n) {
        peakIn = std::fmax(peakIn, std::fabs(in[n]));
        peakOut = std::fmax(peakOut, std::fabs(outL[n]));
    }
    std::printf("\nprocessed 1 s of 440 Hz: input peak %.2f dBFS, output peak %.2f dBFS\n", 20 * std::log10(peakIn),
                20 * std::log10(peakOut));
    return host.close() == 1 ? 0 : 1;
}
