#include "host/RenderJob.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "host/AtomicFile.h"
#include "host/BlockRenderer.h"
#include "host/DemoProgramme.h"
#include "host/Effect.h"
#include "host/EffectListing.h"
#include "host/EffectSettings.h"
#include "host/OutputFormat.h"
#include "host/PluginModule.h"
#include "host/RenderError.h"
#include "host/RenderReport.h"

namespace orvrender {

namespace {

constexpr float kListingSampleRate = 44100.0f;

std::vector<uint8_t> bytesOf(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

void writeDemoInput(const std::string& path) {
    const std::vector<double> programme = demoProgramme();
    SoundFileWriter writer(path, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, kDemoSampleRate);
    writer.write(programme.data(), static_cast<int64_t>(programme.size() / 2));
    writer.commit();
}

void prepareDemo(RenderOptions& options) {
    std::error_code error;
    std::filesystem::create_directories(options.demoFolder, error);
    if (error) throw RenderError("cannot create folder " + options.demoFolder + ": " + error.message());
    options.input = options.demoFolder + "/demo-input.wav";
    options.output = options.demoFolder + "/demo-output.wav";
    writeDemoInput(options.input);
}

bool sameTarget(const std::string& a, const std::string& b) { return a == b || sameFile(a, b); }

// Nothing we write may replace INPUT, and no two outputs may share a file.
void checkWrittenFiles(const RenderOptions& options) {
    const std::vector<std::pair<std::string, std::string>> written = {
        {options.output, "OUTPUT"}, {options.saveStateFile, "--save-state"}, {options.jsonFile, "--json"}};
    for (size_t i = 0; i < written.size(); ++i) {
        if (written[i].first.empty()) continue;
        if (!options.input.empty() && sameTarget(written[i].first, options.input))
            throw RenderError(written[i].second + " would overwrite INPUT " + options.input);
        for (size_t j = i + 1; j < written.size(); ++j)
            if (!written[j].first.empty() && sameTarget(written[i].first, written[j].first))
                throw RenderError(written[i].second + " and " + written[j].second + " name the same file");
    }
}

void checkEffectShape(Effect& effect, const std::string& path, const RenderOptions& options) {
    if (effect.inputs() != 2 || effect.outputs() != 2)
        throw RenderError("plug-in " + path + " has " + std::to_string(effect.inputs()) + " inputs and " +
                          std::to_string(effect.outputs()) + " outputs; two of each are needed");
    if (!options.rendersAudio()) return;
    if (options.doublePrecision && !effect.hasFlag(effFlagsCanDoubleReplacing))
        throw RenderError("plug-in " + path + " cannot process 64-bit samples (--double)");
    if (!options.doublePrecision && !effect.hasFlag(effFlagsCanReplacing))
        throw RenderError("plug-in " + path + " has no replacing 32-bit process entry");
}

RenderReport render(Effect& effect, SoundFileReader& reader, const RenderOptions& options, int format) {
    SoundFileWriter writer(options.output, format, 2, reader.sampleRate());
    SignalMeter inputMeter(reader.sampleRate()), outputMeter(reader.sampleRate());
    effect.resume();
    LatencyCompensator compensator(effect.initialDelay(), options.compensateLatency);
    RenderTotals totals;
    {
        ProgressBar progress(!options.quiet, reader.frames());
        totals = renderStream(effect, {reader, writer, inputMeter, outputMeter}, compensator, progress,
                              options.blockSize, options.doublePrecision);
    }
    effect.suspend();
    writer.commit();

    RenderReport report;
    report.inputPath = options.input;
    report.outputPath = options.output;
    report.sampleRate = reader.sampleRate();
    report.inputChannels = reader.channels();
    report.frames = totals.inputFrames;
    report.blockSize = options.blockSize;
    report.doublePrecision = options.doublePrecision;
    report.latency = totals.latency;
    report.latencyCompensated = options.compensateLatency;
    report.input = inputMeter.figures();
    report.output = outputMeter.figures();
    report.processingSeconds = totals.processingSeconds;
    return report;
}

}  // namespace

void runRenderJob(RenderOptions options, std::ostream& listing, std::ostream& reportOut) {
    if (options.demo) prepareDemo(options);
    checkWrittenFiles(options);

    std::optional<SoundFileReader> reader;
    int format = 0;
    if (options.rendersAudio()) {
        reader.emplace(options.input);
        format = outputFormat(options.output, reader->format(), options.format);
    }

    const std::string pluginPath = options.pluginPath.empty() ? defaultPluginPath() : options.pluginPath;
    PluginModule module(pluginPath);
    Effect effect(module);
    checkEffectShape(effect, pluginPath, options);
    effect.setSampleRate(reader ? static_cast<float>(reader->sampleRate()) : kListingSampleRate);
    effect.setBlockSize(options.blockSize);
    effect.setProcessPrecision(options.doublePrecision);
    applySettings(effect, options);

    if (options.listPrograms) listing << listPrograms(effect);
    if (options.listParams) listing << listParameters(effect);
    listing.flush();

    std::optional<RenderReport> report;
    if (reader) {
        report = render(effect, *reader, options, format);
        report->pluginPath = pluginPath;
        report->effectName = effect.name().empty() ? pluginPath : effect.name();
    }
    if (!options.saveStateFile.empty())
        writeFileAtomically(options.saveStateFile, savedState(effect), "cannot save state");
    if (!report) return;
    if (!options.jsonFile.empty()) writeFileAtomically(options.jsonFile, bytesOf(reportJson(*report)), "cannot write report");
    if (!options.quiet) reportOut << reportText(*report) << std::flush;
}

}  // namespace orvrender
