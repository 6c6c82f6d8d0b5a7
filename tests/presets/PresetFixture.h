// A minimal effect built on the preset system, with its editor, for testing the preset system
// alone; it keeps the parameters the last applied program pushed, as Plugin does.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "presets/CPresetSystemEditor.h"
#include "presets/CPresetSystemEffect.h"
#include "support/ProgramStreamBytes.h"
#include "support/TempSettingsFolder.h"

namespace orvtest {

class PresetTestEffect : public orv::CPresetSystemEffect {
public:
    PresetTestEffect() : CPresetSystemEffect(nullptr, kParams) {
        setUniqueID(static_cast<int32_t>(kEffectId));
        setEditor(new orv::CPresetSystemEditor(this));
        captureDefaultProgram();
        applyProgram(0);
    }

    void setParameter(int32_t index, float value) override {
        if (index >= 0 && index < kParams) live[static_cast<size_t>(index)] = value;
        if (!isApplyingProgram()) CPresetSystemEffect::setParameter(index, value);
    }
    void processReplacing(float**, float**, int32_t) override {}
    bool isParameterExcludedFromSave(int32_t index) override { return excludedFromSaving.test(static_cast<size_t>(index)); }
    bool isParameterExcludedFromLoad(int32_t index) override { return excludedFromLoading.test(static_cast<size_t>(index)); }

    orv::CPresetSystemEditor& presets() { return *static_cast<orv::CPresetSystemEditor*>(editor); }

    TestProgram programAt(int32_t index) const {
        TestProgram p{std::string(program(index).name, strnlen(program(index).name, 24)), {}};
        for (int k = 0; k < kParams; ++k) p.values[k] = program(index).value(k);
        return p;
    }
    TestProgram currentProgram() { return programAt(getCurrentProgramIndex()); }
    std::vector<TestProgram> allPrograms() const {
        std::vector<TestProgram> all;
        for (int p = 0; p < kPrograms; ++p) all.push_back(programAt(p));
        return all;
    }
    // Makes program `index` current with its values pushed out, as the program menu does.
    void select(int32_t index) { applyProgram(index); }

    std::array<float, kParams> live{};
    orv::ParameterMask excludedFromSaving;
    orv::ParameterMask excludedFromLoading;
};

// An empty folder for preset and bank files, removed with everything in it.
class TempFileFolder {
public:
    TempFileFolder() {
        static std::atomic<int> serial{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = std::filesystem::temp_directory_path() /
                ("orv-files-" + std::to_string(stamp) + "-" + std::to_string(serial++));
        std::filesystem::create_directories(path_);
    }
    ~TempFileFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFileFolder(const TempFileFolder&) = delete;
    TempFileFolder& operator=(const TempFileFolder&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::string folderWithSeparator() const { return (path_ / "").string(); }

    std::string write(const std::string& name, const Bytes& bytes) const {
        std::ofstream(file(name), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                         static_cast<std::streamsize>(bytes.size()));
        return file(name);
    }
    Bytes read(const std::string& name) const {
        std::ifstream in(file(name), std::ios::binary);
        return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path path_;
};

// A fresh settings folder, then an effect that may read it at construction.
class PresetSystemTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(settings.valid()); }

    // Everything a load could change: the programs, the current index, the pushed parameters.
    struct State {
        std::vector<TestProgram> programs;
        int32_t current;
        std::array<float, kParams> live;
        bool operator==(const State&) const = default;
    };
    static State stateOf(PresetTestEffect& e) { return {e.allPrograms(), e.getCurrentProgramIndex(), e.live}; }

    TempSettingsFolder settings;
};

}  // namespace orvtest
