#include "host/OutputFormat.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>

#include "host/RenderError.h"

namespace orvrender {

namespace {

std::string lowerExtension(const std::string& path) {
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

int container(const std::string& path) {
    const std::string extension = lowerExtension(path);
    if (extension == "wav" || extension == "wave") return SF_FORMAT_WAV;
    if (extension == "flac") return SF_FORMAT_FLAC;
    throw RenderError("unsupported output format '" + extension + "' for " + path + ": use .wav or .flac");
}

// Low-resolution PCM keeps its depth as 16 bits, 24-bit stays 24, everything else becomes float.
SampleFormat inputSampleFormat(int inputFormat) {
    switch (inputFormat & SF_FORMAT_SUBMASK) {
        case SF_FORMAT_PCM_S8:
        case SF_FORMAT_PCM_U8:
        case SF_FORMAT_PCM_16:
            return SampleFormat::Pcm16;
        case SF_FORMAT_PCM_24:
            return SampleFormat::Pcm24;
        default:
            return SampleFormat::Float32;
    }
}

int subtype(SampleFormat format) {
    switch (format) {
        case SampleFormat::Pcm16:
            return SF_FORMAT_PCM_16;
        case SampleFormat::Pcm24:
            return SF_FORMAT_PCM_24;
        case SampleFormat::Float32:
            break;
    }
    return SF_FORMAT_FLOAT;
}

}  // namespace

int outputFormat(const std::string& outputPath, int inputFormat, std::optional<SampleFormat> requested) {
    const int type = container(outputPath);
    SampleFormat samples = requested.value_or(inputSampleFormat(inputFormat));
    if (type == SF_FORMAT_FLAC && samples == SampleFormat::Float32) {
        if (requested) throw RenderError("FLAC cannot hold float32 samples: use --format pcm24 or pcm16");
        samples = SampleFormat::Pcm24;
    }
    return type | subtype(samples);
}

}  // namespace orvrender
