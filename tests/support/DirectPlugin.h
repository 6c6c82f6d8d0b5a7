// A Plugin made directly, as the exported entry makes it, for tests that need its C++ interface
// (meter read-outs, allocation counting) rather than the host ABI alone.
#pragma once

#include <memory>

#include "plugin/Plugin.h"

namespace orvtest {

// A host that answers only the version request; every pin counts as connected.
inline intptr_t VSTCALLBACK minimalHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

inline std::unique_ptr<orv::Plugin> makePlugin() {
    auto plugin = std::make_unique<orv::Plugin>(&minimalHost);
    return plugin->isComplete() ? std::move(plugin) : nullptr;
}

}  // namespace orvtest
