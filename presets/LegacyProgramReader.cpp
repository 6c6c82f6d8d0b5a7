#include "presets/LegacyProgramReader.h"

#include <algorithm>
#include <cstring>

namespace orv::legacy {

namespace {

constexpr size_t kValueSize = 4;
constexpr size_t kChunkHeaderSize = 32;
constexpr size_t kChunkCountOffset = 8;
constexpr size_t kChunkCurrentOffset = 12;

// Reads one record of `valueCount` values at the start of `record` into `program`, which holds
// the template. False when the record does not fit or holds a value outside 0..1.
bool readRecord(ByteSpan record, int64_t valueCount, bool reverse, const ParameterMask& excluded,
                ProgramRecord& program) {
    const int64_t values = std::max<int64_t>(valueCount, 0);
    // 64-bit arithmetic: the 32-bit build must not wrap a huge count into a small size.
    if (static_cast<uint64_t>(values) > (record.size() / kValueSize)) return false;
    if (!record.holds(0, kProgramNameSize + static_cast<size_t>(values) * kValueSize)) return false;
    std::memcpy(program.name, record.data(), kProgramNameSize);
    const int32_t taken = static_cast<int32_t>(std::min<int64_t>(values, kNumParams));
    for (int32_t k = 0; k < taken; ++k) {
        if (excluded.test(static_cast<size_t>(k))) continue;
        const float v = record.f32(kProgramNameSize + kValueSize * static_cast<size_t>(k), reverse);
        if (!isNormalised(v)) return false;
        program.setValue(k, v);
    }
    return true;
}

// Reads min(count, 27) records `stride` bytes apart into the bank's first programs.
bool readRecords(ByteSpan body, int64_t count, uint64_t stride, int64_t valuesPerRecord, bool reverse,
                 const ProgramRecord& templ, const ParameterMask& excluded, stream::LoadedBank& bank) {
    bank.named.reset();
    const int64_t programs = std::min<int64_t>(std::max<int64_t>(count, 0), kNumStoredPrograms);
    for (int64_t i = 0; i < programs; ++i) {
        const uint64_t offset = static_cast<uint64_t>(i) * stride;
        if (offset > body.size()) return false;
        ProgramRecord& program = bank.programs[static_cast<size_t>(i)];
        copyProgram(program, templ);
        if (!readRecord(body.from(static_cast<size_t>(offset)), valuesPerRecord, reverse, excluded, program))
            return false;
        bank.named.set(static_cast<size_t>(i));
    }
    return true;
}

}  // namespace

std::optional<ProgramRecord> readPreset(ByteSpan body, bool reverse, int32_t valueCount, const ProgramRecord& templ,
                                        const ParameterMask& excluded) {
    ProgramRecord program;
    copyProgram(program, templ);
    if (!readRecord(body, valueCount, reverse, excluded, program)) return std::nullopt;
    return program;
}

bool readBank(ByteSpan body, bool reverse, int32_t programCount, int32_t valuesPerProgram, const ProgramRecord& templ,
              const ParameterMask& excluded, stream::LoadedBank& bank) {
    const int64_t values = std::max<int32_t>(valuesPerProgram, 0);
    const uint64_t stride = kProgramNameSize + static_cast<uint64_t>(values) * kValueSize;
    bank.current = 0;
    return readRecords(body, programCount, stride, values, reverse, templ, excluded, bank);
}

bool readChunk(ByteSpan chunk, bool reverse, const ProgramRecord& templ, const ParameterMask& excluded,
               stream::LoadedBank& bank) {
    if (!chunk.holds(0, kChunkHeaderSize)) return false;
    const int32_t count = chunk.i32(kChunkCountOffset, reverse);
    // No records, or records too short for a name: not a state this effect ever saved.
    if (count <= 0) return false;
    const size_t stride = (chunk.size() - kChunkHeaderSize) / static_cast<size_t>(count);
    if (stride < kProgramNameSize) return false;
    const int32_t current = chunk.i32(kChunkCurrentOffset, reverse);
    bank.current = current >= 0 && current < kNumStoredPrograms ? current : 0;
    const int64_t values = static_cast<int64_t>((stride - kProgramNameSize) / kValueSize);
    return readRecords(chunk.from(kChunkHeaderSize), count, stride, values, reverse, templ, excluded, bank);
}

}  // namespace orv::legacy
