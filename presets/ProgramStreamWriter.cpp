#include "presets/ProgramStreamWriter.h"

#include <cstring>

#include "presets/ProgramStreamFormat.h"

namespace orv::stream {

namespace {

// Appends the records of one program at `at`; returns the position after them.
uint8_t* putProgram(uint8_t* at, const ProgramRecord& program, int32_t programIndex, const ParameterMask& excluded) {
    putI32(at, kNameRecord);
    putI32(at + 4, kNameBodySize);
    putI32(at + 8, programIndex);
    std::memcpy(at + kRecordHeaderSize, program.name, kProgramNameSize);
    at += kNameRecordSize;
    for (int32_t k = 0; k < kNumParams; ++k) {
        if (excluded.test(static_cast<size_t>(k))) continue;
        putI32(at, kValueRecord);
        putI32(at + 4, kValueBodySize);
        putI32(at + 8, programIndex);
        putI32(at + kRecordHeaderSize + kValueParameterOffset, k);
        putF32(at + kRecordHeaderSize + kValueOffset, program.value(k));
        at += kValueRecordSize;
    }
    return at;
}

std::vector<uint8_t> startStream(uint32_t effectId, uint8_t kind, size_t programs, int32_t currentProgram,
                                 const ParameterMask& excluded) {
    const size_t saved = kNumParams - excluded.count();
    const size_t recordBytes = programs * programRecordBytes(saved);
    std::vector<uint8_t> bytes(kHeaderSize + recordBytes, 0);
    Header h;
    h.identifier = effectId;
    h.kind = kind;
    h.version = kVersion;
    h.parametersPerProgram = kNumParams;
    h.recordCount = static_cast<int32_t>(programs * (1 + saved));
    h.currentProgram = currentProgram;
    h.recordBytes = static_cast<int32_t>(recordBytes);
    writeHeader(bytes.data(), h);
    return bytes;
}

}  // namespace

std::vector<uint8_t> writePreset(uint32_t effectId, const ProgramRecord& program, const ParameterMask& excluded) {
    std::vector<uint8_t> bytes = startStream(effectId, kKindPreset, 1, 0, excluded);
    putProgram(bytes.data() + kHeaderSize, program, 0, excluded);
    return bytes;
}

std::vector<uint8_t> writeBank(uint32_t effectId, std::span<const ProgramRecord, kNumStoredPrograms> bank,
                               int32_t currentProgram, const ParameterMask& excluded) {
    std::vector<uint8_t> bytes = startStream(effectId, kKindBank, kNumStoredPrograms, currentProgram, excluded);
    uint8_t* at = bytes.data() + kHeaderSize;
    for (int32_t p = 0; p < kNumStoredPrograms; ++p) at = putProgram(at, bank[p], p, excluded);
    return bytes;
}

}  // namespace orv::stream
