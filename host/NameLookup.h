// Finds a program or parameter by the name a user typed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvrender {

// An exact match wins; otherwise a single match ignoring case and surrounding spaces.
// Throws a RenderError naming `what` when there is no match or more than one.
int32_t findByName(const std::vector<std::string>& names, const std::string& wanted, const std::string& what);

}  // namespace orvrender
