// The per-user settings store: typed values under registry-style keys, replaced atomically.
#include "platform/SettingsStore.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <thread>

#include "support/TempSettingsFolder.h"

namespace orv {
namespace {

const char* const kKey = settings::kPresetKey;

class SettingsStoreTest : public ::testing::Test {
protected:
    orvtest::TempSettingsFolder folder;
};

TEST_F(SettingsStoreTest, EachTypeReadsBackWhatWasWritten) {
    ASSERT_TRUE(folder.valid());
    const uint8_t blob[] = {0x00, 0xff, 0x22, 0x00, 0x7f};
    ASSERT_TRUE(settings::writeBinary(kKey, "Blob", blob, sizeof(blob)));
    ASSERT_TRUE(settings::writeString(kKey, "Text", "/home/user/My Presets/"));
    ASSERT_TRUE(settings::writeDword(settings::kPrefsKey, "Number", 0x80000001u));
    ASSERT_TRUE(settings::writeBinary(kKey, "Empty", nullptr, 0));

    EXPECT_EQ(settings::readBinary(kKey, "Blob"), std::vector<uint8_t>(blob, blob + sizeof(blob)));
    EXPECT_EQ(settings::readString(kKey, "Text"), "/home/user/My Presets/");
    EXPECT_EQ(settings::readDword(settings::kPrefsKey, "Number"), 0x80000001u);
    EXPECT_EQ(settings::readBinary(kKey, "Empty"), std::vector<uint8_t>());
}

TEST_F(SettingsStoreTest, MissingValuesAndOtherTypesGiveNothing) {
    EXPECT_FALSE(settings::readBinary(kKey, "Nothing"));
    EXPECT_FALSE(settings::readDword(settings::kPrefsKey, "Nothing"));
    ASSERT_TRUE(settings::writeString(kKey, "Text", "abc"));
    ASSERT_TRUE(settings::writeDword(kKey, "Number", 7));
    EXPECT_FALSE(settings::readBinary(kKey, "Text"));
    EXPECT_FALSE(settings::readDword(kKey, "Text"));
    EXPECT_FALSE(settings::readString(kKey, "Number"));
    // The same value name under another key is another value.
    EXPECT_FALSE(settings::readString(settings::kPrefsKey, "Text"));
}

TEST_F(SettingsStoreTest, LaterWriteReplacesAndDeleteRemoves) {
    ASSERT_TRUE(settings::writeString(kKey, "Text", "a much longer first value"));
    ASSERT_TRUE(settings::writeString(kKey, "Text", "short"));
    EXPECT_EQ(settings::readString(kKey, "Text"), "short");
    ASSERT_TRUE(settings::writeDword(kKey, "Text", 3));
    EXPECT_FALSE(settings::readString(kKey, "Text"));
    EXPECT_TRUE(settings::deleteValue(kKey, "Text"));
    EXPECT_FALSE(settings::readDword(kKey, "Text"));
    EXPECT_TRUE(settings::deleteValue(kKey, "Text"));
    EXPECT_TRUE(settings::deleteValue("SOFTWARE\\NoSuchKey", "Text"));
}

TEST_F(SettingsStoreTest, NamesThatWouldLeaveTheKeyAreRefused) {
    const char* const badNames[] = {"", "..", ".hidden", "a/b", "../../escape"};
    for (const char* name : badNames) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(settings::writeDword(kKey, name, 1));
        EXPECT_FALSE(settings::readDword(kKey, name));
    }
    const char* const badKeys[] = {"", "SOFTWARE\\..\\x", "SOFTWARE\\\\x", "SOFTWARE/x", "\\SOFTWARE"};
    for (const char* key : badKeys) {
        SCOPED_TRACE(key);
        EXPECT_FALSE(settings::writeDword(key, "Number", 1));
    }
    EXPECT_FALSE(settings::writeDword(nullptr, "Number", 1));
    EXPECT_FALSE(settings::writeDword(kKey, nullptr, 1));
}

#if !defined(_WIN32)
std::string valueFile(const std::string& root, const std::string& name) {
    return root + "/SOFTWARE/Orv-sound/Orvmorix/" + name;
}

void writeRaw(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST_F(SettingsStoreTest, OneFolderPerKeyOneFilePerValue) {
    ASSERT_TRUE(settings::writeDword(kKey, "Number", 0x04030201u));
    std::ifstream in(valueFile(folder.path(), "Number"), std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, std::string("\x04\x01\x02\x03\x04", 5));
}

TEST_F(SettingsStoreTest, DamagedValueFilesGiveNothing) {
    ASSERT_TRUE(settings::writeDword(kKey, "Number", 1));
    const std::string path = valueFile(folder.path(), "Number");
    const std::string damaged[] = {std::string(), std::string("\x04\x01\x02", 3), std::string("\x04\x01\x02\x03\x04\x05", 6),
                                   std::string("\x09\x01\x02\x03\x04", 5)};
    for (const std::string& bytes : damaged) {
        writeRaw(path, bytes);
        EXPECT_FALSE(settings::readDword(kKey, "Number")) << bytes.size();
    }
}

TEST_F(SettingsStoreTest, StringEndsAtItsFirstTerminator) {
    ASSERT_TRUE(settings::writeString(kKey, "Text", "x"));
    writeRaw(valueFile(folder.path(), "Text"), std::string("\x01" "ab\0cd", 6));
    EXPECT_EQ(settings::readString(kKey, "Text"), "ab");
}

TEST_F(SettingsStoreTest, RelativeConfigFolderFallsBackToHome) {
    const std::string home = folder.path() + "/home";
    const char* priorHome = std::getenv("HOME");
    const std::string savedHome = priorHome ? priorHome : "";
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", "relative/config", 1);
    const bool written = settings::writeDword(kKey, "Number", 5);
    ::setenv("HOME", savedHome.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", folder.path().c_str(), 1);
    ASSERT_TRUE(written);
    EXPECT_TRUE(std::ifstream(home + "/.config/SOFTWARE/Orv-sound/Orvmorix/Number").good());
}

// Two writers replace one value over and over while a reader reads it: every read is one of the
// two complete values, never a mixture or a short one.
TEST_F(SettingsStoreTest, ConcurrentWritersNeverLeaveATornValue) {
    const std::vector<uint8_t> a(20000, 0xaa), b(30000, 0xbb);
    ASSERT_TRUE(settings::writeBinary(kKey, "Blob", a.data(), a.size()));
    constexpr int kWritesEach = 25;
    std::atomic<int> writersDone{0};
    std::atomic<int> failedWrites{0};
    auto writer = [&](const std::vector<uint8_t>& v) {
        for (int i = 0; i < kWritesEach; ++i) failedWrites += !settings::writeBinary(kKey, "Blob", v.data(), v.size());
        ++writersDone;
    };
    std::thread wa(writer, std::cref(a)), wb(writer, std::cref(b));
    int torn = 0, reads = 0;
    for (; writersDone.load() < 2; ++reads) {
        const auto v = settings::readBinary(kKey, "Blob");
        torn += !v || (*v != a && *v != b);
    }
    wa.join();
    wb.join();
    EXPECT_EQ(torn, 0) << "of " << reads << " reads";
    EXPECT_EQ(failedWrites.load(), 0);
    // No temporary is left behind.
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path() + "/SOFTWARE/Orv-sound/Orvmorix")) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1u);
}
#endif

}  // namespace
}  // namespace orv
