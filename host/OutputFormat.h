// Which libsndfile format OUTPUT gets: container from its extension, samples from --format
// or else from the input.
#pragma once

#include <optional>
#include <string>

#include "host/RenderOptions.h"

namespace orvrender {

// Throws a RenderError for an extension other than .wav or .flac and for float in FLAC.
int outputFormat(const std::string& outputPath, int inputFormat, std::optional<SampleFormat> requested);

}  // namespace orvrender
