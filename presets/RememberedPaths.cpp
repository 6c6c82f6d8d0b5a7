#include "presets/RememberedPaths.h"

#include "platform/SettingsStore.h"

namespace orv {

namespace {

const char kFolderValue[] = "CurrDir";
const char kBankValue[] = "CurrBank";
const char kPresetValue[] = "CurrPreset";

#if defined(_WIN32)
const char kSeparators[] = "\\/";
#else
const char kSeparators[] = "/";
#endif

std::string readText(const char* name) { return settings::readString(settings::kPresetKey, name).value_or(""); }

}  // namespace

void RememberedPaths::choose(const std::string& path, Kind kind) {
    const size_t split = path.find_last_of(kSeparators);
    std::string name = path;
    if (split != std::string::npos) {
        folder_ = path.substr(0, split + 1);
        name = path.substr(split + 1);
    }
    (kind == Kind::Bank ? bankFile_ : presetFile_) = name;
}

void RememberedPaths::load() {
    folder_ = readText(kFolderValue);
    bankFile_ = readText(kBankValue);
    presetFile_ = readText(kPresetValue);
    stored_ = values();
    known_ = true;
}

void RememberedPaths::save() {
    if (known_ && values() == stored_) return;
    const bool written = settings::writeString(settings::kPresetKey, kFolderValue, folder_) &&
                         settings::writeString(settings::kPresetKey, kBankValue, bankFile_) &&
                         settings::writeString(settings::kPresetKey, kPresetValue, presetFile_);
    if (written) {
        stored_ = values();
        known_ = true;
    }
}

}  // namespace orv
