// The program stream writers and readers, compared with streams built byte by byte.
#include <functional>
#include <limits>

#include "PresetFixture.h"

namespace orvtest {
namespace {

class ProgramStreamTest : public PresetSystemTest {
protected:
    Bytes writePreset() {
        std::vector<uint8_t> out;
        const int32_t length = effect.presets().writePresetStream(out);
        EXPECT_EQ(length, static_cast<int32_t>(out.size()));
        return out;
    }
    Bytes writeBank() {
        std::vector<uint8_t> out;
        const int32_t length = effect.presets().writeBankStream(out);
        EXPECT_EQ(length, static_cast<int32_t>(out.size()));
        return out;
    }
    bool loadPreset(const Bytes& image) { return effect.presets().loadPresetImage({image.data(), image.size()}, false); }
    bool loadBank(const Bytes& image) { return effect.presets().loadBankImage({image.data(), image.size()}, false, false); }

    PresetTestEffect effect;
};

TEST_F(ProgramStreamTest, WritersProduceTheDocumentedBytes) {
    const Bytes preset = writePreset();
    ASSERT_EQ(preset.size(), 1041u);
    EXPECT_EQ(preset[4], 0x22);
    EXPECT_EQ(Bytes(preset.begin() + 5, preset.begin() + 9), (Bytes{0, 0, 5, 1}));
    EXPECT_EQ(get32(preset, 13), 27u);
    EXPECT_EQ(get32(preset, 21), 1000u);
    EXPECT_EQ(preset, presetStream(effect.programAt(0)));

    effect.select(5);
    const Bytes bank = writeBank();
    ASSERT_EQ(bank.size(), 27041u);
    EXPECT_EQ(bank, bankStream(effect.allPrograms(), 5));
}

TEST_F(ProgramStreamTest, ExcludedParametersAreNeitherWrittenNorMissedOnReading) {
    effect.excludedFromSaving.set(3).set(25);
    const Bytes preset = writePreset();
    EXPECT_EQ(preset.size(), 41u + 168u + 24u * 32u);
    EXPECT_EQ(get32(preset, 13), 25u);
    EXPECT_EQ(writeBank().size(), 41u + 27u * (168u + 24u * 32u));
    for (size_t at = 41 + 168; at < preset.size(); at += 32) EXPECT_NE(get32(preset, at + 12), 3u);

    // Loaded into a program that differs everywhere: the left-out values come from the template.
    effect.select(1);
    ASSERT_TRUE(loadPreset(presetStream(numberedProgram(3, "Elsewhere"))));
    ASSERT_TRUE(loadPreset(preset));
    const TestProgram loaded = effect.currentProgram();
    const TestProgram templ = effect.programAt(0);
    EXPECT_EQ(loaded.values[3], templ.values[3]);
    for (int k = 0; k < kParams; ++k) EXPECT_EQ(loaded.values[k], templ.values[k]) << k;
}

TEST_F(ProgramStreamTest, PresetStreamLoadsIntoTheCurrentProgramWhateverIndexItNames) {
    effect.select(7);
    const std::vector<TestProgram> before = effect.allPrograms();
    const TestProgram preset = numberedProgram(11, "Twenty-four characters!!");
    ASSERT_TRUE(loadPreset(reversedStream(presetStream(preset, 9))));
    std::vector<TestProgram> expected = before;
    expected[7] = preset;
    expected[7].name = "Twenty-four characters!";  // the store keeps 23
    EXPECT_EQ(effect.allPrograms(), expected);
    EXPECT_EQ(effect.getCurrentProgramIndex(), 7);
    for (int k = 0; k < kParams; ++k) EXPECT_EQ(effect.live[k], preset.values[k]);
}

TEST_F(ProgramStreamTest, BankStreamResetsAProgramAtItsNameRecord) {
    const std::vector<TestProgram> bank = numberedBank("N");
    Bytes stream = bankStream(bank, 2);
    // Program 4 carries only 20 of its values; program 6's first value record comes before its
    // name record and is lost there.
    put32(stream, 13, 26 * 27 + 27 - 6);
    const size_t cutFrom = bankValueRecord(4, 20), cutTo = bankNameRecord(5);
    stream.erase(stream.begin() + cutFrom, stream.begin() + cutTo);
    put32(stream, 21, static_cast<uint32_t>(stream.size() - 41));
    const size_t p6 = bankNameRecord(6) - (cutTo - cutFrom);
    Bytes nameRecord(stream.begin() + p6, stream.begin() + p6 + 168);
    Bytes firstValue(stream.begin() + p6 + 168, stream.begin() + p6 + 200);
    std::copy(firstValue.begin(), firstValue.end(), stream.begin() + p6);
    std::copy(nameRecord.begin(), nameRecord.end(), stream.begin() + p6 + 32);

    ASSERT_TRUE(loadBank(stream));
    const std::vector<TestProgram> loaded = effect.allPrograms();
    const orv::ProgramRecord& templ = effect.getDefaultProgram();
    for (int k = 0; k < kParams; ++k) {
        EXPECT_EQ(loaded[4].values[k], k < 20 ? bank[4].values[k] : templ.value(k)) << k;
        EXPECT_EQ(loaded[6].values[k], k > 0 ? bank[6].values[k] : templ.value(k)) << k;
    }
    EXPECT_EQ(loaded[4].name, "N4");
    EXPECT_EQ(loaded[5], bank[5]);
    EXPECT_EQ(effect.getCurrentProgramIndex(), 2);
}

TEST_F(ProgramStreamTest, MalformedPresetStreamsChangeNothing) {
    effect.select(3);
    const State before = stateOf(effect);
    auto damaged = [](const std::function<void(Bytes&)>& damage) {
        Bytes s = presetStream(numberedProgram(2, "Damaged"));
        damage(s);
        return s;
    };
    const std::pair<const char*, Bytes> cases[] = {
        {"value above 1", damaged([](Bytes& s) { putFloat(s, 41 + 168 + 5 * 32 + 24, 1.25f); })},
        {"NaN", damaged([](Bytes& s) { putFloat(s, 41 + 168 + 25 * 32 + 24, std::numeric_limits<float>::quiet_NaN()); })},
        {"negative count", damaged([](Bytes& s) { put32(s, 13, 0x80000000u); })},
        {"count past the records", damaged([](Bytes& s) { put32(s, 13, 28); })},
        {"record bytes past the end", damaged([](Bytes& s) { put32(s, 21, 1001); })},
        {"record size past the end", damaged([](Bytes& s) { put32(s, 41 + 4, 2000); })},
        {"header cut", damaged([](Bytes& s) { s.resize(40); })},
        {"records cut", damaged([](Bytes& s) { s.resize(1040); })},
        {"identifier and kind only", damaged([](Bytes& s) { s.resize(5); })},
        {"bank kind", damaged([](Bytes& s) { s[4] = 0x38; })},
    };
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        EXPECT_FALSE(loadPreset(bytes));
        EXPECT_TRUE(stateOf(effect) == before);
    }
}

}  // namespace
}  // namespace orvtest
