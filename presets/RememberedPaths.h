#pragma once

#include <string>

namespace orv {

// The folder the file dialogs open in and the last preset and bank file names, kept for the user
// across sessions ("CurrDir", "CurrPreset", "CurrBank").
class RememberedPaths {
public:
    enum class Kind { Preset, Bank };

    explicit RememberedPaths(std::string startFolder) : folder_(std::move(startFolder)) {}

    // A chosen path: the part up to its last separator (kept) becomes the folder, the rest the
    // file name of that kind. A bare name is taken as a file in the current folder.
    void choose(const std::string& path, Kind kind);
    // Where a file of that kind is opened: the folder followed by the file name.
    std::string path(Kind kind) const { return folder_ + fileName(kind); }

    const std::string& folder() const { return folder_; }
    const std::string& fileName(Kind kind) const { return kind == Kind::Bank ? bankFile_ : presetFile_; }

    // Reads the three stored strings; a missing one leaves an empty string.
    void load();
    // Writes the three strings when they differ from what was last loaded or saved, so an
    // instance that chose nothing does not put back older names over another instance's.
    void save();

private:
    struct Values {
        std::string folder, bankFile, presetFile;
        bool operator==(const Values&) const = default;
    };
    Values values() const { return {folder_, bankFile_, presetFile_}; }

    std::string folder_;
    std::string bankFile_;
    std::string presetFile_;
    Values stored_;
    bool known_ = false;  // stored_ reflects the settings store
};

}  // namespace orv
