// Program streams, host chunks and legacy layouts built byte by byte for tests, independently of
// the plug-in's own writers, so a reader and a writer cannot share a mistake unnoticed.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace orvtest {

using Bytes = std::vector<uint8_t>;

inline constexpr uint32_t kEffectId = 0x4F764D78;  // 'OvMx'
inline constexpr int kParams = 26;
inline constexpr int kPrograms = 27;
inline constexpr size_t kStreamHeader = 41;
inline constexpr size_t kNameRecord = 168;
inline constexpr size_t kValueRecord = 32;
inline constexpr size_t kProgramRecords = kNameRecord + kParams * kValueRecord;  // 1000

struct TestProgram {
    std::string name;  // up to 24 characters
    std::array<float, kParams> values{};
    bool operator==(const TestProgram&) const = default;
};

inline uint32_t swap32(uint32_t v) {
    return (v >> 24) | ((v >> 8) & 0xff00u) | ((v << 8) & 0xff0000u) | (v << 24);
}
inline void put32(Bytes& b, size_t at, uint32_t v) { std::memcpy(b.data() + at, &v, 4); }
inline void putFloat(Bytes& b, size_t at, float v) { std::memcpy(b.data() + at, &v, 4); }
inline uint32_t get32(const Bytes& b, size_t at) {
    uint32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}
inline float getFloat(const Bytes& b, size_t at) {
    float v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}
inline void reverse32(Bytes& b, size_t at) { put32(b, at, swap32(get32(b, at))); }

inline void putName(Bytes& b, size_t at, const std::string& name) {
    std::memcpy(b.data() + at, name.data(), std::min<size_t>(name.size(), 24));
}

// A program whose values differ from every factory program: value k of seed s is (s·26 + k + 1)/1000,
// except the layout version (index 25), which keeps the current layout's 0.025.
inline TestProgram numberedProgram(int seed, const std::string& name) {
    TestProgram p{name, {}};
    for (int k = 0; k < kParams; ++k) p.values[k] = static_cast<float>(seed * kParams + k + 1) / 1000.0f;
    p.values[kParams - 1] = 0.025f;
    return p;
}

inline void putProgramRecords(Bytes& b, size_t at, const TestProgram& p, int32_t programIndex) {
    put32(b, at, 0);
    put32(b, at + 4, 156);
    put32(b, at + 8, static_cast<uint32_t>(programIndex));
    putName(b, at + 12, p.name);
    at += kNameRecord;
    for (int k = 0; k < kParams; ++k, at += kValueRecord) {
        put32(b, at, 1);
        put32(b, at + 4, 20);
        put32(b, at + 8, static_cast<uint32_t>(programIndex));
        put32(b, at + 12, static_cast<uint32_t>(k));
        putFloat(b, at + 24, p.values[k]);
    }
}

inline Bytes streamHeader(uint8_t kind, int32_t records, int32_t current, int32_t recordBytes) {
    Bytes b(kStreamHeader + static_cast<size_t>(recordBytes), 0);
    put32(b, 0, kEffectId);
    b[4] = kind;
    put32(b, 5, 0x01050000);
    put32(b, 9, 26);
    put32(b, 13, static_cast<uint32_t>(records));
    put32(b, 17, static_cast<uint32_t>(current));
    put32(b, 21, static_cast<uint32_t>(recordBytes));
    return b;
}

// Offsets of program p's records and of its value k inside a bank stream.
inline size_t bankNameRecord(int p) { return kStreamHeader + static_cast<size_t>(p) * kProgramRecords; }
inline size_t bankValueRecord(int p, int k) { return bankNameRecord(p) + kNameRecord + k * kValueRecord; }
inline size_t bankValue(int p, int k) { return bankValueRecord(p, k) + 24; }

inline Bytes presetStream(const TestProgram& p, int32_t recordProgramIndex = 0) {
    Bytes b = streamHeader(0x22, 1 + kParams, 0, static_cast<int32_t>(kProgramRecords));
    putProgramRecords(b, kStreamHeader, p, recordProgramIndex);
    return b;
}

inline Bytes bankStream(const std::vector<TestProgram>& programs, int32_t current) {
    Bytes b = streamHeader(0x38, kPrograms * (1 + kParams), current, static_cast<int32_t>(kPrograms * kProgramRecords));
    for (int p = 0; p < kPrograms; ++p) putProgramRecords(b, bankNameRecord(p), programs[static_cast<size_t>(p)], p);
    return b;
}

