// The user's stored values: default bank and preset, the compare memories, the remembered paths,
// the metering preferences and the manual's location.
#include "platform/SettingsStore.h"

#include "PresetFixture.h"

namespace orvtest {
namespace {

using orv::settings::kPrefsKey;
using orv::settings::kPresetKey;

class StoredValuesTest : public PresetSystemTest {};

TEST_F(StoredValuesTest, MemoryRecallsTheStoredProgramIntoTheCurrentOne) {
    PresetTestEffect effect;
    effect.setParameter(1, 0.3f);
    effect.renameCurrentProgram("Compare me");
    const TestProgram stored = effect.currentProgram();
    ASSERT_TRUE(effect.presets().storeMemoA());
    effect.setParameter(1, 0.9f);
    ASSERT_TRUE(effect.presets().storeMemoB());
    effect.setParameter(1, 0.1f);
    effect.renameCurrentProgram("Changed");

    ASSERT_TRUE(effect.presets().recallMemoA());
    EXPECT_EQ(effect.currentProgram(), stored);
    EXPECT_EQ(effect.live[1], 0.3f);
    ASSERT_TRUE(effect.presets().recallMemoB());
    EXPECT_EQ(effect.live[1], 0.9f);

    // Another program made current takes the memory as a whole, name included.
    effect.select(12);
    ASSERT_TRUE(effect.presets().recallMemoA());
    EXPECT_EQ(effect.programAt(12), stored);

    // Memories are shared by the user's instances.
    PresetTestEffect other;
    ASSERT_TRUE(other.presets().recallMemoA());
    EXPECT_EQ(other.programAt(0), stored);
}

TEST_F(StoredValuesTest, MemoryNeverStoredRecallsNothing) {
    PresetTestEffect effect;
    effect.setParameter(4, 0.8f);
    const State before = stateOf(effect);
    EXPECT_FALSE(effect.presets().recallMemoA());
    EXPECT_FALSE(effect.presets().recallMemoB());
    EXPECT_TRUE(stateOf(effect) == before);
}

TEST_F(StoredValuesTest, DamagedMemoryRecallsNothing) {
    PresetTestEffect effect;
    const State before = stateOf(effect);
    Bytes cut = presetStream(numberedProgram(1, "x"));
    cut.resize(cut.size() - 4);
    const Bytes damaged[] = {Bytes{0x78, 0x4D, 0x76, 0x4F}, cut};
    for (const Bytes& bytes : damaged) {
        ASSERT_TRUE(orv::settings::writeBinary(kPresetKey, "MemoA", bytes.data(), bytes.size()));
        EXPECT_FALSE(effect.presets().recallMemoA());
        EXPECT_TRUE(stateOf(effect) == before);
    }
    // A string where a stream belongs is not read as one.
    ASSERT_TRUE(orv::settings::writeString(kPresetKey, "MemoA", "OvMx\"..."));
    EXPECT_FALSE(effect.presets().recallMemoA());
}

TEST_F(StoredValuesTest, StoredDefaultsStartNewInstancesUntilCleared) {
    std::vector<TestProgram> factory;
    {
        PresetTestEffect effect;
        factory = effect.allPrograms();
        effect.select(3);
        effect.setParameter(0, 0.25f);
        ASSERT_TRUE(effect.presets().storeDefaultBank());
        effect.setParameter(0, 0.75f);
        ASSERT_TRUE(effect.presets().storeDefaultPreset());
    }
    std::vector<TestProgram> expected = factory;
    expected[3].values[0] = 0.25f;
    expected[0] = factory[3];
    expected[0].values[0] = 0.75f;
    {
        PresetTestEffect effect;
        EXPECT_EQ(effect.allPrograms(), expected);
        EXPECT_EQ(effect.getCurrentProgramIndex(), 0);
        EXPECT_EQ(effect.live[0], 0.75f);
        ASSERT_TRUE(effect.presets().clearDefaultPreset());
    }
    {
        PresetTestEffect effect;
        expected[0] = factory[0];
        EXPECT_EQ(effect.allPrograms(), expected);
        ASSERT_TRUE(effect.presets().clearDefaultBank());
    }
    PresetTestEffect effect;
    EXPECT_EQ(effect.allPrograms(), factory);
    EXPECT_TRUE(effect.presets().clearDefaultBank());
}

TEST_F(StoredValuesTest, RememberedPathsOutliveTheInstance) {
    TempFileFolder files;
    {
        PresetTestEffect effect;
        ASSERT_TRUE(effect.presets().savePresetFile(files.file("Tune.orv")));
        ASSERT_TRUE(effect.presets().saveBankFile(files.file("Set.orvb")));
    }
    EXPECT_EQ(orv::settings::readString(kPresetKey, "CurrDir"), files.folderWithSeparator());
    EXPECT_EQ(orv::settings::readString(kPresetKey, "CurrPreset"), "Tune.orv");
    EXPECT_EQ(orv::settings::readString(kPresetKey, "CurrBank"), "Set.orvb");

    // An instance that chose nothing leaves what another one stored after it started.
    auto idle = std::make_unique<PresetTestEffect>();
    {
        PresetTestEffect busy;
        EXPECT_EQ(busy.presets().rememberedPaths().fileName(orv::RememberedPaths::Kind::Preset), "Tune.orv");
        ASSERT_TRUE(busy.presets().savePresetFile(files.file("Newer.orv")));
    }
    idle.reset();
    EXPECT_EQ(orv::settings::readString(kPresetKey, "CurrPreset"), "Newer.orv");
}

TEST_F(StoredValuesTest, NothingStoredLeavesEmptyPaths) {
    PresetTestEffect effect;
    const orv::RememberedPaths& paths = effect.presets().rememberedPaths();
    EXPECT_EQ(paths.folder(), "");
    EXPECT_EQ(paths.fileName(orv::RememberedPaths::Kind::Bank), "");
    EXPECT_EQ(effect.presets().manualPath(), "");
    ASSERT_TRUE(orv::settings::writeString(kPresetKey, "ManualPath", "/usr/share/doc/orvmorix/manual.pdf"));
    EXPECT_EQ(effect.presets().manualPath(), "/usr/share/doc/orvmorix/manual.pdf");
}

TEST_F(StoredValuesTest, MeteringPreferencesStoreTheCurrentSteps) {
    {
        PresetTestEffect effect;
        effect.setParameter(9, 0.9f);    // Scale: K-20
        effect.setParameter(18, 0.6f);   // MeterType: k-system
        effect.setParameter(20, 0.3f);   // AttShow: mask 2
        effect.setParameter(14, 1.0f);   // MeterOvs: on
        ASSERT_TRUE(effect.presets().saveMeteringPrefs());
    }
    EXPECT_EQ(orv::settings::readDword(kPrefsKey, "Metering_Scale"), 2u);
    EXPECT_EQ(orv::settings::readDword(kPrefsKey, "Metering_Type"), 1u);
    EXPECT_EQ(orv::settings::readDword(kPrefsKey, "Metering_Zoom"), 0u);
    EXPECT_EQ(orv::settings::readDword(kPrefsKey, "Metering_AttShow"), 2u);
    EXPECT_EQ(orv::settings::readDword(kPrefsKey, "Metering_Recon"), 1u);
    EXPECT_EQ(orv::settings::readDword(kPrefsKey, "Metering_Post"), 0u);

    PresetTestEffect effect;
    effect.loadMeteringPrefs();
    // Each step's centre: i/n + 0.5/n.
    EXPECT_EQ(effect.currentProgram().values[9], 2.0f / 3.0f + 0.5f / 3.0f);
    EXPECT_EQ(effect.currentProgram().values[18], 0.75f);
    EXPECT_EQ(effect.currentProgram().values[20], 2.0f / 8.0f + 0.5f / 8.0f);
    EXPECT_EQ(effect.currentProgram().values[14], 0.75f);
}

}  // namespace
}  // namespace orvtest
