// Points the settings store at a fresh temporary folder for the life of a test, so stored values
// neither leak between tests nor touch the user's own.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace orvtest {

#if defined(_WIN32)
// Windows keeps the values in the (Wine) registry: the fixture empties the effect's key instead.
class TempSettingsFolder {
public:
    TempSettingsFolder() { clear(); }
    ~TempSettingsFolder() { clear(); }
    TempSettingsFolder(const TempSettingsFolder&) = delete;
    TempSettingsFolder& operator=(const TempSettingsFolder&) = delete;
    bool valid() const { return true; }

private:
    static void clear() { RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\Orv-sound"); }
};
#else
class TempSettingsFolder {
public:
    TempSettingsFolder() {
        const char* prior = std::getenv("XDG_CONFIG_HOME");
        hadPrior_ = prior != nullptr;
        if (prior) prior_ = prior;
        std::string pattern = (std::filesystem::temp_directory_path() / "orv-settings-XXXXXX").string();
        if (::mkdtemp(pattern.data())) path_ = pattern;
        ::setenv("XDG_CONFIG_HOME", path_.c_str(), 1);
    }
    ~TempSettingsFolder() {
        if (hadPrior_)
            ::setenv("XDG_CONFIG_HOME", prior_.c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    TempSettingsFolder(const TempSettingsFolder&) = delete;
    TempSettingsFolder& operator=(const TempSettingsFolder&) = delete;

    const std::string& path() const { return path_; }
    bool valid() const { return !path_.empty(); }

private:
    std::string path_;
    std::string prior_;
    bool hadPrior_ = false;
};
#endif

}  // namespace orvtest
