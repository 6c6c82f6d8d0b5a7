// Settings given on the command line, applied to an effect through the host interface only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/Effect.h"
#include "host/RenderOptions.h"

namespace orvrender {

std::vector<std::string> programNames(Effect& effect);
std::vector<std::string> parameterNames(Effect& effect);
// The program the effect currently plays, or -1 when it cannot tell.
int32_t currentProgram(Effect& effect);

void loadState(Effect& effect, const std::string& path);
std::vector<uint8_t> savedState(Effect& effect);
void selectProgram(Effect& effect, const std::string& name);
void applyAssignments(Effect& effect, const std::vector<ParameterAssignment>& assignments);

// State, then program, then parameters: the order in which a session is restored.
void applySettings(Effect& effect, const RenderOptions& options);

}  // namespace orvrender
