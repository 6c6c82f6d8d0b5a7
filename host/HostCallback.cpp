#include "host/HostCallback.h"

#include <cstring>

namespace orvrender {

namespace {

constexpr intptr_t kHostVendorVersion = 1500;
constexpr intptr_t kProcessLevelOffline = 4;
constexpr intptr_t kAutomationOff = 1;
constexpr intptr_t kLanguageEnglish = 1;
constexpr intptr_t kCanDo = 1;
constexpr intptr_t kCannotDo = -1;

intptr_t copyText(void* ptr, const char* text, size_t capacity) {
    if (!ptr) return 0;
    std::strncpy(static_cast<char*>(ptr), text, capacity - 1);
    static_cast<char*>(ptr)[capacity - 1] = '\0';
    return 1;
}

// We start and stop processing and always pass the audio offline; we never send events or time.
intptr_t canDo(const void* ptr) {
    if (!ptr) return 0;
    const char* what = static_cast<const char*>(ptr);
    if (std::strcmp(what, "startStopProcess") == 0) return kCanDo;
    return kCannotDo;
}

}  // namespace

HostState& hostState() {
    static HostState state;
    return state;
}

intptr_t VSTCALLBACK hostCallback(AEffect*, int32_t opcode, int32_t, intptr_t, void* ptr, float) {
    switch (opcode) {
        case audioMasterVersion:
            return kVstVersion;
        case audioMasterPinConnected:
            return 0;  // 0 means connected: both pins of both sides are
        case audioMasterGetSampleRate:
            return static_cast<intptr_t>(hostState().sampleRate);
        case audioMasterGetBlockSize:
            return hostState().blockSize;
        case audioMasterGetCurrentProcessLevel:
            return kProcessLevelOffline;
        case audioMasterGetAutomationState:
            return kAutomationOff;
        case audioMasterGetVendorString:
            return copyText(ptr, "Orv-sound", kVstMaxVendorStrLen);
        case audioMasterGetProductString:
            return copyText(ptr, "orvmorix-render", kVstMaxProductStrLen);
        case audioMasterGetVendorVersion:
            return kHostVendorVersion;
        case audioMasterGetLanguage:
            return kLanguageEnglish;
        case audioMasterCanDo:
            return canDo(ptr);
        case audioMasterIOChanged:
            return 1;  // the latency is read again before every render
        default:
            // Automation, display updates, edit gestures, idle, time and events need no answer.
            return 0;
    }
}

}  // namespace orvrender
