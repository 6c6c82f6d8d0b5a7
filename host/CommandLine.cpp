#include "host/CommandLine.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>

#include "host/RenderError.h"

namespace orvrender {

namespace {

constexpr long kLargestBlock = 65536;

std::string quoted(const std::string& text) { return "'" + text + "'"; }

long parseBlockSize(const std::string& text) {
    errno = 0;
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || n < 1 || n > kLargestBlock)
        throw UsageError("--block needs a whole number from 1 to " + std::to_string(kLargestBlock) + ", not " +
                         quoted(text));
    return n;
}

SampleFormat parseSampleFormat(const std::string& text) {
    if (text == "float32") return SampleFormat::Float32;
    if (text == "pcm24") return SampleFormat::Pcm24;
    if (text == "pcm16") return SampleFormat::Pcm16;
    throw UsageError("--format must be float32, pcm24 or pcm16, not " + quoted(text));
}

ParameterAssignment parseAssignment(const std::string& text) {
    const size_t equals = text.rfind('=');
    if (equals == std::string::npos || equals == 0)
        throw UsageError("--set needs NAME=VALUE, not " + quoted(text));
    ParameterAssignment assignment;
    assignment.name = text.substr(0, equals);
    const std::string valueText = text.substr(equals + 1);
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(valueText.c_str(), &end);
    if (valueText.empty() || *end != '\0' || errno != 0 || !std::isfinite(value))
        throw UsageError("--set " + quoted(assignment.name) + " needs a number, not " + quoted(valueText));
    if (value < 0.0 || value > 1.0)
        throw UsageError("--set " + quoted(assignment.name) + ": value " + valueText + " is outside 0..1");
    assignment.value = static_cast<float>(value);
    return assignment;
}

using ValueHandler = std::function<void(RenderOptions&, const std::string&)>;
using FlagHandler = std::function<void(RenderOptions&)>;

const std::map<std::string, ValueHandler>& valueOptions() {
    static const std::map<std::string, ValueHandler> options = {
        {"--plugin", [](RenderOptions& o, const std::string& v) { o.pluginPath = v; }},
        {"--block", [](RenderOptions& o, const std::string& v) { o.blockSize = static_cast<int32_t>(parseBlockSize(v)); }},
        {"--format", [](RenderOptions& o, const std::string& v) { o.format = parseSampleFormat(v); }},
        {"--program", [](RenderOptions& o, const std::string& v) { o.program = v; }},
        {"--set", [](RenderOptions& o, const std::string& v) { o.assignments.push_back(parseAssignment(v)); }},
        {"--state", [](RenderOptions& o, const std::string& v) { o.stateFile = v; }},
        {"--save-state", [](RenderOptions& o, const std::string& v) { o.saveStateFile = v; }},
        {"--json", [](RenderOptions& o, const std::string& v) { o.jsonFile = v; }},
    };
    return options;
}

const std::map<std::string, FlagHandler>& flagOptions() {
    static const std::map<std::string, FlagHandler> options = {
        {"--double", [](RenderOptions& o) { o.doublePrecision = true; }},
        {"--no-latency-compensation", [](RenderOptions& o) { o.compensateLatency = false; }},
        {"--list-programs", [](RenderOptions& o) { o.listPrograms = true; }},
        {"--list-params", [](RenderOptions& o) { o.listParams = true; }},
        {"--quiet", [](RenderOptions& o) { o.quiet = true; }},
        {"--demo", [](RenderOptions& o) { o.demo = true; }},
        {"--help", [](RenderOptions& o) { o.help = true; }},
        {"-h", [](RenderOptions& o) { o.help = true; }},
    };
    return options;
}

void placePositionals(RenderOptions& options, const std::vector<std::string>& positionals) {
    if (options.demo) {
        if (positionals.size() > 1) throw UsageError("--demo takes at most one FOLDER");
        options.demoFolder = positionals.empty() ? "." : positionals[0];
        return;
    }
    if (positionals.size() == 2) {
        options.input = positionals[0];
        options.output = positionals[1];
        return;
    }
    if (positionals.empty() && (options.listPrograms || options.listParams || !options.saveStateFile.empty())) return;
    if (positionals.size() > 2) throw UsageError("too many arguments: " + quoted(positionals[2]));
    throw UsageError(positionals.empty() ? "missing INPUT and OUTPUT" : "missing OUTPUT");
}

}  // namespace

RenderOptions parseCommandLine(const std::vector<std::string>& arguments) {
    RenderOptions options;
    std::vector<std::string> positionals;
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            positionals.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        if (const auto flag = flagOptions().find(name); flag != flagOptions().end()) {
            if (equals != std::string::npos) throw UsageError(quoted(name) + " takes no value");
            flag->second(options);
            continue;
        }
        const auto valued = valueOptions().find(name);
        if (valued == valueOptions().end()) throw UsageError("unknown option " + quoted(name) + " (see --help)");
        if (equals != std::string::npos) {
            valued->second(options, argument.substr(equals + 1));
        } else {
            if (i + 1 >= arguments.size()) throw UsageError(quoted(name) + " needs a value");
            valued->second(options, arguments[++i]);
        }
    }
    if (options.help) return options;
    placePositionals(options, positionals);
    return options;
}

std::string helpText() {
    return R"(Usage: orvmorix-render [options] INPUT OUTPUT
       orvmorix-render [options] --demo [FOLDER]
       orvmorix-render [options] --list-programs | --list-params

Renders an audio file through a VST 2.4 effect (Orv Morix unless --plugin says otherwise).
Reads WAV, AIFF, FLAC and OGG; writes WAV or FLAC, chosen by OUTPUT's extension. Mono input
feeds both plug-in inputs. OUTPUT is written to a temporary file beside it and renamed at the end.

Plug-in and processing:
  --plugin PATH              load this Linux VST 2.4 effect (two inputs, two outputs)
  --block N                  block size in samples, 1..65536 (default 512)
  --double                   process in 64-bit floating point (processDoubleReplacing)
  --no-latency-compensation  keep the plug-in's delay: by default the first initialDelay
                             output samples are dropped and the input is padded with as many
                             zeros, so OUTPUT lines up with INPUT and has its length
Output file:
  --format F                 float32, pcm24 or pcm16 (default: the input's; FLAC holds PCM only)
Settings, applied in this order before rendering:
  --state FILE               restore a saved plug-in state (chunk)
  --program NAME             select a program by name
  --set NAME=VALUE           set a parameter to a normalised VALUE in 0..1 (repeatable)
  --save-state FILE          write the plug-in state after rendering
Information:
  --list-programs            print the program names (* marks the current one)
  --list-params              print each parameter's name, value and display text
  --json FILE                also write the report as JSON
  --quiet                    no progress bar and no report on standard error
  --demo [FOLDER]            render a built-in programme of drums, bass and a tone peaking at
                             +6 dBFS; writes demo-input.wav and demo-output.wav into FOLDER
  -h, --help                 show this text

The report gives duration, sample rate, latency, sample peak (dBFS), true peak (dBTP) and
integrated loudness (LUFS, ITU-R BS.1770) of input and output, and the realtime factor
(seconds of audio per CPU second spent in the plug-in).
Exit status: 0 on success, 1 when rendering fails, 2 for a mistake on the command line.
)";
}

}  // namespace orvrender
