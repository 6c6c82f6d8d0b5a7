// The host chunk: the whole bank out and back in, in either byte order and in the legacy layout;
// anything malformed is refused with -1 and changes nothing.
#include <atomic>
#include <functional>
#include <limits>
#include <thread>

#include "PresetHost.h"

namespace orvtest {
namespace {

class ProgramChunkTest : public PresetHostTest {
protected:
    void SetUp() override {
        PresetHostTest::SetUp();
        open();
    }
};

TEST_F(ProgramChunkTest, ChunkIsTheWholeBankWhateverTheHostAsks) {
    for (int32_t isPreset : {0, 1}) {
        const Bytes chunk = host.getChunk(isPreset);
        ASSERT_EQ(chunk.size(), 27049u);
        EXPECT_EQ(Bytes(chunk.begin(), chunk.begin() + 4), (Bytes{0, 0, 0, 2}));
        EXPECT_EQ(get32(chunk, 4), kEffectId);
        EXPECT_EQ(chunk[12], '8');
        EXPECT_EQ(get32(chunk, 8 + 5), 0x01050000u);
        EXPECT_EQ(get32(chunk, 8 + 9), 26u);
        EXPECT_EQ(get32(chunk, 8 + 13), 729u);
        EXPECT_EQ(get32(chunk, 8 + 21), 27000u);
        // The 28th record is program 1's name record.
        EXPECT_EQ(get32(chunk, 8 + bankNameRecord(1)), 0u);
        EXPECT_EQ(get32(chunk, 8 + bankNameRecord(1) + 8), 1u);
    }
}

TEST_F(ProgramChunkTest, LoadedBankRestoresEveryProgramAndTheCurrentOne) {
    const std::vector<TestProgram> bank = numberedBank("Program ");
    ASSERT_EQ(host.setChunk(chunkOf(bankStream(bank, 5))), 0);
    EXPECT_EQ(host.programs(), bank);
    EXPECT_EQ(host.currentProgram(), 5);
    EXPECT_EQ(host.programName(), "Program 5");
    host.expectParametersOf(bank[5]);

    // What it gives back loads into another instance as the same state.
    PresetHost other;
    ASSERT_TRUE(other.open());
    ASSERT_EQ(other.setChunk(host.getChunk()), 0);
    EXPECT_EQ(other.state(), host.state());
}

TEST_F(ProgramChunkTest, ByteReversedChunkLoadsLikeTheOriginal) {
    const Bytes stream = bankStream(numberedBank("Rev "), 11);
    PresetHost reference;
    ASSERT_TRUE(reference.open());
    ASSERT_EQ(reference.setChunk(chunkOf(stream)), 0);
    ASSERT_EQ(host.setChunk(reversedChunkOf(stream)), 0);
    EXPECT_EQ(host.state(), reference.state());
    EXPECT_EQ(host.programName(), "Rev 11");
}

TEST_F(ProgramChunkTest, ParameterChangesAndRenamesAreSaved) {
    host.setParameter(1, 0.75f);
    char name[] = "A name that is thirty chars!!";
    host.dispatch(effSetProgramName, 0, 0, name);
    EXPECT_EQ(host.programName(), "A name that is thirty c");
    const std::vector<TestProgram> programs = host.programs();
    EXPECT_EQ(programs[0].values[1], 0.75f);
    EXPECT_EQ(programs[0].name, "A name that is thirty c");
}

TEST_F(ProgramChunkTest, HostProgramCallsNeverChangeTheCurrentProgram) {
    ASSERT_EQ(host.setChunk(chunkOf(bankStream(numberedBank("P"), 4))), 0);
    host.dispatch(effSetProgram, 0, 0);
    host.dispatch(effSetProgram, 0, 9);
    EXPECT_EQ(host.dispatch(effGetProgram), 0);
    EXPECT_EQ(host.currentProgram(), 4);
    EXPECT_EQ(host.text(effGetProgramNameIndexed, 26), "P26");
    char untouched[40] = "untouched";
    EXPECT_EQ(host.dispatch(effGetProgramNameIndexed, 27, 0, untouched), 0);
    EXPECT_STREQ(untouched, "untouched");
}

TEST_F(ProgramChunkTest, CurrentIndexOutsideTheBankMakesProgramZeroCurrent) {
    const std::vector<TestProgram> bank = numberedBank("B");
    for (int32_t current : {27, 40, -1}) {
        ASSERT_EQ(host.setChunk(chunkOf(bankStream(bank, 3))), 0);
        ASSERT_EQ(host.setChunk(chunkOf(bankStream(bank, current))), 0) << current;
        EXPECT_EQ(host.currentProgram(), 0) << current;
    }
}

TEST_F(ProgramChunkTest, RecordsOfUnknownTypesAndIndicesAreSkipped) {
    const std::vector<TestProgram> bank = numberedBank("S");
    Bytes stream = bankStream(bank, 2);
    put32(stream, bankValueRecord(3, 7) + 8, 40);  // program index outside the bank
    put32(stream, bankValueRecord(4, 2) + 12, 30);  // parameter index outside 0..25
    putFloat(stream, bankValue(4, 2), 5.0f);        // (so its value does not count)
    put32(stream, bankValueRecord(5, 1), 7);        // unknown record type
    putFloat(stream, bankValue(5, 1), std::numeric_limits<float>::quiet_NaN());
    ASSERT_EQ(host.setChunk(chunkOf(stream)), 0);
    // A skipped value keeps the template's ("Default") value: its program was reset by its name record.
    const std::vector<TestProgram> programs = host.programs();
    const float defaults[] = {0.2f, 0.5f, 0.7237f};
    EXPECT_EQ(programs[3].values[7], 0.0f);
    EXPECT_EQ(programs[4].values[2], defaults[0]);
    EXPECT_EQ(programs[5].values[1], defaults[1]);
    EXPECT_EQ(programs[6], bank[6]);
}

// ---------------------------------------------------------------- legacy layout

struct LegacyCase {
    const char* what;
    size_t programs;
    int values;
    int32_t current;
    bool reversed;
};

TEST_F(ProgramChunkTest, LegacyChunksLoad) {
    const LegacyCase cases[] = {
        {"27 full records", 27, 26, 3, false},
        {"same, other byte order", 27, 26, 3, true},
        {"30 records: only 27 taken", 30, 26, 8, false},
        {"20 values a record", 27, 20, 0, false},
        {"fewer programs than the bank", 5, 26, 2, true},
        {"current index outside the bank", 27, 26, 31, false},
    };
    const TestProgram templ = host.programs()[0];  // "Default"
    for (const LegacyCase& c : cases) {
        SCOPED_TRACE(c.what);
        PresetHost fresh;
        ASSERT_TRUE(fresh.open());
        const std::vector<TestProgram> before = fresh.programs();
        std::vector<TestProgram> legacy;
        for (size_t p = 0; p < c.programs; ++p) legacy.push_back(numberedProgram(static_cast<int>(p % 27), "L" + std::to_string(p)));
        ASSERT_EQ(fresh.setChunk(legacyChunk(legacy, c.current, c.values, c.reversed)), 0);
        const std::vector<TestProgram> after = fresh.programs();
        for (int p = 0; p < kPrograms; ++p) {
            if (static_cast<size_t>(p) >= c.programs) {
                EXPECT_EQ(after[p], before[p]) << "program " << p;
                continue;
            }
            EXPECT_EQ(after[p].name, legacy[p].name);
            for (int k = 0; k < kParams; ++k)
                EXPECT_EQ(after[p].values[k], k < c.values ? legacy[p].values[k] : templ.values[k]) << p << "/" << k;
        }
        const int32_t current = c.current >= 0 && c.current < kPrograms ? c.current : 0;
        EXPECT_EQ(fresh.currentProgram(), current);
        fresh.expectParametersOf(after[current]);
    }
}

// ---------------------------------------------------------------- refused chunks

struct RefusedCase {
    const char* what;
    std::function<Bytes()> make;
};

Bytes goodStream() { return bankStream(numberedBank("G"), 6); }

Bytes withStream(const std::function<void(Bytes&)>& damage) {
    Bytes stream = goodStream();
    damage(stream);
    return chunkOf(stream);
}

Bytes withChunk(const std::function<void(Bytes&)>& damage) {
    Bytes chunk = chunkOf(goodStream());
    damage(chunk);
    return chunk;
}

Bytes cutTo(size_t size) {
    Bytes chunk = chunkOf(goodStream());
    chunk.resize(size);
    return chunk;
}

Bytes legacyWith(const std::function<void(Bytes&)>& damage) {
    Bytes chunk = legacyChunk(numberedBank("L"), 2, 26);
    damage(chunk);
    return chunk;
}

const RefusedCase kRefused[] = {
    {"empty", [] { return Bytes(); }},
    {"shorter than the chunk header", [] { return cutTo(7); }},
    {"header only", [] { return cutTo(8); }},
    {"stream header cut", [] { return cutTo(48); }},
    {"records cut short", [] { return cutTo(27048); }},
    {"records cut in the middle", [] { return cutTo(49 + 5000); }},
    {"foreign identifier", [] { return withChunk([](Bytes& c) { put32(c, 4, 0x4F764D79); }); }},
    {"unknown version", [] { return withChunk([](Bytes& c) { put32(c, 0, 0x03000000); }); }},
    {"version in the other byte order only", [] { return withChunk([](Bytes& c) { reverse32(c, 0); }); }},
    {"stream of another effect", [] { return withStream([](Bytes& s) { put32(s, 0, 0x12345678); }); }},
    {"preset stream instead of a bank", [] { return withStream([](Bytes& s) { s[4] = 0x22; }); }},
    {"negative record count", [] { return withStream([](Bytes& s) { put32(s, 13, 0xffffffffu); }); }},
    {"more records than bytes", [] { return withStream([](Bytes& s) { put32(s, 13, 730); }); }},
    {"record bytes beyond the end", [] { return withStream([](Bytes& s) { put32(s, 21, 27001); }); }},
    {"negative record bytes", [] { return withStream([](Bytes& s) { put32(s, 21, 0x80000000u); }); }},
    {"negative record size", [] { return withStream([](Bytes& s) { put32(s, bankValueRecord(2, 3) + 4, 0xfffffff4u); }); }},
    {"record size beyond the end", [] { return withStream([](Bytes& s) { put32(s, bankValueRecord(26, 24) + 4, 60); }); }},
    {"name record too short for a name", [] { return withStream([](Bytes& s) { put32(s, bankNameRecord(9) + 4, 20); }); }},
    {"value record too short for a value", [] { return withStream([](Bytes& s) { put32(s, bankValueRecord(9, 0) + 4, 12); }); }},
    {"value above 1", [] { return withStream([](Bytes& s) { putFloat(s, bankValue(3, 7), 1.5f); }); }},
    {"negative value", [] { return withStream([](Bytes& s) { putFloat(s, bankValue(26, 25), -0.001f); }); }},
    {"NaN value", [] { return withStream([](Bytes& s) { putFloat(s, bankValue(0, 0), std::numeric_limits<float>::quiet_NaN()); }); }},
    {"legacy: no programs", [] { return legacyWith([](Bytes& c) { put32(c, 8, 0); }); }},
    {"legacy: negative count", [] { return legacyWith([](Bytes& c) { put32(c, 8, 0xfffffffbu); }); }},
    {"legacy: records too short for a name", [] { return legacyWith([](Bytes& c) { put32(c, 8, 200); }); }},
    {"legacy: header cut", [] { return legacyWith([](Bytes& c) { c.resize(31); }); }},
    {"legacy: value above 1", [] { return legacyWith([](Bytes& c) { putFloat(c, 32 + 5 * 128 + 24 + 4 * 3, 1.01f); }); }},
    {"legacy: NaN value", [] { return legacyWith([](Bytes& c) { putFloat(c, 32 + 26 * 128 + 24, std::numeric_limits<float>::quiet_NaN()); }); }},
};

TEST_F(ProgramChunkTest, MalformedChunksAreRefusedAndChangeNothing) {
    // Start from a state that is not the factory one, so a partial load would show.
    ASSERT_EQ(host.setChunk(chunkOf(bankStream(numberedBank("Before "), 9))), 0);
    const PresetHost::State before = host.state();
    for (const RefusedCase& c : kRefused) {
        SCOPED_TRACE(c.what);
        const Bytes chunk = c.make();
        host.clearRequests();
        EXPECT_EQ(host.setChunk(chunk), -1);
        EXPECT_EQ(host.count(audioMasterUpdateDisplay), 0u);
        EXPECT_TRUE(host.state() == before);
    }
    EXPECT_EQ(host.dispatch(effSetChunk, 0, 27049, nullptr), -1);
    EXPECT_EQ(host.dispatch(effSetChunk, 0, -5, host.getChunk().data()), -1);
}

// An automation thread sets parameters while another thread saves and restores the chunk.
TEST_F(ProgramChunkTest, ChunkCallsRunBesideAutomation) {
    const Bytes chunk = chunkOf(bankStream(numberedBank("T"), 1));
    std::atomic<bool> stop{false};
    std::atomic<int> automated{0};
    std::thread automation([&] {
        for (int n = 0; !stop.load(); ++n, ++automated) host.setParameter(n % 22, static_cast<float>(n % 100) / 100.0f);
    });
    // Both sides keep going until each has done plenty while the other ran.
    int rounds = 0, loaded = 0;
    for (; rounds < 40 || automated.load() < 5000; ++rounds) {
        loaded += host.setChunk(chunk) == 0;
        EXPECT_EQ(host.getChunk().size(), 27049u);
    }
    stop = true;
    automation.join();
    EXPECT_EQ(loaded, rounds);
    // Once automation stops, the state is a consistent bank again.
    ASSERT_EQ(host.setChunk(chunk), 0);
    EXPECT_EQ(host.programs(), numberedBank("T"));
}

}  // namespace
}  // namespace orvtest
