#include "presets/ProgramStreamReader.h"

#include <cstring>

namespace orv::stream {

namespace {

struct Record {
    int32_t type;
    int32_t programIndex;
    ByteSpan body;
};

// Calls visit(record) for each record the header announces; false as soon as the structure is
// broken or visit refuses a record.
template <typename Visit>
bool forEachRecord(ByteSpan records, const Header& header, bool reverse, Visit visit) {
    if (header.recordCount < 0 || header.recordBytes < 0) return false;
    if (!records.holds(0, static_cast<size_t>(header.recordBytes))) return false;
    const ByteSpan all = records.first(static_cast<size_t>(header.recordBytes));
    size_t at = 0;
    for (int32_t n = 0; n < header.recordCount; ++n) {
        if (!all.holds(at, kRecordHeaderSize)) return false;
        const int32_t size = all.i32(at + 4, reverse);
        if (size < 0 || !all.holds(at + kRecordHeaderSize, static_cast<size_t>(size))) return false;
        const Record r{all.i32(at, reverse), all.i32(at + 8, reverse),
                       ByteSpan(all.data() + at + kRecordHeaderSize, static_cast<size_t>(size))};
        if (r.type == kNameRecord && !r.body.holds(0, kNameBytesNeeded)) return false;
        if (r.type == kValueRecord && !r.body.holds(0, kValueBytesNeeded)) return false;
        if (!visit(r)) return false;
        at += kRecordHeaderSize + static_cast<size_t>(size);
    }
    return true;
}

// A value record's change to `program`; false for a value outside 0..1 of a known parameter.
bool takeValue(const Record& r, bool reverse, ProgramRecord& program) {
    const int32_t index = r.body.i32(kValueParameterOffset, reverse);
    if (index < 0 || index >= kNumParams) return true;
    const float v = r.body.f32(kValueOffset, reverse);
    if (!isNormalised(v)) return false;
    program.setValue(index, v);
    return true;
}

void takeName(const Record& r, ProgramRecord& program) { std::memcpy(program.name, r.body.data(), kProgramNameSize); }

}  // namespace

std::optional<ProgramRecord> readPreset(ByteSpan records, const Header& header, bool reverse,
                                        const ProgramRecord& templ) {
    ProgramRecord program;
    copyProgram(program, templ);
    const bool ok = forEachRecord(records, header, reverse, [&](const Record& r) {
        // Whatever program index a record names, a preset loads into the one program.
        if (r.type == kNameRecord) takeName(r, program);
        return r.type != kValueRecord || takeValue(r, reverse, program);
    });
    if (!ok) return std::nullopt;
    return program;
}

bool readBank(ByteSpan records, const Header& header, bool reverse, const ProgramRecord& templ, LoadedBank& bank) {
    bank.current = header.currentProgram >= 0 && header.currentProgram < kNumStoredPrograms ? header.currentProgram : 0;
    bank.named.reset();
    return forEachRecord(records, header, reverse, [&](const Record& r) {
        if (r.programIndex < 0 || r.programIndex >= kNumStoredPrograms) return true;
        ProgramRecord& program = bank.programs[static_cast<size_t>(r.programIndex)];
        if (r.type == kNameRecord) {
            copyProgram(program, templ);
            takeName(r, program);
            bank.named.set(static_cast<size_t>(r.programIndex));
        }
        return r.type != kValueRecord || takeValue(r, reverse, program);
    });
}

}  // namespace orv::stream