// The stream as a machine of the other byte order writes it: identifier, header integers and
// every record field reversed; kind byte and names as they are.
inline Bytes reversedStream(Bytes b) {
    reverse32(b, 0);
    for (size_t at = 5; at < kStreamHeader; at += 4) reverse32(b, at);
    const uint32_t records = get32(b, 13);
    size_t at = kStreamHeader;
    for (uint32_t r = 0; r < swap32(records); ++r) {
        const uint32_t type = get32(b, at), size = get32(b, at + 4);
        reverse32(b, at);
        reverse32(b, at + 4);
        reverse32(b, at + 8);
        if (type == 1)
            for (size_t f = 12; f < 32; f += 4) reverse32(b, at + f);
        at += 12 + size;
    }
    return b;
}

inline Bytes chunkOf(const Bytes& stream, uint32_t version = 0x02000000) {
    Bytes b(8);
    put32(b, 0, version);
    put32(b, 4, kEffectId);
    b.insert(b.end(), stream.begin(), stream.end());
    return b;
}

inline Bytes reversedChunkOf(const Bytes& stream) {
    Bytes b = chunkOf(reversedStream(stream));
    reverse32(b, 0);
    reverse32(b, 4);
    return b;
}

// The programs a bank stream in the machine's byte order carries (as the plug-in writes them).
inline std::vector<TestProgram> programsOfBank(const Bytes& stream) {
    std::vector<TestProgram> programs(kPrograms);
    for (int p = 0; p < kPrograms; ++p) {
        const char* name = reinterpret_cast<const char*>(stream.data() + bankNameRecord(p) + 12);
        programs[static_cast<size_t>(p)].name.assign(name, strnlen(name, 24));
        for (int k = 0; k < kParams; ++k) programs[static_cast<size_t>(p)].values[k] = getFloat(stream, bankValue(p, k));
    }
    return programs;
}

// Legacy layouts: records of 24 name bytes and `values` floats.
inline void putLegacyRecord(Bytes& b, size_t at, const TestProgram& p, int values) {
    putName(b, at, p.name);
    for (int k = 0; k < values; ++k) putFloat(b, at + 24 + 4 * k, k < kParams ? p.values[k] : 0.5f);
}

inline Bytes legacyPreset(const TestProgram& p, int values) {
    Bytes b(5 + 24 + 4 * static_cast<size_t>(values), 0);
    put32(b, 0, kEffectId);
    b[4] = 0x21;
    putLegacyRecord(b, 5, p, values);
    return b;
}

inline Bytes legacyBank(const std::vector<TestProgram>& programs, int values) {
    const size_t stride = 24 + 4 * static_cast<size_t>(values);
    Bytes b(5 + kPrograms * stride, 0);
    put32(b, 0, kEffectId);
    b[4] = 0x37;
    for (int p = 0; p < kPrograms; ++p) putLegacyRecord(b, 5 + p * stride, programs[static_cast<size_t>(p)], values);
    return b;
}

// A version-1 chunk of programs.size() records; `reversed` writes it in the other byte order.
inline Bytes legacyChunk(const std::vector<TestProgram>& programs, int32_t current, int values, bool reversed = false) {
    const size_t stride = 24 + 4 * static_cast<size_t>(values);
    Bytes b(32 + programs.size() * stride, 0);
    put32(b, 0, 0x01000000);
    put32(b, 4, kEffectId);
    put32(b, 8, static_cast<uint32_t>(programs.size()));
    put32(b, 12, static_cast<uint32_t>(current));
    for (size_t p = 0; p < programs.size(); ++p) putLegacyRecord(b, 32 + p * stride, programs[p], values);
    if (reversed) {
        for (size_t at = 0; at < 32; at += 4) reverse32(b, at);
        for (size_t p = 0; p < programs.size(); ++p)
            for (int k = 0; k < values; ++k) reverse32(b, 32 + p * stride + 24 + 4 * k);
    }
    return b;
}

inline std::vector<TestProgram> numberedBank(const std::string& prefix) {
    std::vector<TestProgram> programs;
    for (int p = 0; p < kPrograms; ++p) programs.push_back(numberedProgram(p, prefix + std::to_string(p)));
    return programs;
}

}  // namespace orvtest
