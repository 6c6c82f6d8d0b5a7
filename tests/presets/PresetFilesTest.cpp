// Preset and bank files: what saving writes, and every layout loading accepts or refuses.
#include <functional>
#include <limits>

#include "PresetFixture.h"

namespace orvtest {
namespace {

Bytes withoutLastByte(Bytes b) {
    b.pop_back();
    return b;
}

class PresetFilesTest : public PresetSystemTest {
protected:
    orv::CPresetSystemEditor& presets() { return effect.presets(); }

    TempFileFolder files;
    PresetTestEffect effect;
};

TEST_F(PresetFilesTest, SavedPresetLoadsBackIntoTheCurrentProgramOnly) {
    effect.select(4);
    effect.setParameter(2, 0.125f);
    effect.renameCurrentProgram("Saved one");
    ASSERT_TRUE(presets().savePresetFile(files.file("one.orv")));
    EXPECT_EQ(files.read("one.orv"), presetStream(effect.programAt(4)));
    const TestProgram saved = effect.programAt(4);

    effect.select(9);
    std::vector<TestProgram> expected = effect.allPrograms();
    expected[9] = saved;
    ASSERT_TRUE(presets().loadPresetFile(files.file("one.orv"), false));
    EXPECT_EQ(effect.allPrograms(), expected);
    EXPECT_EQ(effect.getCurrentProgramIndex(), 9);
    EXPECT_EQ(effect.live[2], 0.125f);
}

TEST_F(PresetFilesTest, SavedBankLoadsBackWithProgramZeroCurrent) {
    effect.select(5);
    effect.setParameter(0, 0.5f);
    ASSERT_TRUE(presets().saveBankFile(files.file("all.orvb")));
    EXPECT_EQ(files.read("all.orvb"), bankStream(effect.allPrograms(), 5));
    const std::vector<TestProgram> saved = effect.allPrograms();

    ASSERT_TRUE(presets().loadBankImage({bankStream(numberedBank("X"), 3).data(), 27041}, false, false));
    ASSERT_TRUE(presets().loadBankFile(files.file("all.orvb"), false));
    EXPECT_EQ(effect.allPrograms(), saved);
    EXPECT_EQ(effect.getCurrentProgramIndex(), 0);
    for (int k = 0; k < kParams; ++k) EXPECT_EQ(effect.live[k], saved[0].values[k]);
}

struct AcceptedPreset {
    const char* what;
    Bytes file;
    bool endianReversed;
    TestProgram expected;  // values past the file's count come from the "Default" template
};

TEST_F(PresetFilesTest, EveryPresetLayoutLoads) {
    const TestProgram p = numberedProgram(6, "Layout");
    const TestProgram templ = effect.programAt(0);
    TestProgram shortOne = p;
    shortOne.values[25] = templ.values[25];

    Bytes identifierOnlyUnswapped = reversedStream(presetStream(p));
    put32(identifierOnlyUnswapped, 0, kEffectId);
    Bytes legacyReversed = legacyPreset(p, 26);
    reverse32(legacyReversed, 0);
    for (int k = 0; k < 26; ++k) reverse32(legacyReversed, 5 + 24 + 4 * k);

    const AcceptedPreset cases[] = {
        {"stream", presetStream(p), false, p},
        {"stream from the other byte order", reversedStream(presetStream(p)), false, p},
        {"endian-reversed load of a stream whose identifier was not turned", identifierOnlyUnswapped, true, p},
        {"legacy, 129 bytes: 25 values", legacyPreset(p, 25), false, shortOne},
        {"legacy with more values than parameters", legacyPreset(p, 40), false, p},
        {"legacy from the other byte order", legacyReversed, false, p},
    };
    for (const AcceptedPreset& c : cases) {
        SCOPED_TRACE(c.what);
        effect.select(2);
        ASSERT_TRUE(presets().loadPresetImage({presetStream(numberedProgram(1, "Before")).data(), 1041}, false));
        EXPECT_TRUE(presets().loadPresetFile(files.write("in.orv", c.file), c.endianReversed));
        EXPECT_EQ(effect.programAt(2), c.expected);
    }
    EXPECT_EQ(legacyPreset(p, 25).size(), 129u);
}

TEST_F(PresetFilesTest, BankFileFromTheOtherByteOrderLoadsWithProgramZeroCurrent) {
    const std::vector<TestProgram> bank = numberedBank("Big-endian ");
    ASSERT_TRUE(presets().loadBankFile(files.write("be.orvb", reversedStream(bankStream(bank, 14))), false));
    EXPECT_EQ(effect.allPrograms(), bank);
    EXPECT_EQ(effect.getCurrentProgramIndex(), 0);
    for (int k = 0; k < kParams; ++k) EXPECT_EQ(effect.live[k], bank[0].values[k]);
}

TEST_F(PresetFilesTest, LegacyBankLoadsAllProgramsAndSkipsExcludedParameters) {
    const std::vector<TestProgram> bank = numberedBank("Legacy ");
    const Bytes file = legacyBank(bank, 26);
    ASSERT_EQ(file.size(), 5u + 27u * 128u);
    effect.select(8);
    ASSERT_TRUE(presets().loadBankFile(files.write("old.orvb", file), false));
    EXPECT_EQ(effect.allPrograms(), bank);
    EXPECT_EQ(effect.getCurrentProgramIndex(), 0);

    effect.excludedFromLoading.set(1);
    ASSERT_TRUE(presets().loadBankFile(files.write("old.orvb", legacyBank(numberedBank("Again "), 26)), false));
    EXPECT_EQ(effect.programAt(13).values[1], effect.getDefaultProgram().value(1));
    EXPECT_EQ(effect.programAt(13).values[2], numberedBank("")[13].values[2]);
}

TEST_F(PresetFilesTest, RefusedFilesChangeNothing) {
    effect.select(6);
    ASSERT_TRUE(presets().loadPresetImage({presetStream(numberedProgram(1, "Before")).data(), 1041}, false));
    const State before = stateOf(effect);
    const TestProgram p = numberedProgram(3, "Refused");
    Bytes badLegacy = legacyPreset(p, 26);
    putFloat(badLegacy, 5 + 24 + 4 * 7, std::numeric_limits<float>::infinity());
    Bytes badLegacyBank = legacyBank(numberedBank("B"), 26);
    putFloat(badLegacyBank, 5 + 26 * 128 + 24, -1.0f);
    Bytes foreign = presetStream(p);
    put32(foreign, 0, 0x4D764F78);
    Bytes cutBank = bankStream(numberedBank("C"), 0);
    cutBank.resize(20000);

    struct Refused {
        const char* what;
        bool bank;
        Bytes file;
        bool endianReversed;
    };
    const Refused cases[] = {
        {"empty file", false, {}, false},
        {"four bytes", true, {0x78, 0x4D, 0x76, 0x4F}, false},
        {"foreign identifier", false, foreign, false},
        {"bank file given to preset loading", false, bankStream(numberedBank("K"), 0), false},
        {"preset file given to bank loading", true, presetStream(p), false},
        {"legacy bank given to preset loading", false, legacyBank(numberedBank("K"), 26), false},
        {"endian-reversed load of a normal file", false, presetStream(p), true},
        {"legacy preset too short for its name", false, withoutLastByte(legacyPreset(p, 0)), false},
        {"legacy preset with an infinite value", false, badLegacy, false},
        {"legacy bank with a negative value", true, badLegacyBank, false},
        {"legacy bank too short for 27 names", true, withoutLastByte(legacyBank(numberedBank("S"), 0)), false},
        {"bank file cut short", true, cutBank, false},
        {"unknown kind", true, [&] { Bytes b = bankStream(numberedBank("U"), 0); b[4] = 0x39; return b; }(), false},
    };
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = files.write(c.bank ? "in.orvb" : "in.orv", c.file);
        EXPECT_FALSE(c.bank ? presets().loadBankFile(path, c.endianReversed) : presets().loadPresetFile(path, c.endianReversed));
        EXPECT_TRUE(stateOf(effect) == before);
    }
    EXPECT_FALSE(presets().loadPresetFile(files.file("missing.orv"), false));
    EXPECT_FALSE(presets().loadBankFile(files.folderWithSeparator(), false));
    EXPECT_TRUE(stateOf(effect) == before);
}

TEST_F(PresetFilesTest, ReadOnlyFileLoads) {
    const std::string path = files.write("locked.orv", presetStream(numberedProgram(2, "Locked")));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_TRUE(presets().loadPresetFile(path, false));
    EXPECT_EQ(effect.currentProgram().name, "Locked");
}

TEST_F(PresetFilesTest, ChosenPathsAreRemembered) {
    ASSERT_TRUE(presets().savePresetFile(files.file("My Song.orv")));
    ASSERT_TRUE(presets().saveBankFile(files.file("Album.orvb")));
    const orv::RememberedPaths& paths = presets().rememberedPaths();
    EXPECT_EQ(paths.folder(), files.folderWithSeparator());
    EXPECT_EQ(paths.fileName(orv::RememberedPaths::Kind::Preset), "My Song.orv");
    EXPECT_EQ(paths.fileName(orv::RememberedPaths::Kind::Bank), "Album.orvb");
    // A bare name is a file in the remembered folder.
    EXPECT_TRUE(presets().loadPresetFile("My Song.orv", false));
    EXPECT_EQ(paths.folder(), files.folderWithSeparator());
}

}  // namespace
}  // namespace orvtest
