#include "platform/TickClock.h"

#include <windows.h>

namespace orv {

uint32_t tickCountMs() { return static_cast<uint32_t>(GetTickCount()); }

}  // namespace orv
