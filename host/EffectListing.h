// The --list-programs and --list-params tables.
#pragma once

#include <string>

#include "host/Effect.h"

namespace orvrender {

std::string listPrograms(Effect& effect);
std::string listParameters(Effect& effect);

}  // namespace orvrender
