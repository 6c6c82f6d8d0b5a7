#pragma once

#include <atomic>
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

// Copies a name with the store's rule: at most 23 characters kept, zero-terminated; null keeps the old name.
void copyProgramName(ProgramRecord& record, const char* name);

}  // namespace orv
