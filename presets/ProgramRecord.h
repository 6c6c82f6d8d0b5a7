#pragma once

#include <array>
#include <atomic>
#include <bitset>
#include <cstdint>

namespace orv {

inline constexpr int32_t kNumParams = 26;
inline constexpr int32_t kNumStoredPrograms = 27;
inline constexpr int32_t kProgramNameSize = 24;

// One program as stored and streamed: a 24-byte name and the 26 normalised values.
struct ProgramRecord {
    char name[kProgramNameSize];
    float values[kNumParams];

    // Values are written by setParameter on whichever thread automates while the user-interface
    // thread may be streaming the store out: each value is accessed atomically.
    float value(int32_t index) const {
        return std::atomic_ref<float>(const_cast<float&>(values[index])).load(std::memory_order_relaxed);
    }
    void setValue(int32_t index, float v) {
        std::atomic_ref<float>(values[index]).store(v, std::memory_order_relaxed);
    }
};
static_assert(sizeof(ProgramRecord) == 128, "a program record is 128 bytes on every target");

using ProgramBank = std::array<ProgramRecord, kNumStoredPrograms>;
// Parameters a stream writer or a legacy reader leaves out.
using ParameterMask = std::bitset<kNumParams>;

// Copies a whole record value by value, so a copy out of or into the live store never races with
// setParameter writing one of its values.
void copyProgram(ProgramRecord& to, const ProgramRecord& from);

// What a stored value may be: 0..1; NaN is not.
inline bool isNormalised(float v) { return v >= 0.0f && v <= 1.0f; }

// Copies a name with the store's rule: at most 23 characters kept, zero-terminated; null keeps the old name.
void copyProgramName(ProgramRecord& record, const char* name);

}  // namespace orv
