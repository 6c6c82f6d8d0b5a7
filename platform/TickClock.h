#pragma once

#include <cstdint>

namespace orv {

// The system millisecond tick count (wraps after about 49 days).
uint32_t tickCountMs();

}  // namespace orv
