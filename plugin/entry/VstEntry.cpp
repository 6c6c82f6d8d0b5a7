// The exported entry: one function under the names VSTPluginMain and main.
#include <new>

#include "plugin/Plugin.h"

namespace {

// Makes one effect; null when there is no usable host or no memory.
AEffect* createEffectInstance(audioMasterCallback host) {
    if (host && host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    orv::Plugin* plugin = nullptr;
    try {
        plugin = new orv::Plugin(host);
    } catch (...) {
        return nullptr;
    }
    if (!plugin->isComplete()) {
        delete plugin;
        return nullptr;
    }
    return plugin->getAeffect();
}

}  // namespace

extern "C" {

#if defined(_WIN32)
#define ORV_EXPORT __declspec(dllexport)
#else
#define ORV_EXPORT __attribute__((visibility("default")))
#endif

ORV_EXPORT AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback host) {
    if (host && host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    return createEffectInstance(host);
}

#if !defined(_WIN32)
// "main" cannot be declared as such in C++; the assembler name gives the same symbol.
ORV_EXPORT AEffect* vstMainAlias(audioMasterCallback host) __asm__("main") __attribute__((alias("VSTPluginMain")));
#endif
}
