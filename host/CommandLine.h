// Turns the command line into RenderOptions; every mistake becomes a UsageError.
#pragma once

#include <string>
#include <vector>

#include "host/RenderOptions.h"

namespace orvrender {

RenderOptions parseCommandLine(const std::vector<std::string>& arguments);

// The text --help prints.
std::string helpText();

}  // namespace orvrender
