// One run of the renderer, from parsed options to written files and report.
#pragma once

#include <ostream>

#include "host/RenderOptions.h"

namespace orvrender {

// Listings go to `listing`, the report to `report`; failures throw RenderError.
void runRenderJob(RenderOptions options, std::ostream& listing, std::ostream& report);

}  // namespace orvrender
