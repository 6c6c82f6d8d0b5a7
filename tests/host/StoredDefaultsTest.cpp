// What a new instance takes from the user's stored values: default bank, default preset and
// metering preferences.
#include "platform/SettingsStore.h"

#include "PresetHost.h"

namespace orvtest {
namespace {

using orv::settings::kPrefsKey;
using orv::settings::kPresetKey;

void store(const char* name, const Bytes& bytes) {
    ASSERT_TRUE(orv::settings::writeBinary(kPresetKey, name, bytes.data(), bytes.size()));
}

class StoredDefaultsTest : public PresetHostTest {};

TEST_F(StoredDefaultsTest, WithNothingStoredTheFactoryBankStarts) {
    PresetHost factory;
    ASSERT_TRUE(factory.open());
    open();
    EXPECT_EQ(host.state(), factory.state());
    EXPECT_EQ(host.programName(), "Default");
}

TEST_F(StoredDefaultsTest, DefaultPresetBecomesProgramZero) {
    PresetHost factory;
    ASSERT_TRUE(factory.open());
    const TestProgram preset = numberedProgram(4, "My start");
    store("DefaultPreset", presetStream(preset, 9));
    open();
    std::vector<TestProgram> expected = factory.programs();
    expected[0] = preset;
    EXPECT_EQ(host.programs(), expected);
    EXPECT_EQ(host.currentProgram(), 0);
    host.expectParametersOf(preset);
}

TEST_F(StoredDefaultsTest, DefaultBankReplacesEveryProgramAndProgramZeroIsCurrent) {
    const std::vector<TestProgram> bank = numberedBank("Mine ");
    store("DefaultBank", reversedStream(bankStream(bank, 7)));
    open();
    EXPECT_EQ(host.programs(), bank);
    EXPECT_EQ(host.currentProgram(), 0);
    host.expectParametersOf(bank[0]);
}

TEST_F(StoredDefaultsTest, DefaultPresetGoesOverTheDefaultBank) {
    const std::vector<TestProgram> bank = numberedBank("Mine ");
    const TestProgram preset = numberedProgram(20, "Over it");
    store("DefaultBank", bankStream(bank, 0));
    store("DefaultPreset", reversedStream(presetStream(preset)));
    open();
    std::vector<TestProgram> expected = bank;
    expected[0] = preset;
    EXPECT_EQ(host.programs(), expected);
}

TEST_F(StoredDefaultsTest, LegacyDefaultsLoad) {
    const std::vector<TestProgram> bank = numberedBank("Old ");
    const TestProgram preset = numberedProgram(13, "Old preset");
    store("DefaultBank", legacyBank(bank, 26));
    store("DefaultPreset", legacyPreset(preset, 26));
    open();
    std::vector<TestProgram> expected = bank;
    expected[0] = preset;
    EXPECT_EQ(host.programs(), expected);
}

TEST_F(StoredDefaultsTest, DamagedDefaultsAreIgnored) {
    PresetHost factory;
    ASSERT_TRUE(factory.open());
    Bytes bank = bankStream(numberedBank("Bad "), 0);
    putFloat(bank, bankValue(12, 3), 2.0f);
    store("DefaultBank", bank);
    Bytes preset = presetStream(numberedProgram(1, "Cut"));
    preset.resize(preset.size() - 1);
    store("DefaultPreset", preset);
    open();
    EXPECT_EQ(host.state(), factory.state());
}

TEST_F(StoredDefaultsTest, MeteringPreferencesSetTheirParameters) {
    ASSERT_TRUE(orv::settings::writeDword(kPrefsKey, "Metering_Type", 1));
    ASSERT_TRUE(orv::settings::writeDword(kPrefsKey, "Metering_Scale", 2));
    ASSERT_TRUE(orv::settings::writeDword(kPrefsKey, "Metering_AttShow", 5));
    // Outside its steps: ignored rather than reaching the parameter as a value above 1.
    ASSERT_TRUE(orv::settings::writeDword(kPrefsKey, "Metering_Zoom", 2));
    ASSERT_TRUE(orv::settings::writeDword(kPrefsKey, "Metering_Post", 0xffffffffu));
    open();
    EXPECT_EQ(host.getParameter(18), 0.75f);
    EXPECT_EQ(host.getParameter(9), 2.0f / 3.0f + 0.5f / 3.0f);
    EXPECT_EQ(host.getParameter(20), 5.0f / 8.0f + 0.5f / 8.0f);
    EXPECT_EQ(host.getParameter(19), 0.0f);
    EXPECT_EQ(host.getParameter(21), 0.0f);
    EXPECT_EQ(host.getParameter(14), 0.0f);
    // They are part of the current program like any other change.
    EXPECT_EQ(host.programs()[0].values[18], 0.75f);
}

}  // namespace
}  // namespace orvtest
