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
// Windows keeps the values in the (Wine) registry, which every test process shares: the fixture
// maps HKEY_CURRENT_USER of this process (the plug-in's calls included) onto a fresh key of its
// own, and removes that key afterwards.
class TempSettingsFolder {
public:
    TempSettingsFolder() {
        static int serial = 0;
        root_ = "Software\\OrvMorixTests\\" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
        const std::wstring wide(root_.begin(), root_.end());
        if (RegCreateKeyExW(HKEY_CURRENT_USER, wide.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr) !=
            ERROR_SUCCESS) {
            key_ = nullptr;
        }
        if (key_ && RegOverridePredefKey(HKEY_CURRENT_USER, key_) != ERROR_SUCCESS) {
            RegCloseKey(key_);
            key_ = nullptr;
        }
    }
    ~TempSettingsFolder() {
        if (!key_) return;
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(key_);
        const std::wstring wide(root_.begin(), root_.end());
        RegDeleteTreeW(HKEY_CURRENT_USER, wide.c_str());
    }
    TempSettingsFolder(const TempSettingsFolder&) = delete;
    TempSettingsFolder& operator=(const TempSettingsFolder&) = delete;

    // Where the values really are, under the real HKEY_CURRENT_USER.
    const std::string& registryRoot() const { return root_; }
    bool valid() const { return key_ != nullptr; }

private:
    std::string root_;
    HKEY key_ = nullptr;
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
