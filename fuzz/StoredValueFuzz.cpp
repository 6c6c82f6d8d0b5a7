// A stored value's file as the settings store keeps it, read back as the default bank, the
// default preset and a compare memory.
#include <fstream>

#include "FuzzedEffect.h"
#include "platform/SettingsStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string folder = orvfuzz::settingsFolder() + "/SOFTWARE/Orv-sound/Orvmorix";
    static const bool made = orv::settings::writeDword(orv::settings::kPresetKey, "Made", 1);
    if (!made) std::abort();
    for (const char* name : {"DefaultBank", "DefaultPreset", "MemoA"})
        std::ofstream(folder + "/" + name, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    orv::CPresetSystemEditor& presets = orvfuzz::presets();
    orvfuzz::checkLoad([&] { return presets.loadDefaultBank(); });
    orvfuzz::checkLoad([&] { return presets.loadDefaultPreset(); });
    orvfuzz::checkLoad([&] { return presets.recallMemoA(); });
    return 0;
}
